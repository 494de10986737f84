#pragma once

namespace shell {

// Registers the shell's pictures (":/shell/...") once; a static library's resources are not
// registered on their own.
void ensureResources();

} // namespace shell
