#pragma once
#include <QDate>
#include <QDateTime>

namespace sys {

// Today's date and the current time. Reach it through sys::clock() (Services.h).
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QDateTime now() const = 0;
};

} // namespace sys
