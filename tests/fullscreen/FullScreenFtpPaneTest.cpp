// The full-screen FTP pane against a real FTP server on 127.0.0.1: an "ftp" address typed in the
// address box opens the pane, which logs in, lists and changes directory. What it shares with
// the main window's pane (downloads, Back and Home) runs in FtpPaneOfEachWindowTest.
#include "fullscreen/FormFullScreen.h"
#include "tests/support/FtpPaneFixture.h"

#include <QDir>
#include <QFrame>
#include <QPushButton>
#include <QTextEdit>

namespace {

class FullScreenFtpPaneTest : public FtpPaneFixture<FormFullScreen>
{
protected:
    void SetUp() override
    {
        FtpPaneFixture::SetUp();
        QDir root(server.Root());
        root.mkdir(QStringLiteral("pub"));
        writeServerFile(QStringLiteral("index.HTML"), "<html></html>");
        writeServerFile(QStringLiteral("pub/archive.zip"), "zip");
    }
};

} // namespace

TEST_F(FullScreenFtpPaneTest, FtpAddressOpensThePaneWhichLogsInListsAndChangesDirectory)
{
    startWindow();
    commitAddress(serverAddress());
    EXPECT_TRUE(form->PictureFTP->isVisible());
    ASSERT_EQ(form->ListViewFTP->columnCount(), 3);
    EXPECT_EQ(form->ListViewFTP->headerItem()->text(1), QStringLiteral("File Size(Bytes)"));
    EXPECT_EQ(Forms::Default<FormFTPLogin>()->LabelServerName->text(),
              QStringLiteral("127.0.0.1:%1/").arg(server.Port()));

    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("pub"), QStringLiteral("index.HTML")}))
        << entryNames().join(QLatin1Char('|')).toStdString() << form->RichTextBoxFTP->toPlainText().toStdString();
    EXPECT_EQ(iconOf(entry(QStringLiteral("pub"))), 2);
    EXPECT_EQ(iconOf(entry(QStringLiteral("index.HTML"))), 3);
    EXPECT_EQ(entry(QStringLiteral("index.HTML"))->text(1), QStringLiteral("13"));
    EXPECT_TRUE(form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("USER tester")));

    doubleClick(QStringLiteral("pub"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("Go to parent directory"), QStringLiteral("archive.zip")}))
        << entryNames().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(form->ListViewFTP->topLevelItem(0)->text(0), QStringLiteral("Go to parent directory"));
    EXPECT_EQ(iconOf(entry(QStringLiteral("archive.zip"))), 4);

    doubleClick(QStringLiteral("Go to parent directory"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("pub"), QStringLiteral("index.HTML")}));

    // Another kind of address hides the pane.
    commitAddress(folder.FileUrl(QStringLiteral("blank.html")));
    EXPECT_FALSE(form->PictureFTP->isVisible());
}

TEST_F(FullScreenFtpPaneTest, AnAddressWithoutAServerAsksForOne)
{
    startWindow();
    form->XPStyleImageTextBox1->SetText(QStringLiteral("ftp:/"));
    form->InitFTPPane();
    EXPECT_TRUE(form->PictureFTP->isVisible());
    ModalAnswerer answerer;
    QTest::mouseClick(Forms::Default<FormFTPLogin>()->CommandOK, Qt::LeftButton);
    EXPECT_EQ(answerer.messages, QStringList{QStringLiteral("Please specify the FTP server to connect to.")});
    EXPECT_FALSE(form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("USER"))) << "nothing is sent";
}
