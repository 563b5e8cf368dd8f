#include "MainWindowFixture.h"

#include "controls/TransparentLabel.h"
#include "controls/XPStyleImageTextBox.h"
#include "controls/XPStyleProgressBar.h"
#include "controls/XPStyleStatusBarPanel.h"
#include "mainwindow/FormDeadEnd.h"
#include "platform/CommandBars.h"
#include "platform/HtmlDocument.h"
#include "tests/platform/WebBrowserTestSupport.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

const QByteArray kPopupPage = "<html><head><title>Popup</title></head><body>popup</body></html>";
const QByteArray kTwicePage = "<html><body><script>window.onload = function () {"
                              "window.open('/popup.html', '_blank'); window.open('/popup.html', '_blank'); };"
                              "</script>two popups</body></html>";

class PopupWindows : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        server.AddPage("/popup.html", kPopupPage);
        server.AddPage("/opener.html",
                       "<html><body>"
                       "<p><a id=blank href='/popup.html' target=_blank>new window</a></p>"
                       "<p><a id=scripted href='#' onclick=\"window.open('/popup.html', 'small', "
                       "'width=320,height=240'); return false\">scripted</a></p>"
                       "<p><button id=button onclick=\"window.open('/popup.html')\">button</button></p>"
                       "<p><a id=chain href='/chain.html' target=_blank>chain</a></p>"
                       "</body></html>");
        server.AddPage("/twice.html", kTwicePage);
        server.AddPage("/nested.html",
                       "<html><body><script>window.onload = function () { window.open('/popup.html', 'inner'); };"
                       "</script>nested</body></html>");
        server.AddPage("/sinkopener.html",
                       "<html><body><script>window.onload = function () { window.open('/nested.html', 'outer'); };"
                       "</script>opens a page that opens a popup</body></html>");
        // A page that opens itself again as soon as it has loaded.
        server.AddPage("/chain.html",
                       "<html><head><title>Chain</title></head><body><script>window.onload = function () {"
                       "window.open('/chain.html', '_blank'); };</script>chain</body></html>");
    }

    bool LoadOpener() { return LoadPage(form, server.Url("/opener.html")); }

    // Waits for the one new main window and for its page to be the popup's.
    FormMain *WaitForNewWindowOn(const QString &path)
    {
        FormMain *window = nullptr;
        const bool shown = WaitUntil([&] {
            const QList<FormMain *> windows = NewWindows();
            window = windows.isEmpty() ? nullptr : windows.first();
            return window && window->WebBrowserMain->LocationURL() == server.Url(path).toString();
        });
        return shown ? window : nullptr;
    }
};

} // namespace

TEST_F(PopupWindows, ScriptPopupWithTheBlockerOnIsSunkInAHiddenWindowThatUnloadsItself)
{
    ASSERT_TRUE(form->KillPopups);
    server.AddPage("/auto.html", "<html><body><script>window.onload = function () {"
                                 "window.open('/popup.html', 'auto'); };</script>auto</body></html>");
    ASSERT_TRUE(LoadPage(form, server.Url("/auto.html")));

    QPointer<FormDeadEnd> sink;
    ASSERT_TRUE(WaitUntil([&] {
        const auto sinks = Loaded<FormDeadEnd>();
        sink = sinks.isEmpty() ? nullptr : sinks.first();
        return sink != nullptr;
    }));
    QElapsedTimer lifetime;
    lifetime.start();
    EXPECT_EQ(form->BlockedPopupCount, 1);
    EXPECT_EQ(form->TransparentLabelPopupStatus->LabelText(),
              QStringLiteral("Popup Blocker is On -- 1 Popup Has Been Blocked"));
    EXPECT_TRUE(NewWindows().isEmpty());

    // The page arrives in the sink, which never shows and switches it to design mode.
    ASSERT_TRUE(WaitUntil([&] {
        return sink && WebBrowserTest::RunScript(sink->WebBrowser1->Page(), "document.designMode").toString() == "on";
    }));
    EXPECT_EQ(sink->WebBrowser1->LocationURL(), server.Url("/popup.html").toString());
    EXPECT_FALSE(sink->isVisible());

    ASSERT_TRUE(WaitUntil([&] { return !Forms::IsLoaded(sink); }));
    EXPECT_GE(lifetime.elapsed(), 1500) << "the sink lives two seconds from its load";
}

TEST_F(PopupWindows, StatusCountsEveryBlockedPopup)
{
    ASSERT_TRUE(LoadPage(form, server.Url("/twice.html")));
    ASSERT_TRUE(WaitUntil([&] { return form->BlockedPopupCount == 2; }));
    EXPECT_EQ(form->TransparentLabelPopupStatus->LabelText(),
              QStringLiteral("Popup Blocker is On -- 2 Popups Have Been Blocked"));
    EXPECT_TRUE(NewWindows().isEmpty());
}

