// The client against a scripted peer: what real servers do only now and then.
#include "FtpClientProbe.h"
#include "tests/support/FakeFtpPeer.h"
#include "tests/support/FileBytes.h"

#include "ftp/CFtpClient.h"
#include "ftp/FtpReplyReader.h"
#include "platform/NumberedError.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace
{
class FtpClientPeer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AimAtPeer(client, peer.Port());
    }

    void Login()
    {
        client.Connect();
        ASSERT_EQ(probe.Wait(QStringLiteral("OnConnect")), 0) << client.LastFtpError().Description().toStdString();
    }

    // Starts a download whose data the test sends; returns once the client asked for the file.
    void StartDownload(const QString &target, bool overWrite = true)
    {
        peer.On(QStringLiteral("RETR"), [this](const QString &) { peer.Reply("150 Opening data connection.\r\n"); });
        client.DownloadFile(QStringLiteral("file.bin"), target, overWrite);
        ASSERT_TRUE(WaitUntil([&] { return peer.CountOf(QStringLiteral("RETR")) == 1 && peer.DataConnected(); }));
        ASSERT_TRUE(WaitUntil([&] { return probe.DialogueContains(QStringLiteral("1 150")); }));
    }

    // The peer answers the command as a transfer: the opening reply, the data and their end on
    // the data connection, then the final reply.
    void AnswerWithData(const QString &command, const QByteArray &data)
    {
        peer.On(command, [this, data](const QString &) {
            peer.Reply("150 Opening data connection.\r\n");
            peer.SendData(data);
            peer.CloseData();
            peer.Reply("226 Transfer complete.\r\n");
        });
    }

    FakeFtpPeer peer;
    QTemporaryDir local;
    CFtpClient client;
    FtpClientProbe probe {client};
};

// Counts the socket notifications that reach any object of this thread while it lives.
class SocketWakeCounter : public QObject
{
public:
    SocketWakeCounter() { QCoreApplication::instance()->installEventFilter(this); }
    int Count() const { return m_count; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::SockAct)
            ++m_count;
        return false;
    }

private:
    int m_count = 0;
};
}

TEST_F(FtpClientPeer, MultiLineGreetingInPiecesSendsUserOnce)
{
    peer.SetGreeting("220-Welcome to the\r\n22");
    client.Connect();
    ASSERT_TRUE(WaitUntil([&] { return client.FtpSessionState() == CFtpClient::stConnected; }));
    peer.Reply("0-second line\r\n");
    // A USER sent before the greeting's last line would take that line for its answer and fail.
    peer.Reply("220 ready\r\n");
    EXPECT_EQ(probe.Wait(QStringLiteral("OnConnect")), 0);
    EXPECT_EQ(peer.CountOf(QStringLiteral("USER")), 1);
    EXPECT_EQ(client.FtpServerMessage(), QStringLiteral("Welcome to the\r\nsecond line"));
    EXPECT_EQ(client.FtpServerMessage(), QString());
}

TEST_F(FtpClientPeer, RepliesEndingInLineFeedOnlyAndSplitMidLine)
{
    peer.SetGreeting("220 hi\n");
    peer.On(QStringLiteral("USER"), [this](const QString &) { peer.Reply("331 pass"); });
    peer.On(QStringLiteral("PASS"), [this](const QString &) { peer.Reply("230 ok\n"); });
    peer.On(QStringLiteral("PWD"), [this](const QString &) { peer.Reply("257 \"C:\\home\\me\"\n"); });
    client.Connect();
    ASSERT_TRUE(WaitUntil([&] { return peer.CountOf(QStringLiteral("USER")) == 1; }));
    peer.Reply(" required\n");
    EXPECT_EQ(probe.Wait(QStringLiteral("OnConnect")), 0);
    // "331 pass" without its line end was not a reply yet.
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("1 331 pass required")));
    EXPECT_EQ(peer.CountOf(QStringLiteral("PASS")), 1);
    EXPECT_EQ(client.CurrentDirectory(), QStringLiteral("C:/home/me"));
}

