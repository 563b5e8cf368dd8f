#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Reports the presses and releases of mouse buttons on a widget before the widget handles them,
// with the button and the position in the widget. It belongs to the watched widget.
class MouseButtonWatcher : public QObject
{
    Q_OBJECT

public:
    explicit MouseButtonWatcher(QWidget *watched);

signals:
    void MouseDown(Qt::MouseButton Button, const QPoint &Position);
    void MouseUp(Qt::MouseButton Button, const QPoint &Position);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
