#include "shell/ShellResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initShellResources() { Q_INIT_RESOURCE(shell); }

namespace shell {

void ensureResources()
{
    static const bool done = (initShellResources(), true);
    Q_UNUSED(done);
}

} // namespace shell
