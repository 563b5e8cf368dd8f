// The full-screen window's commands run from its Standard bar, its side-bar header and its
// toolbars as the user runs them.
#include "FullScreenEventsTestSupport.h"

#include "app/CommandIds.h"
#include "controls/TransparentLabel.h"
#include "controls/UCTVHistory.h"
#include "fullscreen/FormFullScreenTaskBar.h"
#include "platform/CommandBars.h"
#include "tests/platform/WebBrowserTestSupport.h"
#include "tests/support/SideBarPanes.h"

#include <QAction>
#include <QToolBar>
#include <QTreeWidget>

namespace {

class FullScreenCommandsTest : public FullScreenFixture
{
protected:
    CommandBarControl *standard(int id) const { return form->ToolBarStandard->FindControl(id); }

    // The marks of the Standard bar's Search, Favorites and History buttons, as "100".
    QString sideBarMarks() const
    {
        QString marks;
        for (int id : {CommandId::SearchButton, CommandId::FavoritesButton, CommandId::HistoryButton})
            marks += standard(id)->Checked() ? QLatin1Char('1') : QLatin1Char('0');
        return marks;
    }

    // Whether the Block buttons of both windows, the main window's Popup Blocker item and its
    // status text agree with the blocker's setting.
    bool blockerMarksFollow() const
    {
        const bool on = main->KillPopups;
        return standard(CommandId::Block)->Checked() == on
            && main->CommandBarsMain->FindControl(CommandId::Block)->Checked() == on
            && main->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::PopupBlocker, false, true)
                       ->Checked()
                   == on
            && main->TransparentLabelPopupStatus->LabelText()
                   == (on ? QStringLiteral("Popup Blocker is On") : QStringLiteral("Popup Blocker is Off"));
    }

    void clickToolbar(QToolBar *toolbar, const QString &key)
    {
        QAction *button = FormFullScreen::ToolbarButton(toolbar, key);
        ASSERT_NE(button, nullptr) << key.toStdString();
        button->trigger();
    }
};

} // namespace

TEST_F(FullScreenCommandsTest, NavigationButtonsActOnTheFullScreenBrowser)
{
    ASSERT_TRUE(WebBrowserTest::Load(form->WebBrowserFullScreen, server.Url("/one.html")));
    ASSERT_TRUE(WebBrowserTest::Load(form->WebBrowserFullScreen, server.Url("/two.html")));
    standard(CommandId::Back)->Execute();
    EXPECT_TRUE(WaitUntil([&] { return form->WebBrowserFullScreen->LocationURL() == address("/one.html"); }));
    ASSERT_TRUE(WaitUntil([&] { return standard(CommandId::Forward)->Enabled(); }));
    standard(CommandId::Forward)->Execute();
    EXPECT_TRUE(WaitUntil([&] { return form->WebBrowserFullScreen->LocationURL() == address("/two.html"); }));

    // The navigation toolbar uses the browser's own history.
    clickToolbar(form->ToolbarNav, QStringLiteral("Back"));
    EXPECT_TRUE(WaitUntil([&] { return form->WebBrowserFullScreen->LocationURL() == address("/one.html"); }));
    standard(CommandId::Home)->Execute();
    EXPECT_TRUE(WaitUntil([&] {
        return form->WebBrowserFullScreen->LocationURL() == folder.FileUrl(QStringLiteral("blank.html"));
    }));
    EXPECT_EQ(main->WebBrowserMain->LocationURL(), folder.FileUrl(QStringLiteral("blank.html")));
}

