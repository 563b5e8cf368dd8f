#include "ftp/CSocket.h"

#include "ftp/MSocketSupport.h"
#include "platform/NumberedError.h"
#include "platform/Winsock.h"

#include <QDateTime>
#include <QPointer>
#include <cstring>
#include <utility>

namespace {

const QString kSendSource = QStringLiteral("CSocket.SendData");

NumberedError socketError(int code, const QString &source)
{
    return NumberedError(code, MSocketSupport::GetErrorDescription(code), source);
}

NumberedError lastSocketError(const QString &source)
{
    return socketError(Winsock::WSAGetLastError(), source);
}

NumberedError resourced(const NumberedError &e, const QString &source)
{
    return NumberedError(e.Number(), e.Description(), source);
}

// Dates travel as a double: days since 30 December 1899, the fraction the time of day.
const QDateTime &dateBase()
{
    static const QDateTime base(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return base;
}

template <typename T>
QByteArray imageOf(T value)
{
    QByteArray bytes(sizeof(T), '\0');
    std::memcpy(bytes.data(), &value, sizeof(T)); // the machine image, least significant first
    return bytes;
}

template <typename T>
T valueOf(const QByteArray &taken)
{
    QByteArray bytes = taken.left(sizeof(T));
    bytes.append(QByteArray(static_cast<qsizetype>(sizeof(T)) - bytes.size(), '\0'));
    T value;
    std::memcpy(&value, bytes.constData(), sizeof(T));
    return value;
}

QByteArray bytesOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QByteArray: return value.toByteArray();
    case QMetaType::QString: return value.toString().toLatin1();
    case QMetaType::QChar: return QString(value.toChar()).toLatin1();
    case QMetaType::Bool: return imageOf<qint16>(value.toBool() ? -1 : 0);
    case QMetaType::UChar:
    case QMetaType::Char:
    case QMetaType::SChar: return imageOf<quint8>(static_cast<quint8>(value.toUInt()));
    case QMetaType::Short:
    case QMetaType::UShort: return imageOf<qint16>(static_cast<qint16>(value.toInt()));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong: return imageOf<qint32>(static_cast<qint32>(value.toLongLong()));
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return imageOf<qint64>(value.toLongLong());
    case QMetaType::Float: return imageOf<float>(value.toFloat());
    case QMetaType::Double: return imageOf<double>(value.toDouble());
    case QMetaType::QDateTime:
    case QMetaType::QDate: {
        // The wall-clock reading counts, as the date type knows no zone.
        const QDateTime local = value.toDateTime();
        const QDateTime when(local.date(), local.time(), Qt::UTC);
        return imageOf<double>(static_cast<double>(dateBase().msecsTo(when)) / 86400000.0);
    }
    default: return QByteArray();
    }
}

} // namespace

CSocket::CSocket(QObject *parent) : QObject(parent)
{
    m_maxDatagram = MSocketSupport::InitWinsockService();
}

CSocket::~CSocket()
{
    try {
        DestroySocket();
    } catch (const NumberedError &) {
        // The handle is gone either way; nothing is owed to anyone now.
    }
    MSocketSupport::CancelResolve(this);
    MSocketSupport::CleanupWinsockService();
}

qint32 CSocket::vbSocket()
{
    const bool udp = m_protocol == sckUDPProtocol;
    const Winsock::SOCKET s =
        Winsock::socket(Winsock::WS_AF_INET, udp ? Winsock::WS_SOCK_DGRAM : Winsock::WS_SOCK_STREAM,
                        udp ? Winsock::WS_IPPROTO_UDP : Winsock::WS_IPPROTO_TCP);
    if (s == Winsock::INVALID_SOCKET)
        return -1;
    if (!MSocketSupport::RegisterSocket(s, this)) {
        Winsock::closesocket(s);
        return -1;
    }
    return s;
}

bool CSocket::EnsureSocket()
{
    if (m_socketHandle != -1)
        return true;
    m_socketHandle = vbSocket();
    if (m_socketHandle == -1)
        return false;
    GetBufferSizes();
    return true;
}

void CSocket::GetBufferSizes()
{
    if (m_protocol == sckUDPProtocol) {
        m_recvBufferSize = m_maxDatagram;
        return;
    }
    int size = 0;
    if (Winsock::getsockopt(m_socketHandle, Winsock::WS_SOL_SOCKET, Winsock::WS_SO_RCVBUF, &size)
            != 0
        || size <= 0)
        size = 8192;
    m_recvBufferSize = size;
}