// The server receives the password as given; the protocol log shows PASS in its place among the
// commands sent with the argument masked, for a named login and for the anonymous one, whose
// password is an e-mail address.
TEST_F(FtpClientPeer, TheLogMasksThePasswordTheServerReceives)
{
    client.setPassword(QStringLiteral("s3cret"));
    Login();
    client.setUserName(QString());
    Login();
    const QString anonymous = client.Password();

    EXPECT_EQ(peer.Commands().filter(QRegularExpression(QStringLiteral("^PASS"))).join(u'|').toStdString(),
              "PASS s3cret|PASS " + anonymous.toStdString());
    EXPECT_EQ(probe.dialogue.filter(QRegularExpression(QStringLiteral("^0 "))).join(u'|').toStdString(),
              "0 USER user|0 PASS ****|0 PWD |0 USER anonymous|0 PASS ****|0 PWD ");
    for (const QString &line : probe.dialogue)
        EXPECT_FALSE(line.contains(QStringLiteral("s3cret")) || line.contains(anonymous)) << line.toStdString();
}

TEST_F(FtpClientPeer, ErrorRepliesFailTheOperation)
{
    Login();
    peer.On(QStringLiteral("CWD"), [this](const QString &) { peer.Reply("550 No such directory.\r\n"); });
    client.SetCurrentDirectory(QStringLiteral("nowhere"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnSetCurrentDirectory")), 1);
    EXPECT_EQ(client.LastFtpError().Number(), 16550);
    EXPECT_EQ(client.LastFtpError().Description(), QStringLiteral("Requested action not taken."));
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("2 550 No such directory.")));

    peer.On(QStringLiteral("CWD"), [this](const QString &) { peer.Reply("421 Shutting down.\r\n"); });
    client.SetCurrentDirectory(QStringLiteral("x"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnSetCurrentDirectory")), 1);
    EXPECT_EQ(client.LastFtpError().Number(), 16421);
    EXPECT_TRUE(WaitUntil([&] { return client.FtpSessionState() == CFtpClient::stConnectionClosed; }));
    client.Connect();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnConnect")));
}

TEST_F(FtpClientPeer, SilentServerTimesOutAndItsLateReplyIsDiscarded)
{
    client.setTimeOut(1);
    Login();
    peer.On(QStringLiteral("CWD"), [](const QString &) {});
    client.SetCurrentDirectory(QStringLiteral("slow"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnSetCurrentDirectory")), CFtpClient::arStatusTimeOut);
    EXPECT_FALSE(client.Busy());

    // The next command waits for the late answer to CWD, which must not be taken for its own: the
    // answer goes out before the peer can have read a PWD sent at once, and would come first.
    peer.On(QStringLiteral("PWD"), [this](const QString &) { peer.Reply("257 \"/after\"\r\n"); });
    const int pwdSent = peer.CountOf(QStringLiteral("PWD"));
    client.GetCurrentDirectory();
    peer.Reply("550 Too late.\r\n");
    EXPECT_EQ(probe.Wait(QStringLiteral("OnGetCurrentDirectory")), 0);
    EXPECT_EQ(peer.CountOf(QStringLiteral("PWD")), pwdSent + 1);
    EXPECT_EQ(client.CurrentDirectory(), QStringLiteral("/after"));
    EXPECT_TRUE(probe.NoMoreCompletions());
}

// While the server says nothing, no socket wakes the client: a notifier that fired again and
// again would keep a core busy. (The processor time of the wait is bench_idle_wait's.)
TEST_F(FtpClientPeer, WaitingOnASilentServerNoSocketWakesTheClient)
{
    client.setTimeOut(2);
    Login();
    peer.On(QStringLiteral("CWD"), [](const QString &) {});
    client.SetCurrentDirectory(QStringLiteral("slow"));
    ASSERT_TRUE(WaitUntil([&] { return peer.CountOf(QStringLiteral("CWD")) == 1; }));
    SocketWakeCounter wakes;
    EXPECT_EQ(probe.Wait(QStringLiteral("OnSetCurrentDirectory")), CFtpClient::arStatusTimeOut);
    EXPECT_EQ(wakes.Count(), 0);
}

TEST_F(FtpClientPeer, CancelOrTimeOutDuringConnectClosesTheConnection)
{
    peer.SetGreeting(QByteArray());
    client.Connect();
    ASSERT_TRUE(WaitUntil([&] { return peer.HasClient() && client.FtpSessionState() == CFtpClient::stConnected; }));
    client.CancelAsyncMethod();
    ASSERT_EQ(probe.completions.size(), 1);
    EXPECT_EQ(probe.Wait(QStringLiteral("OnConnect")), CFtpClient::arStatusCancel);
    EXPECT_EQ(client.FtpSessionState(), CFtpClient::stConnectionClosed);
    EXPECT_TRUE(WaitUntil([&] { return !peer.HasClient(); }));

    client.setTimeOut(1);
    client.Connect();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnConnect")), CFtpClient::arStatusTimeOut);
    EXPECT_EQ(client.FtpSessionState(), CFtpClient::stConnectionClosed);
    EXPECT_TRUE(WaitUntil([&] { return !peer.HasClient(); }));
    peer.SetGreeting("220 ready\r\n");
    client.Connect();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnConnect")));
}

TEST_F(FtpClientPeer, FinalReplyAndDataCloseInEitherOrderCompleteOnce)
{
    Login();
    const QString target = local.filePath(QStringLiteral("out.bin"));
    for (const bool replyFirst : {true, false}) {
        StartDownload(target);
        peer.SendData("payload bytes");
        if (replyFirst) {
            peer.Reply("226 Transfer complete.\r\n");
            ASSERT_TRUE(WaitUntil([&] { return probe.DialogueContains(QStringLiteral("1 226")); }));
            EXPECT_TRUE(probe.NoMoreCompletions());
            peer.CloseData();
        } else {
            peer.CloseData();
            ASSERT_TRUE(WaitUntil([&] { return peer.DataClosedByClient(); }));
            EXPECT_TRUE(probe.NoMoreCompletions());
            peer.Reply("226 Transfer complete.\r\n");
        }
        EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), 0);
        EXPECT_EQ(ReadFile(target), QByteArray("payload bytes"));
        probe.dialogue.clear();
        // A second completion would come before that of the next command.
        client.GetCurrentDirectory();
        EXPECT_EQ(probe.Wait(QStringLiteral("OnGetCurrentDirectory")), 0);
    }
}

TEST_F(FtpClientPeer, PassiveReplyCannotSendTheDataConnectionElsewhere)
{
    Login();
    // A reply naming another host: the data connection still goes to the control peer.
    peer.On(QStringLiteral("PASV"), [this](const QString &) { peer.Reply(peer.PassiveReply("10,99,99,99")); });
    const QString target = local.filePath(QStringLiteral("out.bin"));
    StartDownload(target);
    peer.SendData("from the real server");
    peer.CloseData();
    peer.Reply("226 Transfer complete.\r\n");
    EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), 0);
    EXPECT_EQ(ReadFile(target), QByteArray("from the real server"));

    // Malformed replies end the operation with an error and leave the target alone.
    for (const QByteArray &reply : {QByteArray("227 Entering Passive Mode (127,0,0,1,4).\r\n"),
                                    QByteArray("227 Entering Passive Mode (127,0,0,1,999,1).\r\n"),
                                    QByteArray("227 Entering Passive Mode 127,0,0,1,4,1\r\n")}) {
        peer.On(QStringLiteral("PASV"), [this, reply](const QString &) { peer.Reply(reply); });
        client.DownloadFile(QStringLiteral("file.bin"), target, true);
        EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), 1) << reply.toStdString();
        EXPECT_EQ(client.LastFtpError().Source(), QStringLiteral("CFtpClient.m_objControlSocket_OnDataArrival"));
        EXPECT_EQ(ReadFile(target), QByteArray("from the real server"));
    }
    client.GetCurrentDirectory();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnGetCurrentDirectory")));
}

