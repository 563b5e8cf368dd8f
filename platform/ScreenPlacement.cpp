#include "platform/ScreenPlacement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

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

// The margins the window manager gives the window: its own once known, else those of another
// window it has framed.
QMargins MarginsFor(const QWidget *window, const QWidget *framedLike)
{
    if (Framed(window))
        return FrameMargins(window);
    if (framedLike && Framed(framedLike->window()))
        return FrameMargins(framedLike->window());
    for (const QWidget *other : QApplication::topLevelWidgets())
        if (other != window && other->isVisible() && Framed(other))
            return FrameMargins(other);
    return QMargins();
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

QRect AvailableAreaAt(const QPoint &point)
{
    const QScreen *screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
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
        return;
    }
    window->move(to);
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
        MoveFrame(window, CentredOver(size, over, AvailableAreaAt(over.center())), owner);
        return;
    }
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        MoveFrame(window, CentredOver(size, screen->availableGeometry(), screen->availableGeometry()));
}

void KeepOnScreen(QWidget *window)
{
    const QRect frame = FrameGeometry(window);
    const QRect area = AvailableAreaAt(frame.center());
    if (area.isValid() && frame.topLeft() != KeptInside(frame, area))
        MoveFrame(window, KeptInside(frame, area));
}

} // namespace ScreenPlacement
