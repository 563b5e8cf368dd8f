// The sockets service stand-in and the hidden message window, against real sockets on 127.0.0.1.
#include "platform/MessageWindow.h"
#include "platform/Winsock.h"
#include "tests/ftp/SocketEvents.h"
#include "tests/support/WaitFor.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr quint32 kMessage = 0xC7F0;

struct Notification
{
    Winsock::SOCKET s;
    long event;
    int error;
};

// A hidden window that records every socket notification it receives.
class RecordingWindow
{
public:
    RecordingWindow() : window(MessageWindow::CreateWindow(QStringLiteral("TEST_WINDOW")))
    {
        window->SetWindowProc([this](MessageWindow *, quint32 message, quintptr wParam,
                                     qintptr lParam) -> qintptr {
            if (message == kMessage)
                received.append({ static_cast<Winsock::SOCKET>(wParam),
                                  Winsock::WSAGETSELECTEVENT(lParam),
                                  Winsock::WSAGETSELECTERROR(lParam) });
            return 0;
        });
    }
    ~RecordingWindow() { MessageWindow::DestroyWindow(window); }

    int count(long event) const
    {
        return static_cast<int>(std::count_if(received.begin(), received.end(),
                                              [event](const Notification &n) { return n.event == event; }));
    }

    MessageWindow *window;
    QList<Notification> received;
};

class WinsockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Winsock::WSADATA data;
        ASSERT_EQ(Winsock::WSAStartup(0x0101, &data), 0);
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    }
    void TearDown() override { Winsock::WSACleanup(); }

    Winsock::SocketAddress serverAddress() const
    {
        return { Winsock::inet_addr(QStringLiteral("127.0.0.1")), server.serverPort() };
    }

    // A connected socket registered with the recording window, and the server's end of it.
    Winsock::SOCKET connectedSocket(QTcpSocket **peer)
    {
        const Winsock::SOCKET s =
            Winsock::socket(Winsock::WS_AF_INET, Winsock::WS_SOCK_STREAM, Winsock::WS_IPPROTO_TCP);
        EXPECT_NE(s, Winsock::INVALID_SOCKET);
        EXPECT_EQ(Winsock::WSAAsyncSelect(s, recorder.window, kMessage, 59), 0);
        Winsock::connect(s, serverAddress());
        EXPECT_TRUE(WaitUntil([&] { return recorder.count(Winsock::FD_CONNECT) == 1; }));
        EXPECT_TRUE(WaitUntil([&] { return server.hasPendingConnections(); }));
        *peer = server.nextPendingConnection();
        return s;
    }

    QTcpServer server;
    RecordingWindow recorder;
};

} // namespace

TEST(WinsockErrors, ErrorNumbersHaveTheirTextsAndSystemErrorsMapToThem)
{
    EXPECT_EQ(Winsock::ErrorText(10061), QStringLiteral("Connection refused."));
    EXPECT_EQ(Winsock::ErrorText(10035), QStringLiteral("Resource temporarily unavailable."));
    EXPECT_EQ(Winsock::ErrorText(11001), QStringLiteral("Host not found."));
    EXPECT_EQ(Winsock::ErrorText(10059), QStringLiteral("Unknown error."));
    int known = 0;
    for (int code = 0; code < 12000; ++code)
        known += Winsock::ErrorText(code) != QStringLiteral("Unknown error.");
    EXPECT_EQ(known, 44);
    EXPECT_EQ(Winsock::ErrorFromErrno(ECONNREFUSED), Winsock::WSAECONNREFUSED);
    EXPECT_EQ(Winsock::ErrorFromErrno(EAGAIN), Winsock::WSAEWOULDBLOCK);
    EXPECT_EQ(Winsock::ErrorFromErrno(EADDRINUSE), Winsock::WSAEADDRINUSE);
    EXPECT_EQ(Winsock::ErrorFromErrno(ECONNRESET), Winsock::WSAECONNRESET);
}

TEST(WinsockErrors, CallsBeforeStartUpAreRefused)
{
    EXPECT_EQ(Winsock::socket(Winsock::WS_AF_INET, Winsock::WS_SOCK_STREAM, 0), Winsock::INVALID_SOCKET);
    EXPECT_EQ(Winsock::WSAGetLastError(), Winsock::WSANOTINITIALISED);
}