TEST_F(FtpClientPeer, DroppedTransferNeverReportsSuccessNorTouchesTheTarget)
{
    Login();
    const QString target = local.filePath(QStringLiteral("keep.bin"));
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("precious");
    }
    StartDownload(target);
    peer.SendData(QByteArray(5000, 'x'));
    ASSERT_TRUE(WaitUntil([&] { return !probe.progress.isEmpty(); }));
    peer.DropData();
    peer.Reply("426 Connection closed; transfer aborted.\r\n");
    EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), 1);
    EXPECT_EQ(client.LastFtpError().Number() == 16426 || client.LastFtpError().Number() == 10054, true)
        << client.LastFtpError().Number();
    EXPECT_EQ(ReadFile(target), QByteArray("precious"));

    // The control connection dropped in the middle of a transfer.
    StartDownload(target);
    peer.SendData(QByteArray(5000, 'y'));
    peer.DropControl();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), 1);
    EXPECT_EQ(client.FtpSessionState(), CFtpClient::stConnectionClosed);
    EXPECT_EQ(ReadFile(target), QByteArray("precious"));
    EXPECT_EQ(QDir(local.path()).entryList(QDir::Files), QStringList {QStringLiteral("keep.bin")});
    client.Connect();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnConnect")));
}

TEST_F(FtpClientPeer, RestRefusedLeavesTheLocalFileAsItWas)
{
    Login();
    const QString target = local.filePath(QStringLiteral("part.bin"));
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(1000, 'p'));
    }
    peer.On(QStringLiteral("REST"), [this](const QString &) { peer.Reply("502 Command not implemented.\r\n"); });
    client.DownloadFile(QStringLiteral("file.bin"), target, false);
    EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), 1);
    EXPECT_EQ(client.LastFtpError().Number(), 16502);
    EXPECT_EQ(client.LastFtpError().Description(), QStringLiteral("Command not implemented."));
    EXPECT_EQ(ReadFile(target), QByteArray(1000, 'p'));
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("0 REST 1000")));
}

