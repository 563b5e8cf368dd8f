#include "WebBrowserTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FullFileSystem.h"
#include "tests/support/ModalAnswerer.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QAction>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPointer>
#include <QPrinter>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QTimer>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <optional>

using namespace WebBrowserTest;

namespace {

// The preview of a Print Preview dialog once it shows its pages; nullptr in another dialog.
QPrintPreviewWidget *PreparedPreview(QWidget *dialog)
{
    auto *preview = dialog->findChild<QPrintPreviewWidget *>();
    if (preview && !WaitUntil([&] { return preview->pageCount() > 0; }))
        ADD_FAILURE() << "the preview never showed its pages";
    return preview;
}

// Opens Print Preview and closes it once it shows its pages; returns how many (-1: no preview).
int PreviewPageCount(WebBrowser &browser)
{
    int pages = -1;
    AnswerNextModal([&](QWidget *dialog) {
        if (QPrintPreviewWidget *preview = PreparedPreview(dialog))
            pages = preview->pageCount();
        qobject_cast<QDialog *>(dialog)->reject();
    });
    browser.ExecWB(WebBrowser::OLECMDID_PRINTPREVIEW);
    return pages;
}

// The resolution of the printer that File > Print offers.
int PrintResolution(WebBrowser &browser)
{
    int dpi = 0;
    AnswerNextModal([&](QWidget *dialog) {
        if (auto *print = qobject_cast<QPrintDialog *>(dialog))
            dpi = print->printer()->resolution();
        qobject_cast<QDialog *>(dialog)->reject();
    });
    browser.ExecWB(WebBrowser::OLECMDID_PRINT);
    return dpi;
}

// Types a path into the name box of a Save As dialog and accepts it at once: the folder view,
// still settling, could put its own choice back in between.
void SaveThere(QFileDialog *files, const QString &path)
{
    auto *name = files->findChild<QLineEdit *>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(path);
    QMetaObject::invokeMethod(files, "accept");
}

// A message box as it came up.
struct ShownMessage
{
    QString title;
    QString text;
    QWidget *parent;
};

// Saves the page of a browser as each path in turn through Save As, agreeing to replace a file
// that is there, and returns the messages that the saves brought, once each has brought one and
// none is left open.
QList<ShownMessage> SaveFailureMessages(WebBrowser &browser, const QStringList &paths)
{
    QList<ShownMessage> shown;
    QString path;
    ModalAnswerer answerer;
    answerer.onFileDialog = [&](QFileDialog *files) { SaveThere(files, path); };
    answerer.onMessageBox = [&](QMessageBox *box) {
        // The dialog's own question whether to replace the file is not the save's.
        if (!qobject_cast<QFileDialog *>(box->parentWidget()))
            shown.append({box->windowTitle(), box->text(), box->parentWidget()});
    };
    for (const QString &each : paths) {
        path = each;
        const qsizetype before = shown.size();
        browser.ExecWB(WebBrowser::OLECMDID_SAVEAS);
        if (!WaitUntil([&] { return shown.size() > before; }))
            ADD_FAILURE() << "the save as " << each.toStdString() << " was not reported";
    }
    if (!WaitUntil([] { return QApplication::activeModalWidget() == nullptr; }))
        ADD_FAILURE() << "a message stayed open";
    return shown;
}

QByteArray LongPage(int paragraphs)
{
    QByteArray html = "<html><body>";
    for (int i = 0; i < paragraphs; ++i) {
        html += "<p>Paragraph " + QByteArray::number(i)
                + ": a line of ordinary text that fills the width of the printed page and wraps once"
                  " or twice, as the text of a long article does.</p>";
    }
    return html + "</body></html>";
}

} // namespace

// The Save As cases run in a home of their own without a documents folder, as a new user's is,
// with the title that the program gives the browser at start-up.
class WebBrowserSaveAs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WebBrowser::SetMessageTitle(QStringLiteral("Kestrelvue3"));
        ASSERT_TRUE(home.isValid());
        // Only variables already set are given other values: one added or removed while the
        // engine's threads read the environment could move it under them. The names of the
        // user's folders are read from the configuration folder, that of the home unless one is
        // set.
        qputenv("HOME", QFile::encodeName(home.path()));
        if (!m_config.isNull())
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(".config")));
    }

    void TearDown() override
    {
        WebBrowser::SetMessageTitle({});
        qputenv("HOME", m_home);
        if (!m_config.isNull())
            qputenv("XDG_CONFIG_HOME", m_config);
    }

    QTemporaryDir home;

private:
    const QByteArray m_home = qgetenv("HOME");
    const QByteArray m_config = qgetenv("XDG_CONFIG_HOME");
};

