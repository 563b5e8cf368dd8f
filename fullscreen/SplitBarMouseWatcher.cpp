#include "fullscreen/SplitBarMouseWatcher.h"

#include <QMouseEvent>
#include <QWidget>

SplitBarMouseWatcher::SplitBarMouseWatcher(QWidget *watched)
    : QObject(watched)
{
    watched->installEventFilter(this);
}

bool SplitBarMouseWatcher::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        emit MouseDown();
        return true;
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        emit MouseMove(mouse->buttons(), mouse->position().x());
        return true;
    }
    case QEvent::MouseButtonRelease:
        emit MouseUp();
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}
