#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QKeyEvent;

// A window's key preview: the window is told of every key that goes down in it (in any of its
// controls, a page browser included) before the focused control gets the key. The key itself
// is not changed and still reaches the control.
class KeyPreview : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(const QKeyEvent &event)>;

    // Watches the keys of window (owned by it) and calls handler once per key-down.
    KeyPreview(QWidget *window, Handler handler);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
    Handler m_handler;
    // The key event last handed on and the control it went to first: a key that no control
    // takes passes on to the parents, and must not count again there.
    const QEvent *m_lastEvent = nullptr;
    QPointer<QWidget> m_lastReceiver;
};
