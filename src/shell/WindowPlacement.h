#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

namespace shell {

// Where the main window goes when it is shown: the top-left corner of an 800 x 600 screen
// (the window is as large as such a screen allows), centred on any other.
QPoint mainWindowPosition(const QRect &screen, const QSize &windowSize);

} // namespace shell
