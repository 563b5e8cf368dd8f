#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a new main window's frame goes on its screen, in pixels: beside the window that opened it.
namespace WindowPlacement {

// Down and right of the opener's frame by step, so that both title bars show, when the new frame
// lies wholly inside the screen's area there; else at the area's top-left corner.
QPoint BesideOpener(const QRect &openerFrame, const QSize &frameSize, const QRect &area, int step);

} // namespace WindowPlacement
