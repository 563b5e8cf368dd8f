#include "ftp/FtpSocketTools.h"

#include "ftp/CSocket.h"
#include "platform/Winsock.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace
{
QString Dotted(const sockaddr_in &address)
{
    char text[INET_ADDRSTRLEN] = {};
    if (!inet_ntop(AF_INET, &address.sin_addr, text, sizeof text))
        return QString();
    return QString::fromLatin1(text);
}
}

namespace FtpSocketTools
{
QString PeerAddress(qint32 handle)
{
    sockaddr_in address {};
    socklen_t length = sizeof address;
    if (handle < 0 || getpeername(handle, reinterpret_cast<sockaddr *>(&address), &length) != 0
        || address.sin_family != AF_INET)
        return QString();
    return Dotted(address);
}

QString LocalAddress(qint32 handle)
{
    sockaddr_in address {};
    socklen_t length = sizeof address;
    if (handle < 0 || getsockname(handle, reinterpret_cast<sockaddr *>(&address), &length) != 0
        || address.sin_family != AF_INET)
        return QString();
    return Dotted(address);
}

void CloseNow(CSocket &socket)
{
    if (socket.SocketHandle() >= 0)
        ::shutdown(socket.SocketHandle(), SHUT_RDWR);
    if (socket.State() != CSocket::sckClosed)
        socket.CloseSocket();
    // A connected socket only starts its close above; the second call destroys it.
    if (socket.State() != CSocket::sckClosed)
        socket.CloseSocket();
}

void WidenReceiveBuffer(qint32 handle)
{
    constexpr int kBytes = 4 * 1024 * 1024;
    if (handle >= 0)
        ::setsockopt(handle, SOL_SOCKET, SO_RCVBUF, &kBytes, sizeof kBytes);
}

void Refuse(qint32 handle)
{
    // The sockets service made the handle when it accepted the connection: it lets it go too.
    Winsock::closesocket(handle);
}
}
