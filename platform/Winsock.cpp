#include "platform/Winsock.h"

#include "platform/MessageWindow.h"

#include <QCoreApplication>
#include <QHash>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QPointer>
#include <QSocketNotifier>
#include <memory>

#include <arpa/inet.h>
#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Winsock {
namespace {

// What the service knows of one socket: its registration and which notifications are owed.
struct SocketRecord
{
    SOCKET s = INVALID_SOCKET;
    bool datagram = false;
    bool listening = false;
    bool connecting = false;
    bool connected = false;
    bool sendBlocked = false;
    bool sendShutDown = false;
    // A notification is on its way and the next is owed only after the program reacts.
    bool readPosted = false;
    bool acceptPosted = false;
    bool closePosted = false;

    QPointer<MessageWindow> window;
    quint32 message = 0;
    long mask = 0;
    quint64 serial = 0;
    std::unique_ptr<QSocketNotifier> readNotifier;
    std::unique_ptr<QSocketNotifier> writeNotifier;
};

struct LookupTask
{
    QPointer<MessageWindow> window;
    quint32 message = 0;
    HostEntry *buffer = nullptr;
    int lookupId = -1;
    bool finished = false;
};

struct Service
{
    int startups = 0;
    int lastError = 0;
    quint64 nextSerial = 0;
    HANDLE nextTask = 0;
    QHash<SOCKET, SocketRecord *> sockets;
    QHash<HANDLE, LookupTask> lookups;
};

Service &service()
{
    static Service instance;
    return instance;
}

int fail(int error)
{
    service().lastError = error;
    return SOCKET_ERROR;
}

int failFromErrno()
{
    return fail(ErrorFromErrno(errno));
}

SocketRecord *record(SOCKET s)
{
    return service().sockets.value(s, nullptr);
}

bool started()
{
    if (service().startups > 0)
        return true;
    service().lastError = WSANOTINITIALISED;
    return false;
}

// Resolves a socket for a call: null (and the error set) when the service is off or s unknown.
SocketRecord *usable(SOCKET s)
{
    if (!started())
        return nullptr;
    SocketRecord *r = record(s);
    if (!r)
        service().lastError = WSAENOTSOCK;
    return r;
}

sockaddr_in toSystem(const SocketAddress &a)
{
    sockaddr_in sin {};
    sin.sin_family = AF_INET;
    sin.sin_addr.s_addr = a.address;
    sin.sin_port = htons(a.port);
    return sin;
}

SocketAddress fromSystem(const sockaddr_in &sin)
{
    return SocketAddress { sin.sin_addr.s_addr, ntohs(sin.sin_port) };
}

void post(SocketRecord *r, long event, int error)
{
    if (!r->window || !(r->mask & event))
        return;
    const SOCKET s = r->s;
    const quint64 serial = r->serial;
    MessageWindow::PostMessage(r->window, r->message, static_cast<quintptr>(s),
                               WSAMAKESELECTREPLY(event, error), [s, serial] {
                                   const SocketRecord *now = record(s);
                                   return now && now->serial == serial && now->mask != 0;
                               });
}

void onReadable(SocketRecord *r);
void onWritable(SocketRecord *r);

// Watches the descriptor only for what may bring a notification that is owed now.
void arm(SocketRecord *r)
{
    const bool registered = r->window && r->mask != 0;
    bool wantRead = false;
    if (registered) {
        if (r->listening)
            wantRead = !r->acceptPosted;
        else if (r->datagram)
            wantRead = !r->readPosted;
        else
            wantRead = r->connected && !r->readPosted && !r->closePosted;
    }
    const bool wantWrite = registered && (r->connecting || r->sendBlocked);

    if (wantRead && !r->readNotifier) {
        r->readNotifier = std::make_unique<QSocketNotifier>(r->s, QSocketNotifier::Read);
        QObject::connect(r->readNotifier.get(), &QSocketNotifier::activated,
                         r->readNotifier.get(), [s = r->s] {
                             if (SocketRecord *now = record(s))
                                 onReadable(now);
                         });
    }
    if (r->readNotifier)
        r->readNotifier->setEnabled(wantRead);

    if (wantWrite && !r->writeNotifier) {
        r->writeNotifier = std::make_unique<QSocketNotifier>(r->s, QSocketNotifier::Write);
        QObject::connect(r->writeNotifier.get(), &QSocketNotifier::activated,
                         r->writeNotifier.get(), [s = r->s] {
                             if (SocketRecord *now = record(s))
                                 onWritable(now);
                         });
    }
    if (r->writeNotifier)
        r->writeNotifier->setEnabled(wantWrite);
}

void onReadable(SocketRecord *r)
{
    if (r->listening) {
        r->acceptPosted = true;
        post(r, FD_ACCEPT, 0);
    } else if (r->datagram) {
        r->readPosted = true;
        post(r, FD_READ, 0);
    } else {
        char probe;
        const ssize_t n = ::recv(r->s, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
        if (n > 0) {
            r->readPosted = true;
            post(r, FD_READ, 0);
        } else if (n == 0) {
            r->closePosted = true;
            post(r, FD_CLOSE, 0);
        } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            r->closePosted = true;
            post(r, FD_CLOSE, ErrorFromErrno(errno));
        }
    }
    arm(r);
}

void onWritable(SocketRecord *r)
{
    if (r->connecting) {
        r->connecting = false;
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(r->s, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
            error = errno;
        r->connected = error == 0;
        post(r, FD_CONNECT, error == 0 ? 0 : ErrorFromErrno(error));
    } else if (r->sendBlocked) {
        r->sendBlocked = false;
        post(r, FD_WRITE, 0);
    }
    arm(r);
}

bool systemOption(int level, int optname, int *sysLevel, int *sysName)
{
    if (level != WS_SOL_SOCKET)
        return false;
    *sysLevel = SOL_SOCKET;
    switch (optname) {
    case WS_SO_BROADCAST: *sysName = SO_BROADCAST; return true;
    case WS_SO_RCVBUF: *sysName = SO_RCVBUF; return true;
    case WS_SO_ERROR: *sysName = SO_ERROR; return true;
    case WS_SO_TYPE: *sysName = SO_TYPE; return true;
    default: return false;
    }
}

SOCKET adopt(int fd, bool datagram)
{
    // A record still held for this descriptor belongs to a socket closed behind the service's
    // back: the descriptor is someone else's now.
    delete service().sockets.take(fd);
    auto *r = new SocketRecord;
    r->s = fd;
    r->datagram = datagram;
    r->serial = ++service().nextSerial;
    service().sockets.insert(fd, r);
    return fd;
}

void finishLookup(HANDLE task, const QHostInfo &info)
{
    auto found = service().lookups.find(task);
    if (found == service().lookups.end() || found->finished)
        return;
    found->finished = true;
    int error = 0;
    HostEntry &entry = *found->buffer;
    entry = HostEntry {};
    if (info.error() == QHostInfo::HostNotFound) {
        error = WSAHOST_NOT_FOUND;
    } else if (info.error() != QHostInfo::NoError) {
        error = WSATRY_AGAIN;
    } else {
        for (const QHostAddress &a : info.addresses()) {
            bool ipv4 = false;
            const quint32 host = a.toIPv4Address(&ipv4);
            if (ipv4)
                entry.h_addr_list.append(htonl(host));
        }
        if (entry.h_addr_list.isEmpty())
            error = WSANO_DATA;
        else
            entry.h_name = info.hostName();
    }
    const bool posted = MessageWindow::PostMessage(
        found->window, found->message, static_cast<quintptr>(task),
        WSAMAKEASYNCREPLY(0, error), [task] { return service().lookups.remove(task) > 0; });
    if (!posted)
        service().lookups.remove(task);
}

} // namespace

int WSAStartup(quint16 wVersionRequested, WSADATA *lpWSAData)
{
    if ((wVersionRequested & 0xFF) < 1)
        return WSAVERNOTSUPPORTED;
    if (!lpWSAData)
        return WSAEFAULT;
    lpWSAData->wVersion = 0x0101;
    lpWSAData->wHighVersion = 0x0202;
    lpWSAData->iMaxSockets = 32767;
    lpWSAData->iMaxUdpDg = 65507;
    ++service().startups;
    return 0;
}

int WSACleanup()
{
    if (!started())
        return SOCKET_ERROR;
    --service().startups;
    return 0;
}

int WSAGetLastError()
{
    return service().lastError;
}

void WSASetLastError(int error)
{
    service().lastError = error;
}

SOCKET socket(int af, int type, int protocol)
{
    if (!started())
        return INVALID_SOCKET;
    if (af != WS_AF_INET)
        return fail(WSAEAFNOSUPPORT);
    int sysType;
    if (type == WS_SOCK_STREAM && (protocol == 0 || protocol == WS_IPPROTO_TCP))
        sysType = SOCK_STREAM;
    else if (type == WS_SOCK_DGRAM && (protocol == 0 || protocol == WS_IPPROTO_UDP))
        sysType = SOCK_DGRAM;
    else
        return fail(WSAEPROTONOSUPPORT);
    const int fd = ::socket(AF_INET, sysType | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return failFromErrno();
    return adopt(fd, sysType == SOCK_DGRAM);
}

int closesocket(SOCKET s)
{
    SocketRecord *r = usable(s);
    if (!r)
        return SOCKET_ERROR;
    service().sockets.remove(s);
    delete r;
    if (::close(s) != 0 && errno != EINTR)
        return failFromErrno();
    return 0;
}

int bind(SOCKET s, const SocketAddress &name)
{
    if (!usable(s))
        return SOCKET_ERROR;
    const sockaddr_in sin = toSystem(name);
    if (::bind(s, reinterpret_cast<const sockaddr *>(&sin), sizeof sin) != 0)
        return failFromErrno();
    return 0;
}

int listen(SOCKET s, int backlog)
{
    SocketRecord *r = usable(s);
    if (!r)
        return SOCKET_ERROR;
    if (::listen(s, backlog) != 0)
        return failFromErrno();
    r->listening = true;
    arm(r);
    return 0;
}

SOCKET accept(SOCKET s, SocketAddress *addr)
{
    SocketRecord *r = usable(s);
    if (!r)
        return INVALID_SOCKET;
    sockaddr_in sin {};
    socklen_t length = sizeof sin;
    const int fd = ::accept4(s, reinterpret_cast<sockaddr *>(&sin), &length,
                             SOCK_NONBLOCK | SOCK_CLOEXEC);
    const int savedErrno = errno;
    r->acceptPosted = false;
    arm(r);
    if (fd < 0)
        return fail(ErrorFromErrno(savedErrno));
    if (addr)
        *addr = fromSystem(sin);
    adopt(fd, false);
    record(fd)->connected = true;
    return fd;
}

int connect(SOCKET s, const SocketAddress &name)
{
    SocketRecord *r = usable(s);
    if (!r)
        return SOCKET_ERROR;
    const sockaddr_in sin = toSystem(name);
    if (::connect(s, reinterpret_cast<const sockaddr *>(&sin), sizeof sin) == 0) {
        r->connected = true;
        post(r, FD_CONNECT, 0);
        arm(r);
        return 0;
    }
    if (errno == EINPROGRESS) {
        r->connecting = true;
        arm(r);
        // A non-blocking connect reports would-block; its result comes later as a notification.
        return fail(WSAEWOULDBLOCK);
    }
    return failFromErrno();
}

int send(SOCKET s, const char *buf, int len, int flags)
{
    SocketRecord *r = usable(s);
    if (!r)
        return SOCKET_ERROR;
    const ssize_t n = ::send(s, buf, static_cast<size_t>(len), flags | MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n >= 0) {
        // The system took only part: the rest waits for room, which a write notification
        // announces, as after a send that would block.
        if (n < len) {
            r->sendBlocked = true;
            arm(r);
        }
        return static_cast<int>(n);
    }
    // Sending after this side's own shutdown is its own error, not the peer's reset.
    const int error = errno == EPIPE && r->sendShutDown ? WSAESHUTDOWN : ErrorFromErrno(errno);
    if (error == WSAEWOULDBLOCK) {
        r->sendBlocked = true;
        arm(r);
    }
    return fail(error);
}

int recv(SOCKET s, char *buf, int len, int flags)
{
    SocketRecord *r = usable(s);
    if (!r)
        return SOCKET_ERROR;
    const ssize_t n = ::recv(s, buf, static_cast<size_t>(len), flags | MSG_DONTWAIT);
    const int savedErrno = errno;
    r->readPosted = false;
    arm(r);
    if (n < 0)
        return fail(ErrorFromErrno(savedErrno));
    return static_cast<int>(n);
}

int sendto(SOCKET s, const char *buf, int len, int flags, const SocketAddress &to)
{
    SocketRecord *r = usable(s);
    if (!r)
        return SOCKET_ERROR;
    const sockaddr_in sin = toSystem(to);
    const ssize_t n = ::sendto(s, buf, static_cast<size_t>(len),
                               flags | MSG_NOSIGNAL | MSG_DONTWAIT,
                               reinterpret_cast<const sockaddr *>(&sin), sizeof sin);
    if (n >= 0)
        return static_cast<int>(n);
    const int error = ErrorFromErrno(errno);
    if (error == WSAEWOULDBLOCK) {
        r->sendBlocked = true;
        arm(r);
    }
    return fail(error);
}

int recvfrom(SOCKET s, char *buf, int len, int flags, SocketAddress *from)
{
    SocketRecord *r = usable(s);
    if (!r)
        return SOCKET_ERROR;
    sockaddr_in sin {};
    socklen_t length = sizeof sin;
    const ssize_t n = ::recvfrom(s, buf, static_cast<size_t>(len), flags | MSG_DONTWAIT,
                                 reinterpret_cast<sockaddr *>(&sin), &length);
    const int savedErrno = errno;
    r->readPosted = false;
    arm(r);
    if (n < 0)
        return fail(ErrorFromErrno(savedErrno));
    if (from)
        *from = fromSystem(sin);
    return static_cast<int>(n);
}

int getsockopt(SOCKET s, int level, int optname, int *optval)
{
    if (!usable(s))
        return SOCKET_ERROR;
    int sysLevel, sysName;
    if (!optval)
        return fail(WSAEFAULT);
    if (!systemOption(level, optname, &sysLevel, &sysName))
        return fail(WSAENOPROTOOPT);
    socklen_t length = sizeof *optval;
    if (::getsockopt(s, sysLevel, sysName, optval, &length) != 0)
        return failFromErrno();
    if (sysName == SO_ERROR && *optval != 0)
        *optval = ErrorFromErrno(*optval);
    else if (sysName == SO_TYPE)
        *optval = *optval == SOCK_DGRAM ? WS_SOCK_DGRAM : WS_SOCK_STREAM;
    return 0;
}

int setsockopt(SOCKET s, int level, int optname, int optval)
{
    if (!usable(s))
        return SOCKET_ERROR;
    int sysLevel, sysName;
    if (!systemOption(level, optname, &sysLevel, &sysName))
        return fail(WSAENOPROTOOPT);
    if (::setsockopt(s, sysLevel, sysName, &optval, sizeof optval) != 0)
        return failFromErrno();
    return 0;
}

int getsockname(SOCKET s, SocketAddress *name)
{
    if (!usable(s))
        return SOCKET_ERROR;
    sockaddr_in sin {};
    socklen_t length = sizeof sin;
    if (::getsockname(s, reinterpret_cast<sockaddr *>(&sin), &length) != 0)
        return failFromErrno();
    if (name)
        *name = fromSystem(sin);
    return 0;
}

int getpeername(SOCKET s, SocketAddress *name)
{
    if (!usable(s))
        return SOCKET_ERROR;
    sockaddr_in sin {};
    socklen_t length = sizeof sin;
    if (::getpeername(s, reinterpret_cast<sockaddr *>(&sin), &length) != 0)
        return failFromErrno();
    if (name)
        *name = fromSystem(sin);
    return 0;
}

int shutdown(SOCKET s, int how)
{
    SocketRecord *r = usable(s);
    if (!r)
        return SOCKET_ERROR;
    const int sysHow = how == SD_RECEIVE ? SHUT_RD : how == SD_SEND ? SHUT_WR : SHUT_RDWR;
    if (::shutdown(s, sysHow) != 0)
        return failFromErrno();
    r->sendShutDown = r->sendShutDown || how != SD_RECEIVE;
    return 0;
}

quint32 inet_addr(const QString &cp)
{
    const QByteArray text = cp.toLatin1();
    if (text.isEmpty())
        return WS_INADDR_NONE;
    return ::inet_addr(text.constData());
}

QString inet_ntoa(quint32 in)
{
    const quint32 host = ntohl(in);
    return QStringLiteral("%1.%2.%3.%4")
        .arg(host >> 24)
        .arg((host >> 16) & 0xFF)
        .arg((host >> 8) & 0xFF)
        .arg(host & 0xFF);
}

QString gethostbyaddr(quint32 addr)
{
    const quint32 host = ntohl(addr);
    // Loopback names come from the local hosts table; any other address of this machine has
    // the machine's own name. Other addresses are not asked of a name server, which could keep
    // the user-interface thread waiting for seconds.
    if ((host >> 24) != 127) {
        const QHostAddress address(host);
        if (QNetworkInterface::allAddresses().contains(address))
            return QHostInfo::localHostName();
        return QString();
    }
    sockaddr_in sin {};
    sin.sin_family = AF_INET;
    sin.sin_addr.s_addr = addr;
    char name[NI_MAXHOST];
    if (::getnameinfo(reinterpret_cast<const sockaddr *>(&sin), sizeof sin, name, sizeof name,
                      nullptr, 0, NI_NAMEREQD) != 0)
        return QString();
    return QString::fromLatin1(name);
}

int WSAAsyncSelect(SOCKET s, MessageWindow *hWnd, quint32 wMsg, long lEvent)
{
    SocketRecord *r = usable(s);
    if (!r)
        return SOCKET_ERROR;
    if (lEvent != 0 && (!hWnd || hWnd->IsDestroyed()))
        return fail(WSAEINVAL);
    r->window = lEvent != 0 ? hWnd : nullptr;
    r->message = wMsg;
    r->mask = lEvent;
    r->serial = ++service().nextSerial;
    // What was posted under the old registration is dropped, so it is owed again.
    r->readPosted = false;
    r->acceptPosted = false;
    r->closePosted = false;
    arm(r);
    return 0;
}

bool PostSelectMessage(SOCKET s, long event, int error)
{
    SocketRecord *r = record(s);
    if (!r || !r->window || r->mask == 0)
        return false;
    post(r, event, error);
    return true;
}

HANDLE WSAAsyncGetHostByName(MessageWindow *hWnd, quint32 wMsg, const QString &name,
                             HostEntry *buf)
{
    if (!started())
        return 0;
    if (!hWnd || hWnd->IsDestroyed() || !buf) {
        service().lastError = WSAEINVAL;
        return 0;
    }
    Service &sv = service();
    do
        sv.nextTask = sv.nextTask >= 0x7FFFFFFF ? 1 : sv.nextTask + 1;
    while (sv.lookups.contains(sv.nextTask));
    const HANDLE task = sv.nextTask;
    LookupTask &lookup = sv.lookups[task];
    lookup.window = hWnd;
    lookup.message = wMsg;
    lookup.buffer = buf;
    const int id = QHostInfo::lookupHost(name, QCoreApplication::instance(),
                                         [task](const QHostInfo &info) { finishLookup(task, info); });
    // The result may already have been handled for a name that needs no lookup.
    auto found = sv.lookups.find(task);
    if (found != sv.lookups.end())
        found->lookupId = id;
    return task;
}

int WSACancelAsyncRequest(HANDLE hAsyncTaskHandle)
{
    if (!started())
        return SOCKET_ERROR;
    auto found = service().lookups.find(hAsyncTaskHandle);
    if (found == service().lookups.end())
        return fail(WSAEINVAL);
    if (!found->finished && found->lookupId >= 0)
        QHostInfo::abortHostLookup(found->lookupId);
    service().lookups.erase(found);
    return 0;
}

QString ErrorText(int error)
{
    static const QHash<int, const char *> texts {
        { WSAEINTR, "Interrupted function call." },
        { WSAEACCES, "Permission denied." },
        { WSAEFAULT, "Bad address." },
        { WSAEINVAL, "Invalid argument." },
        { WSAEMFILE, "Too many open files." },
        { WSAEWOULDBLOCK, "Resource temporarily unavailable." },
        { WSAEINPROGRESS, "Operation now in progress." },
        { WSAEALREADY, "Operation already in progress." },
        { WSAENOTSOCK, "Socket operation on nonsocket." },
        { WSAEDESTADDRREQ, "Destination address required." },
        { WSAEMSGSIZE, "Message too long." },
        { WSAEPROTOTYPE, "Protocol wrong type for socket." },
        { WSAENOPROTOOPT, "Bad protocol option." },
        { WSAEPROTONOSUPPORT, "Protocol not supported." },
        { WSAESOCKTNOSUPPORT, "Socket type not supported." },
        { WSAEOPNOTSUPP, "Operation not supported." },
        { WSAEPFNOSUPPORT, "Protocol family not supported." },
        { WSAEAFNOSUPPORT, "Address family not supported by protocol family." },
        { WSAEADDRINUSE, "Address already in use." },
        { WSAEADDRNOTAVAIL, "Cannot assign requested address." },
        { WSAENETDOWN, "Network is down." },
        { WSAENETUNREACH, "Network is unreachable." },
        { WSAENETRESET, "Network dropped connection on reset." },
        { WSAECONNABORTED, "Software caused connection abort." },
        { WSAECONNRESET, "Connection reset by peer." },
        { WSAENOBUFS, "No buffer space available." },
        { WSAEISCONN, "Socket is already connected." },
        { WSAENOTCONN, "Socket is not connected." },
        { WSAESHUTDOWN, "Cannot send after socket shutdown." },
        { WSAETIMEDOUT, "Connection timed out." },
        { WSAECONNREFUSED, "Connection refused." },
        { WSAEHOSTDOWN, "Host is down." },
        { WSAEHOSTUNREACH, "No route to host." },
        { WSAEPROCLIM, "Too many processes." },
        { WSASYSNOTREADY, "Network subsystem is unavailable." },
        { WSAVERNOTSUPPORTED, "Winsock.dll version out of range." },
        { WSANOTINITIALISED, "Successful WSAStartup not yet performed." },
        { WSAEDISCON, "Graceful shutdown in progress." },
        { WSASYSCALLFAILURE, "System call failure." },
        { WSATYPE_NOT_FOUND, "Class type not found." },
        { WSAHOST_NOT_FOUND, "Host not found." },
        { WSATRY_AGAIN, "Nonauthoritative host not found." },
        { WSANO_RECOVERY, "This is a nonrecoverable error." },
        { WSANO_DATA, "Valid name, no data record of requested type." },
    };
    const char *text = texts.value(error, nullptr);
    return text ? QString::fromLatin1(text) : QStringLiteral("Unknown error.");
}

int ErrorFromErrno(int err)
{
    switch (err) {
    case EINTR: return WSAEINTR;
    case EACCES: case EPERM: return WSAEACCES;
    case EFAULT: return WSAEFAULT;
    case EINVAL: return WSAEINVAL;
    case EMFILE: case ENFILE: return WSAEMFILE;
    case EAGAIN: return WSAEWOULDBLOCK;
    case EINPROGRESS: return WSAEINPROGRESS;
    case EALREADY: return WSAEALREADY;
    case ENOTSOCK: case EBADF: return WSAENOTSOCK;
    case EDESTADDRREQ: return WSAEDESTADDRREQ;
    case EMSGSIZE: return WSAEMSGSIZE;
    case EPROTOTYPE: return WSAEPROTOTYPE;
    case ENOPROTOOPT: return WSAENOPROTOOPT;
    case EPROTONOSUPPORT: return WSAEPROTONOSUPPORT;
    case ESOCKTNOSUPPORT: return WSAESOCKTNOSUPPORT;
    case EOPNOTSUPP: return WSAEOPNOTSUPP;
    case EPFNOSUPPORT: return WSAEPFNOSUPPORT;
    case EAFNOSUPPORT: return WSAEAFNOSUPPORT;
    case EADDRINUSE: return WSAEADDRINUSE;
    case EADDRNOTAVAIL: return WSAEADDRNOTAVAIL;
    case ENETDOWN: return WSAENETDOWN;
    case ENETUNREACH: return WSAENETUNREACH;
    case ENETRESET: return WSAENETRESET;
    case ECONNABORTED: return WSAECONNABORTED;
    case ECONNRESET: case EPIPE: return WSAECONNRESET;
    case ENOBUFS: case ENOMEM: return WSAENOBUFS;
    case EISCONN: return WSAEISCONN;
    case ENOTCONN: return WSAENOTCONN;
    case ESHUTDOWN: return WSAESHUTDOWN;
    case ETOOMANYREFS: return WSAETOOMANYREFS;
    case ETIMEDOUT: return WSAETIMEDOUT;
    case ECONNREFUSED: return WSAECONNREFUSED;
    case ELOOP: return WSAELOOP;
    case ENAMETOOLONG: return WSAENAMETOOLONG;
    case EHOSTDOWN: return WSAEHOSTDOWN;
    case EHOSTUNREACH: return WSAEHOSTUNREACH;
    default: return WSASYSCALLFAILURE;
    }
}

} // namespace Winsock
