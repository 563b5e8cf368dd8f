#include "MainWindowFixture.h"

#include "mainwindow/ClickReportWait.h"
#include "mainwindow/FormDeadEnd.h"
#include "platform/HtmlDocument.h"
#include "platform/WebBrowser.h"
#include "tests/platform/WebBrowserTestSupport.h"
#include "tests/support/WaitFor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QPointer>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Notes when the pointer first comes over the widget it watches, and whether a wait ran then.
class PointerWatch : public QObject
{
public:
    PointerWatch(QWidget *watched, const bool &waiting) : m_waiting(waiting)
    {
        watched->installEventFilter(this);
    }
    bool Came = false;
    bool CameWhileWaiting = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if ((event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) && !Came) {
            Came = true;
            CameWhileWaiting = m_waiting;
        }
        return false;
    }

private:
    const bool &m_waiting;
};

} // namespace

// A popup that a key press opens waits for a click report that never comes; the user's input
// goes on meanwhile.
TEST(ClickReportWait, UserInputIsHandledWhileTheWaitRuns)
{
    WebBrowserTest::DataFolder();
    WebBrowser browser;
    QWidget target;
    target.setMouseTracking(true);
    target.setGeometry(100, 100, 200, 200);
    target.show();
    ASSERT_TRUE(WaitUntil([&] { return Exposed(&target); }));
    QPoint over = target.mapToGlobal(QPoint(50, 50));
    if (QCursor::pos() == over)
        over += QPoint(10, 10);
    bool waiting = false;
    PointerWatch watch(&target, waiting);

    // The pointer moves while the wait runs: the system queues the move as user input.
    QTimer::singleShot(0, &target, [over] { QCursor::setPos(over); });
    waiting = true;
    ClickReportWait::Await(&target, browser.Document(), -1);
    waiting = false;

    EXPECT_TRUE(WaitUntil([&] { return watch.Came; }));
    EXPECT_TRUE(watch.CameWhileWaiting);
}

// The window that waits may be closed meanwhile; it stays until the wait is over, since the
// request that waits is answered from it, and goes then.
TEST(ClickReportWait, WindowClosedWhileItWaitsIsDeletedOnceTheWaitIsOver)
{
    WebBrowserTest::DataFolder();
    QPointer<QWidget> window = new QWidget;
    auto *browser = new WebBrowser(window);
    QTimer::singleShot(0, window, [window] { window->deleteLater(); });
    ClickReportWait::Await(window, browser->Document(), -1);
    ASSERT_FALSE(window.isNull());

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

namespace {

class ClickReportWaitWindow : public MainWindowFixture
{
};

} // namespace

// A key press opens a popup, which waits in its window for a click report; the user closes the
// window meanwhile. The window goes once the wait is over, and no popup opens from it.
TEST_F(ClickReportWaitWindow, WindowClosedWhileAPopupWaitsGoesWithoutOpeningIt)
{
    server.AddPage("/popup.html", "<html><body>popup</body></html>");
    server.AddPage("/keys.html", "<html><body><input id=box type=text "
                                 "onkeypress=\"window.open('/popup.html', '_blank')\"></body></html>");
    ASSERT_TRUE(LoadPage(form, server.Url("/keys.html")));
    WebBrowserTest::RunScript(form->WebBrowserMain->Page(), "document.getElementById('box').focus()");
    form->WebBrowserMain->View()->setFocus();
    QWidget *input = WebBrowserTest::InputWidget(form->WebBrowserMain);

    // The wait is the only event loop run inside a handler here: the window is closed from it.
    QPointer<FormMain> window = form;
    bool closed = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (!closed && QThread::currentThread()->loopLevel() > 0) {
            closed = true;
            window->close();
        }
    });
    closer.start(5);
    bool deletedWhileWaiting = false;
    QObject::connect(form, &QObject::destroyed,
                     [&] { deletedWhileWaiting = QThread::currentThread()->loopLevel() > 0; });
    ASSERT_TRUE(WebBrowserTest::TakesKeys(form->WebBrowserMain));
    QTest::keyClick(input, Qt::Key_K);
    ASSERT_TRUE(WaitUntil([&] { return closed; }));
    closer.stop();

    EXPECT_TRUE(WaitUntil([&] { return window.isNull(); }));
    EXPECT_FALSE(deletedWhileWaiting) << "the popup's handler was still running in the window";
    EXPECT_TRUE(Loaded<FormMain>().isEmpty());
    EXPECT_TRUE(Loaded<FormDeadEnd>().isEmpty());
}
