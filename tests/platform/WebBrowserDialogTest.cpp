#include "WebBrowserTestSupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintPreviewWidget>
#include <QWebEngineView>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <optional>

using namespace WebBrowserTest;

namespace {

// Answers the next modal dialog that opens: `answer` gets it and closes it.
void AnswerNextDialog(const std::function<void(QWidget *)> &answer)
{
    auto *timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        }
    });
    timer->start();
}

} // namespace

TEST(WebBrowserDialogs, SaveAsWritesThePageWhereTheFileDialogSays)
{
    DataFolder();
    WebBrowser browser;
    browser.resize(800, 600);
    browser.show();
    ASSERT_TRUE(Load(&browser, WritePage("save.html", "<html><head><title>Saved: page</title></head>"
                                                      "<body><p>Words to keep</p></body></html>")));
    const QString target = QDir(DataFolder().path()).filePath("saved/copy.html");
    QDir().mkpath(QFileInfo(target).path());
    QString suggested;
    AnswerNextDialog([&](QWidget *dialog) {
        auto *files = qobject_cast<QFileDialog *>(dialog);
        ASSERT_NE(files, nullptr);
        suggested = files->selectedFiles().value(0);
        // Typed into the name box and accepted at once: the folder view, still settling, could
        // put its own choice back in between.
        auto *name = files->findChild<QLineEdit *>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(target);
        QMetaObject::invokeMethod(files, "accept");
    });
    browser.ExecWB(WebBrowser::OLECMDID_SAVEAS);
    // The title gives the name offered, without the characters a file name cannot hold.
    EXPECT_TRUE(suggested.endsWith("Saved page.html")) << suggested.toStdString();
    ASSERT_TRUE(WaitFor([&] {
        QFile file(target);
        return file.open(QIODevice::ReadOnly) && file.readAll().contains("Words to keep");
    }));
}

TEST(WebBrowserDialogs, SaveAsCancelledWritesNothing)
{
    DataFolder();
    WebBrowser browser;
    browser.resize(800, 600);
    browser.show();
    ASSERT_TRUE(Load(&browser, WritePage("save2.html", "<html><body>x</body></html>")));
    bool asked = false;
    AnswerNextDialog([&](QWidget *dialog) {
        asked = true;
        qobject_cast<QDialog *>(dialog)->reject();
    });
    browser.ExecWB(WebBrowser::OLECMDID_SAVEAS);
    EXPECT_TRUE(asked);
}

TEST(WebBrowserDialogs, PageSetupShowsItsDialogAndUnknownCommandsDoNothing)
{
    DataFolder();
    WebBrowser browser;
    bool shown = false;
    AnswerNextDialog([&](QWidget *dialog) {
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
    DataFolder();
    WebBrowser browser;
    browser.resize(800, 600);
    browser.show();
    ASSERT_TRUE(Load(&browser, WritePage("print.html", "<html><body><p>Printed words</p></body></html>")));
    int pages = -1;
    AnswerNextDialog([&](QWidget *dialog) {
        auto *preview = dialog->findChild<QPrintPreviewWidget *>();
        ASSERT_NE(preview, nullptr);
        WaitFor([&] { return preview->pageCount() > 0; });
        pages = preview->pageCount();
        qobject_cast<QDialog *>(dialog)->reject();
    });
    browser.ExecWB(WebBrowser::OLECMDID_PRINTPREVIEW);
    EXPECT_EQ(pages, 1);
}

// Preparing the preview prints the whole page, which takes a while on a long one: the cursor
// shows the wait until the pages are ready, and no longer. One page shows it as well.
TEST(WebBrowserDialogs, PrintPreviewShowsTheBusyCursorWhileItPreparesThePages)
{
    DataFolder();
    WebBrowser browser;
    browser.resize(800, 600);
    browser.show();
    ASSERT_TRUE(Load(&browser, WritePage("preview.html", "<html><body><p>Previewed words</p></body></html>")));

    // The engine reports the end of its printing while the preview still waits for it.
    std::optional<Qt::CursorShape> atPrintFinished;
    QObject::connect(browser.View(), &QWebEngineView::printFinished, &browser, [&] {
        const QCursor *cursor = QApplication::overrideCursor();
        atPrintFinished = cursor ? cursor->shape() : Qt::ArrowCursor;
    });
    bool cursorWhileShown = true;
    AnswerNextDialog([&](QWidget *dialog) {
        auto *preview = dialog->findChild<QPrintPreviewWidget *>();
        ASSERT_NE(preview, nullptr);
        WaitFor([&] { return preview->pageCount() > 0; });
        cursorWhileShown = QApplication::overrideCursor() != nullptr;
        qobject_cast<QDialog *>(dialog)->reject();
    });
    browser.ExecWB(WebBrowser::OLECMDID_PRINTPREVIEW);
    ASSERT_TRUE(atPrintFinished.has_value());
    EXPECT_EQ(*atPrintFinished, Qt::WaitCursor);
    EXPECT_FALSE(cursorWhileShown) << "the cursor is back once the pages show";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
