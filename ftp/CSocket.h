#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVariant>
#include <optional>

// One TCP or UDP socket with a method, property and event interface. All work is asynchronous:
// results arrive as signals raised from PostSocketEvent and PostGetHostEvent, which the hidden
// socket window of MSocketSupport calls when the sockets service reports socket events and
// host-name lookup results. Everything runs on the user-interface thread.
//
// Call-time failures are thrown as NumberedError (source "CSocket.<member>"); failures that
// arrive later are reported by OnError. Signals are emitted directly: a handler may call back
// into the same object, and may even delete it (deleteLater is kinder).
class CSocket : public QObject
{
    Q_OBJECT

public:
    // Values of State.
    enum SocketState : qint32 {
        sckClosed = 0,
        sckListening = 2,
        sckResolvingHost = 4,
        sckHostResolved = 5,
        sckConnecting = 6,
        sckConnected = 7,
        sckClosing = 8,
        sckError = 9,
    };

    // What one read of a TCP socket takes at most, whatever the socket's receive buffer.
    static constexpr qint32 ReadBlockBytes = 256 * 1024;

    // Values of Protocol.
    enum SocketProtocol : qint32 { sckTCPProtocol = 0, sckUDPProtocol = 1 };

    // What GetData and PeekData turn the taken bytes into. Default gives text, one character
    // per byte (Latin-1); ByteArray gives a QByteArray; the numeric types read their width from
    // the first bytes taken, least significant first (missing bytes count as zero).
    enum class DataType {
        Default,
        ByteArray, // QByteArray
        Boolean,   // bool, 2 bytes
        Byte,      // uchar, 1 byte
        Currency,  // qint64, 8 bytes (the scaled integer image)
        Date,      // QDateTime, 8 bytes (a double: days since 30 December 1899)
        Double,    // double, 8 bytes
        Integer,   // qint16, 2 bytes
        Long,      // qint32, 4 bytes
        Single,    // float, 4 bytes
        String,    // QString, one character per byte
    };

    // Throws NumberedError when the sockets service cannot start.
    explicit CSocket(QObject *parent = nullptr);
    ~CSocket() override;

    // Sends a value turned into bytes by its type: QByteArray unchanged; QString as one
    // Latin-1 byte per character; bool 2 bytes; uchar 1; short/ushort 2; int/uint 4; float 4;
    // double 8; qint64/quint64 8; QDateTime 8 (a double as above). Bytes the network does not
    // take at once stay buffered and go out, in order, on the next write notification.
    // OnSendProgress follows at once, OnSendComplete later from the event loop.
    void SendData(const QVariant &varData);
    void PeekData(QVariant &varData, DataType varType = DataType::Default, qint32 maxLen = 0);
    void Listen();
    void GetData(QVariant &varData, DataType varType = DataType::Default, qint32 maxLen = 0);
    void Connect(const QString &strRemoteHost = QString(),
                 std::optional<qint32> lngRemotePort = std::nullopt);
    void CloseSocket();
    void Bind(qint32 lngLocalPort = 0, const QString &strLocalIP = QString());
    void Accept(qint32 requestID);

    qint32 State() const { return m_state; }
    qint32 SocketHandle() const { return m_socketHandle; }
    qint32 RemotePort() const { return m_remotePort; }
    void setRemotePort(qint32 value) { m_remotePort = value; }
    QString RemoteHostIP() const { return m_remoteHostIP; }
    QString RemoteHost() const { return m_remoteHost; }
    void setRemoteHost(const QString &value);
    qint32 Protocol() const { return m_protocol; }
    void setProtocol(qint32 value);
    qint32 LocalPort() const { return m_localPort; }
    void setLocalPort(qint32 value) { m_localPort = value; }
    QString LocalIP() const { return m_localIP; }
    QString LocalHostName() const { return m_localHostName; }
    qint32 BytesReceived() const { return m_bytesReceived; }

    // Makes a new socket of the current Protocol registered for this object's notifications;
    // -1 when it cannot be made or registered (nothing is left behind then).
    qint32 vbSocket();

    // Called by the socket window of MSocketSupport only.
    void PostSocketEvent(qint32 lngEvent, qint32 lngErrorCode);
    void PostGetHostEvent(qint32 lngTaskHandle, quint32 lngAddress, const QString &strHostName,
                          qint32 lngErrorCode);

signals:
    void OnClose();
    void OnConnect();
    void OnConnectionRequest(qint32 requestID);
    void OnDataArrival(qint32 bytesTotal);
    void OnError(int Number, const QString &Description, qint32 Scode, const QString &Source,
                 const QString &HelpFile, qint32 HelpContext, bool &CancelDisplay);
    void OnSendComplete();
    void OnSendProgress(qint32 bytesSent, qint32 bytesRemaining);

private:
    bool EnsureSocket();
    void GetBufferSizes();
    qint32 RecvToBuffer();
    void ConvertBufferToType(QVariant &varData, DataType varType, qint32 maxLen, bool take);
    void DestroySocket();
    void SendBufferedData();
    void ConnectTo(quint32 address, const QString &source);
    void RaiseErrorEvent(int number, const QString &description, const QString &source);
    void DispatchSocketEvent(qint32 lngEvent, qint32 lngErrorCode);
    void DispatchGetHostEvent(qint32 lngTaskHandle, quint32 lngAddress,
                              const QString &strHostName, qint32 lngErrorCode);

    qint32 m_lookupPurpose = 0;
    qint32 m_protocol = sckTCPProtocol;
    qint32 m_state = sckClosed;
    qint32 m_bytesReceived = 0;
    QString m_localHostName;
    QString m_localIP;
    qint32 m_localPort = 0;
    QString m_remoteHost;
    QString m_remoteHostIP;
    qint32 m_remotePort = 0;
    qint32 m_socketHandle = -1;
    qint32 m_lookupTask = 0;
    QByteArray m_sendBuffer;
    QByteArray m_recvBuffer;
    qint32 m_recvBufferSize = 0;
    qint32 m_maxDatagram = 0;
    bool m_bound = false;
    bool m_sendCompletionPending = false;
    bool m_broadcast = false;
};
