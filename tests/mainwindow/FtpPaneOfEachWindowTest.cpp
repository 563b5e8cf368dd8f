// The FTP pane of the main and of the full-screen window: both run the same session, list and
// download dialog, so each case here runs once in each window.
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

// What differs around the pane: the window's browser, where its commands are run, and whether
// its caption names the page.
template <class Window>
struct PaneWindow;

template <>
struct PaneWindow<FormMain>
{
    static WebBrowser *Browser(FormMain *form) { return form->WebBrowserMain; }
    static void Choose(FormMain *form, int id)
    {
        form->CommandBarsMain->FindControl(CommandBarControlType::Any, id, false, true)->Execute();
    }
    static bool CaptionNames(FormMain *form, const QString &title)
    {
        return form->windowTitle() == QStringLiteral(" Kestrelvue - ") + title;
    }
};

template <>
struct PaneWindow<FormFullScreen>
{
    static WebBrowser *Browser(FormFullScreen *form) { return form->WebBrowserFullScreen; }
    static void Choose(FormFullScreen *form, int id) { form->ToolBarStandard->FindControl(id)->Execute(); }
    // The full-screen window shows no caption.
    static bool CaptionNames(FormFullScreen *, const QString &) { return true; }
};

template <class Window>
class FtpPaneOfEachWindow : public FtpPaneFixture<Window>
{
protected:
    void SetUp() override
    {
        FtpPaneFixture<Window>::SetUp();
        QDir(this->server.Root()).mkdir(QStringLiteral("docs"));
        this->writeServerFile(QStringLiteral("docs/guide.html"), "<html></html>");
        this->writeServerFile(QStringLiteral("readme.txt"), "hello\r\n");
    }
};

using Windows = ::testing::Types<FormMain, FormFullScreen>;
TYPED_TEST_SUITE(FtpPaneOfEachWindow, Windows);

} // namespace

TYPED_TEST(FtpPaneOfEachWindow, DownloadShowsProgressSpeedAndCompletion)
{
    const QByteArray content = QByteArray(300000, 'k') + "end";
    this->writeServerFile(QStringLiteral("data.bin"), content);
    this->server.SetDownloadLimit(100000);
    ASSERT_TRUE(this->openSession(QStringLiteral("data.bin")));
    TypeParam *form = this->form;
    EXPECT_EQ(this->iconOf(this->entry(QStringLiteral("data.bin"))), 4);

    QTemporaryDir downloads;
    const QString localPath = downloads.filePath(QStringLiteral("data.bin"));
    ModalAnswerer answerer;
    QString dialogTitle;
    QString proposedName;
    answerer.onFileDialog = [&](QFileDialog *dialog) {
        dialogTitle = dialog->windowTitle();
        proposedName = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
        this->typeFileName(dialog, localPath);
        static_cast<QDialog *>(dialog)->accept();
    };
    this->doubleClick(QStringLiteral("data.bin"));
    EXPECT_EQ(dialogTitle, QStringLiteral("Download file and save as..."));
    EXPECT_EQ(proposedName, QStringLiteral("data.bin"));

    QPointer<FormFileDownload> dialog = this->downloadDialog();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(form->Timer1->isActive());
    ASSERT_TRUE(WaitUntil([&] { return dialog && dialog->windowTitle().endsWith(QStringLiteral("% of data.bin completed")); }))
        << (dialog ? dialog->windowTitle().toStdString() : "no dialog") << form->RichTextBoxFTP->toPlainText().toStdString();
    EXPECT_TRUE(dialog->LabelTransferRateData->text().endsWith(QStringLiteral(" KB/Second")));
    EXPECT_TRUE(dialog->LabelTimeRemainingData->text().contains(QStringLiteral(" KB of 300 KB copied)")))
        << dialog->LabelTimeRemainingData->text().toStdString();
    EXPECT_EQ(dialog->LabelRemoteFilePath->text(), QStringLiteral("data.bin from 127.0.0.1"));
    this->expectLocalPathShown(dialog, localPath);
    EXPECT_GT(dialog->ProgressBar1->value(), 0);
    EXPECT_FALSE(dialog->CommandOpen->isEnabled());

    ASSERT_TRUE(WaitUntil([&] { return dialog && dialog->windowTitle() == QStringLiteral("Download Complete"); }));
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
    EXPECT_TRUE(WaitUntil([&] { return dialog.isNull(); }));
}

