// The socket class and its support module, against a peer on 127.0.0.1.
#include "ftp/CSocket.h"
#include "ftp/MSocketSupport.h"
#include "platform/MessageWindow.h"
#include "platform/Winsock.h"
#include "tests/ftp/SocketEvents.h"
#include "tests/support/WaitFor.h"

#include <QCryptographicHash>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <memory>

#include <algorithm>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct ErrorEvent
{
    int number = 0;
    QString description;
    QString source;
};

// Everything a CSocket raises, in order.
class EventLog
{
public:
    explicit EventLog(CSocket &socket)
    {
        QObject::connect(&socket, &CSocket::OnConnect, [this] { events << QStringLiteral("connect"); });
        QObject::connect(&socket, &CSocket::OnClose, [this] { events << QStringLiteral("close"); });
        QObject::connect(&socket, &CSocket::OnSendComplete, [this] { events << QStringLiteral("complete"); });
        QObject::connect(&socket, &CSocket::OnConnectionRequest, [this](qint32 id) {
            events << QStringLiteral("request");
            requests << id;
        });
        QObject::connect(&socket, &CSocket::OnDataArrival, [this, &socket](qint32 total) {
            events << QStringLiteral("data");
            QVariant bytes;
            if (takeArrivals) {
                EXPECT_EQ(total, socket.BytesReceived());
                socket.GetData(bytes, CSocket::DataType::ByteArray);
                received += bytes.toByteArray();
            }
        });
        QObject::connect(&socket, &CSocket::OnSendProgress, [this](qint32 sent, qint32 remaining) {
            events << QStringLiteral("progress");
            progress << qMakePair(sent, remaining);
        });
        QObject::connect(&socket, &CSocket::OnError,
                         [this](int number, const QString &description, qint32 scode,
                                const QString &source, const QString &, qint32, bool &cancel) {
                             events << QStringLiteral("error");
                             EXPECT_EQ(scode, 0);
                             EXPECT_FALSE(cancel);
                             errors << ErrorEvent { number, description, source };
                         });
    }

    bool waitFor(const QString &event, int times = 1)
    {
        return WaitUntil([&] { return events.count(event) >= times; });
    }

    QStringList events;
    QList<qint32> requests;
    QList<QPair<qint32, qint32>> progress;
    QList<ErrorEvent> errors;
    QByteArray received;
    bool takeArrivals = true;
};

class CSocketTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0)); }

    // Connects socket to the test server and returns the server's end.
    QTcpSocket *connectToServer(CSocket &socket, EventLog &log)
    {
        socket.Connect(QStringLiteral("127.0.0.1"), server.serverPort());
        EXPECT_TRUE(log.waitFor(QStringLiteral("connect")));
        EXPECT_TRUE(WaitUntil([&] { return server.hasPendingConnections(); }));
        return server.nextPendingConnection();
    }

    QTcpServer server;
};

QByteArray readFromPeer(QTcpSocket *peer, qsizetype size)
{
    QByteArray data;
    if (!WaitUntil([&] {
            data += peer->readAll();
            return data.size() >= size;
        }))
        ADD_FAILURE() << "the peer got " << data.size() << " of " << size << " bytes";
    return data;
}

} // namespace

