#include "app/CommandIds.h"
#include "mainwindow/FormMain.h"
#include "platform/CommandBars.h"
#include "platform/WebBrowser.h"
#include "tests/support/FtpPaneFixture.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

namespace {

// The download dialog names where the file goes in a text that its label shows whole, ending
// in the file name's end, and the whole path in the label's tool tip.
void expectLocalPathShown(const FormFileDownload *dialog, const QString &localPath)
{
    const QLabel *label = dialog->LabelDownloadToData;
    const QString text = label->text();
    EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(text), label->contentsRect().width()) << text.toStdString();
    EXPECT_LE(label->x() + label->width(), dialog->width());
    EXPECT_TRUE(text.endsWith(localPath.right(4))) << text.toStdString();
    EXPECT_TRUE(text == localPath || text.contains(QStringLiteral("....."))) << text.toStdString();
    EXPECT_EQ(label->toolTip().toStdString(), localPath.toStdString());
}

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
    EXPECT_EQ(entry(QStringLiteral("readme.txt"))->data(0, Qt::UserRole + 1).toInt(), 3);
    EXPECT_EQ(entry(QStringLiteral("docs"))->data(0, Qt::UserRole + 1).toInt(), 2);
    EXPECT_EQ(entry(QStringLiteral("Go to parent directory")), nullptr) << "no way above the login directory";

    const QString log = form->RichTextBoxFTP->toPlainText();
    EXPECT_TRUE(log.contains(QStringLiteral("220 Test server ready.")));
    EXPECT_TRUE(log.contains(QStringLiteral("USER tester")));
    EXPECT_TRUE(log.contains(QStringLiteral("PASS secret")));
    EXPECT_TRUE(log.contains(QStringLiteral("LIST")));
    EXPECT_EQ(logColorOf(QStringLiteral("USER tester")), QColor(0, 0, 0x40));
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
    EXPECT_EQ(form->ListViewFTP->topLevelItem(0)->data(0, Qt::UserRole).toString(), QStringLiteral("GoToParent"));
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
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(WaitUntil([&] { return entry(QStringLiteral("<b>bold & <i>")) != nullptr; }));
    doubleClick(QStringLiteral("<b>bold & <i>"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("Go to parent directory")}));
    EXPECT_TRUE(form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("CWD <b>bold & <i>")))
        << "markup in server text is shown as it is, not interpreted";
}

TEST_F(FtpPaneTest, DownloadShowsProgressSpeedAndCompletion)
{
    const QByteArray content = QByteArray(300000, 'k') + "end";
    writeServerFile(QStringLiteral("data.bin"), content);
    server.SetDownloadLimit(100000);
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(WaitUntil([&] { return entry(QStringLiteral("data.bin")) != nullptr; }));
    EXPECT_EQ(entry(QStringLiteral("data.bin"))->data(0, Qt::UserRole + 1).toInt(), 4);

    QTemporaryDir downloads;
    const QString localPath = downloads.filePath(QStringLiteral("data.bin"));
    ModalAnswerer answerer;
    QString dialogTitle;
    QString proposedName;
    answerer.onFileDialog = [&](QFileDialog *dialog) {
        dialogTitle = dialog->windowTitle();
        proposedName = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
        typeFileName(dialog, localPath);
        static_cast<QDialog *>(dialog)->accept();
    };
    doubleClick(QStringLiteral("data.bin"));
    EXPECT_EQ(dialogTitle, QStringLiteral("Download file and save as..."));
    EXPECT_EQ(proposedName, QStringLiteral("data.bin"));

    FormFileDownload *dialog = downloadDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    QPointer<FormFileDownload> guard(dialog);
    ASSERT_TRUE(WaitUntil([&] { return guard && guard->windowTitle().endsWith(QStringLiteral("% of data.bin completed")); }));
    EXPECT_TRUE(dialog->LabelTransferRateData->text().endsWith(QStringLiteral(" KB/Second")));
    EXPECT_TRUE(dialog->LabelTimeRemainingData->text().contains(QStringLiteral(" KB of 300 KB copied)")))
        << dialog->LabelTimeRemainingData->text().toStdString();
    EXPECT_EQ(dialog->LabelRemoteFilePath->text(), QStringLiteral("data.bin from 127.0.0.1"));
    expectLocalPathShown(dialog, localPath);
    EXPECT_GT(dialog->ProgressBar1->value(), 0);
    EXPECT_FALSE(dialog->CommandOpen->isEnabled());

    ASSERT_TRUE(WaitUntil([&] { return guard && guard->windowTitle() == QStringLiteral("Download Complete"); }));
    EXPECT_EQ(dialog->LabelDownloading->text(), QStringLiteral("Finished Downloading:"));
    EXPECT_EQ(dialog->LabelTimeRemaining->text(), QStringLiteral("Downloaded:"));
    EXPECT_TRUE(dialog->LabelTimeRemainingData->text().startsWith(QStringLiteral("300 KB in ")))
        << dialog->LabelTimeRemainingData->text().toStdString();
    EXPECT_EQ(dialog->ProgressBar1->value(), 100);
    EXPECT_TRUE(dialog->CommandOpen->isEnabled());
    EXPECT_TRUE(dialog->CommandOpenFolder->isEnabled());
    EXPECT_EQ(dialog->CommandCancel->text(), QStringLiteral("Close"));
    EXPECT_FALSE(form->Timer1->isActive());

    QFile local(localPath);
    ASSERT_TRUE(local.open(QIODevice::ReadOnly));
    EXPECT_EQ(local.readAll(), content);
    local.close();

    // Close finds the client idle and closes the dialog only.
    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return guard.isNull(); }));
}