TEST_F(FtpClientPeer, ActiveModeAcceptsOnlyTheServer)
{
    client.setPassiveMode(false);
    Login();
    QString portArgument;
    peer.On(QStringLiteral("PORT"), [&](const QString &argument) {
        portArgument = argument;
        // A stranger connects first; it must be turned away.
        peer.ConnectForPort(argument, QHostAddress(QStringLiteral("127.0.0.2")));
        peer.Reply("200 PORT command successful.\r\n");
    });
    peer.On(QStringLiteral("LIST"), [this](const QString &) { peer.Reply("150 Here it comes.\r\n"); });
    client.EnumFiles();
    ASSERT_TRUE(WaitUntil([&] { return peer.CountOf(QStringLiteral("LIST")) == 1; }));
    EXPECT_TRUE(portArgument.startsWith(QStringLiteral("127,0,0,1,")));
    ASSERT_TRUE(WaitUntil([&] { return peer.DataClosedByClient(); }));
    EXPECT_TRUE(probe.NoMoreCompletions());

    peer.ConnectForPort(portArgument);
    ASSERT_TRUE(WaitUntil([&] { return peer.DataConnected(); }));
    peer.SendData("drwxr-xr-x 2 a b 4096 Jan 15 12:34 folder\r\n"
                  "-rw-r--r-- 1 a b 5000000000 Jan 15  2020 big file\r\n");
    peer.CloseData();
    peer.Reply("226 Done.\r\n");
    ASSERT_EQ(probe.Wait(QStringLiteral("OnEnumFiles")), 0);
    ASSERT_EQ(client.CurrentDirectoryFiles()->Count(), 2);
    EXPECT_EQ(client.CurrentDirectoryFiles()->Item(2).FileName(), QStringLiteral("big file"));
    EXPECT_EQ(client.CurrentDirectoryFiles()->Item(2).FileSize(), Q_INT64_C(5000000000));
}