TEST_F(CSocketTest, ConnectByAddressGoesThroughConnectingToConnected)
{
    CSocket socket;
    EventLog log(socket);
    EXPECT_EQ(socket.State(), CSocket::sckClosed);
    EXPECT_EQ(socket.SocketHandle(), -1);
    socket.Connect(QStringLiteral("127.0.0.1"), server.serverPort());
    EXPECT_TRUE(socket.State() == CSocket::sckConnecting || socket.State() == CSocket::sckClosed);
    ASSERT_TRUE(log.waitFor(QStringLiteral("connect")));
    EXPECT_EQ(socket.State(), CSocket::sckConnected);
    EXPECT_EQ(socket.LocalIP(), QStringLiteral("127.0.0.1"));
    EXPECT_FALSE(socket.LocalHostName().isEmpty());
    EXPECT_EQ(socket.RemoteHostIP(), QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(WaitUntil([&] { return server.hasPendingConnections(); }));
    QTcpSocket *peer = server.nextPendingConnection();
    EXPECT_EQ(peer->peerPort(), socket.LocalPort());
    EXPECT_EQ(log.events, QStringList { QStringLiteral("connect") });

    // The protocol cannot change under an open socket.
    socket.setProtocol(CSocket::sckUDPProtocol);
    EXPECT_EQ(socket.Protocol(), CSocket::sckTCPProtocol);
}

TEST_F(CSocketTest, RefusedConnectionEndsInAnErrorEvent)
{
    const quint16 port = server.serverPort();
    server.close();
    CSocket socket;
    EventLog log(socket);
    try {
        socket.Connect(QStringLiteral("127.0.0.1"), port);
        ASSERT_TRUE(log.waitFor(QStringLiteral("error")));
        ASSERT_EQ(log.errors.size(), 1);
        EXPECT_EQ(log.errors[0].number, 10061);
        EXPECT_EQ(log.errors[0].description, QStringLiteral("Connection refused."));
        EXPECT_EQ(log.errors[0].source, QString());
        EXPECT_EQ(socket.State(), CSocket::sckError);
    } catch (const NumberedError &e) {
        // The system may refuse a local connect at once.
        EXPECT_EQ(e.Number(), 10061);
        EXPECT_EQ(e.Source(), QStringLiteral("CSocket.Connect"));
    }
    EXPECT_EQ(socket.SocketHandle(), -1);
    EXPECT_EQ(MSocketSupport::RegisteredSocketCount(), 0);
}

TEST_F(CSocketTest, ConnectByNameLooksTheHostUpFirst)
{
    CSocket socket;
    EventLog log(socket);
    socket.Connect(QStringLiteral("localhost"), server.serverPort());
    EXPECT_EQ(socket.State(), CSocket::sckResolvingHost);
    EXPECT_EQ(MSocketSupport::PendingLookupCount(), 1);
    ASSERT_TRUE(log.waitFor(QStringLiteral("connect")));
    EXPECT_EQ(socket.State(), CSocket::sckConnected);
    EXPECT_EQ(socket.RemoteHost(), QStringLiteral("localhost"));
    EXPECT_EQ(socket.RemoteHostIP(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(MSocketSupport::PendingLookupCount(), 0);
}

TEST_F(CSocketTest, UnknownHostEndsInHostNotFound)
{
    CSocket socket;
    EventLog log(socket);
    // Not a valid host name: the lookup fails here, without asking any name server.
    socket.Connect(QStringLiteral("no such host"), 21);
    EXPECT_EQ(socket.State(), CSocket::sckResolvingHost);
    ASSERT_TRUE(log.waitFor(QStringLiteral("error")));
    EXPECT_EQ(log.errors[0].number, 11001);
    EXPECT_EQ(log.errors[0].description, QStringLiteral("Host not found."));
    EXPECT_EQ(socket.State(), CSocket::sckError);
    EXPECT_EQ(MSocketSupport::PendingLookupCount(), 0);
}

TEST_F(CSocketTest, LookupAbandonedByCloseNeverReportsBack)
{
    CSocket socket;
    EventLog log(socket);
    socket.Connect(QStringLiteral("localhost"), server.serverPort());
    socket.CloseSocket();
    EXPECT_EQ(socket.State(), CSocket::sckClosed);
    EXPECT_EQ(MSocketSupport::PendingLookupCount(), 0);
    EXPECT_EQ(MSocketSupport::SocketWindow(), nullptr);

    // A later connect of the same object is the only one that reports.
    socket.Connect(QStringLiteral("127.0.0.1"), server.serverPort());
    ASSERT_TRUE(log.waitFor(QStringLiteral("connect")));
    drainEvents();
    EXPECT_EQ(log.events, QStringList { QStringLiteral("connect") });
}

TEST_F(CSocketTest, CallTimeErrorsCarryNumberTextAndSource)
{
    CSocket socket;
    try {
        socket.Connect();
        FAIL() << "an empty host must be refused";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), 10049);
        EXPECT_EQ(e.Description(), QStringLiteral("Cannot assign requested address."));
        EXPECT_EQ(e.Source(), QStringLiteral("CSocket.Connect"));
    }
    socket.CloseSocket();
    try {
        socket.SendData(QStringLiteral("x"));
        FAIL() << "a TCP send without a socket must be refused";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), 40006);
        EXPECT_EQ(e.Description(), QStringLiteral("Wrong protocol or connection state for the "
                                                  "requested transaction or request."));
        EXPECT_EQ(e.Source(), QStringLiteral("CSocket.SendData"));
    }
    try {
        socket.Bind(0, QStringLiteral("not.an.ip.address"));
        FAIL() << "a local address that is not dotted must be refused";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Source(), QStringLiteral("CSocket.Bind"));
    }
}

