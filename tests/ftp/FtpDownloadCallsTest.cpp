// A download's file seen through the system calls it makes (this binary stands between them and
// the system), against a real FTP server on 127.0.0.1: a new file is written beside the target
// under a save's name, synced, renamed in place and its folder synced; a resumed one is synced.
#include "FtpClientProbe.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/InterposedCalls.h"

#include "ftp/CFtpClient.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class FtpDownloadCalls : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(local.isValid());
        ASSERT_TRUE(server.Start());
        WriteFile(server.PathOf(QStringLiteral("file.bin")), QByteArray(12000, 'f'));
        AimAtServer(client, server.Port(), true);
        client.Connect();
        ASSERT_EQ(probe.Wait(QStringLiteral("OnConnect")), CFtpClient::arStatusOk);
        InterposedCalls::Reset();
    }
    void TearDown() override { InterposedCalls::Reset(); }

    QString Folder() const { return QFileInfo(local.path()).canonicalFilePath(); }
    std::string Log() const { return InterposedCalls::Log().join(u'\n').toStdString(); }

    QTemporaryDir local;
    FtpTestServer server;
    CFtpClient client;
    FtpClientProbe probe{client};
};

} // namespace

TEST_F(FtpDownloadCalls, ANewFileIsSyncedRenamedInPlaceAndItsFolderSynced)
{
    const QString target = local.filePath(QStringLiteral("file.bin"));
    WriteFile(local.filePath(QStringLiteral("file.bin.kestrelvue-save-Ab3xYz")), "cut short");

    client.DownloadFile(QStringLiteral("file.bin"), target, true);
    ASSERT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), CFtpClient::arStatusOk);

    EXPECT_EQ(ReadFile(target), QByteArray(12000, 'f'));
    EXPECT_EQ(FileNames(local.path()), "file.bin") << "a stray of the target's goes too";
    const QStringList log = InterposedCalls::Log();
    const qsizetype synced = log.indexOf(QRegularExpression(
        QRegularExpression::anchoredPattern(QRegularExpression::escape(u"fsync "_qs + Folder() + u"/file.bin.kestrelvue-save-"_qs)
                                            + u"[A-Za-z0-9]{6}"_qs)));
    const qsizetype renamed = log.indexOf(u"rename "_qs + target);
    const qsizetype folderSynced = log.indexOf(u"fsync folder "_qs + Folder());
    EXPECT_GE(synced, 0) << Log();
    EXPECT_GT(renamed, synced) << Log();
    EXPECT_GT(folderSynced, renamed) << Log();
}

TEST_F(FtpDownloadCalls, AResumedFileIsSyncedBeforeTheDownloadSucceeds)
{
    const QString target = local.filePath(QStringLiteral("file.bin"));
    WriteFile(target, QByteArray(4096, 'f'));

    client.DownloadFile(QStringLiteral("file.bin"), target, false);
    ASSERT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), CFtpClient::arStatusOk);

    EXPECT_EQ(ReadFile(target), QByteArray(12000, 'f'));
    EXPECT_TRUE(InterposedCalls::Log().contains(u"fsync "_qs + Folder() + u"/file.bin"_qs)) << Log();
}
