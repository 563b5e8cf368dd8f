// Names that are not UTF-8: shown one byte per character, sent back as the server's bytes.
#include "FtpClientProbe.h"
#include "tests/support/FakeFtpPeer.h"

#include "ftp/CFtpClient.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{
class FtpClientServerNames : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AimAtPeer(client, peer.Port());
        client.Connect();
        ASSERT_EQ(probe.Wait(QStringLiteral("OnConnect")), 0);
    }

    // Lists a folder holding "café.txt" written in Latin-1, "rép" likewise and "résumé.pdf"
    // in UTF-8.
    void List()
    {
        peer.On(QStringLiteral("LIST"), [this](const QString &) {
            peer.Reply("150 Here it comes.\r\n");
            peer.SendData("-rw-r--r-- 1 u g 5 Jan 15 12:34 caf\xE9.txt\r\n"
                          "drwxr-xr-x 2 u g 4096 Jan 15 12:34 r\xE9p\r\n"
                          "-rw-r--r-- 1 u g 7 Jan 15 12:34 r\xC3\xA9sum\xC3\xA9.pdf\r\n");
            peer.CloseData();
            peer.Reply("226 Done.\r\n");
        });
        client.EnumFiles();
        ASSERT_EQ(probe.Wait(QStringLiteral("OnEnumFiles")), 0);
        ASSERT_NE(client.CurrentDirectoryFiles(), nullptr);
        ASSERT_EQ(client.CurrentDirectoryFiles()->Count(), 3);
    }

    QByteArray LastCommandBytes() const
    {
        return peer.CommandBytes().isEmpty() ? QByteArray() : peer.CommandBytes().back();
    }

    FakeFtpPeer peer;
    QTemporaryDir local;
    CFtpClient client;
    FtpClientProbe probe {client};
};
}

TEST_F(FtpClientServerNames, NameThatIsNotUtf8IsShownByteForCharacterAndDownloadedByItsBytes)
{
    List();
    const CFtpFile &latin = client.CurrentDirectoryFiles()->Item(1);
    EXPECT_EQ(latin.FileName(), QStringLiteral("caf\u00E9.txt"));
    EXPECT_EQ(client.CurrentDirectoryFiles()->Item(3).FileName(), QStringLiteral("r\u00E9sum\u00E9.pdf"));
    EXPECT_TRUE(client.CurrentDirectoryListing().contains(QStringLiteral("caf\u00E9.txt")));

    peer.On(QStringLiteral("RETR"), [this](const QString &) {
        peer.Reply("150 Opening data connection.\r\n");
        peer.SendData("hello");
        peer.CloseData();
        peer.Reply("226 Done.\r\n");
    });
    const QString target = local.filePath(QStringLiteral("cafe.txt"));
    client.DownloadFile(latin.FileName(), target, true);
    ASSERT_EQ(probe.Wait(QStringLiteral("OnDownloadFile")), 0) << client.LastFtpError().Description().toStdString();
    EXPECT_EQ(LastCommandBytes(), QByteArray("RETR caf\xE9.txt"));
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("hello"));
}

TEST_F(FtpClientServerNames, Utf8NameGoesBackAsUtf8)
{
    List();
    peer.On(QStringLiteral("DELE"), [this](const QString &) { peer.Reply("250 Deleted.\r\n"); });
    client.DeleteFile(client.CurrentDirectoryFiles()->Item(3).FileName());
    ASSERT_EQ(probe.Wait(QStringLiteral("OnDeleteFile")), 0);
    EXPECT_EQ(LastCommandBytes(), QByteArray("DELE r\xC3\xA9sum\xC3\xA9.pdf"));
}

TEST_F(FtpClientServerNames, FolderAndPathThatAreNotUtf8AreEnteredByTheirBytes)
{
    List();
    client.SetCurrentDirectory(client.CurrentDirectoryFiles()->Item(2).FileName());
    ASSERT_EQ(probe.Wait(QStringLiteral("OnSetCurrentDirectory")), 0);
    EXPECT_EQ(LastCommandBytes(), QByteArray("CWD r\xE9p"));

    // The server reports a path that is not UTF-8; its parent is entered by its bytes.
    peer.On(QStringLiteral("PWD"), [this](const QString &) { peer.Reply("257 \"/pub/r\xE9p/sub\" is current.\r\n"); });
    client.GetCurrentDirectory();
    ASSERT_EQ(probe.Wait(QStringLiteral("OnGetCurrentDirectory")), 0);
    EXPECT_EQ(client.CurrentDirectory(), QStringLiteral("/pub/r\u00E9p/sub"));
    EXPECT_TRUE(probe.DialogueContains(QStringLiteral("/pub/r\u00E9p/sub")));

    client.SetCurrentDirectory(QStringLiteral("/pub/r\u00E9p"));
    ASSERT_EQ(probe.Wait(QStringLiteral("OnSetCurrentDirectory")), 0);
    EXPECT_EQ(LastCommandBytes(), QByteArray("CWD /pub/r\xE9p"));
}
