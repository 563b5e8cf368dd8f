// The client against a real FTP server on 127.0.0.1.
#include "FtpClientProbe.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FtpTestServer.h"

#include "ftp/CFtpClient.h"
#include "platform/NumberedError.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{
QByteArray RandomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(42);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(generator.bounded(256));
    return bytes;
}

class FtpClientServer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Start());
        ASSERT_TRUE(local.isValid());
        client.setFtpServer(QStringLiteral("127.0.0.1"));
        client.setRemotePort(server.Port());
        client.setTimeOut(20);
    }

    void Login(const QString &user = QStringLiteral("tester"), const QString &password = QStringLiteral("secret"))
    {
        client.setUserName(user);
        client.setPassword(password);
        client.Connect();
        ASSERT_EQ(probe.Wait(QStringLiteral("OnConnect")), CFtpClient::arStatusOk)
            << client.LastFtpError().Description().toStdString();
    }

    void Download(const QString &remote, const QString &localPath, bool overWrite, qint32 expected = 0)
    {
        client.DownloadFile(remote, localPath, overWrite);
        EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), expected)
            << client.LastFtpError().Description().toStdString();
    }

    FtpTestServer server;
    QTemporaryDir local;
    CFtpClient client;
    FtpClientProbe probe {client};
};
}

TEST_F(FtpClientServer, NamedUserLogsInAndLearnsTheDirectory)
{
    Login();
    EXPECT_EQ(client.CurrentDirectory(), QStringLiteral("/"));
    EXPECT_FALSE(client.Busy());
    // The server took the password; the log shows it masked.
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("0 PASS ****")));
    EXPECT_FALSE(probe.DialogueContains(QStringLiteral("secret")));
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("1 230")));
    client.GetCurrentDirectory();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnGetCurrentDirectory")));
}

TEST_F(FtpClientServer, EmptyUserNameLogsInAnonymouslyToAHostByName)
{
    client.setFtpServer(QStringLiteral("localhost"));
    Login(QString(), QString());
    EXPECT_EQ(client.UserName(), QStringLiteral("anonymous"));
    EXPECT_EQ(client.Password().size(), 20);
    EXPECT_TRUE(client.Password().contains(u'@'));
}

TEST_F(FtpClientServer, WrongPasswordIsRefusedAndTheConnectionCloses)
{
    client.setUserName(QStringLiteral("tester"));
    client.setPassword(QStringLiteral("wrong"));
    client.Connect();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnConnect")), CFtpClient::arStatusError);
    EXPECT_EQ(client.LastFtpError().Number(), 16530);
    EXPECT_EQ(client.LastFtpError().Description(), QStringLiteral("Not logged in."));
    EXPECT_EQ(client.LastFtpError().Source(), QStringLiteral("Quillstone.CFtpClient"));
    EXPECT_TRUE(WaitUntil([&] { return client.FtpSessionState() == CFtpClient::stConnectionClosed; }));
    client.setPassword(QStringLiteral("secret"));
    client.Connect();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnConnect")));
}

TEST_F(FtpClientServer, UnreachablePortAndUnknownHostFail)
{
    QTcpServer probePort;
    ASSERT_TRUE(probePort.listen(QHostAddress::LocalHost, 0));
    const quint16 closedPort = probePort.serverPort();
    probePort.close();
    client.setRemotePort(closedPort);
    client.Connect();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnConnect")), CFtpClient::arStatusError);
    EXPECT_EQ(client.LastFtpError().Number(), 10061);
    EXPECT_EQ(client.FtpSessionState(), CFtpClient::stConnectionClosed);

    // A name with an empty label is refused by the resolver without asking any name server.
    client.setFtpServer(QStringLiteral("no-such-host..invalid"));
    bool thrown = false;
    try {
        client.Connect();
    } catch (const NumberedError &error) {
        thrown = true;
        EXPECT_NE(error.Number(), 0);
        EXPECT_TRUE(error.Description().startsWith(QStringLiteral("CFtpClient.Connect failed: ")));
    }
    if (!thrown) {
        EXPECT_EQ(probe.Wait(QStringLiteral("OnConnect")), CFtpClient::arStatusError);
        EXPECT_NE(client.LastFtpError().Number(), 0);
    }
    EXPECT_EQ(client.FtpSessionState(), CFtpClient::stConnectionClosed);
    client.setFtpServer(QStringLiteral("127.0.0.1"));
    client.setRemotePort(server.Port());
    client.Connect();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnConnect")));
}

