// The full-screen window following its pages and its address box, and deciding on popups with the
// default main window's blocker, driven as the user drives it.
#include "FullScreenEventsTestSupport.h"

#include "app/CommandIds.h"
#include "browsingdata/FormSelectSearch.h"
#include "controls/UCTVHistory.h"
#include "fullscreen/FormFullScreenTaskBar.h"
#include "platform/CommandBars.h"
#include "tests/platform/WebBrowserTestSupport.h"
#include "tests/support/AddressBoxTyping.h"

#include <QTreeWidget>

namespace {

bool treeHolds(QTreeWidget *tree, const QString &text)
{
    QList<QTreeWidgetItem *> pending;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        pending << tree->topLevelItem(i);
    while (!pending.isEmpty()) {
        QTreeWidgetItem *node = pending.takeFirst();
        if (node->text(0) == text)
            return true;
        for (int i = 0; i < node->childCount(); ++i)
            pending << node->child(i);
    }
    return false;
}

class FullScreenEventsTest : public FullScreenFixture
{
protected:
    void SetUp() override
    {
        FullScreenFixture::SetUp();
        server.AddPage("/popup.html", "<html><head><title>Popup</title></head><body>popup</body></html>");
        server.AddPage("/opener.html", "<html><body><p><a id=blank href='/popup.html' target=_blank>new</a></p>"
                                       "<p><a id=twice href='#' onclick=\"window.open('/popup.html', 'a'); "
                                       "window.open('/popup.html', 'b'); return false\">twice</a></p>"
                                       "<p><a id=ftp href='ftp://127.0.0.1:1/'>files</a></p>"
                                       "<p id=plain>plain text</p></body></html>");
        server.AddPage("/auto.html", "<html><body><script>window.onload = function () {"
                                     "window.open('/popup.html', 'auto'); };</script>auto</body></html>");
    }

    // Types a text into the full-screen address box and presses Enter.
    void commitText(const QString &text) { CommitInAddressBox(form->XPStyleImageTextBox1, text); }
};

} // namespace

TEST_F(FullScreenEventsTest, PageLoadsSetTheAddressTextTheTaskBarCaptionAndTheHistoryInMemory)
{
    const QString url = address("/one.html");
    ASSERT_TRUE(WebBrowserTest::Load(form->WebBrowserFullScreen, QUrl(url)));
    EXPECT_EQ(form->XPStyleImageTextBox1->Text(), url);
    EXPECT_TRUE(WaitUntil([&] {
        return Forms::Default<FormFullScreenTaskBar>()->windowTitle() == QStringLiteral(" Kestrelvue - Page One");
    }));
    EXPECT_TRUE(treeHolds(form->TreeViewHistory->TreeView1(), url));
    EXPECT_FALSE(treeHolds(main->TreeViewHistory->TreeView1(), url))
        << "the main window's history stays as it was";

    ASSERT_TRUE(WebBrowserTest::Load(form->WebBrowserFullScreen, server.Url("/two.html")));
    EXPECT_EQ(form->XPStyleImageTextBox1->Text(), address("/two.html"));
    EXPECT_TRUE(WaitUntil([&] {
        return Forms::Default<FormFullScreenTaskBar>()->windowTitle() == QStringLiteral(" Kestrelvue - Page Two");
    }));
    // The page loads enter the window's own back/forward list: Back goes to the first page.
    form->ToolBarStandard->FindControl(CommandId::Back)->Execute();
    EXPECT_TRUE(WaitUntil([&] { return form->WebBrowserFullScreen->LocationURL() == url; }));
}

TEST_F(FullScreenEventsTest, CommittedAddressNavigatesAndGoesToTheMainWindowsBoxNeverToItsFile)
{
    const QByteArray typedBefore = folder.ReadFile(QStringLiteral("Url.dat"));
    const QString url = address("/one.html");
    commitText(url);
    ASSERT_TRUE(WaitUntil([&] { return form->WebBrowserFullScreen->LocationURL() == url; }));
    EXPECT_EQ(main->XPStyleImageTextBox1->Text(), url);
    EXPECT_NE(main->WebBrowserMain->LocationURL(), url) << "the main window's page stays";
    EXPECT_EQ(folder.ReadFile(QStringLiteral("Url.dat")), typedBefore);
}

