#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

class MessageWindow;

// The sockets service the FTP client was written against, over non-blocking BSD sockets:
// the same calls, error numbers and asynchronous notifications (posted messages to a hidden
// window). Each notification is delivered once, so the client never handles one twice: read
// again only after the program has read, accept again only after it has accepted, write only
// while a connect or a blocked send is pending, close once (found by peeking), connect once
// with its result. Every message is stamped with the socket's registration, so a message still
// queued when its socket is closed or re-registered is dropped, never delivered to a later
// owner of a reused descriptor.
namespace Winsock {

// Constants that share a name with the system's socket macros carry the prefix WS_.

using SOCKET = int;
using HANDLE = int;

constexpr SOCKET INVALID_SOCKET = -1;
constexpr int SOCKET_ERROR = -1;

constexpr int WS_AF_INET = 2;
constexpr int WS_SOCK_STREAM = 1;
constexpr int WS_SOCK_DGRAM = 2;
constexpr int WS_IPPROTO_TCP = 6;
constexpr int WS_IPPROTO_UDP = 17;

constexpr int WS_SOL_SOCKET = 0xFFFF;
constexpr int WS_SO_BROADCAST = 0x0020;
constexpr int WS_SO_RCVBUF = 0x1002;
constexpr int WS_SO_ERROR = 0x1007;
constexpr int WS_SO_TYPE = 0x1008;

constexpr int SD_RECEIVE = 0;
constexpr int SD_SEND = 1;
constexpr int SD_BOTH = 2;

constexpr quint32 WS_INADDR_ANY = 0;
constexpr quint32 WS_INADDR_NONE = 0xFFFFFFFF;

enum : long {
    FD_READ = 1,
    FD_WRITE = 2,
    FD_OOB = 4,
    FD_ACCEPT = 8,
    FD_CONNECT = 16,
    FD_CLOSE = 32,
};

enum : int {
    WSAEINTR = 10004,
    WSAEACCES = 10013,
    WSAEFAULT = 10014,
    WSAEINVAL = 10022,
    WSAEMFILE = 10024,
    WSAEWOULDBLOCK = 10035,
    WSAEINPROGRESS = 10036,
    WSAEALREADY = 10037,
    WSAENOTSOCK = 10038,
    WSAEDESTADDRREQ = 10039,
    WSAEMSGSIZE = 10040,
    WSAEPROTOTYPE = 10041,
    WSAENOPROTOOPT = 10042,
    WSAEPROTONOSUPPORT = 10043,
    WSAESOCKTNOSUPPORT = 10044,
    WSAEOPNOTSUPP = 10045,
    WSAEPFNOSUPPORT = 10046,
    WSAEAFNOSUPPORT = 10047,
    WSAEADDRINUSE = 10048,
    WSAEADDRNOTAVAIL = 10049,
    WSAENETDOWN = 10050,
    WSAENETUNREACH = 10051,
    WSAENETRESET = 10052,
    WSAECONNABORTED = 10053,
    WSAECONNRESET = 10054,
    WSAENOBUFS = 10055,
    WSAEISCONN = 10056,
    WSAENOTCONN = 10057,
    WSAESHUTDOWN = 10058,
    WSAETOOMANYREFS = 10059,
    WSAETIMEDOUT = 10060,
    WSAECONNREFUSED = 10061,
    WSAELOOP = 10062,
    WSAENAMETOOLONG = 10063,
    WSAEHOSTDOWN = 10064,
    WSAEHOSTUNREACH = 10065,
    WSAEPROCLIM = 10067,
    WSASYSNOTREADY = 10091,
    WSAVERNOTSUPPORTED = 10092,
    WSANOTINITIALISED = 10093,
    WSAEDISCON = 10101,
    WSASYSCALLFAILURE = 10107,
    WSATYPE_NOT_FOUND = 10109,
    WSAHOST_NOT_FOUND = 11001,
    WSATRY_AGAIN = 11002,
    WSANO_RECOVERY = 11003,
    WSANO_DATA = 11004,
};

// The service's start-up record.
struct WSADATA
{
    quint16 wVersion = 0;
    quint16 wHighVersion = 0;
    quint16 iMaxSockets = 0;
    quint16 iMaxUdpDg = 0;
};

// An IPv4 address (network byte order) and a port (host byte order).
struct SocketAddress
{
    quint32 address = WS_INADDR_ANY;
    quint16 port = 0;
};

// The result of a host-name lookup, written into the caller's buffer before the result message
// is posted.
struct HostEntry
{
    QString h_name;
    QList<quint32> h_addr_list; // IPv4 addresses, network byte order
};

// Start-up and clean-up are counted; calls made while the service is not started fail with
// WSANOTINITIALISED.
int WSAStartup(quint16 wVersionRequested, WSADATA *lpWSAData);
int WSACleanup();
int WSAGetLastError();
void WSASetLastError(int error);

SOCKET socket(int af, int type, int protocol);
int closesocket(SOCKET s);
int bind(SOCKET s, const SocketAddress &name);
int listen(SOCKET s, int backlog);
SOCKET accept(SOCKET s, SocketAddress *addr);
int connect(SOCKET s, const SocketAddress &name);
// Sends never raise a broken-pipe signal. A send the system takes only in part is followed by
// a write notification once there is room again, as one that would block.
int send(SOCKET s, const char *buf, int len, int flags);
int recv(SOCKET s, char *buf, int len, int flags);
int sendto(SOCKET s, const char *buf, int len, int flags, const SocketAddress &to);
int recvfrom(SOCKET s, char *buf, int len, int flags, SocketAddress *from);
int getsockopt(SOCKET s, int level, int optname, int *optval);
int setsockopt(SOCKET s, int level, int optname, int optval);
int getsockname(SOCKET s, SocketAddress *name);
int getpeername(SOCKET s, SocketAddress *name);
int shutdown(SOCKET s, int how);

// Dotted text to a network-order address; WS_INADDR_NONE when the text is not one.
quint32 inet_addr(const QString &cp);
QString inet_ntoa(quint32 in);
// The name a reverse lookup finds for a network-order address; empty when none. Only names
// known on this machine are found (loopback names, this machine's own name): the lookup never
// waits on a name server.
QString gethostbyaddr(quint32 addr);

// Asks for notifications of the events in lEvent as message wMsg to window hWnd, word
// parameter the socket, long parameter WSAMAKESELECTREPLY(event, error). lEvent 0 ends them;
// messages of an earlier registration still queued are dropped.
int WSAAsyncSelect(SOCKET s, MessageWindow *hWnd, quint32 wMsg, long lEvent);
// Posts a notification for s as the service itself would, stamped with the current
// registration; false when s has none.
bool PostSelectMessage(SOCKET s, long event, int error);

// Starts a lookup of name; when it ends, buf is filled and message wMsg is posted to hWnd with
// the task handle as word parameter and WSAMAKEASYNCREPLY(0, error) as long parameter. Returns
// the task handle, 0 on failure (WSAGetLastError tells why). buf must stay valid until the
// message has been delivered or the task cancelled.
HANDLE WSAAsyncGetHostByName(MessageWindow *hWnd, quint32 wMsg, const QString &name,
                             HostEntry *buf);
// Ends a pending lookup: no result message comes for it, even one already queued.
int WSACancelAsyncRequest(HANDLE hAsyncTaskHandle);

constexpr qintptr WSAMAKESELECTREPLY(long event, int error)
{
    return static_cast<qintptr>((static_cast<quint32>(error) << 16) | (event & 0xFFFF));
}
constexpr qintptr WSAMAKEASYNCREPLY(int buflen, int error)
{
    return WSAMAKESELECTREPLY(buflen, error);
}
constexpr long WSAGETSELECTEVENT(qintptr lParam) { return static_cast<long>(lParam & 0xFFFF); }
constexpr int WSAGETSELECTERROR(qintptr lParam) { return static_cast<int>((lParam >> 16) & 0xFFFF); }
constexpr int WSAGETASYNCERROR(qintptr lParam) { return WSAGETSELECTERROR(lParam); }

// The service's English text of an error number; "Unknown error." for any other number.
QString ErrorText(int error);
// The service's error number for a system errno value.
int ErrorFromErrno(int err);

} // namespace Winsock
