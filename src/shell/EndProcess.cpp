#include "shell/EndProcess.h"

#include <cstdio>
#include <cstdlib>

namespace shell {

std::function<void()> &endProcessHook()
{
    static std::function<void()> hook;
    return hook;
}

void endProcessNow()
{
    if (const auto &hook = endProcessHook()) {
        hook();
        return;
    }
    // No destructors, no event loop: the program must not write anything after this point.
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace shell