TEST_F(FullScreenEventsTest, FtpAddressOpensThePaneAndLeavesThePageAndTheMainWindowsBox)
{
    ASSERT_TRUE(WebBrowserTest::Load(form->WebBrowserFullScreen, server.Url("/one.html")));
    const QString mainText = main->XPStyleImageTextBox1->Text();
    commitText(QStringLiteral("ftp.127.0.0.1.invalid"));
    EXPECT_EQ(form->XPStyleImageTextBox1->Text(), QStringLiteral("ftp://ftp.127.0.0.1.invalid"));
    EXPECT_TRUE(WaitUntil([&] { return form->PictureFTP->isVisible(); }));
    EXPECT_EQ(form->WebBrowserFullScreen->LocationURL(), address("/one.html"));
    EXPECT_EQ(main->XPStyleImageTextBox1->Text(), mainText);
}

TEST_F(FullScreenEventsTest, FtpLinkInThePageOpensThePaneOnItsAddress)
{
    ASSERT_TRUE(WebBrowserTest::Load(form->WebBrowserFullScreen, server.Url("/opener.html")));
    WebBrowserTest::ClickElement(form->WebBrowserFullScreen, "#ftp");
    EXPECT_TRUE(WaitUntil([&] { return form->PictureFTP->isVisible(); }));
    EXPECT_EQ(form->XPStyleImageTextBox1->Text(), QStringLiteral("ftp://127.0.0.1:1/"));
    EXPECT_EQ(form->WebBrowserFullScreen->LocationURL(), address("/opener.html"));
}

TEST_F(FullScreenEventsTest, SearchGoesToTheSelectedEngineWithTheTextEncoded)
{
    commitText(QStringLiteral("cats & dogs"));
    const QString expected = folder.FileUrl(QStringLiteral("Help.html")) + QStringLiteral("?q=cats %26 dogs");
    EXPECT_TRUE(WaitUntil([&] { return form->WebBrowserFullScreen->LocationURL() == expected; }))
        << form->WebBrowserFullScreen->LocationURL().toStdString();
    EXPECT_NE(main->WebBrowserMain->LocationURL(), expected);
}

TEST_F(FullScreenEventsTest, ScriptPopupWithTheBlockerOnIsSunkAndCountedOnTheMainWindow)
{
    ASSERT_TRUE(main->KillPopups);
    ASSERT_TRUE(WebBrowserTest::Load(form->WebBrowserFullScreen, server.Url("/auto.html")));
    EXPECT_TRUE(WaitUntil([&] { return main->BlockedPopupCount == 1; }));
    EXPECT_TRUE(NewWindows().isEmpty());
}

TEST_F(FullScreenEventsTest, OneLinkClickLetsOnePopupThroughIntoANewMainWindow)
{
    ASSERT_TRUE(WebBrowserTest::Load(form->WebBrowserFullScreen, server.Url("/opener.html")));
    WebBrowserTest::ClickElement(form->WebBrowserFullScreen, "#twice");
    ASSERT_TRUE(WaitUntil([&] { return NewWindows().size() == 1 && main->BlockedPopupCount == 1; }));
    FormMain *window = NewWindows().first();
    EXPECT_TRUE(window->IsChildWindow);
    EXPECT_EQ(window->NumberOfChildWindowsReached, 1);
    EXPECT_TRUE(WaitUntil([&] { return window->WebBrowserMain->LocationURL() == address("/popup.html"); }));
    EXPECT_EQ(form->WebBrowserFullScreen->LocationURL(), address("/opener.html"));
}

TEST_F(FullScreenEventsTest, WithTheBlockerOffEveryPopupOpensANewMainWindow)
{
    main->KillPopups = false;
    ASSERT_TRUE(WebBrowserTest::Load(form->WebBrowserFullScreen, server.Url("/auto.html")));
    ASSERT_TRUE(WaitUntil([&] { return NewWindows().size() == 1; }));
    EXPECT_TRUE(NewWindows().first()->IsChildWindow);
    EXPECT_EQ(main->BlockedPopupCount, 0);
}

TEST_F(FullScreenEventsTest, RightClickOpensNoMenuOfAnyKind)
{
    ASSERT_TRUE(WebBrowserTest::Load(form->WebBrowserFullScreen, server.Url("/opener.html")));
    QSignalSpy reported(form->WebBrowserFullScreen->Document(), &HtmlDocument::oncontextmenu);
    for (const char *selector : {"#blank", "#plain"}) {
        WebBrowserTest::ClickElement(form->WebBrowserFullScreen, selector, Qt::RightButton);
        ASSERT_TRUE(WaitUntil([&] { return !reported.isEmpty(); }));
        EXPECT_TRUE(reported.takeFirst().at(0).value<HtmlEvent>().Cancelled) << selector;
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << selector;
    }
}