TEST_F(PopupWindows, LinkWithTargetBlankOpensANewMainWindow)
{
    ASSERT_TRUE(LoadOpener());
    WebBrowserTest::ClickElement(form->WebBrowserMain, "#blank");
    FormMain *window = WaitForNewWindowOn("/popup.html");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return window->isVisible(); }));
    EXPECT_TRUE(window->IsChildWindow);
    EXPECT_EQ(window->NumberOfChildWindowsReached, 1);
    EXPECT_FALSE(form->LinkClicked) << "a click lets one popup through";
    EXPECT_EQ(form->BlockedPopupCount, 0);
    EXPECT_EQ(form->WebBrowserMain->LocationURL(), server.Url("/opener.html").toString());
    EXPECT_TRUE(WaitUntil([&] { return window->windowTitle() == QStringLiteral(" Kestrelvue - Popup"); }));
}

TEST_F(PopupWindows, ScriptOfALinkOpensASmallWindowWithoutBars)
{
    ASSERT_TRUE(LoadOpener());
    WebBrowserTest::ClickElement(form->WebBrowserMain, "#scripted");
    FormMain *window = WaitForNewWindowOn("/popup.html");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return window->Width() == 320 * 15; })) << window->Width();
    EXPECT_TRUE(WaitUntil([&] { return !window->ToolBarStandard->Visible(); }));
    EXPECT_FALSE(window->CommandBarsMain->ActiveMenuBar()->Visible());
    EXPECT_TRUE(form->ToolBarStandard->Visible()) << "the opener keeps its bars";
    EXPECT_EQ(form->BlockedPopupCount, 0);
}

TEST_F(PopupWindows, SmallWindowWithoutBarsShowsItsPageAndSideBarWithNothingOverThem)
{
    ASSERT_TRUE(LoadOpener());
    WebBrowserTest::ClickElement(form->WebBrowserMain, "#scripted");
    FormMain *window = WaitForNewWindowOn("/popup.html");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return window->Width() == 320 * 15 && !window->ToolBarStandard->Visible(); }));
    window->ShowHistory();

    for (QWidget *control : QList<QWidget *>{window->TransparentLabelAddress, window->XPStyleImageTextBox1, window->PictureGo,
                                             window->XPStyleStatusBarPanel1, window->XPStyleStatusBarPanel2,
                                             window->XPStyleStatusBarPanel3, window->TransparentLabelStatusText,
                                             window->XPStyleProgressBar1, window->TransparentLabelPopupStatus})
        EXPECT_FALSE(control->isVisible()) << control->objectName().toStdString() << " shows without its bar";
    for (QWidget *pane : {window->PictureBrowser, window->PictureSideBar}) {
        const QRect area(pane->mapTo(window, QPoint(0, 0)), pane->size());
        EXPECT_GE(area.bottom(), window->rect().bottom()) << pane->objectName().toStdString() << " fills what the bars left";
        // What shows at every point of the pane is the pane.
        QStringList over;
        for (int y = area.top() + 3; y < area.bottom() - 2; y += 3)
            for (int x = area.left() + 3; x < area.right() - 2; x += 6)
                if (QWidget *at = window->childAt(x, y); at != pane && !pane->isAncestorOf(at) && !over.contains(at->objectName()))
                    over << at->objectName();
        EXPECT_TRUE(over.isEmpty()) << over.join(QStringLiteral(", ")).toStdString() << " over "
                                    << pane->objectName().toStdString();
    }
}

TEST_F(PopupWindows, ButtonThatIsNoLinkCannotOpenAPopupPastTheBlocker)
{
    ASSERT_TRUE(LoadOpener());
    WebBrowserTest::ClickElement(form->WebBrowserMain, "#button");
    ASSERT_TRUE(WaitUntil([&] { return form->BlockedPopupCount == 1; }));
    EXPECT_TRUE(NewWindows().isEmpty());
}

TEST_F(PopupWindows, BlockerOffLetsScriptPopupsThrough)
{
    form->KillPopups = false;
    ASSERT_TRUE(LoadPage(form, server.Url("/twice.html")));
    ASSERT_TRUE(WaitUntil([&] { return NewWindows().size() == 2; }));
    for (FormMain *window : NewWindows()) {
        EXPECT_TRUE(window->IsChildWindow);
        EXPECT_EQ(window->NumberOfChildWindowsReached, 0);
    }
    EXPECT_EQ(form->BlockedPopupCount, 0);
    EXPECT_TRUE(Loaded<FormDeadEnd>().isEmpty());
    EXPECT_EQ(form->TransparentLabelPopupStatus->LabelText(), QStringLiteral("Popup Blocker is On"))
        << "the label keeps its text";
}

TEST_F(PopupWindows, PopupWindowLetsTheFirstPopupThroughAfterEachNavigation)
{
    ASSERT_TRUE(LoadOpener());
    WebBrowserTest::ClickElement(form->WebBrowserMain, "#blank");
    FormMain *child = WaitForNewWindowOn("/popup.html");
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return child->windowTitle() == QStringLiteral(" Kestrelvue - Popup"); }));

    ASSERT_TRUE(LoadPage(child, server.Url("/twice.html")));
    ASSERT_TRUE(WaitUntil([&] { return NewWindows().size() == 2 && child->BlockedPopupCount == 1; }));
    FormMain *grandChild = nullptr;
    for (FormMain *window : NewWindows())
        if (window != child)
            grandChild = window;
    ASSERT_NE(grandChild, nullptr);
    EXPECT_EQ(grandChild->NumberOfChildWindowsReached, 2);
    EXPECT_TRUE(grandChild->IsChildWindow);

    // A new address: a reload's new document is reported over the page's asynchronous channel.
    server.AddPage("/twice-again.html", kTwicePage);
    ASSERT_TRUE(LoadPage(child, server.Url("/twice-again.html")));
    EXPECT_TRUE(WaitUntil([&] { return NewWindows().size() == 3 && child->BlockedPopupCount == 2; }));
    EXPECT_EQ(form->BlockedPopupCount, 0);
}

