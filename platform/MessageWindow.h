#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

class QTimer;

// Hidden windows, registered messages and window timers: a named hidden QObject that receives
// posted messages (message number, word parameter, long parameter) one at a time from the event
// loop and hands them to its window procedure, which may be replaced (subclassing).
class MessageWindow : public QObject
{
    Q_OBJECT

public:
    using WindowProcedure =
        std::function<qintptr(MessageWindow *window, quint32 message, quintptr wParam,
                              qintptr lParam)>;
    using TimerProcedure =
        std::function<void(MessageWindow *window, quint32 message, quintptr idEvent,
                           quint32 time)>;

    static constexpr quint32 WM_TIMER = 0x0113;

    // A hidden window named windowName; its procedure does nothing until replaced.
    static MessageWindow *CreateWindow(const QString &windowName);
    // Ends the window: its timers stop, messages still queued for it are dropped, and the
    // object is deleted once control is back in the event loop (safe from inside its own
    // procedure).
    static void DestroyWindow(MessageWindow *window);

    // Installs procedure and returns the one it replaces.
    WindowProcedure SetWindowProc(WindowProcedure procedure);
    // Calls the window's procedure at once.
    qintptr SendMessage(quint32 message, quintptr wParam, qintptr lParam);
    bool IsDestroyed() const { return m_destroyed; }

    // The same name always gives the same number, from 0xC000 up.
    static quint32 RegisterWindowMessage(const QString &name);
    // Queues a message for the window; false when the window is gone. A message with a
    // deliverable test is dropped when the test fails at delivery time.
    static bool PostMessage(MessageWindow *window, quint32 message, quintptr wParam,
                            qintptr lParam, std::function<bool()> deliverable = {});

    // A periodic timer of this window under idEvent: a second SetTimer with the same id replaces
    // it and starts its interval from now. Returns idEvent, or 0 when refused (a destroyed
    // window, id 0, or an interval above 2147483647 ms).
    quintptr SetTimer(quintptr idEvent, quint32 elapseMs, TimerProcedure procedure);
    bool KillTimer(quintptr idEvent);
    bool HasTimer(quintptr idEvent) const { return m_timers.contains(idEvent); }

    // The executable's file name without its extension; registered message names begin with it.
    static QString ExecutableName();

    // Lets pending events run, first waiting for at least one to arrive, so that a loop that
    // waits on a condition sleeps in between instead of spinning the processor. The wait ends
    // after waitLimitMs at the latest.
    static void WaitForEvents(int waitLimitMs = 1000);

protected:
    bool event(QEvent *e) override;

private:
    explicit MessageWindow(const QString &windowName);

    WindowProcedure m_procedure;
    QHash<quintptr, QTimer *> m_timers;
    bool m_destroyed = false;
};