TEST_F(FullScreenCommandsTest, BackListEntryGoesBackByItsPlaceAndTheNextLoadAddsNothing)
{
    server.AddPage("/three.html", "<html><head><title>Page Three</title></head><body>three</body></html>");
    server.AddPage("/four.html", "<html><head><title>Page Four</title></head><body>four</body></html>");
    for (const char *path : {"/one.html", "/two.html", "/three.html", "/four.html"})
        ASSERT_TRUE(WebBrowserTest::Load(form->WebBrowserFullScreen, server.Url(path)));
    // The list offers the pages between the first and the current one, nearest first.
    CommandBar *backList = standard(CommandId::Back)->CommandBar();
    ASSERT_NE(backList, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return backList->Controls().Count() == 2; }));
    EXPECT_EQ(backList->Controls().Item(2)->Caption(), QStringLiteral("Page Two"));
    backList->Controls().Item(2)->Execute();
    EXPECT_TRUE(WaitUntil([&] { return form->WebBrowserFullScreen->LocationURL() == address("/two.html"); }));
    CommandBar *forwardList = standard(CommandId::Forward)->CommandBar();
    EXPECT_TRUE(WaitUntil([&] { return forwardList->Controls().Count() == 2; }))
        << "both later pages are offered forward: the page loaded by the move was not added again";
}

TEST_F(FullScreenCommandsTest, FavoriteEntryOpensTheAddressAfterTheShortcutsPath)
{
    // A favorite entry as the favorites menu builds it: the key is the file's path, "%" and the
    // address, and the address may hold a "%" of its own.
    CommandBarControl *favorite =
        form->ToolBarStandard->Controls().Add(CommandBarControlType::Button, CommandId::Favorite,
                                              QStringLiteral("One"));
    const QString url = address("/one.html") + QStringLiteral("?a=%41");
    favorite->SetParameter(folder.FilePath(QStringLiteral("Favorites/One.url")) + QLatin1Char('%') + url);
    favorite->Execute();
    EXPECT_TRUE(WaitUntil([&] { return form->WebBrowserFullScreen->LocationURL().startsWith(address("/one.html")); }));
    EXPECT_TRUE(form->WebBrowserFullScreen->LocationURL().contains(QStringLiteral("a=")));
}

TEST_F(FullScreenCommandsTest, SideBarButtonsShowOnePaneAndTheSecondPressHidesTheSideBar)
{
    standard(CommandId::SearchButton)->Execute();
    EXPECT_EQ(sideBarMarks(), QStringLiteral("100"));
    EXPECT_EQ(PanesShown(form), QStringLiteral("100"));
    standard(CommandId::FavoritesButton)->Execute();
    EXPECT_EQ(sideBarMarks(), QStringLiteral("010"));
    EXPECT_EQ(PanesShown(form), QStringLiteral("010"));
    standard(CommandId::FavoritesButton)->Execute();
    EXPECT_EQ(sideBarMarks(), QStringLiteral("000"));
    EXPECT_FALSE(form->PictureSideBar->isVisible());

    // The navigation toolbar's buttons only ever show a pane.
    clickToolbar(form->ToolbarNav, QStringLiteral("History"));
    EXPECT_EQ(PanesShown(form), QStringLiteral("001"));
    clickToolbar(form->ToolbarNav, QStringLiteral("History"));
    EXPECT_TRUE(form->PictureSideBar->isVisible());
}

TEST_F(FullScreenCommandsTest, BlockAndPopupsToggleTheMainWindowsBlockerAndEveryMarkFollows)
{
    ASSERT_TRUE(main->KillPopups);
    ASSERT_TRUE(standard(CommandId::Block)->Checked());
    standard(CommandId::Block)->Execute();
    EXPECT_FALSE(main->KillPopups);
    EXPECT_TRUE(blockerMarksFollow());
    standard(CommandId::Block)->Execute();
    EXPECT_TRUE(main->KillPopups);
    EXPECT_TRUE(blockerMarksFollow());

    clickToolbar(form->ToolbarNav, QStringLiteral("Popups"));
    EXPECT_FALSE(main->KillPopups);
    EXPECT_TRUE(blockerMarksFollow()) << "a mark never shows the other state";
}