TEST_F(PopupWindows, PageThatReopensItselfEndsAtTheAllowedDepth)
{
    ASSERT_EQ(form->NumberOfChildWindowsAllowed, 3);
    ASSERT_TRUE(LoadOpener());
    WebBrowserTest::ClickElement(form->WebBrowserMain, "#chain");
    FormMain *deepest = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (FormMain *window : NewWindows())
            if (window->NumberOfChildWindowsReached == 3 && window->BlockedPopupCount == 1)
                deepest = window;
        return deepest != nullptr;
    }));
    EXPECT_EQ(NewWindows().size(), 3);
}

TEST_F(PopupWindows, SunkPagesPopupGoesIntoASecondSinkAndNoFurther)
{
    ASSERT_TRUE(LoadPage(form, server.Url("/sinkopener.html")));
    ASSERT_TRUE(WaitUntil([&] { return server.RequestedPaths().contains("/popup.html"); }));
    QList<FormDeadEnd *> sinks = Loaded<FormDeadEnd>();
    ASSERT_EQ(sinks.size(), 2);
    EXPECT_EQ(sinks.at(0)->Depth(), 1);
    EXPECT_EQ(sinks.at(1)->Depth(), 2);
    EXPECT_EQ(form->BlockedPopupCount, 1) << "only the window's own popups are counted";
    EXPECT_TRUE(NewWindows().isEmpty());
    EXPECT_TRUE(WaitUntil([&] { return Loaded<FormDeadEnd>().isEmpty(); }));
}

// The page reports a click over an asynchronous channel; a request that a gesture started waits
// for the report of its click.
TEST_F(PopupWindows, GesturePopupWaitsForTheLinkClickReportedAfterIt)
{
    HtmlEvent click;
    click.Type = QStringLiteral("click");
    click.HasSrcElement = true;
    click.SrcTagName = QStringLiteral("A");
    click.HasParentElement = true;
    // Each report goes to the page's document; the test waits until both have gone, so that
    // none is left for a window that is closing.
    HtmlDocument *document = form->docMain;
    ASSERT_NE(document, nullptr);
    int reported = 0;
    const auto report = [document, click, &reported] {
        ++reported;
        emit document->onclick(click);
    };
    QTimer::singleShot(100, document, report);
    WebBrowser *target = nullptr;
    bool cancel = false;
    emit form->WebBrowserMain->NewWindow2(target, cancel, server.Url("/popup.html").toString(), true);
    ASSERT_NE(target, nullptr);
    ASSERT_EQ(NewWindows().size(), 1);
    EXPECT_EQ(target, NewWindows().first()->WebBrowserMain);
    EXPECT_EQ(form->BlockedPopupCount, 0);

    // Without a gesture there is no click to wait for.
    target = nullptr;
    QTimer::singleShot(100, document, report);
    emit form->WebBrowserMain->NewWindow2(target, cancel, server.Url("/popup.html").toString(), false);
    EXPECT_NE(target, nullptr);
    EXPECT_EQ(form->BlockedPopupCount, 1);
    EXPECT_EQ(target, Loaded<FormDeadEnd>().value(0)->WebBrowser1);
    EXPECT_FALSE(cancel);
    EXPECT_TRUE(WaitUntil([&] { return reported == 2; }));
}

// A key press is a user gesture without a click: the request waits in vain for a click report and
// is blocked.
TEST_F(PopupWindows, PopupOpenedByAKeyPressIsBlockedAfterWaitingForAClick)
{
    server.AddPage("/keys.html", "<html><body><input id=box type=text "
                                 "onkeypress=\"window.open('/popup.html', '_blank')\"></body></html>");
    ASSERT_TRUE(LoadPage(form, server.Url("/keys.html")));
    WebBrowserTest::RunScript(form->WebBrowserMain->Page(), "document.getElementById('box').focus()");
    form->WebBrowserMain->View()->setFocus();
    ASSERT_TRUE(WebBrowserTest::TakesKeys(form->WebBrowserMain));
    QTest::keyClick(WebBrowserTest::InputWidget(form->WebBrowserMain), Qt::Key_K);
    ASSERT_TRUE(WaitUntil([&] { return form->BlockedPopupCount > 0; }));
    EXPECT_TRUE(NewWindows().isEmpty());
    EXPECT_EQ(form->TransparentLabelPopupStatus->LabelText(),
              QStringLiteral("Popup Blocker is On -- 1 Popup Has Been Blocked"));
}
