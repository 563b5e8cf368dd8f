#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

// Where a top-level window goes on the screen. One rule for every window: it lies wholly inside
// the available area of one screen, moved as little as needed; one larger than the area keeps its
// top-left corner, and so its title bar, inside. A dialog or new window keeps to the screen its
// owner is on, one without an owner to the screen of the window it was opened from, and a
// window opened from none to its own. Positions and sizes are those of the frame.
namespace ScreenPlacement {

// The frame's new top-left corner under the rule.
QPoint KeptInside(const QRect &frame, const QRect &area);
// A frame of that size centred over the owner's frame, then kept inside the area.
QPoint CentredOver(const QSize &frameSize, const QRect &ownerFrame, const QRect &area);
// Which of the screens (their rectangles) a frame is on: the one that holds its centre, else the
// one it overlaps most, else the nearest; the first of equals. -1 without screens.
int ScreenOf(const QRect &frame, const QList<QRect> &screens);

// The screen the frame is on, as ScreenOf chooses it; null without screens.
QScreen *ScreenAt(const QRect &frame);
// The available area of that screen.
QRect AvailableAreaOf(const QRect &frame);
// The window's frame. Until the window manager has framed the window, its frame is estimated with
// the margins of framedLike, or else of another shown window of the program: one manager frames
// them alike.
QRect FrameGeometry(const QWidget *window, const QWidget *framedLike = nullptr);
// Moves the window's frame to a point, also before the window manager has framed it, and also
// where the window manager moved a hidden window since Qt last heard of it.
void MoveFrame(QWidget *window, const QPoint &to, const QWidget *framedLike = nullptr);
// Moves a window centred over the frame of its owner (or, without one, of the window it was
// opened from), inside the area of that window's screen; given neither, centred on its own screen.
void CentreOver(QWidget *window, const QWidget *owner);
// Centres a window over its owner, or, shown without one, over the window it was opened from.
void CentreOverOwnerOr(QWidget *window, const QWidget *openedFrom);
// Moves a window inside the available area of its screen.
void KeepOnScreen(QWidget *window);

} // namespace ScreenPlacement