TEST_F(FullScreenCommandsTest, TextSizesAreWrittenToTheMainWindowsSettings)
{
    // No bar of this window carries the text sizes: entries added to its Standard bar stand in.
    CommandBar *menu = form->ToolBarStandard;
    CommandBarControl *largest =
        menu->Controls().Add(CommandBarControlType::Button, CommandId::TextSizeLargest, QStringLiteral("Largest"));
    CommandBarControl *normal =
        menu->Controls().Add(CommandBarControlType::Button, CommandId::TextSizeNormal, QStringLiteral("Normal"));
    ASSERT_TRUE(WebBrowserTest::Load(form->WebBrowserFullScreen, server.Url("/one.html")));

    largest->Execute();
    EXPECT_EQ(main->TextSize, 7);
    EXPECT_FALSE(main->TextNormal);
    EXPECT_TRUE(largest->Checked());
    EXPECT_TRUE(WaitUntil([&] {
        return WebBrowserTest::RunScript(form->WebBrowserFullScreen->Page(),
                                         "document.body.innerHTML.toLowerCase().indexOf('size=\"7\"') >= 0")
            .toBool();
    })) << "the page shows the new size";

    normal->Execute();
    EXPECT_EQ(main->TextSize, 2);
    EXPECT_TRUE(main->TextNormal);
    EXPECT_FALSE(largest->Checked());
    EXPECT_TRUE(normal->Checked());
}

TEST_F(FullScreenCommandsTest, LeavingFullScreenShowsTheMainWindowOnTheFullScreenPage)
{
    main->FullScreen = true;
    ASSERT_TRUE(WebBrowserTest::Load(form->WebBrowserFullScreen, server.Url("/one.html")));
    standard(CommandId::Fullscreen)->Execute();
    EXPECT_FALSE(main->FullScreen);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(Forms::IsLoaded(form)) << "the window stays loaded";
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(WaitUntil([&] { return main->WebBrowserMain->LocationURL() == address("/one.html"); }));
}

TEST_F(FullScreenCommandsTest, MinimizeGoesToTheTaskBarProxy)
{
    clickToolbar(form->ToolbarWindow, QStringLiteral("Minimize"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(Forms::Default<FormFullScreenTaskBar>()->isVisible());
}

TEST_F(FullScreenCommandsTest, GoButtonCommitsTheTextAndDoesNothingWhenTheBoxIsEmpty)
{
    const QString before = form->WebBrowserFullScreen->LocationURL();
    {
        WebBrowserTest::NavigationRecorder recorder(form->WebBrowserFullScreen);
        form->XPStyleImageTextBox1->SetText(QString());
        clickToolbar(form->ToolbarGo, QStringLiteral("GoToAddress"));
        ASSERT_TRUE(WebBrowserTest::NavigationsStarted(form->WebBrowserFullScreen));
        EXPECT_TRUE(recorder.requested.isEmpty()) << recorder.requested.join(' ').toStdString();
    }
    EXPECT_EQ(form->WebBrowserFullScreen->LocationURL(), before);

    const QString url = address("/two.html");
    form->XPStyleImageTextBox1->SetText(url);
    clickToolbar(form->ToolbarGo, QStringLiteral("GoToAddress"));
    EXPECT_TRUE(WaitUntil([&] { return form->WebBrowserFullScreen->LocationURL() == url; }));
    EXPECT_EQ(main->XPStyleImageTextBox1->Text(), url);

    // A search text goes to the engine from this window only.
    const QString mainPage = main->WebBrowserMain->LocationURL();
    form->XPStyleImageTextBox1->SetText(QStringLiteral("kestrels"));
    clickToolbar(form->ToolbarGo, QStringLiteral("GoToAddress"));
    EXPECT_TRUE(WaitUntil([&] {
        return form->WebBrowserFullScreen->LocationURL()
            == folder.FileUrl(QStringLiteral("Help.html")) + QStringLiteral("?q=kestrels");
    }));
    EXPECT_EQ(main->WebBrowserMain->LocationURL(), mainPage);
}

TEST_F(FullScreenCommandsTest, SideBarHeaderClearsBothHistories)
{
    ASSERT_TRUE(WebBrowserTest::Load(form->WebBrowserFullScreen, server.Url("/one.html")));
    form->CommandBarsSideBar->FindControl(CommandBarControlType::Any, CommandId::ClearHistory, false, true)->Execute();
    EXPECT_EQ(form->TreeViewHistory->TreeView1()->topLevelItemCount(), 0);
    EXPECT_EQ(main->TreeViewHistory->TreeView1()->topLevelItemCount(), 0);
}