void CSocket::setRemoteHost(const QString &value)
{
    m_remoteHost = value;
    if (Winsock::inet_addr(value) == Winsock::WS_INADDR_NONE)
        return;
    m_remoteHostIP = value;
    if (m_protocol != sckUDPProtocol || !EnsureSocket())
        return;
    const bool broadcast = value.endsWith(QLatin1String(".255"));
    if (broadcast == m_broadcast)
        return;
    if (Winsock::setsockopt(m_socketHandle, Winsock::WS_SOL_SOCKET, Winsock::WS_SO_BROADCAST,
                            broadcast ? 1 : 0)
        != 0)
        throw lastSocketError(QStringLiteral("CSocket.RemoteHost"));
    m_broadcast = broadcast;
}

void CSocket::setProtocol(qint32 value)
{
    if (m_socketHandle == -1)
        m_protocol = value;
}

void CSocket::Connect(const QString &strRemoteHost, std::optional<qint32> lngRemotePort)
{
    if (!EnsureSocket())
        return;
    if (!strRemoteHost.isEmpty())
        m_remoteHost = strRemoteHost;
    if (lngRemotePort)
        m_remotePort = *lngRemotePort;
    const QString source = QStringLiteral("CSocket.Connect");
    if (m_remoteHost.isEmpty())
        throw socketError(Winsock::WSAEADDRNOTAVAIL, source);

    m_lookupPurpose = 0;
    const quint32 address = Winsock::inet_addr(m_remoteHost);
    if (address != Winsock::WS_INADDR_NONE) {
        m_remoteHostIP = Winsock::inet_ntoa(address);
        ConnectTo(address, source);
        return;
    }
    m_state = sckResolvingHost;
    m_lookupTask = MSocketSupport::ResolveHost(m_remoteHost, this);
    if (m_lookupTask == 0) {
        const NumberedError failure = MSocketSupport::LastError();
        DestroySocket();
        throw failure;
    }
}

void CSocket::ConnectTo(quint32 address, const QString &source)
{
    const quint16 port =
        static_cast<quint16>(MSocketSupport::IntegerToUnsigned(MSocketSupport::UnsignedToInteger(m_remotePort)));
    if (Winsock::connect(m_socketHandle, Winsock::SocketAddress { address, port }) == 0)
        return; // the connect notification follows
    if (Winsock::WSAGetLastError() == Winsock::WSAEWOULDBLOCK) {
        m_state = sckConnecting;
        return;
    }
    throw lastSocketError(source);
}

void CSocket::CloseSocket()
{
    if (m_socketHandle == -1)
        return;
    try {
        if (m_state == sckConnected) {
            m_state = sckClosing;
            Winsock::shutdown(m_socketHandle, Winsock::SD_SEND);
        } else {
            DestroySocket();
            m_state = sckClosed;
        }
    } catch (const NumberedError &) {
        m_state = sckClosed;
    }
}

void CSocket::DestroySocket()
{
    m_recvBuffer.clear();
    m_bytesReceived = 0;
    // Bytes for a connection that is gone can go nowhere; the next connection starts clean.
    m_sendBuffer.clear();
    m_sendCompletionPending = false;
    if (m_socketHandle == -1)
        return;
    MSocketSupport::CancelResolve(this);
    m_lookupTask = 0;
    const qint32 handle = m_socketHandle;
    MSocketSupport::UnregisterSocket(handle);
    m_socketHandle = -1;
    m_bound = false;
    m_broadcast = false;
    if (Winsock::closesocket(handle) != 0)
        throw lastSocketError(QStringLiteral("CSocket.DestroySocket"));
}

void CSocket::Bind(qint32 lngLocalPort, const QString &strLocalIP)
{
    if (!EnsureSocket())
        return;
    const QString source = QStringLiteral("CSocket.Bind");
    try {
        if (!strLocalIP.isEmpty())
            m_localIP = strLocalIP;
        if (lngLocalPort > 0)
            m_localPort = lngLocalPort;
        quint32 address = Winsock::WS_INADDR_ANY;
        if (!m_localIP.isEmpty()) {
            address = Winsock::inet_addr(m_localIP);
            if (address == Winsock::WS_INADDR_NONE)
                throw socketError(Winsock::WSAEADDRNOTAVAIL, source);
        }
        const quint16 port = static_cast<quint16>(
            MSocketSupport::IntegerToUnsigned(MSocketSupport::UnsignedToInteger(m_localPort)));
        if (Winsock::bind(m_socketHandle, Winsock::SocketAddress { address, port }) != 0)
            throw lastSocketError(source);
        m_bound = true;
        // A port left to the system is worth knowing: an active data connection announces it.
        Winsock::SocketAddress bound;
        if (Winsock::getsockname(m_socketHandle, &bound) == 0)
            m_localPort = bound.port;
    } catch (const NumberedError &e) {
        throw resourced(e, source);
    }
}

