#pragma once

#include <QObject>

class QWidget;

// Reports the mouse on a split bar: a press, each move with the buttons held and the pointer's
// x within the bar in pixels, and a release. It belongs to the watched bar.
class SplitBarMouseWatcher : public QObject
{
    Q_OBJECT

public:
    explicit SplitBarMouseWatcher(QWidget *watched);

signals:
    void MouseDown();
    void MouseMove(Qt::MouseButtons Buttons, double X);
    void MouseUp();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
