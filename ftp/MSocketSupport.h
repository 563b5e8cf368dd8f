#pragma once

#include "platform/NumberedError.h"

#include <QString>
#include <QtGlobal>

class CSocket;
class MessageWindow;

// The module under CSocket: starts and cleans up the sockets service, owns the hidden
// "SOCKET_WINDOW" that receives every socket notification and host-name lookup result, keeps
// the registry that maps socket handles and lookup tasks to the CSocket objects that own them,
// and turns socket error numbers into English texts. Everything runs on the user-interface
// thread.
namespace MSocketSupport {

// Starts the sockets service once per process and returns the largest datagram size; throws
// NumberedError (source "MSocketSupport.InitWinsockService") when it cannot start. Every call
// counts a user, which CleanupWinsockService releases.
qint32 InitWinsockService();
// Releases a user; the service is cleaned up once no user is left and no socket is registered.
void CleanupWinsockService();

// Registers a socket for notifications to object. On failure the error state holds the reason
// (source "MSocketSupport.RegisterSocket"), nothing of the attempt is kept, and false returns.
bool RegisterSocket(qint32 lngSocketHandle, CSocket *object);
// Stops notifications for a socket and forgets it; the window goes with the last socket.
bool UnregisterSocket(qint32 lngSocketHandle);

// Starts an asynchronous lookup of a host name for object and returns its task handle, or 0
// with the error state filled (source "MSocketSupport.ResolveHost"). A lookup the object
// still had pending is abandoned.
qint32 ResolveHost(const QString &strHostName, CSocket *object);
// Abandons the pending lookup of object, if any: no result reaches it.
void CancelResolve(CSocket *object);

QString GetErrorDescription(qint32 lngErrorCode);

MessageWindow *CreateWinsockMessageWindow();
void DestroyWinsockMessageWindow();
qintptr WindowProc(MessageWindow *window, quint32 uMsg, quintptr wParam, qintptr lParam);

// 0 to 32767 unchanged, 32768 to 65535 minus 65536; other values throw error 6 (overflow).
qint16 UnsignedToInteger(qint64 value);
qint32 IntegerToUnsigned(qint16 value);
qint32 LoWord(qint64 value);
qint32 HiWord(qint64 value);

// The error state: the last failure recorded without raising (number 0 when none).
NumberedError LastError();
void ClearError();

// The module state, for those who watch it.
bool IsStarted();
MessageWindow *SocketWindow();
qint32 RegisteredSocketCount();
qint32 PendingLookupCount();
quint32 WinsockMessage();
quint32 ResolveMessage();

} // namespace MSocketSupport
