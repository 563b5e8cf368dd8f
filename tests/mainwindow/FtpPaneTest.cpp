// The main window's FTP pane; what it shares with the full-screen window's pane runs in
// FtpPaneOfEachWindowTest.
#include "mainwindow/FormMain.h"
#include "tests/support/FtpPaneFixture.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

namespace {

class FtpPaneTest : public FtpPaneFixture<FormMain>
{
protected:
    void SetUp() override
    {
        FtpPaneFixture::SetUp();
        fillRoot(server);
    }

    static void fillRoot(const FtpTestServer &to)
    {
        QDir root(to.Root());
        root.mkdir(QStringLiteral("docs"));
        root.mkdir(QStringLiteral("my folder"));
        writeFile(to, QStringLiteral("readme.txt"), "hello\r\n");
        writeFile(to, QStringLiteral("docs/guide.html"), "<html></html>");
        writeFile(to, QStringLiteral("my folder/inner.bin"), "x");
    }

    // The colour in which the log shows the line that begins with the text.
    QColor logColorOf(const QString &lineStart) const
    {
        for (QTextBlock block = form->RichTextBoxFTP->document()->begin(); block.isValid(); block = block.next())
            if (block.text().startsWith(lineStart))
                return block.begin().fragment().charFormat().foreground().color();
        return QColor();
    }
};

} // namespace

TEST_F(FtpPaneTest, NamedUserLogsInAndTheListShowsTheLoginDirectory)
{
    startWindow();
    commitAddress(serverAddress());
    EXPECT_TRUE(form->PictureFTP->isVisible());
    QPointer<FormFTPLogin> login = loginDialog();
    ASSERT_NE(login, nullptr);
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(login->LabelServerName->text(), QStringLiteral("127.0.0.1:%1/").arg(server.Port()));

    QTreeWidgetItem *header = form->ListViewFTP->headerItem();
    ASSERT_EQ(form->ListViewFTP->columnCount(), 3);
    EXPECT_EQ(header->text(0), QStringLiteral("File Name"));
    EXPECT_EQ(header->text(1), QStringLiteral("File Size(Bytes)"));
    EXPECT_EQ(header->text(2), QStringLiteral("Last Modified"));
    const int expectedWidth = qRound((form->ListViewFTP->width() * 15 / 3.0 - 20) / 15);
    EXPECT_NEAR(form->ListViewFTP->columnWidth(0), expectedWidth, 1);

    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("docs"), QStringLiteral("my folder"), QStringLiteral("readme.txt")}))
        << entryNames().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(login.isNull() || !login->isVisible()) << "the dialog closes after OK";
    EXPECT_EQ(entry(QStringLiteral("readme.txt"))->text(1), QStringLiteral("7"));
    EXPECT_FALSE(entry(QStringLiteral("readme.txt"))->text(2).isEmpty());
    EXPECT_EQ(iconOf(entry(QStringLiteral("readme.txt"))), 3);
    EXPECT_EQ(iconOf(entry(QStringLiteral("docs"))), 2);
    EXPECT_EQ(entry(QStringLiteral("Go to parent directory")), nullptr) << "no way above the login directory";

    const QString log = form->RichTextBoxFTP->toPlainText();
    EXPECT_TRUE(log.contains(QStringLiteral("220 Test server ready.")));
    EXPECT_TRUE(log.contains(QStringLiteral("USER tester")));
    EXPECT_TRUE(log.contains(QStringLiteral("PASS ****")));
    EXPECT_FALSE(log.contains(QStringLiteral("secret")));
    EXPECT_TRUE(log.contains(QStringLiteral("LIST")));
    EXPECT_EQ(logColorOf(QStringLiteral("USER tester")), QColor(0, 0, 0x40));
    EXPECT_EQ(logColorOf(QStringLiteral("PASS ****")), QColor(0, 0, 0x40));
    EXPECT_EQ(logColorOf(QStringLiteral("230")), QColor(0, 0x40, 0));

    // Any other address closes the pane and goes to the page.
    commitAddress(folder.FileUrl(QStringLiteral("blank.html")));
    EXPECT_FALSE(form->PictureFTP->isVisible());
}

TEST_F(FtpPaneTest, FoldersOpenByDoubleClickAndTheParentEntryGoesUp)
{
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("docs"), QStringLiteral("my folder"), QStringLiteral("readme.txt")}));

    doubleClick(QStringLiteral("my folder"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("Go to parent directory"), QStringLiteral("inner.bin")}))
        << entryNames().join(QLatin1Char('|')).toStdString() << form->RichTextBoxFTP->toPlainText().toStdString();
    EXPECT_EQ(form->ListViewFTP->topLevelItem(0)->text(0), QStringLiteral("Go to parent directory"));
    EXPECT_EQ(form->ListViewFTP->topLevelItem(0)->data(0, FtpPaneView::EntryKeyRole).toString(), QStringLiteral("GoToParent"));
    EXPECT_TRUE(form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("CWD my folder")));

    doubleClick(QStringLiteral("Go to parent directory"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("docs"), QStringLiteral("my folder"), QStringLiteral("readme.txt")}))
        << entryNames().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("CWD /")));
}