TEST(MessageWindowTest, RegisteredMessagesAreStableByName)
{
    const quint32 a = MessageWindow::RegisterWindowMessage(QStringLiteral("x.WinsockMessage"));
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(MessageWindow::RegisterWindowMessage(QStringLiteral("x.WinsockMessage")), a);
    EXPECT_NE(MessageWindow::RegisterWindowMessage(QStringLiteral("x.ResolveMessage")), a);
    EXPECT_EQ(MessageWindow::ExecutableName(), QStringLiteral("test_sockets"));
}

TEST(MessageWindowTest, PostedMessagesArriveInOrderAndNeverAfterTheWindowEnds)
{
    QList<quintptr> seen;
    MessageWindow *window = MessageWindow::CreateWindow(QStringLiteral("A_WINDOW"));
    EXPECT_EQ(window->objectName(), QStringLiteral("A_WINDOW"));
    window->SetWindowProc([&](MessageWindow *w, quint32, quintptr wParam, qintptr) -> qintptr {
        seen.append(wParam);
        if (wParam == 3)
            MessageWindow::DestroyWindow(w); // ending the window from its own procedure
        return 0;
    });
    MessageWindow::PostMessage(window, 1, 1, 0);
    MessageWindow::PostMessage(window, 1, 2, 0, [] { return false; });
    MessageWindow::PostMessage(window, 1, 3, 0);
    MessageWindow::PostMessage(window, 1, 4, 0);
    QPointer<MessageWindow> watch(window);
    ASSERT_TRUE(WaitUntil([&] { return watch.isNull(); }));
    EXPECT_EQ(seen, (QList<quintptr> { 1, 3 }));
}

TEST(MessageWindowTest, TimersRepeatUntilKilledAndRestartUnderTheirId)
{
    MessageWindow *window = MessageWindow::CreateWindow(QStringLiteral("T_WINDOW"));
    int ticks = 0;
    auto tick = [&](MessageWindow *, quint32 message, quintptr id, quint32) {
        EXPECT_EQ(message, MessageWindow::WM_TIMER);
        EXPECT_EQ(id, 7u);
        ++ticks;
    };
    EXPECT_EQ(window->SetTimer(7, 10, tick), 7u);
    EXPECT_TRUE(WaitUntil([&] { return ticks >= 3; }));
    EXPECT_TRUE(window->KillTimer(7));
    EXPECT_FALSE(window->HasTimer(7));
    EXPECT_FALSE(window->KillTimer(7));
    EXPECT_EQ(window->SetTimer(0, 10, tick), 0u);
    EXPECT_EQ(window->SetTimer(8, 0x80000000u, tick), 0u);
    MessageWindow::DestroyWindow(window);
}

TEST(MessageWindowTest, WaitingForEventsSleepsUntilOneArrives)
{
    // Nothing due: each wait lasts to its limit instead of returning at once, as a spinning one
    // would thousands of times. (Its processor time is bench_idle_wait's.)
    drainEvents();
    QElapsedTimer wall;
    wall.start();
    int waits = 0;
    for (; wall.elapsed() < 300; ++waits)
        MessageWindow::WaitForEvents(100);
    EXPECT_LE(waits, 4);

    // A message that arrives ends the wait.
    MessageWindow *window = MessageWindow::CreateWindow(QStringLiteral("W_WINDOW"));
    bool delivered = false;
    window->SetWindowProc([&](MessageWindow *, quint32, quintptr, qintptr) -> qintptr {
        delivered = true;
        return 0;
    });
    QTimer::singleShot(20, [window] { MessageWindow::PostMessage(window, 1, 0, 0); });
    wall.restart();
    while (!delivered && wall.elapsed() < 60000)
        MessageWindow::WaitForEvents(60000);
    EXPECT_TRUE(delivered);
    EXPECT_LT(wall.elapsed(), 30000);
    MessageWindow::DestroyWindow(window);
}

