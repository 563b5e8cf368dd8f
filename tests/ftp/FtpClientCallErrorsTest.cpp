// Errors raised at call time, with their numbers, texts and sources.
#include "FtpClientProbe.h"
#include "tests/support/FakeFtpPeer.h"

#include "ftp/CFtpClient.h"
#include "platform/NumberedError.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace
{
// The error a call throws; number 0 when it throws none.
NumberedError ErrorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const NumberedError &error) {
        return error;
    }
    return NumberedError(0, QString(), QString());
}
}

TEST(FtpClientCallErrors, NeverConnectedClientRefusesCommandsWith16008)
{
    CFtpClient client;
    FtpClientProbe probe(client);
    const NumberedError error = ErrorOf([&] { client.SetCurrentDirectory(QStringLiteral("pub")); });
    EXPECT_EQ(error.Number(), 16008);
    EXPECT_EQ(error.Source(), QStringLiteral("CFtpClient.SendFtpCommand"));
    EXPECT_EQ(error.Description(), QStringLiteral("CFtpClient.SetCurrentDirectory failed: CFtpClient.SendFtpCommand "
                                                  "failed: The connection is not established."));
    EXPECT_EQ(client.CurrentMethod(), 0);
    EXPECT_EQ(ErrorOf([&] { client.EnumFiles(); }).Number(), 16008);
    EXPECT_EQ(client.CurrentMethod(), 0);
    client.CancelAsyncMethod();
    EXPECT_EQ(client.FtpSessionState(), CFtpClient::stConnectionClosed);
    EXPECT_TRUE(probe.completions.isEmpty());
}

TEST(FtpClientCallErrors, EmptyServerBadPropertyAndBadArguments)
{
    CFtpClient client;
    NumberedError error = ErrorOf([&] { client.Connect(); });
    EXPECT_EQ(error.Number(), 380);
    EXPECT_EQ(error.Source(), QStringLiteral("CFtpClient.Connect"));
    EXPECT_EQ(error.Description(), QStringLiteral("CFtpClient.Connect failed: Invalid property value."));

    error = ErrorOf([&] { client.setSendBufferLenght(511); });
    EXPECT_EQ(error.Number(), 380);
    EXPECT_EQ(error.Source(), QStringLiteral("CFtpClient.SendBufferLenght"));
    EXPECT_EQ(error.Description(), QStringLiteral("Invalid property value."));
    EXPECT_EQ(ErrorOf([&] { client.setSendBufferLenght(8193); }).Number(), 380);
    EXPECT_EQ(client.SendBufferLenght(), 1460);
    client.setSendBufferLenght(512);
    client.setSendBufferLenght(8192);
    EXPECT_EQ(client.SendBufferLenght(), 8192);
    client.setRemotePort(70000);
    EXPECT_EQ(client.RemotePort(), 21);

    error = ErrorOf([&] { client.DownloadFile(QStringLiteral("a"), QString(), true); });
    EXPECT_EQ(error.Number(), 5);
    EXPECT_EQ(error.Source(), QStringLiteral("CFtpClient.DownloadFile"));
    EXPECT_EQ(error.Description(), QStringLiteral("CFtpClient.DownloadFile failed: Invalid procedure call or argument"));
    // A line break would smuggle a second command onto the control connection.
    EXPECT_EQ(ErrorOf([&] { client.SetCurrentDirectory(QStringLiteral("a\r\nDELE b")); }).Number(), 5);
    EXPECT_EQ(ErrorOf([&] { client.RenameFile(QStringLiteral("a"), QStringLiteral("b\nc")); }).Number(), 5);
    client.setFtpServer(QStringLiteral("127.0.0.1"));
    client.setPassword(QStringLiteral("x\r\nDELE y"));
    EXPECT_EQ(ErrorOf([&] { client.Connect(); }).Number(), 5);
}

