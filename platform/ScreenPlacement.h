#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a top-level window goes on the screen. One rule for every window: it lies wholly inside
// the screen's available area, moved as little as needed; one larger than the area keeps its
// top-left corner, and so its title bar, inside. Positions and sizes are those of the frame.
namespace ScreenPlacement {

// The frame's new top-left corner under the rule.
QPoint KeptInside(const QRect &frame, const QRect &area);
// A frame of that size centred over the owner's frame, then kept inside the area.
QPoint CentredOver(const QSize &frameSize, const QRect &ownerFrame, const QRect &area);

// The available area of the screen that holds the point; the primary screen's when none does.
QRect AvailableAreaAt(const QPoint &point);
// The window's frame. Until the window manager has framed the window, its frame is estimated with
// the margins of framedLike, or else of another shown window of the program: one manager frames
// them alike.
QRect FrameGeometry(const QWidget *window, const QWidget *framedLike = nullptr);
// Moves the window's frame to a point, also before the window manager has framed it.
void MoveFrame(QWidget *window, const QPoint &to, const QWidget *framedLike = nullptr);
// Moves a window centred over its owner's frame, or over its screen without one, inside the area.
void CentreOver(QWidget *window, const QWidget *owner);
// Moves a window inside the available area of its screen.
void KeepOnScreen(QWidget *window);

} // namespace ScreenPlacement
