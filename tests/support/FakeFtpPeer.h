#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

// An in-process FTP peer on 127.0.0.1 that does, on demand, what real servers will not: replies
// split across reads, LF-only line ends, error replies, silence, a chosen order of the final
// reply and the data close, hostile PASV replies, dropped connections. The test drives it.
class FakeFtpPeer : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(const QString &argument)>;

    // Answers USER, PASS, PWD, CWD, TYPE and NOOP as a normal server; PASV opens a data listener and
    // names it. Any command without a handler gets 502.
    explicit FakeFtpPeer(QObject *parent = nullptr);
    ~FakeFtpPeer() override;

    quint16 Port() const { return m_control.serverPort(); }
    // Sent when the client connects; empty sends nothing (a silent server).
    void SetGreeting(const QByteArray &raw) { m_greeting = raw; }
    void On(const QString &command, Handler handler) { m_handlers[command] = std::move(handler); }
    // Received command lines without their line ends, in order.
    const QStringList &Commands() const { return m_commands; }
    // The same lines as the bytes received.
    const QByteArrayList &CommandBytes() const { return m_commandBytes; }
    int CountOf(const QString &command) const;

    void Reply(const QByteArray &raw);
    bool HasClient() const { return m_client && m_client->state() == QAbstractSocket::ConnectedState; }
    // Resets the control connection at once.
    void DropControl();

    // Opens the passive data listener and returns the 227 reply naming `hostFields` ("127,0,0,1")
    // and the listener's port.
    QByteArray PassiveReply(const QByteArray &hostFields = "127,0,0,1");
    // Connects the data connection to a PORT argument, from the given local address.
    void ConnectForPort(const QString &portArgument, const QHostAddress &from = QHostAddress::LocalHost);
    bool DataConnected() const { return m_data && m_data->state() == QAbstractSocket::ConnectedState; }
    // True once the client has closed its end of the data connection (or it was never open).
    bool DataClosedByClient() const { return m_dataClosedByClient; }
    QByteArray DataReceived() const { return m_dataReceived; }
    void SendData(const QByteArray &bytes);
    // Sends what is buffered, then ends the data in order; the connection lasts until the client
    // closes its end, so that DataClosedByClient tells when the client has seen the end.
    void CloseData();
    // Resets the data connection at once.
    void DropData();

signals:
    void CommandReceived(const QString &command, const QString &argument);
    void DataConnectionOpened();

private:
    void OnNewControlConnection();
    void OnControlReadyRead();
    void AdoptDataSocket(QTcpSocket *socket);
    void EndDataWhenSent();

    QTcpServer m_control;
    QTcpServer m_dataListener;
    QPointer<QTcpSocket> m_client;
    QPointer<QTcpSocket> m_data;
    QByteArray m_greeting = "220 Fake server ready.\r\n";
    QByteArray m_pending;
    QStringList m_commands;
    QByteArrayList m_commandBytes;
    QHash<QString, Handler> m_handlers;
    QByteArray m_dataReceived;
    bool m_dataClosedByClient = true;
    bool m_dataEnding = false;
};
