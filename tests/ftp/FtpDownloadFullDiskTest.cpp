// A download onto a full disk, against a real FTP server on 127.0.0.1: the target keeps what it
// held and the download fails.
#include "FtpClientProbe.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/FullFileSystem.h"

#include "ftp/CFtpClient.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(FtpDownloadOnFullDisk, TheTargetKeepsWhatItHeldAndTheDownloadFails)
{
    FullFileSystem disk(64);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why().toStdString();
    FtpTestServer server;
    ASSERT_TRUE(server.Start());
    WriteFile(server.PathOf(QStringLiteral("small.txt")), QByteArray(2000, 's'));
    WriteFile(server.PathOf(QStringLiteral("large.bin")), QByteArray(40000, 'l'));
    const QString target = disk.FilePath(QStringLiteral("small.txt"));
    WriteFile(target, "the old content");
    ASSERT_TRUE(disk.LeaveFree(0));

    CFtpClient client;
    FtpClientProbe probe {client};
    client.setFtpServer(QStringLiteral("127.0.0.1"));
    client.setRemotePort(server.Port());
    client.setTimeOut(20);
    client.setUserName(QStringLiteral("tester"));
    client.setPassword(QStringLiteral("secret"));
    client.Connect();
    ASSERT_EQ(probe.Wait(QStringLiteral("OnConnect")), CFtpClient::arStatusOk);

    for (const QString &remote : {QStringLiteral("small.txt"), QStringLiteral("large.bin")}) {
        client.DownloadFile(remote, target, true);
        EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), CFtpClient::arStatusError) << remote.toStdString();
        EXPECT_EQ(ReadFile(target), QByteArray("the old content")) << remote.toStdString();
        EXPECT_EQ(QDir(disk.Path()).entryList(QDir::Files), QStringList({QStringLiteral("filler"), QStringLiteral("small.txt")}));
    }
}