TEST_F(CSocketTest, SendReportsProgressAtOnceAndCompletionLater)
{
    CSocket socket;
    EventLog log(socket);
    QTcpSocket *peer = connectToServer(socket, log);
    log.events.clear();
    socket.SendData(QStringLiteral("abc"));
    EXPECT_EQ(log.events, QStringList { QStringLiteral("progress") });
    EXPECT_EQ(log.progress.first(), qMakePair(3, 0));
    ASSERT_TRUE(log.waitFor(QStringLiteral("complete")));
    EXPECT_EQ(readFromPeer(peer, 3), QByteArray("abc"));

    // Values go out as their machine image, least significant byte first.
    socket.SendData(QVariant::fromValue<qint32>(0x01020304));
    socket.SendData(QVariant::fromValue<qint16>(0x0506));
    socket.SendData(true);
    socket.SendData(QByteArray("\x00\xff", 2));
    EXPECT_EQ(readFromPeer(peer, 10), QByteArray("\x04\x03\x02\x01\x06\x05\xff\xff\x00\xff", 10));
    ASSERT_TRUE(log.waitFor(QStringLiteral("complete"), 2));
}

TEST_F(CSocketTest, LargeSendIsTakenInPartsAndArrivesWhole)
{
    CSocket socket;
    EventLog log(socket);
    QTcpSocket *peer = connectToServer(socket, log);
    peer->setReadBufferSize(1024 * 1024); // the peer reads only what the test takes
    QByteArray data(24 * 1024 * 1024, Qt::Uninitialized);
    for (qsizetype i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>((i * 7 + i / 4096) & 0xFF);
    socket.SendData(data);
    ASSERT_FALSE(log.progress.isEmpty());
    EXPECT_GT(log.progress.first().second, 0) << "the network should not take 24 MB at once";
    EXPECT_EQ(log.events.count(QStringLiteral("complete")), 0);
    socket.SendData(QByteArray("tail"));

    const QByteArray arrived = readFromPeer(peer, data.size() + 4);
    ASSERT_TRUE(log.waitFor(QStringLiteral("complete")));
    EXPECT_EQ(arrived.size(), data.size() + 4);
    EXPECT_EQ(QCryptographicHash::hash(arrived, QCryptographicHash::Sha1),
              QCryptographicHash::hash(data + "tail", QCryptographicHash::Sha1));
    qint64 sent = 0;
    for (const auto &step : log.progress)
        sent += step.first;
    EXPECT_EQ(sent, data.size() + 4);
    EXPECT_EQ(log.progress.last().second, 0);
    drainEvents();
    EXPECT_EQ(log.events.count(QStringLiteral("complete")), 1);
}

TEST_F(CSocketTest, ReceivedBytesAreTakenAsTextBytesOrNumbers)
{
    CSocket socket;
    EventLog log(socket);
    log.takeArrivals = false;
    QTcpSocket *peer = connectToServer(socket, log);
    // The second arrival lands behind the bytes the first left untaken.
    peer->write("hello", 5);
    ASSERT_EQ(WaitForValue([&] { return socket.BytesReceived(); }, 5), 5);
    peer->write("\x04\x03\x02\x01", 4);
    ASSERT_EQ(WaitForValue([&] { return socket.BytesReceived(); }, 9), 9);

    QVariant value;
    socket.PeekData(value, CSocket::DataType::ByteArray);
    EXPECT_EQ(value.toByteArray(), QByteArray("hello\x04\x03\x02\x01", 9));
    EXPECT_EQ(socket.BytesReceived(), 9);
    socket.GetData(value, CSocket::DataType::Default, 2);
    EXPECT_EQ(value.typeId(), QMetaType::QString);
    EXPECT_EQ(value.toString(), QStringLiteral("he"));
    EXPECT_EQ(socket.BytesReceived(), 7);
    socket.GetData(value, CSocket::DataType::String, 3);
    EXPECT_EQ(value.toString(), QStringLiteral("llo"));
    socket.GetData(value, CSocket::DataType::Long, 100);
    EXPECT_EQ(value.value<qint32>(), 0x01020304);
    EXPECT_EQ(socket.BytesReceived(), 0);

    // With nothing received the value is left as it was.
    QVariant untouched(42);
    socket.GetData(untouched);
    EXPECT_EQ(untouched, QVariant(42));
}

TEST_F(CSocketTest, PeerCloseDeliversTheLastDataThenOneClose)
{
    CSocket socket;
    EventLog log(socket);
    QTcpSocket *peer = connectToServer(socket, log);
    peer->write(QByteArray(100000, 'z'));
    peer->write("bye");
    peer->disconnectFromHost();
    ASSERT_TRUE(log.waitFor(QStringLiteral("close")));
    EXPECT_EQ(log.received.size(), 100003);
    EXPECT_TRUE(log.received.endsWith("bye"));
    EXPECT_EQ(socket.State(), CSocket::sckClosed);
    EXPECT_EQ(socket.SocketHandle(), -1);
    EXPECT_EQ(log.events.last(), QStringLiteral("close"));
    drainEvents();
    EXPECT_EQ(log.events.count(QStringLiteral("close")), 1);
}

TEST_F(CSocketTest, GracefulCloseWaitsForThePeer)
{
    CSocket socket;
    EventLog log(socket);
    QTcpSocket *peer = connectToServer(socket, log);
    socket.CloseSocket();
    EXPECT_EQ(socket.State(), CSocket::sckClosing);
    ASSERT_TRUE(WaitUntil([&] {
        peer->readAll();
        return peer->state() != QAbstractSocket::ConnectedState || peer->atEnd();
    }));
    try {
        socket.SendData(QStringLiteral("late"));
        FAIL() << "this side has shut down its sending";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), 10058);
        EXPECT_EQ(e.Description(), QStringLiteral("Cannot send after socket shutdown."));
    }
    peer->disconnectFromHost();
    ASSERT_TRUE(log.waitFor(QStringLiteral("close")));
    EXPECT_EQ(socket.State(), CSocket::sckClosed);
}

