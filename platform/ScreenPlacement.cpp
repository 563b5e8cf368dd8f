#include "platform/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ScreenPlacement {

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

QRect FrameGeometry(const QWidget *window, const QWidget *framedLike)
{
    const QRect frame = window->frameGeometry();
    if (frame != window->geometry() || !framedLike)
        return frame;
    const QRect like = framedLike->window()->frameGeometry();
    const QRect likeClient = framedLike->window()->geometry();
    return frame.adjusted(0, 0, like.width() - likeClient.width(), like.height() - likeClient.height());
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
        window->move(CentredOver(size, over, AvailableAreaAt(over.center())));
        return;
    }
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window->move(CentredOver(size, screen->availableGeometry(), screen->availableGeometry()));
}

void KeepOnScreen(QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect area = AvailableAreaAt(frame.center());
    if (area.isValid())
        window->move(KeptInside(frame, area));
}

} // namespace ScreenPlacement