void CSocket::Listen()
{
    if (!EnsureSocket())
        return;
    const QString source = QStringLiteral("CSocket.Listen");
    try {
        if (!m_bound)
            Bind(0, QString());
        if (Winsock::listen(m_socketHandle, 5) != 0)
            throw lastSocketError(source);
        m_state = sckListening;
    } catch (const NumberedError &e) {
        m_state = sckError;
        throw resourced(e, source);
    }
}

void CSocket::Accept(qint32 requestID)
{
    const QString source = QStringLiteral("CSocket.Accept");
    try {
        // A handle of its own still held would be lost: let it go first.
        if (m_socketHandle != -1 && m_socketHandle != requestID)
            DestroySocket();
        Winsock::SocketAddress local, peer;
        if (Winsock::getsockname(requestID, &local) != 0 || Winsock::getpeername(requestID, &peer) != 0)
            throw lastSocketError(source);
        m_localPort = local.port;
        m_localIP = Winsock::inet_ntoa(local.address);
        m_localHostName = m_localIP;
        m_remotePort = peer.port;
        m_remoteHostIP = Winsock::inet_ntoa(peer.address);
        m_remoteHost = m_remoteHostIP;
        int type = Winsock::WS_SOCK_STREAM;
        if (Winsock::getsockopt(requestID, Winsock::WS_SOL_SOCKET, Winsock::WS_SO_TYPE, &type) != 0)
            throw lastSocketError(source);
        m_protocol = type == Winsock::WS_SOCK_STREAM ? sckTCPProtocol : sckUDPProtocol;
        m_socketHandle = requestID;
        GetBufferSizes();
        if (!MSocketSupport::RegisterSocket(requestID, this))
            throw MSocketSupport::LastError();
        m_state = sckConnected;
    } catch (const NumberedError &e) {
        throw resourced(e, source);
    }
}

void CSocket::SendData(const QVariant &varData)
{
    if (m_protocol == sckUDPProtocol) {
        if (!EnsureSocket())
            return;
    } else if (m_socketHandle == -1) {
        throw NumberedError(40006,
                            QStringLiteral("Wrong protocol or connection state for the requested "
                                           "transaction or request."),
                            kSendSource);
    }
    const QByteArray bytes = bytesOf(varData);
    if (bytes.isEmpty())
        return; // nothing to send: no progress and no completion either
    m_sendBuffer.append(bytes);
    m_sendCompletionPending = true;
    try {
        SendBufferedData();
    } catch (const NumberedError &e) {
        if (Winsock::WSAGetLastError() == Winsock::WSAENOTSOCK)
            throw NumberedError(40006,
                                QStringLiteral("Wrong protocol or connection state for the "
                                               "requested transaction or request."),
                                kSendSource);
        throw resourced(e, kSendSource);
    }
}

void CSocket::SendBufferedData()
{
    int sent = 0;
    if (m_protocol != sckUDPProtocol) {
        sent = Winsock::send(m_socketHandle, m_sendBuffer.constData(),
                             static_cast<int>(m_sendBuffer.size()), 0);
    } else if (m_remoteHostIP.isEmpty()) {
        m_lookupPurpose = 1;
        m_lookupTask = MSocketSupport::ResolveHost(m_remoteHost, this);
    } else {
        const quint16 port = static_cast<quint16>(
            MSocketSupport::IntegerToUnsigned(MSocketSupport::UnsignedToInteger(m_remotePort)));
        sent = Winsock::sendto(m_socketHandle, m_sendBuffer.constData(),
                               static_cast<int>(m_sendBuffer.size()), 0,
                               Winsock::SocketAddress { Winsock::inet_addr(m_remoteHostIP), port });
    }
    if (sent == Winsock::SOCKET_ERROR) {
        if (Winsock::WSAGetLastError() == Winsock::WSAEWOULDBLOCK)
            return; // the write notification sends it
        throw lastSocketError(kSendSource);
    }
    if (sent >= m_sendBuffer.size()) {
        m_sendBuffer.clear();
        Winsock::PostSelectMessage(m_socketHandle, Winsock::FD_WRITE, 0);
    } else {
        m_sendBuffer.remove(0, sent);
    }
    emit OnSendProgress(sent, static_cast<qint32>(m_sendBuffer.size()));
}