TEST_F(WinsockTest, ConnectResultComesOnceFromTheSocketError)
{
    QTcpSocket *peer = nullptr;
    const Winsock::SOCKET s = connectedSocket(&peer);
    drainEvents();
    EXPECT_EQ(recorder.count(Winsock::FD_CONNECT), 1);
    EXPECT_EQ(recorder.received.first().error, 0);
    EXPECT_EQ(recorder.count(Winsock::FD_WRITE), 0);
    EXPECT_EQ(recorder.count(Winsock::FD_READ), 0);
    Winsock::closesocket(s);

    // A refused connection reports its error once and nothing after it.
    const quint16 closedPort = server.serverPort();
    server.close();
    recorder.received.clear();
    const Winsock::SOCKET r =
        Winsock::socket(Winsock::WS_AF_INET, Winsock::WS_SOCK_STREAM, Winsock::WS_IPPROTO_TCP);
    Winsock::WSAAsyncSelect(r, recorder.window, kMessage, 59);
    const int rc = Winsock::connect(r, { Winsock::inet_addr(QStringLiteral("127.0.0.1")), closedPort });
    if (rc == Winsock::SOCKET_ERROR && Winsock::WSAGetLastError() == Winsock::WSAEWOULDBLOCK) {
        ASSERT_TRUE(WaitUntil([&] { return !recorder.received.isEmpty(); }));
        drainEvents();
        ASSERT_EQ(recorder.received.size(), 1);
        EXPECT_EQ(recorder.received.first().event, Winsock::FD_CONNECT);
        EXPECT_EQ(recorder.received.first().error, Winsock::WSAECONNREFUSED);
    } else {
        EXPECT_EQ(Winsock::WSAGetLastError(), Winsock::WSAECONNREFUSED);
    }
    Winsock::closesocket(r);
}

TEST_F(WinsockTest, ReadIsAnnouncedOnceUntilTheProgramReads)
{
    QTcpSocket *peer = nullptr;
    const Winsock::SOCKET s = connectedSocket(&peer);
    peer->write("abc");
    ASSERT_TRUE(peer->waitForBytesWritten(WaitTimeoutMs));
    ASSERT_TRUE(WaitUntil([&] { return recorder.count(Winsock::FD_READ) == 1; }));
    peer->write("def");
    ASSERT_TRUE(peer->waitForBytesWritten(WaitTimeoutMs));
    drainEvents();
    EXPECT_EQ(recorder.count(Winsock::FD_READ), 1);

    char buf[2];
    ASSERT_EQ(Winsock::recv(s, buf, 2, 0), 2);
    ASSERT_TRUE(WaitUntil([&] { return recorder.count(Winsock::FD_READ) == 2; }));
    char rest[16];
    EXPECT_EQ(Winsock::recv(s, rest, sizeof rest, 0), 4);
    drainEvents();
    EXPECT_EQ(recorder.count(Winsock::FD_READ), 2);
    // Nothing more to read: would-block, and no notification.
    EXPECT_EQ(Winsock::recv(s, rest, sizeof rest, 0), Winsock::SOCKET_ERROR);
    EXPECT_EQ(Winsock::WSAGetLastError(), Winsock::WSAEWOULDBLOCK);

    // The peer's close is found by peeking and announced once.
    peer->close();
    ASSERT_TRUE(WaitUntil([&] { return recorder.count(Winsock::FD_CLOSE) == 1; }));
    drainEvents();
    EXPECT_EQ(recorder.count(Winsock::FD_CLOSE), 1);
    EXPECT_EQ(recorder.received.last().error, 0);
    EXPECT_EQ(Winsock::recv(s, rest, sizeof rest, 0), 0);
    Winsock::closesocket(s);
}

TEST_F(WinsockTest, QueuedNotificationNeverReachesALaterOwnerOfTheDescriptor)
{
    const Winsock::SOCKET first =
        Winsock::socket(Winsock::WS_AF_INET, Winsock::WS_SOCK_STREAM, Winsock::WS_IPPROTO_TCP);
    ASSERT_EQ(Winsock::WSAAsyncSelect(first, recorder.window, kMessage, 59), 0);
    ASSERT_TRUE(Winsock::PostSelectMessage(first, Winsock::FD_WRITE, 0));
    ASSERT_EQ(Winsock::closesocket(first), 0);

    const Winsock::SOCKET second =
        Winsock::socket(Winsock::WS_AF_INET, Winsock::WS_SOCK_STREAM, Winsock::WS_IPPROTO_TCP);
    EXPECT_EQ(second, first); // the system hands out the lowest free descriptor again
    ASSERT_EQ(Winsock::WSAAsyncSelect(second, recorder.window, kMessage, 59), 0);
    ASSERT_TRUE(Winsock::PostSelectMessage(second, Winsock::FD_ACCEPT, 0));
    ASSERT_TRUE(WaitUntil([&] { return !recorder.received.isEmpty(); }));
    drainEvents();
    ASSERT_EQ(recorder.received.size(), 1);
    EXPECT_EQ(recorder.received.first().event, Winsock::FD_ACCEPT);

    // Ending the registration drops what it had queued as well.
    recorder.received.clear();
    Winsock::PostSelectMessage(second, Winsock::FD_WRITE, 0);
    Winsock::WSAAsyncSelect(second, recorder.window, 0, 0);
    drainEvents();
    EXPECT_TRUE(recorder.received.isEmpty());
    EXPECT_FALSE(Winsock::PostSelectMessage(second, Winsock::FD_WRITE, 0));
    Winsock::closesocket(second);
}