TEST_F(CSocketTest, ListenAndAcceptAnActiveDataConnection)
{
    CSocket listener;
    EventLog listenLog(listener);
    listener.Bind(0, QStringLiteral("127.0.0.1"));
    listener.Listen();
    EXPECT_EQ(listener.State(), CSocket::sckListening);
    ASSERT_GT(listener.LocalPort(), 0);

    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(listener.LocalPort()));
    ASSERT_TRUE(listenLog.waitFor(QStringLiteral("request")));
    ASSERT_EQ(listenLog.requests.size(), 1);

    CSocket data;
    EventLog dataLog(data);
    data.Accept(listenLog.requests.first());
    EXPECT_EQ(data.State(), CSocket::sckConnected);
    EXPECT_EQ(data.RemoteHostIP(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(data.RemoteHost(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(data.LocalPort(), listener.LocalPort());
    EXPECT_EQ(data.Protocol(), CSocket::sckTCPProtocol);
    EXPECT_EQ(listener.State(), CSocket::sckListening);

    ASSERT_TRUE(client.waitForConnected(WaitTimeoutMs));
    client.write("listing");
    ASSERT_TRUE(WaitUntil([&] { return dataLog.received == "listing"; }));
    data.SendData(QStringLiteral("stored"));
    EXPECT_EQ(readFromPeer(&client, 6), QByteArray("stored"));
    client.disconnectFromHost();
    ASSERT_TRUE(dataLog.waitFor(QStringLiteral("close")));

    // A listening socket closes at once, without a close event.
    listener.CloseSocket();
    EXPECT_EQ(listener.State(), CSocket::sckClosed);
    drainEvents();
    EXPECT_EQ(listenLog.events.count(QStringLiteral("close")), 0);
}

// A connection accepted from a listener with a wide receive buffer inherits it; reads still
// take the data in blocks of a fixed size, never in buffers as large as the socket's.
TEST_F(CSocketTest, ReadsTakeFixedBlocksWhateverTheReceiveBuffer)
{
    CSocket listener;
    EventLog listenLog(listener);
    listener.Bind(0, QStringLiteral("127.0.0.1"));
    const int wide = 4 * 1024 * 1024;
    ASSERT_EQ(::setsockopt(listener.SocketHandle(), SOL_SOCKET, SO_RCVBUF, &wide, sizeof wide), 0);
    listener.Listen();

    const int sender = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(sender, 0);
    const timeval patience {10, 0};
    ::setsockopt(sender, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof patience);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<quint16>(listener.LocalPort()));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(sender, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ASSERT_TRUE(listenLog.waitFor(QStringLiteral("request")));

    CSocket data;
    QList<qint32> arrivals;
    QByteArray received;
    QObject::connect(&data, &CSocket::OnDataArrival, [&](qint32 total) {
        arrivals << total;
        QVariant bytes;
        data.GetData(bytes, CSocket::DataType::ByteArray);
        received += bytes.toByteArray();
    });
    data.Accept(listenLog.requests.first());

    // All of it waits in the receive buffer before the first read.
    const QByteArray payload(1024 * 1024, 'r');
    ASSERT_EQ(::send(sender, payload.constData(), static_cast<size_t>(payload.size()), 0), payload.size());
    EXPECT_TRUE(WaitUntil([&] { return received.size() >= payload.size(); }));
    EXPECT_EQ(received, payload);
    EXPECT_GT(arrivals.size(), 1);
    EXPECT_LE(*std::max_element(arrivals.cbegin(), arrivals.cend()), CSocket::ReadBlockBytes);
    ::close(sender);
}

TEST_F(CSocketTest, ListenOnAPortInUseIsRefused)
{
    CSocket socket;
    socket.setLocalPort(server.serverPort());
    try {
        socket.Bind(0, QStringLiteral("127.0.0.1"));
        socket.Listen();
        FAIL() << "the port is taken";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), 10048);
        EXPECT_EQ(e.Description(), QStringLiteral("Address already in use."));
        EXPECT_EQ(e.Source(), QStringLiteral("CSocket.Bind"));
    }
}

TEST_F(CSocketTest, SocketMayBeDeletedFromItsOwnEvent)
{
    auto *socket = new CSocket;
    QPointer<CSocket> watch(socket);
    QObject::connect(socket, &CSocket::OnDataArrival, socket, [socket] { delete socket; });
    socket->Connect(QStringLiteral("127.0.0.1"), server.serverPort());
    ASSERT_TRUE(WaitUntil([&] { return server.hasPendingConnections(); }));
    QTcpSocket *peer = server.nextPendingConnection();
    ASSERT_TRUE(WaitUntil([&] { return watch && watch->State() == CSocket::sckConnected; }));
    peer->write("x");
    peer->disconnectFromHost();
    ASSERT_TRUE(WaitUntil([&] { return watch.isNull(); }));
    EXPECT_EQ(MSocketSupport::RegisteredSocketCount(), 0);
}

TEST(MSocketSupportTest, FailedRegistrationLeavesNothingBehind)
{
    CSocket owner;
    EXPECT_EQ(MSocketSupport::RegisteredSocketCount(), 0);
    EXPECT_FALSE(MSocketSupport::RegisterSocket(4000, &owner));
    const NumberedError error = MSocketSupport::LastError();
    EXPECT_EQ(error.Number(), 10038);
    EXPECT_EQ(error.Description(), QStringLiteral("Socket operation on nonsocket."));
    EXPECT_EQ(error.Source(), QStringLiteral("MSocketSupport.RegisterSocket"));
    EXPECT_EQ(MSocketSupport::RegisteredSocketCount(), 0);
    EXPECT_EQ(MSocketSupport::SocketWindow(), nullptr);
}

TEST(MSocketSupportTest, WindowLivesFromFirstToLastRegisteredSocket)
{
    CSocket a, b;
    EXPECT_EQ(MSocketSupport::SocketWindow(), nullptr);
    a.Bind(0, QStringLiteral("127.0.0.1"));
    MessageWindow *window = MSocketSupport::SocketWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), QStringLiteral("SOCKET_WINDOW"));
    b.Bind(0, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(MSocketSupport::RegisteredSocketCount(), 2);
    a.CloseSocket();
    EXPECT_EQ(MSocketSupport::SocketWindow(), window);
    b.CloseSocket();
    EXPECT_EQ(MSocketSupport::SocketWindow(), nullptr);
    b.Bind(0, QStringLiteral("127.0.0.1"));
    EXPECT_NE(MSocketSupport::SocketWindow(), nullptr);
    b.CloseSocket();
}