TEST_F(FtpClientPeer, ListingInNoKnownFormFailsWith16002)
{
    Login();
    peer.On(QStringLiteral("LIST"), [this](const QString &) { peer.Reply("150 Here it comes.\r\n"); });
    client.EnumFiles();
    ASSERT_TRUE(WaitUntil([&] { return peer.CountOf(QStringLiteral("LIST")) == 1 && peer.DataConnected(); }));
    peer.SendData("just\r\nnames\r\n");
    peer.CloseData();
    peer.Reply("226 Done.\r\n");
    EXPECT_EQ(probe.Wait(QStringLiteral("OnEnumFiles")), 1);
    EXPECT_EQ(client.LastFtpError().Number(), 16002);
    EXPECT_EQ(client.LastFtpError().Description(), QStringLiteral("Unknown listing format."));
    EXPECT_EQ(client.CurrentDirectoryFiles(), nullptr);
    EXPECT_EQ(client.CurrentDirectoryListing(), QStringLiteral("just\r\nnames\r\n"));
}

TEST_F(FtpClientPeer, ListingAnsweredWithRestartMarkerFails)
{
    Login();
    peer.On(QStringLiteral("LIST"), [this](const QString &) { peer.Reply("110 Restart marker.\r\n"); });
    client.EnumFiles();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnEnumFiles")), 1);
    EXPECT_EQ(client.LastFtpError().Number(), 16110);
    EXPECT_EQ(client.LastFtpError().Description(), QString());
    EXPECT_EQ(client.CurrentDirectoryFiles(), nullptr);
}

TEST_F(FtpClientPeer, TimeOutDuringDownloadClosesEverythingAndReportsOnce)
{
    client.setTimeOut(1);
    Login();
    const QString target = local.filePath(QStringLiteral("slow.bin"));
    StartDownload(target);
    peer.SendData(QByteArray(1000, 'z'));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), CFtpClient::arStatusTimeOut);
    EXPECT_TRUE(WaitUntil([&] { return peer.DataClosedByClient(); }));
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(QDir(local.path()).entryList(QDir::Files).isEmpty());
    // The server ends the transfer the client gave up, which lets the PWD go at once.
    peer.Reply("426 Transfer aborted.\r\n");
    client.GetCurrentDirectory();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnGetCurrentDirectory")));
}

// A reply that never ends is not kept: past a sane length the client closes the control
// connection, says so in the protocol log and ends the pending operation with an error.
TEST_F(FtpClientPeer, EndlessReplyClosesTheConnectionWithAnError)
{
    Login();
    peer.On(QStringLiteral("CWD"), [this](const QString &) {
        peer.Reply("250-Here comes a lot\r\n");
        for (int i = 0; i < 400; ++i)
            peer.Reply(" " + QByteArray(1000, 'm') + "\r\n");
    });
    client.SetCurrentDirectory(QStringLiteral("pub"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnSetCurrentDirectory")), CFtpClient::arStatusError);
    EXPECT_EQ(client.LastFtpError().Number(), 10040);
    EXPECT_EQ(client.LastFtpError().Description(), QStringLiteral("Message too long."));
    EXPECT_EQ(client.FtpSessionState(), CFtpClient::stConnectionClosed);
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("2 The server's reply is too long")));
    EXPECT_TRUE(WaitUntil([&] { return !peer.HasClient(); }));

    // The same without any line end, while nothing is pending.
    probe.dialogue.clear();
    Login();
    peer.Reply("220 " + QByteArray(FtpReplyReader::MaxReplyBytes + 10, 'n'));
    EXPECT_TRUE(WaitUntil([&] { return client.FtpSessionState() == CFtpClient::stConnectionClosed; }));
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("2 The server's reply is too long")));
    EXPECT_TRUE(WaitUntil([&] { return !peer.HasClient(); }));
    // A completion of the closed session would come before that of the next one.
    Login();
}