TEST_F(WinsockTest, AcceptIsAnnouncedOncePerWaitingConnection)
{
    const Winsock::SOCKET listener =
        Winsock::socket(Winsock::WS_AF_INET, Winsock::WS_SOCK_STREAM, Winsock::WS_IPPROTO_TCP);
    ASSERT_EQ(Winsock::bind(listener, { Winsock::inet_addr(QStringLiteral("127.0.0.1")), 0 }), 0);
    ASSERT_EQ(Winsock::WSAAsyncSelect(listener, recorder.window, kMessage, 59), 0);
    ASSERT_EQ(Winsock::listen(listener, 5), 0);
    Winsock::SocketAddress local;
    ASSERT_EQ(Winsock::getsockname(listener, &local), 0);

    QTcpSocket a, b;
    a.connectToHost(QHostAddress::LocalHost, local.port);
    b.connectToHost(QHostAddress::LocalHost, local.port);
    ASSERT_TRUE(a.waitForConnected(WaitTimeoutMs));
    ASSERT_TRUE(b.waitForConnected(WaitTimeoutMs));
    ASSERT_TRUE(WaitUntil([&] { return recorder.count(Winsock::FD_ACCEPT) == 1; }));
    drainEvents();
    EXPECT_EQ(recorder.count(Winsock::FD_ACCEPT), 1);

    Winsock::SocketAddress peer;
    const Winsock::SOCKET one = Winsock::accept(listener, &peer);
    ASSERT_NE(one, Winsock::INVALID_SOCKET);
    EXPECT_EQ(Winsock::inet_ntoa(peer.address), QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(WaitUntil([&] { return recorder.count(Winsock::FD_ACCEPT) == 2; }));
    const Winsock::SOCKET two = Winsock::accept(listener, nullptr);
    ASSERT_NE(two, Winsock::INVALID_SOCKET);
    drainEvents();
    EXPECT_EQ(recorder.count(Winsock::FD_ACCEPT), 2);
    Winsock::closesocket(one);
    Winsock::closesocket(two);
    Winsock::closesocket(listener);
}

TEST_F(WinsockTest, BlockedSendIsFollowedByOneWriteNotification)
{
    QTcpSocket *peer = nullptr;
    const Winsock::SOCKET s = connectedSocket(&peer);
    peer->setReadBufferSize(64 * 1024); // the peer reads only what the test takes
    const QByteArray block(1 << 20, 'x');
    qint64 queued = 0;
    for (;;) {
        const int n = Winsock::send(s, block.constData(), static_cast<int>(block.size()), 0);
        if (n == Winsock::SOCKET_ERROR) {
            EXPECT_EQ(Winsock::WSAGetLastError(), Winsock::WSAEWOULDBLOCK);
            break;
        }
        queued += n;
        ASSERT_LT(queued, qint64(1) << 31);
    }
    drainEvents();
    EXPECT_EQ(recorder.count(Winsock::FD_WRITE), 0);
    qint64 drained = 0;
    ASSERT_TRUE(WaitUntil([&] {
        drained += peer->readAll().size();
        return recorder.count(Winsock::FD_WRITE) == 1;
    }));
    drained += peer->readAll().size();
    drainEvents();
    EXPECT_EQ(recorder.count(Winsock::FD_WRITE), 1);
    EXPECT_GT(drained, 0);
    Winsock::closesocket(s);
}

TEST(WinsockNames, DottedAddressesAndReverseLookup)
{
    EXPECT_EQ(Winsock::inet_addr(QStringLiteral("not an address")), Winsock::WS_INADDR_NONE);
    EXPECT_EQ(Winsock::inet_addr(QString()), Winsock::WS_INADDR_NONE);
    const quint32 loopback = Winsock::inet_addr(QStringLiteral("127.0.0.1"));
    EXPECT_EQ(Winsock::inet_ntoa(loopback), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(Winsock::inet_ntoa(Winsock::inet_addr(QStringLiteral("192.168.0.255"))),
              QStringLiteral("192.168.0.255"));
    EXPECT_FALSE(Winsock::gethostbyaddr(loopback).isEmpty());
}
