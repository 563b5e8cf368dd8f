#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a main window's frame goes on its screen, in pixels: a new window beside the window that
// opened it, and a window that a page moves, kept where the user can reach its title bar.
namespace WindowPlacement {

// Down and right of the opener's frame by step, so that both title bars show; a window that
// would start too near the screen's right or bottom edge starts at the screen's corner instead.
QPoint BesideOpener(const QRect &openerFrame, const QRect &screen, int step);

// The frame moved inside the screen, whole when it fits; one larger than the screen keeps its
// top-left corner, and so its title bar, on the screen.
QPoint KeptOnScreen(const QRect &frame, const QRect &screen);

} // namespace WindowPlacement