TYPED_TEST(FtpPaneOfEachWindow, CancelStopsTheDownloadAndTheClockAndLeavesNoPartialFile)
{
    this->writeServerFile(QStringLiteral("big.bin"), QByteArray(3000000, 'b'));
    this->server.SetDownloadLimit(100000);
    ASSERT_TRUE(this->openSession(QStringLiteral("big.bin")));

    QTemporaryDir downloads;
    const QString localPath = downloads.filePath(QStringLiteral("big.bin"));
    this->startDownload(QStringLiteral("big.bin"), localPath);
    QPointer<FormFileDownload> dialog = this->downloadDialog();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitUntil([&] { return dialog && dialog->ProgressBar1->value() > 0; }));
    EXPECT_TRUE(dialog->LabelTimeRemainingData->text().isEmpty() || dialog->LabelTimeRemainingData->text().contains(QStringLiteral("of 3 MB copied)")));

    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return dialog.isNull(); }));
    EXPECT_FALSE(this->form->Timer1->isActive());
    EXPECT_FALSE(QFile::exists(localPath)) << "a cancelled download leaves no partial file";

    // The session goes on: the next folder opens.
    this->doubleClick(QStringLiteral("docs"));
    ASSERT_TRUE(this->waitForEntries({QStringLiteral("Go to parent directory"), QStringLiteral("guide.html")}))
        << this->form->RichTextBoxFTP->toPlainText().toStdString();
}

TYPED_TEST(FtpPaneOfEachWindow, BackAndHomeTakeThePaneAwayWithTheFtpAddress)
{
    using Pane = PaneWindow<TypeParam>;
    this->folder.WriteFile(QStringLiteral("first.html"), "<html><head><title>First</title></head><body>1</body></html>");
    this->folder.WriteFile(QStringLiteral("second.html"), "<html><head><title>Second</title></head><body>2</body></html>");
    this->startWindow();
    TypeParam *form = this->form;
    WebBrowser *browser = Pane::Browser(form);
    // A page has loaded when its document completes: the back/forward list has taken it then.
    QStringList completed;
    QObject watcher;
    QObject::connect(browser, &WebBrowser::DocumentComplete, &watcher,
                     [&](WebBrowser *, const QString &url) { completed << url; });
    const auto showPage = [&](const QString &url, const QString &title) {
        return WaitUntil([&] {
            return completed.contains(url) && browser->LocationURL() == url && Pane::CaptionNames(form, title)
                && form->XPStyleImageTextBox1->Text() == url;
        });
    };
    const auto choose = [&](int id) {
        completed.clear();
        Pane::Choose(form, id);
    };
    const QString first = this->folder.FileUrl(QStringLiteral("first.html"));
    browser->Navigate(first);
    ASSERT_TRUE(showPage(first, QStringLiteral("First")));
    const QString second = this->folder.FileUrl(QStringLiteral("second.html"));
    browser->Navigate(second);
    ASSERT_TRUE(showPage(second, QStringLiteral("Second")));

    this->commitAddress(this->serverAddress());
    this->logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(WaitUntil([&] { return this->entry(QStringLiteral("readme.txt")) != nullptr; }));
    ASSERT_TRUE(form->PictureFTP->isVisible());
    choose(CommandId::Back);
    ASSERT_TRUE(showPage(first, QStringLiteral("First")));
    EXPECT_FALSE(form->PictureFTP->isVisible()) << "Back shows the page it names";

    this->commitAddress(this->serverAddress());
    this->logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(WaitUntil([&] { return form->PictureFTP->isVisible() && this->entry(QStringLiteral("readme.txt")); }));
    choose(CommandId::Home);
    ASSERT_TRUE(showPage(this->folder.FileUrl(QStringLiteral("blank.html")), QStringLiteral("Kestrelvue")));
    EXPECT_FALSE(form->PictureFTP->isVisible()) << "Home shows the page it names";
}