// Every read lands in the receive buffer itself, behind what it still holds, so that the bytes
// are copied once, by the system. A TCP read takes at most a block of fixed size, however wide or
// narrow the receive buffer was found (an accepted connection inherits its listener's, a data
// connection is widened after it was made), and a UDP read a whole datagram. A read that brought
// much less than it had room for gives the room back: a few bytes never hold a block.
qint32 CSocket::RecvToBuffer()
{
    const bool udp = m_protocol == sckUDPProtocol;
    const qint32 size = udp ? qMax(m_recvBufferSize, 1) : ReadBlockBytes;
    const qsizetype held = m_recvBuffer.size();
    m_recvBuffer.resize(held + size);
    char *const chunk = m_recvBuffer.data() + held;
    int n;
    if (!udp) {
        n = Winsock::recv(m_socketHandle, chunk, size, 0);
    } else {
        Winsock::SocketAddress from;
        n = Winsock::recvfrom(m_socketHandle, chunk, size, 0, &from);
        if (n > 0) {
            m_remotePort = from.port;
            m_remoteHostIP = Winsock::inet_ntoa(from.address);
            const QString name = Winsock::gethostbyaddr(from.address);
            if (!name.isEmpty())
                m_remoteHost = name;
        }
    }
    m_recvBuffer.resize(held + qMax(n, 0));
    if (m_recvBuffer.capacity() > 2 * m_recvBuffer.size())
        m_recvBuffer.squeeze();
    if (n == Winsock::SOCKET_ERROR) {
        // A notification that finds nothing to read (already read) brings nothing.
        if (Winsock::WSAGetLastError() == Winsock::WSAEWOULDBLOCK)
            return 0;
        throw lastSocketError(QStringLiteral("CSocket.RecvToBuffer"));
    }
    return n;
}

void CSocket::GetData(QVariant &varData, DataType varType, qint32 maxLen)
{
    ConvertBufferToType(varData, varType, maxLen, true);
}

void CSocket::PeekData(QVariant &varData, DataType varType, qint32 maxLen)
{
    ConvertBufferToType(varData, varType, maxLen, false);
}

void CSocket::ConvertBufferToType(QVariant &varData, DataType varType, qint32 maxLen, bool take)
{
    if (m_recvBuffer.isEmpty())
        return;
    const qsizetype length = maxLen > 0 && maxLen <= m_recvBuffer.size() ? maxLen : m_recvBuffer.size();
    QByteArray taken;
    if (take && length == m_recvBuffer.size()) {
        // All of it: handed over as it is, without a copy.
        taken = std::exchange(m_recvBuffer, QByteArray());
    } else {
        taken = m_recvBuffer.left(length);
        if (take)
            m_recvBuffer.remove(0, length);
    }
    switch (varType) {
    case DataType::Default:
    case DataType::String: varData = QString::fromLatin1(taken); break;
    case DataType::ByteArray: varData = taken; break;
    case DataType::Boolean: varData = valueOf<qint16>(taken) != 0; break;
    case DataType::Byte: varData = QVariant::fromValue(valueOf<uchar>(taken)); break;
    case DataType::Currency: varData = QVariant::fromValue(valueOf<qint64>(taken)); break;
    case DataType::Date:
        varData = dateBase().addMSecs(static_cast<qint64>(valueOf<double>(taken) * 86400000.0));
        break;
    case DataType::Double: varData = valueOf<double>(taken); break;
    case DataType::Integer: varData = QVariant::fromValue(valueOf<qint16>(taken)); break;
    case DataType::Long: varData = QVariant::fromValue(valueOf<qint32>(taken)); break;
    case DataType::Single: varData = valueOf<float>(taken); break;
    }
    m_bytesReceived = static_cast<qint32>(m_recvBuffer.size());
}

void CSocket::RaiseErrorEvent(int number, const QString &description, const QString &source)
{
    bool cancelDisplay = false;
    emit OnError(number, description, 0, source, QString(), 0, cancelDisplay);
}