TEST_F(WebBrowserSaveAs, OpensInTheDocumentsElseTheHomeFolderAndWritesWhereTheDialogSaysNothingWhenCancelled)
{
    ShownBrowser browser;
    ASSERT_TRUE(Load(&browser, WritePage("save.html", "<html><head><title>Saved: page</title></head>"
                                                      "<body><p>Words to keep</p></body></html>")));
    int saves = 0;
    QPointer<QWebEngineDownloadRequest> save;
    QObject::connect(WebBrowser::Profile(), &QWebEngineProfile::downloadRequested, &browser,
                     [&](QWebEngineDownloadRequest *download) {
                         saves += download->isSavePageDownload();
                         save = download;
                     });
    // Without a documents folder, the dialog opens in the home folder, not where the program runs.
    QString openedIn;
    AnswerNextModal<QFileDialog>([&](QFileDialog *files) {
        openedIn = files->directory().absolutePath();
        files->reject();
    });
    browser.ExecWB(WebBrowser::OLECMDID_SAVEAS);
    EXPECT_EQ(openedIn.toStdString(), home.path().toStdString());

    const QString documents = home.filePath("Documents");
    ASSERT_TRUE(QDir().mkdir(documents));
    const QString target = QDir(DataFolder().path()).filePath("saved/copy.html");
    QDir().mkpath(QFileInfo(target).path());
    // A copy left by an earlier run would make the dialog stop to ask about replacing it.
    QFile::remove(target);
    QString offered;
    AnswerNextModal<QFileDialog>([&](QFileDialog *files) {
        offered = files->selectedFiles().value(0);
        SaveThere(files, target);
    });
    browser.ExecWB(WebBrowser::OLECMDID_SAVEAS);
    // The dialog offers the documents folder where there is one, and a name from the title
    // without the characters a file name cannot hold.
    EXPECT_EQ(offered.toStdString(), QDir(documents).filePath("Saved page.html").toStdString());
    ASSERT_TRUE(WaitUntil([&] {
        QFile file(target);
        return file.open(QIODevice::ReadOnly) && file.readAll().contains("Words to keep");
    }));
    // A save of the cancelled dialog would have started before this one.
    EXPECT_EQ(saves, 1);
    // A save that took tells nothing.
    ASSERT_TRUE(WaitUntil([&] { return save && save->isFinished(); }));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A save that does not put the page in place tells the user, over the window that saved, which
// file and why: into a folder that refuses writes (a read-only file system refuses root as
// well), whether the file is new or there already, as a page or as an archive, and onto a full
// disk. All browsers share the engine's profile: the other browser, made first, tells nothing.
TEST_F(WebBrowserSaveAs, ASaveThatFailsSaysWhichFileAndWhyOverTheWindowThatSaved)
{
    FullFileSystem readOnly(64);
    ASSERT_TRUE(readOnly.Mounted()) << readOnly.Why().toStdString();
    const QString kept = readOnly.FilePath("kept.html");
    WriteFile(kept, "kept");
    ASSERT_TRUE(readOnly.MakeReadOnly());
    FullFileSystem full(64);
    ASSERT_TRUE(full.LeaveFree(0)) << full.Why().toStdString();
    ShownBrowser other;
    ShownBrowser browser;
    ASSERT_TRUE(Load(&browser, WritePage("refused.html", "<html><body><p>Words to keep</p></body></html>")));

    const QStringList paths = {readOnly.FilePath("new.html"), kept, readOnly.FilePath("new.mht"),
                               full.FilePath("full.html")};
    const QList<ShownMessage> shown = SaveFailureMessages(browser, paths);
    ASSERT_EQ(shown.size(), paths.size());
    const QString readOnlyReason = QString::fromLocal8Bit(std::strerror(EROFS));
    const QStringList reasons = {readOnlyReason, readOnlyReason, readOnlyReason, "The disk may be full"};
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const std::string text = shown[i].text.toStdString();
        EXPECT_EQ(shown[i].title.toStdString(), "Kestrelvue3") << text;
        EXPECT_EQ(shown[i].parent, &browser) << text;
        EXPECT_TRUE(shown[i].text.contains('"' + paths[i] + '"')) << text;
        EXPECT_TRUE(shown[i].text.contains(reasons[i])) << text << " does not give " << reasons[i].toStdString();
    }
    EXPECT_EQ(ReadFile(kept), "kept");
}