TEST_F(FtpClientServer, DirectoryCommandsAndListingsInBothModes)
{
    ASSERT_TRUE(QDir(server.Root()).mkpath(QStringLiteral("sub dir/inner")));
    WriteFile(server.PathOf(QStringLiteral("sub dir/a file.txt")), "hello");
    WriteFile(server.PathOf(QStringLiteral("sub dir/b.bin")), RandomBytes(3000));
    Login();

    client.SetCurrentDirectory(QStringLiteral("sub dir"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnSetCurrentDirectory")), 0);
    client.GetCurrentDirectory();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnGetCurrentDirectory")), 0);
    EXPECT_EQ(client.CurrentDirectory(), QStringLiteral("/sub dir"));

    for (const bool passive : {true, false}) {
        client.setPassiveMode(passive);
        QList<qint32> states;
        auto connection = QObject::connect(&client, &CFtpClient::OnDataTransferProgress, &client,
                                           [&] { states.append(client.FtpSessionState()); });
        client.EnumFiles();
        EXPECT_TRUE(client.DataTransferInProgress());
        ASSERT_EQ(probe.Wait(QStringLiteral("OnEnumFiles")), 0) << client.LastFtpError().Description().toStdString();
        QObject::disconnect(connection);
        ASSERT_NE(client.CurrentDirectoryFiles(), nullptr);
        const CFtpFiles &files = *client.CurrentDirectoryFiles();
        ASSERT_EQ(files.Count(), 3) << client.CurrentDirectoryListing().toStdString();
        QStringList names;
        for (const CFtpFile &file : files) {
            names.append(file.FileName());
            if (file.FileName() == u"b.bin")
                EXPECT_EQ(file.FileSize(), 3000);
            EXPECT_EQ(file.IsDirectory(), file.FileName() == u"inner");
        }
        names.sort();
        EXPECT_EQ(names, (QStringList {QStringLiteral("a file.txt"), QStringLiteral("b.bin"), QStringLiteral("inner")}));
        ASSERT_FALSE(states.isEmpty());
        EXPECT_EQ(states.first(), CFtpClient::stListing);
        EXPECT_FALSE(client.DataTransferInProgress());
    }
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("0 PASV")));
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("0 PORT 127,0,0,1,")));

    client.SetCurrentDirectory(QStringLiteral("missing"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnSetCurrentDirectory")), 1);
    EXPECT_EQ(client.LastFtpError().Number(), 16550);
    client.GetCurrentDirectory();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnGetCurrentDirectory")));
}

TEST_F(FtpClientServer, DownloadsAndUploadsAreByteForByteInBothModes)
{
    const QByteArray text = "line one\r\nline two\nline three\r\n";
    const QByteArray binary = RandomBytes(3 * 1024 * 1024 + 17);
    WriteFile(server.PathOf(QStringLiteral("text.txt")), text);
    WriteFile(server.PathOf(QStringLiteral("binary.bin")), binary);
    Login();

    for (const bool passive : {true, false}) {
        client.setPassiveMode(passive);
        const QString tag = passive ? QStringLiteral("p") : QStringLiteral("a");
        const QString textCopy = local.filePath(tag + QStringLiteral("text.txt"));
        const QString binaryCopy = local.filePath(tag + QStringLiteral("binary.bin"));
        Download(QStringLiteral("text.txt"), textCopy, true);
        EXPECT_EQ(ReadFile(textCopy), text);
        probe.progress.clear();
        Download(QStringLiteral("binary.bin"), binaryCopy, true);
        EXPECT_EQ(ReadFile(binaryCopy), binary);
        ASSERT_FALSE(probe.progress.isEmpty());
        EXPECT_EQ(probe.progress.last(), binary.size());

        client.UploadFile(binaryCopy, tag + QStringLiteral("up.bin"));
        EXPECT_EQ(probe.Wait(QStringLiteral("OnUploadFile")), 0) << client.LastFtpError().Description().toStdString();
        EXPECT_EQ(ReadFile(server.PathOf(tag + QStringLiteral("up.bin"))), binary);
        client.UploadFile(textCopy, tag + QStringLiteral("up.txt"));
        EXPECT_EQ(probe.Wait(QStringLiteral("OnUploadFile")), 0) << client.LastFtpError().Description().toStdString();
        EXPECT_EQ(ReadFile(server.PathOf(tag + QStringLiteral("up.txt"))), text);
    }
    client.GetCurrentDirectory();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnGetCurrentDirectory")));
}

TEST_F(FtpClientServer, UploadGoesInBlocksAndAnEmptyFileUploads)
{
    const QByteArray bytes = RandomBytes(3000);
    WriteFile(local.filePath(QStringLiteral("three.bin")), bytes);
    WriteFile(local.filePath(QStringLiteral("empty.bin")), QByteArray());
    Login();
    client.setPassiveMode(true);
    client.UploadFile(local.filePath(QStringLiteral("three.bin")), QStringLiteral("three.bin"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnUploadFile")), 0);
    EXPECT_EQ(probe.progress, (QList<qint64> {1460, 2920, 3000}));
    EXPECT_EQ(ReadFile(server.PathOf(QStringLiteral("three.bin"))), bytes);

    client.UploadFile(local.filePath(QStringLiteral("empty.bin")), QStringLiteral("empty.bin"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnUploadFile")), 0);
    EXPECT_TRUE(QFile::exists(server.PathOf(QStringLiteral("empty.bin"))));
    EXPECT_EQ(ReadFile(server.PathOf(QStringLiteral("empty.bin"))), QByteArray());

    // An upload that starts part-way continues the remote file there.
    WriteFile(server.PathOf(QStringLiteral("half.bin")), bytes.left(1000));
    client.setPassiveMode(false);
    client.UploadFile(local.filePath(QStringLiteral("three.bin")), QStringLiteral("half.bin"), 1000);
    EXPECT_EQ(probe.Wait(QStringLiteral("OnUploadFile")), 0) << client.LastFtpError().Description().toStdString();
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("0 REST 1000")));
    EXPECT_EQ(ReadFile(server.PathOf(QStringLiteral("half.bin"))), bytes);

    client.UploadFile(local.filePath(QStringLiteral("missing.bin")), QStringLiteral("missing.bin"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnUploadFile")), 1);
    EXPECT_EQ(client.LastFtpError().Number(), 75);
    client.GetCurrentDirectory();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnGetCurrentDirectory")));
}

TEST_F(FtpClientServer, ResumeContinuesTheLocalFileWithRest)
{
    const QByteArray bytes = RandomBytes(200000);
    WriteFile(server.PathOf(QStringLiteral("resume.bin")), bytes);
    const QString target = local.filePath(QStringLiteral("resume.bin"));
    WriteFile(target, bytes.left(1000));
    Login();
    client.setPassiveMode(true);
    Download(QStringLiteral("resume.bin"), target, false);
    EXPECT_EQ(ReadFile(target), bytes);
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("0 REST 1000")));
    ASSERT_FALSE(probe.progress.isEmpty());
    EXPECT_GT(probe.progress.first(), 1000);
    EXPECT_EQ(probe.progress.last(), bytes.size());

    // Overwriting replaces whatever was there.
    WriteFile(target, "something else entirely, longer than nothing");
    probe.dialogue.clear();
    Download(QStringLiteral("resume.bin"), target, true);
    EXPECT_EQ(ReadFile(target), bytes);
    EXPECT_FALSE(probe.DialogueContains(QStringLiteral("REST")));
}

TEST_F(FtpClientServer, FilesOverFourGigabytesListAndResume)
{
    const qint64 size = Q_INT64_C(5) * 1024 * 1024 * 1024 + 123;
    const QByteArray tail = "the last bytes of a very large file";
    {
        QFile remote(server.PathOf(QStringLiteral("huge.bin")));
        ASSERT_TRUE(remote.open(QIODevice::WriteOnly));
        ASSERT_TRUE(remote.resize(size));
        ASSERT_TRUE(remote.seek(size - tail.size()));
        ASSERT_EQ(remote.write(tail), tail.size());
    }
    const QString target = local.filePath(QStringLiteral("huge.bin"));
    {
        QFile partial(target);
        ASSERT_TRUE(partial.open(QIODevice::WriteOnly));
        ASSERT_TRUE(partial.resize(size - tail.size()));
    }
    Login();
    client.setPassiveMode(true);
    client.EnumFiles();
    ASSERT_EQ(probe.Wait(QStringLiteral("OnEnumFiles")), 0);
    ASSERT_EQ(client.CurrentDirectoryFiles()->Count(), 1);
    EXPECT_EQ(client.CurrentDirectoryFiles()->Item(1).FileSize(), size);

    Download(QStringLiteral("huge.bin"), target, false);
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("0 REST ") + QString::number(size - tail.size())));
    EXPECT_EQ(probe.progress.last(), size);
    QFile result(target);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(result.size(), size);
    ASSERT_TRUE(result.seek(size - tail.size()));
    EXPECT_EQ(result.readAll(), tail);
}

TEST_F(FtpClientServer, CancelEndsTheDownloadAtOnceAndKeepsTheTarget)
{
    WriteFile(server.PathOf(QStringLiteral("big.bin")), RandomBytes(64 * 1024 * 1024));
    const QString target = local.filePath(QStringLiteral("big.bin"));
    WriteFile(target, "the old content");
    Login();
    for (const bool passive : {true, false}) {
        client.setPassiveMode(passive);
        probe.progress.clear();
        bool cancelled = false;
        auto connection = QObject::connect(&client, &CFtpClient::OnDataTransferProgress, &client, [&] {
            if (cancelled)
                return;
            cancelled = true;
            const qsizetype before = probe.completions.size();
            client.CancelAsyncMethod();
            // The completion event came before CancelAsyncMethod returned.
            ASSERT_EQ(probe.completions.size(), before + 1);
            EXPECT_EQ(probe.completions.last(), qMakePair(QStringLiteral("OnDownloadFile"), 3));
        });
        client.DownloadFile(QStringLiteral("big.bin"), target, true);
        EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), CFtpClient::arStatusCancel);
        QObject::disconnect(connection);
        EXPECT_EQ(client.CurrentMethod(), 0);
        EXPECT_EQ(ReadFile(target), QByteArray("the old content"));
        EXPECT_EQ(QDir(local.path()).entryList(QDir::Files), QStringList {QStringLiteral("big.bin")});

        // The client is usable afterwards: the next reply read is the next command's.
        client.GetCurrentDirectory();
        EXPECT_EQ(probe.Wait(QStringLiteral("OnGetCurrentDirectory")), 0)
            << client.LastFtpError().Description().toStdString();
        EXPECT_EQ(client.CurrentDirectory(), QStringLiteral("/"));
    }
    WriteFile(server.PathOf(QStringLiteral("small.txt")), "small");
    Download(QStringLiteral("small.txt"), target, true);
    EXPECT_EQ(ReadFile(target), QByteArray("small"));
    client.GetCurrentDirectory();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnGetCurrentDirectory")));
}