// Some servers never send the final reply of a transfer the client gave up. The session does not
// wait for it for ever: after a grace a NOOP finds where the replies stand, and the next
// operations go on, in both modes.
TEST_F(FtpClientPeer, CancelMidDownloadThenTheSessionGoesOn)
{
    Login();
    const QString target = local.filePath(QStringLiteral("out.bin"));
    for (const bool passive : {true, false}) {
        client.setPassiveMode(passive);
        const int retrs = peer.CountOf(QStringLiteral("RETR"));
        peer.On(QStringLiteral("RETR"), [this](const QString &) { peer.Reply("150 Opening data connection.\r\n"); });
        client.DownloadFile(QStringLiteral("file.bin"), target, true);
        ASSERT_TRUE(WaitUntil([&] { return peer.CountOf(QStringLiteral("RETR")) == retrs + 1 && peer.DataConnected(); }));
        peer.SendData(QByteArray(5000, 'c'));
        ASSERT_TRUE(WaitUntil([&] { return !probe.progress.isEmpty(); }));
        client.CancelAsyncMethod();
        EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), CFtpClient::arStatusCancel);
        EXPECT_TRUE(WaitUntil([&] { return peer.DataClosedByClient(); }));

        const int noops = peer.CountOf(QStringLiteral("NOOP"));
        client.GetCurrentDirectory();
        EXPECT_EQ(probe.Wait(QStringLiteral("OnGetCurrentDirectory")), 0) << (passive ? "passive" : "active");
        EXPECT_EQ(client.CurrentDirectory(), QStringLiteral("/home"));
        EXPECT_EQ(peer.CountOf(QStringLiteral("NOOP")), noops + 1);

        AnswerWithData(QStringLiteral("LIST"), "-rw-r--r-- 1 a b 7 Jan 15 12:34 file.bin\r\n");
        client.EnumFiles();
        ASSERT_EQ(probe.Wait(QStringLiteral("OnEnumFiles")), 0) << (passive ? "passive" : "active");
        EXPECT_EQ(client.CurrentDirectoryFiles()->Count(), 1);

        AnswerWithData(QStringLiteral("RETR"), "content");
        client.DownloadFile(QStringLiteral("file.bin"), target, true);
        EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), 0) << (passive ? "passive" : "active");
        EXPECT_EQ(ReadFile(target), QByteArray("content"));
        probe.progress.clear();
    }
    client.GetCurrentDirectory();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnGetCurrentDirectory")));
}

// A command the server leaves unanswered holds back the next ones only for a grace: then the
// session goes on.
TEST_F(FtpClientPeer, UnansweredCommandHoldsTheNextOnesOnlyForAGrace)
{
    client.setTimeOut(1);
    Login();
    peer.On(QStringLiteral("CWD"), [](const QString &) {});
    client.SetCurrentDirectory(QStringLiteral("slow"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnSetCurrentDirectory")), CFtpClient::arStatusTimeOut);

    client.GetCurrentDirectory();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnGetCurrentDirectory")), 0);
    EXPECT_EQ(client.CurrentDirectory(), QStringLiteral("/home"));
    AnswerWithData(QStringLiteral("LIST"), "");
    client.EnumFiles();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnEnumFiles")), 0);
    const QStringList sent = peer.Commands().mid(peer.Commands().indexOf(QStringLiteral("CWD slow")));
    EXPECT_EQ(sent.first(3), (QStringList {QStringLiteral("CWD slow"), QStringLiteral("NOOP"), QStringLiteral("PWD")}));
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("0 NOOP ")));
    client.GetCurrentDirectory();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnGetCurrentDirectory")));
}