TEST(FtpClientCallErrors, SecondOperationWhileOneIsPendingGets16007)
{
    FakeFtpPeer peer;
    peer.On(QStringLiteral("CWD"), [](const QString &) {});
    CFtpClient client;
    FtpClientProbe probe(client);
    client.setFtpServer(QStringLiteral("127.0.0.1"));
    client.setRemotePort(peer.Port());
    client.Connect();
    ASSERT_EQ(probe.Wait(QStringLiteral("OnConnect")), 0);

    client.SetCurrentDirectory(QStringLiteral("pending"));
    const NumberedError error = ErrorOf([&] { client.SetCurrentDirectory(QStringLiteral("again")); });
    EXPECT_EQ(error.Number(), 16007);
    EXPECT_EQ(error.Source(), QStringLiteral("CFtpClient.SetCurrentDirectory"));
    EXPECT_EQ(error.Description(), QStringLiteral("CFtpClient.SetCurrentDirectory failed: Cannot execute the current "
                                                  "request. Waiting for the server response on the previous request."));
    EXPECT_EQ(ErrorOf([&] { client.GetCurrentDirectory(); }).Number(), 16007);
    // The pending operation is untouched and still completes once.
    EXPECT_EQ(client.CurrentMethod(), CFtpClient::ftpSetCurrentDirectory);
    peer.Reply("250 OK\r\n");
    EXPECT_EQ(probe.Wait(QStringLiteral("OnSetCurrentDirectory")), 0);
    client.GetCurrentDirectory();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnGetCurrentDirectory")));
}

// A time-out too long for the timer is refused when an operation starts; the refused call leaves
// the client as it was, so the next call with a sane time-out goes through.
TEST(FtpClientCallErrors, RefusedTimeOutLeavesTheClientAsItWas)
{
    FakeFtpPeer peer;
    CFtpClient client;
    FtpClientProbe probe(client);
    client.setFtpServer(QStringLiteral("127.0.0.1"));
    client.setRemotePort(peer.Port());
    client.setTimeOut(3000000);
    NumberedError error = ErrorOf([&] { client.Connect(); });
    EXPECT_EQ(error.Number(), 6);
    EXPECT_EQ(error.Description(), QStringLiteral("CFtpClient.Connect failed: Overflow"));
    EXPECT_EQ(client.CurrentMethod(), 0);
    EXPECT_EQ(client.FtpSessionState(), CFtpClient::stConnectionClosed);
    EXPECT_FALSE(client.Busy());
    EXPECT_EQ(client.UserName(), QString());

    client.setTimeOut(20);
    client.Connect();
    ASSERT_EQ(probe.Wait(QStringLiteral("OnConnect")), 0);
    EXPECT_EQ(probe.dialogue.filter(QStringLiteral("Fake server ready")).size(), 1)
        << "the refused call opened no connection";
    const qsizetype messages = probe.dialogue.size();

    peer.On(QStringLiteral("CWD"), [&peer](const QString &) { peer.Reply("550 No such directory.\r\n"); });
    client.SetCurrentDirectory(QStringLiteral("missing"));
    ASSERT_EQ(probe.Wait(QStringLiteral("OnSetCurrentDirectory")), 1);
    ASSERT_EQ(client.LastFtpError().Number(), 16550);
    client.setTimeOut(3000000);
    for (const auto &call : std::vector<std::function<void()>> {
             [&] { client.SetCurrentDirectory(QStringLiteral("pub")); }, [&] { client.GetCurrentDirectory(); },
             [&] { client.EnumFiles(); }, [&] { client.DownloadFile(QStringLiteral("a"), QStringLiteral("b"), true); },
             [&] { client.QuitSession(); }}) {
        EXPECT_EQ(ErrorOf(call).Number(), 6);
        EXPECT_EQ(client.CurrentMethod(), 0);
        EXPECT_EQ(client.FtpSessionState(), CFtpClient::stReady);
        EXPECT_EQ(client.LastFtpError().Number(), 16550);
    }
    EXPECT_EQ(probe.dialogue.size(), messages + 2) << "only the refused CWD was sent";

    client.setTimeOut(20);
    client.GetCurrentDirectory();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnGetCurrentDirectory")), 0);
    EXPECT_TRUE(probe.NoMoreCompletions());
}