TEST_F(FtpPaneTest, BackAndHomeTakeThePaneAwayWithTheFtpAddress)
{
    folder.WriteFile(QStringLiteral("first.html"), "<html><head><title>First</title></head><body>1</body></html>");
    folder.WriteFile(QStringLiteral("second.html"), "<html><head><title>Second</title></head><body>2</body></html>");
    startWindow();
    const auto showPage = [&](const QString &url, const char *title) {
        return WaitUntil([&] {
            return form->WebBrowserMain->LocationURL() == url
                && form->windowTitle() == QStringLiteral(" Kestrelvue - ") + QLatin1String(title)
                && form->XPStyleImageTextBox1->Text() == url;
        });
    };
    const auto choose = [&](int id) {
        form->CommandBarsMain->FindControl(CommandBarControlType::Any, id, false, true)->Execute();
    };
    const QString first = folder.FileUrl(QStringLiteral("first.html"));
    form->WebBrowserMain->Navigate(first);
    ASSERT_TRUE(showPage(first, "First"));
    const QString second = folder.FileUrl(QStringLiteral("second.html"));
    form->WebBrowserMain->Navigate(second);
    ASSERT_TRUE(showPage(second, "Second"));

    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(WaitUntil([&] { return entry(QStringLiteral("readme.txt")) != nullptr; }));
    ASSERT_TRUE(form->PictureFTP->isVisible());
    choose(CommandId::Back);
    ASSERT_TRUE(showPage(first, "First"));
    EXPECT_TRUE(WaitUntil([&] { return !form->PictureFTP->isVisible(); })) << "Back shows the page it names";

    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(WaitUntil([&] { return form->PictureFTP->isVisible() && entry(QStringLiteral("readme.txt")); }));
    choose(CommandId::Home);
    ASSERT_TRUE(showPage(folder.FileUrl(QStringLiteral("blank.html")), "Kestrelvue"));
    EXPECT_TRUE(WaitUntil([&] { return !form->PictureFTP->isVisible(); })) << "Home shows the page it names";
}

TEST_F(FtpPaneTest, AQuickDownloadStillNamesTheFileAndWhereItWentWithinTheDialog)
{
    const QString name = QStringLiteral("big_slow_with_a_long_file_name.bin");
    writeServerFile(name, "x");
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(WaitUntil([&] { return entry(name) != nullptr; }));

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

TEST_F(FtpPaneTest, CancelEndsTheDownloadAndLeavesNoPartialFile)
{
    writeServerFile(QStringLiteral("big.bin"), QByteArray(3000000, 'b'));
    server.SetDownloadLimit(100000);
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(WaitUntil([&] { return entry(QStringLiteral("big.bin")) != nullptr; }));

    QTemporaryDir downloads;
    const QString localPath = downloads.filePath(QStringLiteral("big.bin"));
    startDownload(QStringLiteral("big.bin"), localPath);
    QPointer<FormFileDownload> dialog = downloadDialog();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitUntil([&] { return dialog && dialog->ProgressBar1->value() > 0; }));
    EXPECT_TRUE(dialog->LabelTimeRemainingData->text().isEmpty() || dialog->LabelTimeRemainingData->text().contains(QStringLiteral("of 3 MB copied)")));

    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return dialog.isNull(); }));
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_FALSE(QFile::exists(localPath)) << "a cancelled download leaves no partial file";

    // The session goes on: the next folder opens.
    doubleClick(QStringLiteral("docs"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("Go to parent directory"), QStringLiteral("guide.html")}))
        << form->RichTextBoxFTP->toPlainText().toStdString();
}

TEST_F(FtpPaneTest, AnExistingLocalFileIsReplacedNotAppendedTo)
{
    writeServerFile(QStringLiteral("readme2.txt"), "remote text");
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(WaitUntil([&] { return entry(QStringLiteral("readme2.txt")) != nullptr; }));

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

