#include "ftp/MTimeOutSupport.h"

#include "ftp/CTimeout.h"
#include "platform/MessageWindow.h"
#include "platform/NumberedError.h"

#include <limits>

namespace MTimeOutSupport {
namespace {

MessageWindow *g_timerWindow = nullptr;
int g_users = 0;

quint32 intervalOf(qint32 seconds, const char *procedure)
{
    const qint64 ms = static_cast<qint64>(seconds) * 1000;
    if (ms > std::numeric_limits<qint32>::max() || ms < std::numeric_limits<qint32>::min())
        throw NumberedError(6, QStringLiteral("Overflow"),
                            QStringLiteral("MTimeOutSupport.%1").arg(QLatin1String(procedure)));
    return static_cast<quint32>(qMax<qint64>(ms, 0));
}

} // namespace

void CreateTimer()
{
    if (!g_timerWindow && !CreateTimerWindow())
        throw NumberedError(17001, QStringLiteral("Cannot create the timer window."),
                            QStringLiteral("MTimeOutSupport.CreateTimer"));
    ++g_users;
}

MessageWindow *CreateTimerWindow()
{
    g_timerWindow = MessageWindow::CreateWindow(QStringLiteral("TIMER_WINDOW"));
    return g_timerWindow;
}

void DestroyTimer()
{
    if (g_users > 0)
        --g_users;
    if (g_users == 0)
        DestroyTimerWindow();
}

void DestroyTimerWindow()
{
    MessageWindow::DestroyWindow(g_timerWindow);
    g_timerWindow = nullptr;
}

quintptr RegisterTimer(qint32 seconds, quintptr identifier)
{
    const quint32 interval = intervalOf(seconds, "RegisterTimer");
    if (!g_timerWindow || g_timerWindow->SetTimer(identifier, interval, &TimerProc) == 0)
        throw NumberedError(17002, QStringLiteral("Cannot create the timer"),
                            QStringLiteral("MTimeOutSupport.RegisterTimer"));
    return identifier;
}

void UnregisterTimer(quintptr identifier)
{
    if (g_timerWindow)
        g_timerWindow->KillTimer(identifier);
}

void ResetTimer(quintptr identifier, qint32 seconds)
{
    const quint32 interval = intervalOf(seconds, "ResetTimer");
    if (g_timerWindow)
        g_timerWindow->SetTimer(identifier, interval, &TimerProc);
}

void TimerProc(MessageWindow *, quint32, quintptr idEvent, quint32)
{
    // Ending a CTimeout kills its timer, so a live timer always names a live object.
    reinterpret_cast<CTimeout *>(idEvent)->RaiseTimeOut();
}

MessageWindow *TimerWindow()
{
    return g_timerWindow;
}

} // namespace MTimeOutSupport
