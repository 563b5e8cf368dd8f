#include "platform/ScreenPlacement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace ScreenPlacement {

namespace {

bool Framed(const QWidget *window)
{
    return window->frameGeometry() != window->geometry();
}

QMargins FrameMargins(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom());
}

// The margins the window manager gives the window: none for one without a frame, its own once
// known, else those of another window it has framed.
QMargins MarginsFor(const QWidget *window, const QWidget *framedLike)
{
    if (window->windowFlags() & Qt::FramelessWindowHint)
        return QMargins();
    if (Framed(window))
        return FrameMargins(window);
    if (framedLike && Framed(framedLike->window()))
        return FrameMargins(framedLike->window());
    for (const QWidget *other : QApplication::topLevelWidgets())
        if (other != window && other->isVisible() && Framed(other))
            return FrameMargins(other);
    return QMargins();
}

// How far apart two spans of pixels lie on one axis; 0 where they overlap.
qint64 Gap(qint64 first, qint64 last, qint64 otherFirst, qint64 otherLast)
{
    return std::max({qint64(0), otherFirst - last, first - otherLast});
}

} // namespace

QPoint KeptInside(const QRect &frame, const QRect &area)
{
    const int x = std::min(frame.x(), area.right() + 1 - frame.width());
    const int y = std::min(frame.y(), area.bottom() + 1 - frame.height());
    return QPoint(std::max(x, area.left()), std::max(y, area.top()));
}

QPoint CentredOver(const QSize &frameSize, const QRect &ownerFrame, const QRect &area)
{
    const QPoint centre = ownerFrame.topLeft()
        + QPoint(ownerFrame.width() - frameSize.width(), ownerFrame.height() - frameSize.height()) / 2;
    return KeptInside(QRect(centre, frameSize), area);
}

int ScreenOf(const QRect &frame, const QList<QRect> &screens)
{
    for (int i = 0; i < screens.size(); ++i)
        if (screens[i].contains(frame.center()))
            return i;
    int best = -1;
    qint64 bestOverlap = 0;
    qint64 bestDistance = 0;
    for (int i = 0; i < screens.size(); ++i) {
        const QRect overlap = screens[i].intersected(frame);
        const qint64 area = qint64(overlap.width()) * overlap.height();
        const qint64 dx = Gap(frame.left(), frame.right(), screens[i].left(), screens[i].right());
        const qint64 dy = Gap(frame.top(), frame.bottom(), screens[i].top(), screens[i].bottom());
        const qint64 distance = dx * dx + dy * dy;
        if (best < 0 || area > bestOverlap || (area == bestOverlap && distance < bestDistance)) {
            best = i;
            bestOverlap = area;
            bestDistance = distance;
        }
    }
    return best;
}

QScreen *ScreenAt(const QRect &frame)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    QList<QRect> rects;
    for (const QScreen *screen : screens)
        rects << screen->geometry();
    const int i = ScreenOf(frame, rects);
    return i < 0 ? nullptr : screens[i];
}

QRect AvailableAreaOf(const QRect &frame)
{
    const QScreen *screen = ScreenAt(frame);
    return screen ? screen->availableGeometry() : QRect();
}

// Qt places a window by its frame, except one already made but not framed yet: that one stands
// by its client area, and the window manager then frames it around where it stands.
QRect FrameGeometry(const QWidget *window, const QWidget *framedLike)
{
    if (Framed(window))
        return window->frameGeometry();
    const QMargins margins = MarginsFor(window, framedLike);
    const QPoint corner = window->testAttribute(Qt::WA_WState_Created)
        ? window->pos() - QPoint(margins.left(), margins.top())
        : window->pos();
    return QRect(corner, window->size().grownBy(margins));
}

void MoveFrame(QWidget *window, const QPoint &to, const QWidget *framedLike)
{
    if (window->testAttribute(Qt::WA_WState_Created) && !Framed(window)) {
        const QMargins margins = MarginsFor(window, framedLike);
        window->move(to + QPoint(margins.left(), margins.top()));
    } else {
        window->move(to);
    }
    // Qt may still hold a place for a hidden window that the window manager has moved since, and
    // then sees no move to make: the window system's window is set where it goes in any case.
    if (QWindow *made = window->windowHandle(); made && !window->isVisible())
        made->setFramePosition(to);
}

void CentreOver(QWidget *window, const QWidget *owner)
{
    owner = owner ? owner->window() : nullptr;
    // A window never sized by the program takes its layout's size as it shows: take it now.
    if (window->layout() && !window->testAttribute(Qt::WA_Resized)) {
        window->adjustSize();
        window->setAttribute(Qt::WA_Resized, false);
    }
    const QSize size = FrameGeometry(window, owner).size();
    if (owner) {
        const QRect over = owner->frameGeometry();
        MoveFrame(window, CentredOver(size, over, AvailableAreaOf(over)), owner);
        return;
    }
    const QRect area = AvailableAreaOf(FrameGeometry(window));
    if (area.isValid())
        MoveFrame(window, CentredOver(size, area, area));
}

void CentreOverOwnerOr(QWidget *window, const QWidget *openedFrom)
{
    CentreOver(window, window->parentWidget() ? window->parentWidget() : openedFrom);
}

void KeepOnScreen(QWidget *window)
{
    const QRect frame = FrameGeometry(window);
    const QRect area = AvailableAreaOf(frame);
    if (area.isValid() && frame.topLeft() != KeptInside(frame, area))
        MoveFrame(window, KeptInside(frame, area));
}

} // namespace ScreenPlacement