TEST_F(FtpClientServer, FileCommandsAndQuit)
{
    WriteFile(server.PathOf(QStringLiteral("old.txt")), "x");
    Login();
    client.CreateDirectory(QStringLiteral("made"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnCreateDirectory")), 0);
    EXPECT_TRUE(QFileInfo(server.PathOf(QStringLiteral("made"))).isDir());
    client.RemoveDirectory(QStringLiteral("made"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnRemoveDirectory")), 0);
    client.RenameFile(QStringLiteral("old.txt"), QStringLiteral("new name.txt"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnRenameFile")), 0);
    EXPECT_TRUE(QFile::exists(server.PathOf(QStringLiteral("new name.txt"))));
    client.DeleteFile(QStringLiteral("new name.txt"));
    EXPECT_EQ(probe.Wait(QStringLiteral("OnDeleteFile")), 0);
    EXPECT_FALSE(QFile::exists(server.PathOf(QStringLiteral("new name.txt"))));
    client.QuitSession();
    EXPECT_EQ(probe.Wait(QStringLiteral("OnQuitSession")), 0);
    EXPECT_TRUE(WaitUntil([&] { return client.FtpSessionState() == CFtpClient::stConnectionClosed; }));
    client.Connect();
    EXPECT_TRUE(probe.NoMoreCompletionsBefore(QStringLiteral("OnConnect")));
}
