#include "platform/MessageWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <limits>

namespace {

// One posted message, carried to its window by Qt's event queue.
class PostedMessage : public QEvent
{
public:
    static QEvent::Type EventType()
    {
        static const int type = QEvent::registerEventType();
        return static_cast<QEvent::Type>(type);
    }

    PostedMessage(quint32 message, quintptr wParam, qintptr lParam,
                  std::function<bool()> deliverable)
        : QEvent(EventType()), message(message), wParam(wParam), lParam(lParam),
          deliverable(std::move(deliverable))
    {
    }

    quint32 message;
    quintptr wParam;
    qintptr lParam;
    std::function<bool()> deliverable;
};

QHash<QString, quint32> &registeredMessages()
{
    static QHash<QString, quint32> messages;
    return messages;
}

quint32 tickCount()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return static_cast<quint32>(clock.elapsed());
}

} // namespace

MessageWindow::MessageWindow(const QString &windowName)
{
    setObjectName(windowName);
}

MessageWindow *MessageWindow::CreateWindow(const QString &windowName)
{
    return new MessageWindow(windowName);
}

void MessageWindow::DestroyWindow(MessageWindow *window)
{
    if (!window || window->m_destroyed)
        return;
    window->m_destroyed = true;
    window->m_procedure = nullptr;
    qDeleteAll(window->m_timers);
    window->m_timers.clear();
    window->deleteLater();
}

MessageWindow::WindowProcedure MessageWindow::SetWindowProc(WindowProcedure procedure)
{
    WindowProcedure previous = std::move(m_procedure);
    m_procedure = std::move(procedure);
    return previous;
}

qintptr MessageWindow::SendMessage(quint32 message, quintptr wParam, qintptr lParam)
{
    if (m_destroyed || !m_procedure)
        return 0;
    // The procedure may replace itself or end the window while it runs: call a copy.
    WindowProcedure procedure = m_procedure;
    return procedure(this, message, wParam, lParam);
}

quint32 MessageWindow::RegisterWindowMessage(const QString &name)
{
    auto &messages = registeredMessages();
    const auto found = messages.constFind(name.toLower());
    if (found != messages.constEnd())
        return found.value();
    const quint32 number = 0xC000 + static_cast<quint32>(messages.size());
    messages.insert(name.toLower(), number);
    return number;
}

bool MessageWindow::PostMessage(MessageWindow *window, quint32 message, quintptr wParam,
                                qintptr lParam, std::function<bool()> deliverable)
{
    if (!window || window->m_destroyed)
        return false;
    QCoreApplication::postEvent(window,
                                new PostedMessage(message, wParam, lParam, std::move(deliverable)));
    return true;
}

quintptr MessageWindow::SetTimer(quintptr idEvent, quint32 elapseMs, TimerProcedure procedure)
{
    if (m_destroyed || idEvent == 0
        || elapseMs > static_cast<quint32>(std::numeric_limits<int>::max()))
        return 0;
    delete m_timers.take(idEvent);
    auto *timer = new QTimer(this);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, [this, idEvent, procedure = std::move(procedure)] {
        if (!m_destroyed && procedure)
            procedure(this, WM_TIMER, idEvent, tickCount());
    });
    m_timers.insert(idEvent, timer);
    timer->start(static_cast<int>(elapseMs));
    return idEvent;
}

bool MessageWindow::KillTimer(quintptr idEvent)
{
    QTimer *timer = m_timers.take(idEvent);
    if (!timer)
        return false;
    // A timer may be killed from inside its own callback.
    timer->stop();
    timer->deleteLater();
    return true;
}

QString MessageWindow::ExecutableName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void MessageWindow::WaitForEvents(int waitLimitMs)
{
    QTimer limit;
    limit.setSingleShot(true);
    limit.start(waitLimitMs);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

bool MessageWindow::event(QEvent *e)
{
    if (e->type() != PostedMessage::EventType())
        return QObject::event(e);
    auto *posted = static_cast<PostedMessage *>(e);
    if (!posted->deliverable || posted->deliverable())
        SendMessage(posted->message, posted->wParam, posted->lParam);
    return true;
}