TEST(WebBrowserDialogs, PageSetupShowsItsDialogAndUnknownCommandsDoNothing)
{
    ShownBrowser browser;
    bool shown = false;
    AnswerNextModal([&](QWidget *dialog) {
        shown = qobject_cast<QPageSetupDialog *>(dialog) != nullptr;
        qobject_cast<QDialog *>(dialog)->reject();
    });
    browser.ExecWB(WebBrowser::OLECMDID_PAGESETUP);
    EXPECT_TRUE(shown);

    // A page that was never loaded offers nothing to save, and an unknown command is ignored.
    browser.ExecWB(WebBrowser::OLECMDID_SAVEAS);
    browser.ExecWB(3);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(WebBrowserDialogs, PrintPreviewShowsThePagesOfThePage)
{
    ShownBrowser browser;
    ASSERT_TRUE(Load(&browser, WritePage("print.html", "<html><body><p>Printed words</p></body></html>")));
    EXPECT_EQ(PreviewPageCount(browser), 1);
}

// Preparing the preview prints the whole page, which takes a while on a long one: the cursor
// shows the wait until the pages are ready, and no longer. One page shows it as well.
TEST(WebBrowserDialogs, PrintPreviewShowsTheBusyCursorWhileItPreparesThePages)
{
    ShownBrowser browser;
    ASSERT_TRUE(Load(&browser, WritePage("preview.html", "<html><body><p>Previewed words</p></body></html>")));

    // The engine reports the end of its printing while the preview still waits for it.
    std::optional<Qt::CursorShape> atPrintFinished;
    QObject::connect(browser.View(), &QWebEngineView::printFinished, &browser, [&] {
        const QCursor *cursor = QApplication::overrideCursor();
        atPrintFinished = cursor ? cursor->shape() : Qt::ArrowCursor;
    });
    bool cursorWhileShown = true;
    AnswerNextModal([&](QWidget *dialog) {
        QPrintPreviewWidget *preview = PreparedPreview(dialog);
        ASSERT_NE(preview, nullptr);
        cursorWhileShown = QApplication::overrideCursor() != nullptr;
        qobject_cast<QDialog *>(dialog)->reject();
    });
    browser.ExecWB(WebBrowser::OLECMDID_PRINTPREVIEW);
    ASSERT_TRUE(atPrintFinished.has_value());
    EXPECT_EQ(*atPrintFinished, Qt::WaitCursor);
    EXPECT_FALSE(cursorWhileShown) << "the cursor is back once the pages show";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The preview holds every page as an image at the resolution it paints at: at a printer's full
// resolution each page would take hundreds of megabytes. The preview paints at the screen's, and
// File > Print still prints at the printer's full resolution afterwards. (The memory that a long
// preview takes is bench_print_preview's.)
TEST(WebBrowserDialogs, PrintPreviewOfALongPagePaintsAtTheScreensResolution)
{
    ShownBrowser browser;
    ASSERT_TRUE(Load(&browser, WritePage("long.html", LongPage(60))));
    const int printDpi = PrintResolution(browser);
    const int screenDpi = qRound(browser.logicalDpiY() * browser.devicePixelRatioF());
    ASSERT_LT(screenDpi, printDpi);

    QList<int> paintedDpi;
    QObject::connect(browser.View(), &QWebEngineView::printFinished, &browser, [&] {
        if (auto *preview = browser.findChild<QPrintPreviewDialog *>())
            paintedDpi << preview->printer()->resolution();
    });
    EXPECT_GE(PreviewPageCount(browser), 3);
    ASSERT_FALSE(paintedDpi.isEmpty());
    for (const int dpi : paintedDpi)
        EXPECT_EQ(dpi, screenDpi);
    EXPECT_EQ(PrintResolution(browser), printDpi);
}

// The preview's own Print button prints the page at the printer's full resolution.
TEST(WebBrowserDialogs, PrintPreviewPrintButtonPrintsAtThePrintersResolution)
{
    ShownBrowser browser;
    ASSERT_TRUE(Load(&browser, WritePage("printed.html", "<html><body><p>Printed words</p></body></html>")));
    const int printDpi = PrintResolution(browser);
    ASSERT_GT(printDpi, 0);
    const QString output = QDir(DataFolder().path()).filePath("printed.pdf");
    QFile::remove(output); // the printer dialog would ask before overwriting it

    QPrinter *printer = nullptr;
    int printedDpi = 0;
    QObject::connect(browser.View(), &QWebEngineView::printFinished, &browser,
                     [&] { printedDpi = printer ? printer->resolution() : 0; });
    bool printAsked = false;
    AnswerNextModal([&](QWidget *dialog) {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(dialog);
        ASSERT_NE(preview, nullptr);
        ASSERT_NE(PreparedPreview(preview), nullptr);
        printer = preview->printer();
        printer->setOutputFileName(output);
        QAction *print = nullptr;
        for (QAction *action : preview->findChildren<QAction *>()) {
            if (action->text() == QLatin1String("Print"))
                print = action;
        }
        ASSERT_NE(print, nullptr);
        // The Print button asks for the printer first, over the preview.
        auto *poll = new QTimer(preview);
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, [&, poll] {
            if (auto *ask = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
                poll->stop();
                printAsked = true;
                ask->accept();
            }
        });
        poll->start();
        print->trigger();
        if (preview->isVisible())
            preview->reject();
    });
    browser.ExecWB(WebBrowser::OLECMDID_PRINTPREVIEW);
    EXPECT_TRUE(printAsked);
    EXPECT_EQ(printedDpi, printDpi);
    EXPECT_TRUE(WaitUntil([&] { return QFileInfo(output).size() > 0; }));
}
