#pragma once
#include <functional>

namespace shell {

// Ends the process at once: no close query, nothing more is saved. Used after a restore and
// by the login gate's "取  消". Tests replace the hook so the test program goes on.
void endProcessNow();

// The step endProcessNow() runs; an empty function means the real exit.
std::function<void()> &endProcessHook();

} // namespace shell