TEST_F(FtpPaneTest, AnonymousLoginFromTheDialogAndFromAnEmptyUserName)
{
    startWindow();
    commitAddress(serverAddress());
    FormFTPLogin *login = loginDialog();
    ASSERT_NE(login, nullptr);
    ASSERT_TRUE(login->CheckUseAnonymous->isChecked());
    QTest::mouseClick(login->CommandOK, Qt::LeftButton);
    ASSERT_TRUE(waitForEntries({QStringLiteral("docs"), QStringLiteral("my folder"), QStringLiteral("readme.txt")}))
        << form->RichTextBoxFTP->toPlainText().toStdString();
    EXPECT_TRUE(form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("USER anonymous")));
    EXPECT_FALSE(form->RichTextBoxFTP->toPlainText().contains(FormFTPLogin::AnonymousPassword));

    // A second session: the list starts empty, the first session's log stays above. It goes to a
    // second server: the test server may lose track of a session when another one that has
    // transferred data drops its connection.
    FtpTestServer other;
    fillRoot(other);
    ASSERT_TRUE(other.Start());
    commitAddress(QStringLiteral("ftp://127.0.0.1:%1/").arg(other.Port()));
    EXPECT_EQ(form->ListViewFTP->topLevelItemCount(), 0);
    logIn(QString(), QString());
    ASSERT_TRUE(waitForEntries({QStringLiteral("docs"), QStringLiteral("my folder"), QStringLiteral("readme.txt")}))
        << form->RichTextBoxFTP->toPlainText().toStdString();
    EXPECT_EQ(form->RichTextBoxFTP->toPlainText().count(QStringLiteral("USER anonymous")), 2);
}

TEST_F(FtpPaneTest, WrongPasswordShowsTheServersRefusalInRed)
{
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("wrong"));
    ASSERT_TRUE(WaitUntil([&] { return form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("530")); }));
    EXPECT_EQ(logColorOf(QStringLiteral("530")), QColor(255, 0, 0));
    // The refusal ends the session in the event that logs it: nothing is asked after it, so
    // nothing can be listed.
    const QStringList lines = form->RichTextBoxFTP->toPlainText().trimmed().split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("530"))) << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(form->ListViewFTP->topLevelItemCount(), 0);

    // The pane stays usable: the address committed again logs in.
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("docs"), QStringLiteral("my folder"), QStringLiteral("readme.txt")}));
}

TEST_F(FtpPaneTest, UnreachablePortAndMissingServerAreTold)
{
    startWindow();
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 closedPort = probe.serverPort();
    probe.close();

    commitAddress(QStringLiteral("ftp://127.0.0.1:%1/").arg(closedPort));
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(WaitUntil([&] { return form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("refused")); }))
        << form->RichTextBoxFTP->toPlainText().toStdString();
    EXPECT_EQ(form->ListViewFTP->topLevelItemCount(), 0);

    ModalAnswerer answerer;
    form->InitFTPPane(QStringLiteral("ftp://"));
    QTest::mouseClick(loginDialog()->CommandOK, Qt::LeftButton);
    EXPECT_EQ(answerer.messages, QStringList{QStringLiteral("Please specify the FTP server to connect to.")});
}

TEST_F(FtpPaneTest, ServerTextIsLoggedAsPlainText)
{
    QDir(server.Root()).mkdir(QStringLiteral("<b>bold & <i>"));
    ASSERT_TRUE(openSession(QStringLiteral("<b>bold & <i>")));
    doubleClick(QStringLiteral("<b>bold & <i>"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("Go to parent directory")}));
    EXPECT_TRUE(form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("CWD <b>bold & <i>")))
        << "markup in server text is shown as it is, not interpreted";
}

TEST_F(FtpPaneTest, AQuickDownloadStillNamesTheFileAndWhereItWentWithinTheDialog)
{
    const QString name = QStringLiteral("big_slow_with_a_long_file_name.bin");
    writeServerFile(name, "x");
    ASSERT_TRUE(openSession(name));

    // A few folders deep: the path is far wider than the label beside "Download To:".
    QTemporaryDir downloads;
    const QString folder = QStringLiteral("saved files/from the server");
    ASSERT_TRUE(QDir(downloads.path()).mkpath(folder));
    const QString localPath = downloads.filePath(folder + QLatin1Char('/') + name);
    startDownload(name, localPath);
    QPointer<FormFileDownload> dialog = downloadDialog();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitUntil([&] { return dialog && dialog->windowTitle() == QStringLiteral("Download Complete"); }));
    EXPECT_EQ(dialog->LabelDownloading->text(), QStringLiteral("Finished Downloading:"));
    EXPECT_EQ(dialog->LabelRemoteFilePath->text(), name + QStringLiteral(" from 127.0.0.1"));
    expectLocalPathShown(dialog, localPath);
    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return dialog.isNull(); }));
}

TEST_F(FtpPaneTest, AnExistingLocalFileIsReplacedNotAppendedTo)
{
    writeServerFile(QStringLiteral("readme2.txt"), "remote text");
    ASSERT_TRUE(openSession(QStringLiteral("readme2.txt")));

    QTemporaryDir downloads;
    const QString localPath = downloads.filePath(QStringLiteral("existing.txt"));
    {
        QFile existing(localPath);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("old");
    }
    ModalAnswerer answerer;
    answerer.onFileDialog = [&](QFileDialog *dialog) {
        typeFileName(dialog, localPath);
        static_cast<QDialog *>(dialog)->accept();
    };
    doubleClick(QStringLiteral("readme2.txt"));
    EXPECT_EQ(answerer.messages.size(), 1) << "the save dialog asks before replacing";
    QPointer<FormFileDownload> dialog = downloadDialog();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitUntil([&] { return dialog && dialog->windowTitle() == QStringLiteral("Download Complete"); }));
    EXPECT_EQ(dialog->DownloadedFilePath(), localPath);
    QFile local(localPath);
    ASSERT_TRUE(local.open(QIODevice::ReadOnly));
    EXPECT_EQ(local.readAll(), QByteArray("remote text"));
}

