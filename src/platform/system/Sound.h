#pragma once
#include <QString>

namespace sys {

// Plays a wave file without waiting for it; beeps when the file is missing or cannot play.
// Reach it through sys::sound() (Services.h).
class Sound
{
public:
    virtual ~Sound() = default;
    virtual void play(const QString &wavFile) = 0;
};

} // namespace sys