TEST(MSocketSupportTest, ServiceStartsOnceAndEndsWithTheLastSocketObject)
{
    {
        CSocket first;
        EXPECT_TRUE(MSocketSupport::IsStarted());
        EXPECT_EQ(MSocketSupport::InitWinsockService(), 65507);
        MSocketSupport::CleanupWinsockService();
        auto second = std::make_unique<CSocket>();
        second.reset();
        // Another socket object still lives: it can still make sockets.
        EXPECT_TRUE(MSocketSupport::IsStarted());
        first.Bind(0, QStringLiteral("127.0.0.1"));
        EXPECT_NE(first.SocketHandle(), -1);
    }
    EXPECT_FALSE(MSocketSupport::IsStarted());
    const QString exe = MessageWindow::ExecutableName();
    CSocket again;
    EXPECT_EQ(MSocketSupport::WinsockMessage(),
              MessageWindow::RegisterWindowMessage(exe + QStringLiteral(".WinsockMessage")));
    EXPECT_EQ(MSocketSupport::ResolveMessage(),
              MessageWindow::RegisterWindowMessage(exe + QStringLiteral(".ResolveMessage")));
}

TEST(MSocketSupportTest, WordHelpersAndConversions)
{
    EXPECT_EQ(MSocketSupport::UnsignedToInteger(32767), 32767);
    EXPECT_EQ(MSocketSupport::UnsignedToInteger(32768), -32768);
    EXPECT_EQ(MSocketSupport::UnsignedToInteger(65535), -1);
    EXPECT_THROW(MSocketSupport::UnsignedToInteger(65536), NumberedError);
    EXPECT_THROW(MSocketSupport::UnsignedToInteger(-1), NumberedError);
    EXPECT_EQ(MSocketSupport::IntegerToUnsigned(-1), 65535);
    EXPECT_EQ(MSocketSupport::IntegerToUnsigned(80), 80);
    EXPECT_EQ(MSocketSupport::LoWord(0x8001FFFE), 0xFFFE);
    EXPECT_EQ(MSocketSupport::HiWord(static_cast<qint32>(0x8001FFFE)), 0x8001);
    EXPECT_EQ(MSocketSupport::GetErrorDescription(10059), QStringLiteral("Unknown error."));
}