void CSocket::PostSocketEvent(qint32 lngEvent, qint32 lngErrorCode)
{
    try {
        DispatchSocketEvent(lngEvent, lngErrorCode);
    } catch (const NumberedError &e) {
        throw resourced(e, QStringLiteral("CSocket.PostSocketEvent"));
    }
}

void CSocket::DispatchSocketEvent(qint32 lngEvent, qint32 lngErrorCode)
{
    if (lngErrorCode >= 1) {
        m_state = sckError;
        DestroySocket();
        RaiseErrorEvent(lngErrorCode, MSocketSupport::GetErrorDescription(lngErrorCode), QString());
        return;
    }
    switch (lngEvent) {
    case Winsock::FD_READ: {
        const qint32 n = RecvToBuffer();
        m_bytesReceived += n;
        if (n > 0)
            emit OnDataArrival(static_cast<qint32>(m_recvBuffer.size()));
        break;
    }
    case Winsock::FD_WRITE:
        if (!m_sendBuffer.isEmpty()) {
            SendBufferedData();
        } else if (m_sendCompletionPending) {
            m_sendCompletionPending = false;
            emit OnSendComplete();
        }
        break;
    case Winsock::FD_ACCEPT: {
        Winsock::SocketAddress peer;
        const Winsock::SOCKET accepted = Winsock::accept(m_socketHandle, &peer);
        if (accepted == Winsock::INVALID_SOCKET) {
            if (Winsock::WSAGetLastError() == Winsock::WSAEWOULDBLOCK)
                break; // the peer gave up before it was taken
            throw lastSocketError(QStringLiteral("CSocket.PostSocketEvent"));
        }
        emit OnConnectionRequest(accepted);
        break;
    }
    case Winsock::FD_CONNECT: {
        Winsock::SocketAddress local;
        if (Winsock::getsockname(m_socketHandle, &local) == 0) {
            m_localPort = local.port;
            m_localIP = Winsock::inet_ntoa(local.address);
            const QString name = Winsock::gethostbyaddr(local.address);
            m_localHostName = name.isEmpty() ? m_localIP : name;
        }
        m_state = sckConnected;
        emit OnConnect();
        break;
    }
    case Winsock::FD_CLOSE: {
        const QPointer<CSocket> self(this);
        const qint32 handle = m_socketHandle;
        for (;;) {
            const qint32 n = RecvToBuffer();
            if (n <= 0)
                break;
            m_bytesReceived += n;
            emit OnDataArrival(static_cast<qint32>(m_recvBuffer.size()));
            // A handler that ended or replaced this connection has taken over.
            if (!self || m_socketHandle != handle)
                return;
        }
        if (m_state != sckClosing) {
            m_state = sckClosing;
            if (!m_sendBuffer.isEmpty()) {
                try {
                    SendBufferedData();
                } catch (const NumberedError &) {
                    // The peer is gone; the close still completes.
                }
                if (!self || m_socketHandle != handle)
                    return;
            }
        }
        DestroySocket();
        m_state = sckClosed;
        emit OnClose();
        break;
    }
    default:
        break;
    }
}

void CSocket::PostGetHostEvent(qint32 lngTaskHandle, quint32 lngAddress,
                               const QString &strHostName, qint32 lngErrorCode)
{
    try {
        DispatchGetHostEvent(lngTaskHandle, lngAddress, strHostName, lngErrorCode);
    } catch (const NumberedError &e) {
        throw resourced(e, QStringLiteral("CSocket.PostGetHostEvent"));
    }
}

void CSocket::DispatchGetHostEvent(qint32 lngTaskHandle, quint32 lngAddress,
                                   const QString &strHostName, qint32 lngErrorCode)
{
    if (lngErrorCode > 0) {
        m_lookupTask = 0;
        m_state = sckError;
        RaiseErrorEvent(lngErrorCode, MSocketSupport::GetErrorDescription(lngErrorCode), QString());
        return;
    }
    if (lngTaskHandle == 0 || lngTaskHandle != m_lookupTask)
        return;
    m_lookupTask = 0;
    m_state = sckHostResolved;
    m_remoteHost = strHostName;
    m_remoteHostIP = Winsock::inet_ntoa(lngAddress);
    if (m_lookupPurpose == 0) {
        try {
            ConnectTo(lngAddress, QStringLiteral("CSocket.PostGetHostEvent"));
        } catch (const NumberedError &e) {
            RaiseErrorEvent(e.Number(), e.Description(), e.Source());
        }
    } else {
        SendBufferedData();
    }
}