// A server that answers nothing at all, not even NOOP, is left: the client closes the control
// connection, says so, and ends the waiting operation; it does not time out silently at every
// later step.
TEST_F(FtpClientPeer, ServerThatAnswersNothingMoreIsLeftAndTheUserIsTold)
{
    client.setTimeOut(1);
    Login();
    peer.On(QStringLiteral("CWD"), [](const QString &) {});
    peer.On(QStringLiteral("NOOP"), [](const QString &) {});
    client.SetCurrentDirectory(QStringLiteral("slow"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnSetCurrentDirectory")), CFtpClient::arStatusTimeOut);

    client.GetCurrentDirectory();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnGetCurrentDirectory")), CFtpClient::arStatusTimeOut);
    EXPECT_EQ(peer.CountOf(QStringLiteral("PWD")), 1) << "only the login's";
    EXPECT_EQ(client.FtpSessionState(), CFtpClient::stConnectionClosed);
    EXPECT_EQ(client.CurrentMethod(), 0);
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("2 The server has not answered")));
    EXPECT_TRUE(WaitUntil([&] { return !peer.HasClient(); }));
    EXPECT_THROW(client.EnumFiles(), NumberedError);
    client.Connect();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnConnect")));
}

// A data connection that fails, with no final reply from the server either, does not hold the
// session up for good.
TEST_F(FtpClientPeer, FailedDataConnectionWithoutFinalReplyThenTheSessionGoesOn)
{
    Login();
    StartDownload(local.filePath(QStringLiteral("out.bin")));
    peer.SendData(QByteArray(5000, 'f'));
    ASSERT_TRUE(WaitUntil([&] { return !probe.progress.isEmpty(); }));
    peer.DropData();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), CFtpClient::arStatusError);

    client.GetCurrentDirectory();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnGetCurrentDirectory")), 0);
    EXPECT_EQ(client.CurrentDirectory(), QStringLiteral("/home"));
    EXPECT_TRUE(probe.NoMoreCompletions());
}

// Every command announces its session state: the login, a listing (passive), a rename, a resumed
// download (active) and the end of the session.
TEST_F(FtpClientPeer, EachCommandAnnouncesItsSessionState)
{
    using C = CFtpClient;
    QList<qint32> states;
    QObject::connect(&client, &C::OnStateChange, &client, [&](qint32 state) { states.append(state); });
    Login();
    EXPECT_EQ(states, (QList<qint32> {C::stConnecting, C::stConnected, C::stAuthenticating, C::stAuthenticating,
                                      C::stLoggedIn, C::stListing, C::stReady}));

    states.clear();
    AnswerWithData(QStringLiteral("LIST"), "");
    client.EnumFiles();
    ASSERT_EQ(probe.Wait(QStringLiteral("OnEnumFiles")), 0);
    EXPECT_EQ(states, (QList<qint32> {C::stListing, C::stListing, C::stEstablishingDataConnection, C::stListing,
                                      C::stReady}));

    states.clear();
    peer.On(QStringLiteral("RNFR"), [this](const QString &) { peer.Reply("350 Ready for RNTO.\r\n"); });
    peer.On(QStringLiteral("RNTO"), [this](const QString &) { peer.Reply("250 Renamed.\r\n"); });
    client.RenameFile(QStringLiteral("old"), QStringLiteral("new"));
    ASSERT_EQ(probe.Wait(QStringLiteral("OnRenameFile")), 0);
    EXPECT_EQ(states, (QList<qint32> {C::stRenaming, C::stReady, C::stReady}));

    states.clear();
    client.setPassiveMode(false);
    const QString target = local.filePath(QStringLiteral("part.bin"));
    WriteFile(target, "part");
    peer.On(QStringLiteral("REST"), [this](const QString &) { peer.Reply("350 Restarting.\r\n"); });
    AnswerWithData(QStringLiteral("RETR"), " and rest");
    client.DownloadFile(QStringLiteral("file.bin"), target, false);
    ASSERT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), 0);
    EXPECT_EQ(ReadFile(target), QByteArray("part and rest"));
    EXPECT_EQ(states, (QList<qint32> {C::stDownloading, C::stEstablishingDataConnection, C::stDownloading,
                                      C::stDownloading, C::stDownloading, C::stReady}));

    states.clear();
    peer.On(QStringLiteral("QUIT"), [this](const QString &) { peer.Reply("221 Bye.\r\n"); });
    client.QuitSession();
    ASSERT_EQ(probe.Wait(QStringLiteral("OnQuitSession")), 0);
    EXPECT_TRUE(WaitUntil([&] { return states.endsWith(C::stConnectionClosed); }));
    EXPECT_EQ(states, (QList<qint32> {C::stQuitting, C::stReady, C::stConnectionClosed}));
}

