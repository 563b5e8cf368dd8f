#include "mainwindow/MouseButtonWatcher.h"

#include <QMouseEvent>
#include <QWidget>

MouseButtonWatcher::MouseButtonWatcher(QWidget *watched) : QObject(watched)
{
    watched->installEventFilter(this);
}

bool MouseButtonWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
        const auto *e = static_cast<QMouseEvent *>(event);
        const QPoint pos = e->position().toPoint();
        if (event->type() == QEvent::MouseButtonPress)
            emit MouseDown(e->button(), pos);
        else
            emit MouseUp(e->button(), pos);
    }
    return QObject::eventFilter(watched, event);
}
