#pragma once
#include <QUrl>

namespace sys {

// Hands files, folders, web pages and mail addresses to the desktop's default programs.
// Reach it through sys::shell() or the helpers in Services.h.
class Shell
{
public:
    virtual ~Shell() = default;
    // Returns false when no program could be started for the address.
    virtual bool open(const QUrl &url) = 0;
};

} // namespace sys
