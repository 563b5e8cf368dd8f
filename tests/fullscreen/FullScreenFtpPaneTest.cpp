// The full-screen FTP pane against a real FTP server on 127.0.0.1: an "ftp" address typed in the
// address box opens the pane, which logs in, lists, changes directory and downloads.
#include "app/CommandIds.h"
#include "fullscreen/FormFullScreen.h"
#include "mainwindow/FormMain.h"
#include "platform/CommandBars.h"
#include "platform/WebBrowser.h"
#include "tests/support/FtpPaneFixture.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

namespace {

constexpr int IconRole = Qt::UserRole + 1;

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
    EXPECT_EQ(entry(QStringLiteral("pub"))->data(0, IconRole).toInt(), 2);
    EXPECT_EQ(entry(QStringLiteral("index.HTML"))->data(0, IconRole).toInt(), 3);
    EXPECT_EQ(entry(QStringLiteral("index.HTML"))->text(1), QStringLiteral("13"));
    EXPECT_TRUE(form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("USER tester")));

    doubleClick(QStringLiteral("pub"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("Go to parent directory"), QStringLiteral("archive.zip")}))
        << entryNames().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(form->ListViewFTP->topLevelItem(0)->text(0), QStringLiteral("Go to parent directory"));
    EXPECT_EQ(entry(QStringLiteral("archive.zip"))->data(0, IconRole).toInt(), 4);

    doubleClick(QStringLiteral("Go to parent directory"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("pub"), QStringLiteral("index.HTML")}));

    // Another kind of address hides the pane.
    commitAddress(folder.FileUrl(QStringLiteral("blank.html")));
    EXPECT_FALSE(form->PictureFTP->isVisible());
}

TEST_F(FullScreenFtpPaneTest, BackAndHomeTakeThePaneAwayWithTheFtpAddress)
{
    folder.WriteFile(QStringLiteral("first.html"), "<html><head><title>First</title></head><body>1</body></html>");
    folder.WriteFile(QStringLiteral("second.html"), "<html><head><title>Second</title></head><body>2</body></html>");
    startWindow();
    // A page has loaded when its document completes: the back/forward list has taken it then.
    QStringList completed;
    QObject watcher;
    QObject::connect(form->WebBrowserFullScreen, &WebBrowser::DocumentComplete, &watcher,
                     [&](WebBrowser *, const QString &url) { completed << url; });
    const auto showPage = [&](const QString &url) {
        return WaitUntil([&] {
            return completed.contains(url) && form->WebBrowserFullScreen->LocationURL() == url
                && form->XPStyleImageTextBox1->Text() == url;
        });
    };
    const auto choose = [&](int id) {
        completed.clear();
        form->ToolBarStandard->FindControl(id)->Execute();
    };
    const QString first = folder.FileUrl(QStringLiteral("first.html"));
    form->WebBrowserFullScreen->Navigate(first);
    ASSERT_TRUE(showPage(first));
    const QString second = folder.FileUrl(QStringLiteral("second.html"));
    form->WebBrowserFullScreen->Navigate(second);
    ASSERT_TRUE(showPage(second));

    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(WaitUntil([&] { return entry(QStringLiteral("index.HTML")) != nullptr; }));
    ASSERT_TRUE(form->PictureFTP->isVisible());
    choose(CommandId::Back);
    ASSERT_TRUE(showPage(first));
    EXPECT_FALSE(form->PictureFTP->isVisible()) << "Back shows the page it names";

    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(WaitUntil([&] { return form->PictureFTP->isVisible() && entry(QStringLiteral("index.HTML")); }));
    choose(CommandId::Home);
    ASSERT_TRUE(showPage(folder.FileUrl(QStringLiteral("blank.html"))));
    EXPECT_FALSE(form->PictureFTP->isVisible()) << "Home shows the page it names";
}

TEST_F(FullScreenFtpPaneTest, DownloadShowsTheDialogUntilComplete)
{
    const QByteArray content = QByteArray(400000, 'd') + "end";
    writeServerFile(QStringLiteral("data.bin"), content);
    server.SetDownloadLimit(100000);
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(WaitUntil([&] { return entry(QStringLiteral("data.bin")) != nullptr; }));

    QTemporaryDir downloads;
    const QString localPath = downloads.filePath(QStringLiteral("data.bin"));
    startDownload(QStringLiteral("data.bin"), localPath);
    QPointer<FormFileDownload> dialog = downloadDialog();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(form->Timer1->isActive());

    ASSERT_TRUE(WaitUntil([&] { return dialog && dialog->windowTitle().endsWith(QStringLiteral("% of data.bin completed")); }))
        << (dialog ? dialog->windowTitle().toStdString() : "no dialog") << form->RichTextBoxFTP->toPlainText().toStdString();
    EXPECT_EQ(dialog->LabelRemoteFilePath->text(), QStringLiteral("data.bin from 127.0.0.1"));
    EXPECT_TRUE(dialog->LabelTransferRateData->text().endsWith(QStringLiteral(" KB/Second")));

    ASSERT_TRUE(WaitUntil([&] { return dialog && dialog->windowTitle() == QStringLiteral("Download Complete"); }));
    EXPECT_EQ(dialog->LabelDownloading->text(), QStringLiteral("Finished Downloading:"));
    EXPECT_TRUE(dialog->LabelTimeRemainingData->text().startsWith(QStringLiteral("400 KB in ")))
        << dialog->LabelTimeRemainingData->text().toStdString();
    EXPECT_EQ(dialog->ProgressBar1->value(), 100);
    EXPECT_TRUE(dialog->CommandOpen->isEnabled());
    EXPECT_FALSE(form->Timer1->isActive());
    QFile local(localPath);
    ASSERT_TRUE(local.open(QIODevice::ReadOnly));
    EXPECT_EQ(local.readAll(), content);

    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return dialog.isNull(); }));
}

TEST_F(FullScreenFtpPaneTest, CancelStopsTheDownloadAndTheClock)
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

    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return dialog.isNull() || dialog->windowTitle() == QStringLiteral("Download Cancelled"); }));
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_FALSE(QFile::exists(localPath)) << "a cancelled download leaves no partial file";

    // The session goes on: the list is fetched again on a directory change.
    doubleClick(QStringLiteral("pub"));
    EXPECT_TRUE(waitForEntries({QStringLiteral("Go to parent directory"), QStringLiteral("archive.zip")}));
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