TEST(CSocketUdpTest, DatagramsGoToTheRemoteHostAndTellTheSender)
{
    CSocket receiver;
    receiver.setProtocol(CSocket::sckUDPProtocol);
    EventLog receiverLog(receiver);
    receiver.Bind(0, QStringLiteral("127.0.0.1"));
    ASSERT_GT(receiver.LocalPort(), 0);

    CSocket sender;
    sender.setProtocol(CSocket::sckUDPProtocol);
    EventLog senderLog(sender);
    sender.setRemoteHost(QStringLiteral("127.0.0.1"));
    EXPECT_EQ(sender.RemoteHostIP(), QStringLiteral("127.0.0.1"));
    sender.setRemotePort(receiver.LocalPort());
    sender.SendData(QStringLiteral("ping"));
    EXPECT_EQ(senderLog.progress.first(), qMakePair(4, 0));
    ASSERT_TRUE(receiverLog.waitFor(QStringLiteral("data")));
    EXPECT_EQ(receiverLog.received, QByteArray("ping"));
    EXPECT_EQ(receiver.RemoteHostIP(), QStringLiteral("127.0.0.1"));
    EXPECT_GT(receiver.RemotePort(), 0);
    ASSERT_TRUE(senderLog.waitFor(QStringLiteral("complete")));

    // A host given by name is looked up before the waiting datagram goes out.
    CSocket named;
    named.setProtocol(CSocket::sckUDPProtocol);
    EventLog namedLog(named);
    named.setRemoteHost(QStringLiteral("localhost"));
    named.setRemotePort(receiver.LocalPort());
    named.SendData(QStringLiteral("pong"));
    ASSERT_TRUE(WaitUntil([&] { return receiverLog.received.endsWith("pong"); }));
    EXPECT_EQ(named.RemoteHostIP(), QStringLiteral("127.0.0.1"));
}

TEST(MSocketSupportTest, LookupThatCannotStartLeavesNothingPending)
{
    CSocket asker;
    // Without a registered socket there is no window to receive the result.
    EXPECT_EQ(MSocketSupport::ResolveHost(QStringLiteral("localhost"), &asker), 0);
    const NumberedError error = MSocketSupport::LastError();
    EXPECT_EQ(error.Number(), 10022);
    EXPECT_EQ(error.Source(), QStringLiteral("MSocketSupport.ResolveHost"));
    EXPECT_EQ(MSocketSupport::PendingLookupCount(), 0);
}

TEST(MSocketSupportTest, ResultForATaskNoLongerPendingIsIgnored)
{
    CSocket socket;
    EventLog log(socket);
    socket.PostGetHostEvent(12345, Winsock::inet_addr(QStringLiteral("127.0.0.1")),
                            QStringLiteral("stale"), 0);
    socket.PostGetHostEvent(0, 0, QString(), 0);
    EXPECT_EQ(socket.State(), CSocket::sckClosed);
    EXPECT_EQ(socket.RemoteHost(), QString());
    EXPECT_TRUE(log.events.isEmpty());
}
