#pragma once

#include <QtGlobal>

class MessageWindow;

// The module under CTimeout: one hidden "TIMER_WINDOW" shared by all CTimeout objects, to which
// their periodic timers are attached. A timer's identifier is its CTimeout's address, so the
// callback finds the object without a table.
namespace MTimeOutSupport {

// Makes the timer window when there is none and counts one more user of it; throws
// NumberedError 17001 (source "MTimeOutSupport.CreateTimer") when it cannot be made.
void CreateTimer();
MessageWindow *CreateTimerWindow();
// Releases one user; the window is destroyed with the last one, and other users' timers keep
// running until then.
void DestroyTimer();
void DestroyTimerWindow();

// Starts a periodic timer of seconds under identifier and returns identifier. Throws error 6
// when seconds * 1000 does not fit in 32 bits, 17002 when the timer is refused.
quintptr RegisterTimer(qint32 seconds, quintptr identifier);
void UnregisterTimer(quintptr identifier);
// Sets the timer of identifier again: its period starts from now, also when it was stopped.
void ResetTimer(quintptr identifier, qint32 seconds);
void TimerProc(MessageWindow *window, quint32 uMsg, quintptr idEvent, quint32 dwTime);

MessageWindow *TimerWindow();

} // namespace MTimeOutSupport