namespace
{
// A command of a transfer that answers 200 as NOOP does, left unanswered until its operation
// timed out; the next command waits for its reply, and after a grace a NOOP goes out.
struct GivenUpCommand
{
    const char *command;
    bool passive;
};

void PrintTo(const GivenUpCommand &given, std::ostream *out)
{
    *out << given.command << (given.passive ? " passive" : " active");
}

class FtpClientPeerGivenUp : public FtpClientPeer, public ::testing::WithParamInterface<GivenUpCommand>
{
protected:
    void GiveUpAListing()
    {
        client.setTimeOut(1);
        client.setPassiveMode(GetParam().passive);
        Login();
        peer.On(command, [](const QString &) {});
        client.EnumFiles();
        ASSERT_EQ(probe.Wait(QStringLiteral("OnEnumFiles")), CFtpClient::arStatusTimeOut);
    }

    // The command words sent from the given-up command on.
    std::string SentSinceGivenUp() const
    {
        QStringList words;
        for (const QString &line : peer.Commands())
            words.append(line.section(u' ', 0, 0));
        return words.mid(words.lastIndexOf(command)).join(u' ').toStdString();
    }

    const QString command = QLatin1String(GetParam().command);
};
}

// The server answers the given-up command only when the NOOP comes: the first 200 is the given-up
// command's, and the waiting command goes only after the second, the NOOP's.
TEST_P(FtpClientPeerGivenUp, ItsLateReplyIsNotTakenForTheNoopsNorTheNextCommands)
{
    GiveUpAListing();
    peer.On(QStringLiteral("NOOP"), [this](const QString &) {
        peer.Reply("200 " + command.toLatin1() + " command successful.\r\n");
        peer.Reply("200 NOOP ok.\r\n");
    });
    client.GetCurrentDirectory();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnGetCurrentDirectory")), 0) << client.LastFtpError().Number();
    EXPECT_EQ(client.CurrentDirectory(), QStringLiteral("/home"));
    EXPECT_EQ(SentSinceGivenUp(), command.toStdString() + " NOOP PWD");
    EXPECT_TRUE(probe.NoMoreCompletions());
}

// The server never answers the given-up command: the one 200 that comes may be its reply or the
// NOOP's. The client does not guess: it closes the control connection and says so.
TEST_P(FtpClientPeerGivenUp, WhenNoReplyCanBeToldForTheNoopsTheConnectionIsClosed)
{
    GiveUpAListing();
    client.GetCurrentDirectory();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnGetCurrentDirectory")), CFtpClient::arStatusTimeOut);
    EXPECT_EQ(SentSinceGivenUp(), command.toStdString() + " NOOP");
    EXPECT_EQ(client.FtpSessionState(), CFtpClient::stConnectionClosed);
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("2 The server has not answered")));
    EXPECT_TRUE(WaitUntil([&] { return !peer.HasClient(); }));
    client.Connect();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnConnect")));
}

INSTANTIATE_TEST_SUITE_P(CommandsAnswering200, FtpClientPeerGivenUp,
                         ::testing::Values(GivenUpCommand {"TYPE", true}, GivenUpCommand {"TYPE", false},
                                           GivenUpCommand {"PORT", false}),
                         [](const ::testing::TestParamInfo<GivenUpCommand> &info) {
                             return std::string(info.param.command) + (info.param.passive ? "Passive" : "Active");
                         });
