// A download onto a full disk, against a real FTP server on 127.0.0.1: the target keeps what it
// held and the download fails with the file-access error.
#include "FtpClientProbe.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/FullFileSystem.h"

#include "ftp/CFtpClient.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// A server holding small.txt (2000 bytes), large.bin (40000) and part.bin (12000), and a
// client logged in to it, in the mode the case asks for.
class FtpDownloadOnFullDisk : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        if (!disk.Mounted())
            GTEST_SKIP() << disk.Why().toStdString();
        ASSERT_TRUE(server.Start());
        WriteFile(server.PathOf(QStringLiteral("small.txt")), QByteArray(2000, 's'));
        WriteFile(server.PathOf(QStringLiteral("large.bin")), QByteArray(40000, 'l'));
        WriteFile(server.PathOf(QStringLiteral("part.bin")), QByteArray(12000, 'p'));
        AimAtServer(client, server.Port(), GetParam());
        client.Connect();
        ASSERT_EQ(probe.Wait(QStringLiteral("OnConnect")), CFtpClient::arStatusOk);
    }

    QStringList DiskFiles() const { return QDir(disk.Path()).entryList(QDir::Files | QDir::Hidden); }

    FullFileSystem disk{64};
    FtpTestServer server;
    CFtpClient client;
    FtpClientProbe probe{client};
};

} // namespace

TEST_P(FtpDownloadOnFullDisk, ANewFileLeavesTheTargetAsItWas)
{
    const QString target = disk.FilePath(QStringLiteral("small.txt"));
    WriteFile(target, "the old content");
    ASSERT_TRUE(disk.LeaveFree(0));

    for (const QString &remote : {QStringLiteral("small.txt"), QStringLiteral("large.bin")}) {
        client.DownloadFile(remote, target, true);
        EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), CFtpClient::arStatusError) << remote.toStdString();
        EXPECT_EQ(client.LastFtpError().Number(), 75) << remote.toStdString();
        EXPECT_EQ(ReadFile(target), QByteArray("the old content")) << remote.toStdString();
        EXPECT_EQ(DiskFiles(), QStringList({QStringLiteral("filler"), QStringLiteral("small.txt")}));
    }
}

// 4096 bytes held of 12000: not one more byte fits, so the file keeps exactly what it held and
// the download reports that it failed.
TEST_P(FtpDownloadOnFullDisk, AResumedFileThatCannotGrowFailsAndKeepsWhatItHeld)
{
    const QString target = disk.FilePath(QStringLiteral("part.bin"));
    WriteFile(target, QByteArray(4096, 'p'));
    ASSERT_TRUE(disk.LeaveFree(0));

    client.DownloadFile(QStringLiteral("part.bin"), target, false);
    EXPECT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), CFtpClient::arStatusError);
    EXPECT_EQ(client.LastFtpError().Number(), 75);
    EXPECT_TRUE(client.LastFtpError().Description().contains(QStringLiteral("Path/File access error")))
        << client.LastFtpError().Description().toStdString();
    EXPECT_EQ(ReadFile(target), QByteArray(4096, 'p'));
    EXPECT_EQ(DiskFiles(), QStringList({QStringLiteral("filler"), QStringLiteral("part.bin")}));
}

INSTANTIATE_TEST_SUITE_P(PassiveAndActive, FtpDownloadOnFullDisk, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "Passive" : "Active"; });
