#include "FakeFtpPeer.h"

#include <initializer_list>

#include <sys/socket.h>

FakeFtpPeer::FakeFtpPeer(QObject *parent) : QObject(parent)
{
    m_control.listen(QHostAddress::LocalHost, 0);
    connect(&m_control, &QTcpServer::newConnection, this, &FakeFtpPeer::OnNewControlConnection);
    connect(&m_dataListener, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_dataListener.nextPendingConnection())
            AdoptDataSocket(socket);
    });

    On(QStringLiteral("USER"), [this](const QString &) { Reply("331 Password required.\r\n"); });
    On(QStringLiteral("PASS"), [this](const QString &) { Reply("230 Logged in.\r\n"); });
    On(QStringLiteral("PWD"), [this](const QString &) { Reply("257 \"/home\" is the current directory.\r\n"); });
    On(QStringLiteral("CWD"), [this](const QString &) { Reply("250 Directory changed.\r\n"); });
    On(QStringLiteral("TYPE"), [this](const QString &) { Reply("200 Type set.\r\n"); });
    On(QStringLiteral("NOOP"), [this](const QString &) { Reply("200 NOOP ok.\r\n"); });
    On(QStringLiteral("PASV"), [this](const QString &) { Reply(PassiveReply()); });
    On(QStringLiteral("PORT"), [this](const QString &argument) {
        ConnectForPort(argument);
        Reply("200 PORT command successful.\r\n");
    });
}

FakeFtpPeer::~FakeFtpPeer()
{
    // A socket still connected reports its close while it is being destroyed, when it is no
    // longer a whole socket and this peer's members are gone: none reports to this peer any more.
    const std::initializer_list<const QObject *> owners {this, &m_control, &m_dataListener};
    for (const QObject *owner : owners) {
        for (QTcpSocket *socket : owner->findChildren<QTcpSocket *>(Qt::FindDirectChildrenOnly))
            socket->disconnect(this);
    }
}

int FakeFtpPeer::CountOf(const QString &command) const
{
    int count = 0;
    for (const QString &line : m_commands)
        count += line.section(u' ', 0, 0) == command ? 1 : 0;
    return count;
}

void FakeFtpPeer::OnNewControlConnection()
{
    while (QTcpSocket *socket = m_control.nextPendingConnection()) {
        if (m_client)
            m_client->deleteLater();
        m_client = socket;
        m_pending.clear();
        connect(socket, &QTcpSocket::readyRead, this, &FakeFtpPeer::OnControlReadyRead);
        if (!m_greeting.isEmpty())
            Reply(m_greeting);
    }
}

void FakeFtpPeer::OnControlReadyRead()
{
    if (!m_client)
        return;
    m_pending += m_client->readAll();
    for (qsizetype lf = m_pending.indexOf('\n'); lf >= 0; lf = m_pending.indexOf('\n')) {
        QByteArray bytes = m_pending.left(lf);
        m_pending.remove(0, lf + 1);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        const QString line = QString::fromUtf8(bytes);
        m_commands.append(line);
        m_commandBytes.append(bytes);
        const QString command = line.section(u' ', 0, 0).toUpper();
        const QString argument = line.section(u' ', 1);
        emit CommandReceived(command, argument);
        if (const auto handler = m_handlers.constFind(command); handler != m_handlers.cend())
            (*handler)(argument);
        else
            Reply("502 Command not implemented.\r\n");
    }
}

void FakeFtpPeer::Reply(const QByteArray &raw)
{
    if (m_client) {
        m_client->write(raw);
        m_client->flush();
    }
}

void FakeFtpPeer::DropControl()
{
    if (m_client)
        m_client->abort();
}

QByteArray FakeFtpPeer::PassiveReply(const QByteArray &hostFields)
{
    if (!m_dataListener.isListening())
        m_dataListener.listen(QHostAddress::LocalHost, 0);
    const quint16 port = m_dataListener.serverPort();
    return "227 Entering Passive Mode (" + hostFields + "," + QByteArray::number(port / 256) + ","
           + QByteArray::number(port % 256) + ").\r\n";
}

void FakeFtpPeer::ConnectForPort(const QString &portArgument, const QHostAddress &from)
{
    const QStringList fields = portArgument.split(u',');
    if (fields.size() != 6)
        return;
    const QString host = fields.mid(0, 4).join(u'.');
    const quint16 port = static_cast<quint16>(fields[4].toInt() * 256 + fields[5].toInt());
    auto *socket = new QTcpSocket(this);
    socket->bind(from);
    socket->connectToHost(QHostAddress(host), port);
    AdoptDataSocket(socket);
}

void FakeFtpPeer::AdoptDataSocket(QTcpSocket *socket)
{
    if (m_data)
        m_data->deleteLater();
    m_data = socket;
    m_dataClosedByClient = false;
    m_dataEnding = false;
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { m_dataReceived += socket->readAll(); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        if (socket == m_data)
            m_dataClosedByClient = true;
    });
    connect(socket, &QAbstractSocket::errorOccurred, this, [this, socket] {
        if (socket == m_data)
            m_dataClosedByClient = true;
    });
    const auto endDataIfDue = [this, socket] {
        if (socket == m_data)
            EndDataWhenSent();
    };
    connect(socket, &QTcpSocket::connected, this, endDataIfDue);
    connect(socket, &QTcpSocket::bytesWritten, this, endDataIfDue);
    if (socket->state() == QAbstractSocket::ConnectedState)
        emit DataConnectionOpened();
    else
        connect(socket, &QTcpSocket::connected, this, &FakeFtpPeer::DataConnectionOpened);
}

void FakeFtpPeer::SendData(const QByteArray &bytes)
{
    if (m_data) {
        m_data->write(bytes);
        m_data->flush();
    }
}

void FakeFtpPeer::CloseData()
{
    m_dataEnding = true;
    EndDataWhenSent();
}

// Only the sending side ends, once the connection is up and all given to it has gone: a full
// close would report the peer's own close as the client's.
void FakeFtpPeer::EndDataWhenSent()
{
    if (m_dataEnding && m_data && m_data->state() == QAbstractSocket::ConnectedState && m_data->bytesToWrite() == 0) {
        m_dataEnding = false;
        ::shutdown(static_cast<int>(m_data->socketDescriptor()), SHUT_WR);
    }
}

void FakeFtpPeer::DropData()
{
    if (!m_data)
        return;
    // Without lingering the close resets the connection instead of ending it in order.
    const linger reset {1, 0};
    ::setsockopt(static_cast<int>(m_data->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    m_data->abort();
}
