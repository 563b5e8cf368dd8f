#include "tests/mainwindow/CommandsTestSupport.h"

#include "browsingdata/ModManageFavFile.h"
#include "controls/TransparentLabel.h"
#include "mainwindow/FormHelp.h"
#include "mainwindow/ProductPages.h"
#include "platform/InternetOptions.h"
#include "platform/InternetOptionsDialog.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using WebBrowserTest::NavigationRecorder;

class LinkMenuCommands : public CommandsFixture
{
protected:
    // The link's context menu: the popup bar that holds "Open Link".
    CommandBar *LinkMenu() const
    {
        for (CommandBar *bar : form->CommandBarsMain->PopupBars())
            if (bar->FindControl(CommandId::OpenLink))
                return bar;
        return nullptr;
    }

    // Right-clicks the page's link; the pointer then leaves the page for the menu that comes up
    // and clicks one of its entries.
    void RightClickLinkAndChoose(int id)
    {
        WebBrowser *browser = form->WebBrowserMain;
        WebBrowserTest::RunScript(browser->Page(), QStringLiteral(
            "window.pointerLeft = false; document.getElementById('link').addEventListener('mouseout', "
            "() => { window.pointerLeft = true; }, {once: true});"));
        WebBrowserTest::ClickElement(browser, QStringLiteral("#link"), Qt::RightButton);
        auto *menu = qobject_cast<QMenu *>(LinkMenu()->Widget());
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return menu->isVisible(); }));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(WebBrowserTest::InputWidget(browser), &leave);
        ASSERT_TRUE(WaitUntil([&] { return WebBrowserTest::RunScript(browser->Page(), "window.pointerLeft").toBool(); }));
        // A few more round trips to the page, so that what it reported on the way out (the engine
        // sends a hovered address only once the one before it is acknowledged) has arrived.
        for (int trip = 0; trip < 3; ++trip)
            WebBrowserTest::RunScript(browser->Page(), QStringLiteral("0"));
        const QRect entry = menu->actionGeometry(LinkMenu()->FindControl(id)->Action());
        QTest::mouseMove(menu, entry.center());
        QTest::mouseClick(menu, Qt::LeftButton, {}, entry.center());
        ASSERT_TRUE(WaitUntil([&] { return !menu->isVisible(); }));
    }
};

TEST_F(CommandsFixture, BackAndForwardMoveThroughTheWindowsOwnList)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    ASSERT_TRUE(Load(Url("/b.html")));
    ASSERT_TRUE(Load(Url("/c.html")));

    ASSERT_TRUE(RunAndWaitForPage([&] { Execute(CommandId::Back); }, Url("/b.html")));
    EXPECT_EQ(form->WebBrowserMain->LocationURL(), Url("/b.html"));
    ASSERT_TRUE(RunAndWaitForPage([&] { Execute(CommandId::Forward); }, Url("/c.html")));

    // The Back drop-down, nearest first: its second entry is two pages back.
    CommandBar *backList = form->ToolBarStandard->FindControl(CommandId::Back)->CommandBar();
    ASSERT_GE(backList->Controls().Count(), 2);
    EXPECT_EQ(backList->Controls().Item(2)->Id(), CommandId::BackList);
    ASSERT_TRUE(RunAndWaitForPage([&] { backList->Controls().Item(2)->Execute(); }, Url("/a.html")));

    // The move recorded no new entry: both later pages are still ahead.
    CommandBar *forwardList = form->ToolBarStandard->FindControl(CommandId::Forward)->CommandBar();
    ASSERT_EQ(forwardList->Controls().Count(), 2);
    EXPECT_EQ(forwardList->Controls().Item(1)->Id(), CommandId::ForwardList);
    ASSERT_TRUE(RunAndWaitForPage([&] { forwardList->Controls().Item(2)->Execute(); }, Url("/c.html")));
    EXPECT_EQ(form->ToolBarStandard->FindControl(CommandId::Forward)->CommandBar()->Controls().Count(), 0);

    // Nothing further ahead: Forward changes nothing, and the next page is recorded as usual.
    Execute(CommandId::Forward);
    ASSERT_TRUE(Load(Url("/b.html")));
    EXPECT_EQ(form->ToolBarStandard->FindControl(CommandId::Back)->CommandBar()->Controls().Item(1)->Caption(),
              QStringLiteral("Page C"));
}

TEST_F(CommandsFixture, HomeRefreshAndStopDriveTheBrowser)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    const int requests = server.RequestedPaths().count(QStringLiteral("/a.html"));
    ASSERT_TRUE(RunAndWaitForPage([&] { Execute(CommandId::Refresh); }, Url("/a.html")));
    EXPECT_GT(server.RequestedPaths().count(QStringLiteral("/a.html")), requests);

    ASSERT_TRUE(RunAndWaitForPage([&] { Execute(CommandId::Home); }, folder.FileUrl(QStringLiteral("blank.html"))));

    form->WebBrowserMain->Navigate(Url("/b.html"));
    Execute(CommandId::Stop);
    EXPECT_TRUE(WaitUntil([&] { return !form->WebBrowserMain->Busy(); }));
}

TEST_F(CommandsFixture, AFavoriteOfTheFavoritesMenuOpensItsAddress)
{
    // The menu is filled at load: a second window sees the favorite written now.
    folder.WriteFile(QStringLiteral("Favorites/100% Local.url"),
                     "[InternetShortcut]\r\nURL=" + Url("/b.html").toUtf8() + "\r\n");
    auto *second = new FormMain();
    Forms::Show(second);
    CommandBarControl *favorite =
        second->MenuFavorites->CommandBar()->FindControl(CommandBarControlType::Any, CommandId::Favorite);
    ASSERT_NE(favorite, nullptr);
    bool loaded = false;
    QObject::connect(second->WebBrowserMain->Document(), &HtmlDocument::onload, second,
                     [&](const QString &href, const QString &) { loaded = href == Url("/b.html"); });
    favorite->Execute();
    EXPECT_TRUE(WaitUntil([&] { return loaded; }));

    // A parameter that is no favorite's key does nothing.
    NavigationRecorder recorder(second->WebBrowserMain);
    CommandBarControl *plain =
        second->MenuFavorites->CommandBar()->Controls().Add(CommandBarControlType::Button, CommandId::Favorite,
                                                            "plain");
    plain->SetParameter(QStringLiteral("no key here"));
    plain->Execute();
    ASSERT_TRUE(WebBrowserTest::NavigationsStarted(second->WebBrowserMain));
    EXPECT_TRUE(recorder.requested.isEmpty());
}

TEST_F(CommandsFixture, PopupBlockerToggleUpdatesItsMarksAndStatus)
{
    ASSERT_TRUE(form->KillPopups);
    Execute(CommandId::PopupBlocker);
    EXPECT_FALSE(form->KillPopups);
    EXPECT_FALSE(Control(CommandId::Block)->Checked());
    EXPECT_FALSE(Control(CommandId::PopupBlocker)->Checked());
    EXPECT_FALSE(form->PagePopupMenu->FindControl(CommandId::PopupBlocker)->Checked());
    EXPECT_EQ(form->TransparentLabelPopupStatus->LabelText(), QStringLiteral("Popup Blocker is Off"));

    Execute(CommandId::Block);
    EXPECT_TRUE(form->KillPopups);
    EXPECT_TRUE(Control(CommandId::Block)->Checked());
    EXPECT_TRUE(Control(CommandId::PopupBlocker)->Checked());
    EXPECT_TRUE(form->PagePopupMenu->FindControl(CommandId::PopupBlocker)->Checked());
    EXPECT_EQ(form->TransparentLabelPopupStatus->LabelText(), QStringLiteral("Popup Blocker is On"));

    // In a second window the toggle sets the first window's blocker, which the settings keep.
    auto *second = new FormMain();
    Forms::Show(second);
    second->PagePopupMenu->FindControl(CommandId::PopupBlocker)->Execute();
    EXPECT_FALSE(form->KillPopups);
    EXPECT_FALSE(second->KillPopups);
    EXPECT_EQ(second->TransparentLabelPopupStatus->LabelText(), QStringLiteral("Popup Blocker is Off"));
    EXPECT_FALSE(Control(CommandId::Block)->Checked());
}

TEST_F(CommandsFixture, HelpPagesGoToTheProductsAddresses)
{
    NavigationRecorder recorder(form->WebBrowserMain);
    Execute(CommandId::ProductHome);
    ASSERT_TRUE(WaitUntil([&] { return recorder.requested.size() == 1; }));
    Execute(CommandId::ProductSupport);
    ASSERT_TRUE(WaitUntil([&] { return recorder.requested.size() == 2; }));
    EXPECT_EQ(recorder.requested, (QStringList{ProductPages::HomePage, ProductPages::SupportPage}));

    Execute(CommandId::HelpContents);
    EXPECT_TRUE(WaitUntil([] { return Forms::DefaultExists<FormHelp>() && Forms::Default<FormHelp>()->isVisible(); }));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(LinkMenuCommands, OpenLinkAndCopyShortcutActOnTheRightClickedLink)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    ASSERT_TRUE(WaitUntil([&] { return !form->WebBrowserMain->Busy(); }));
    QApplication::clipboard()->setText(QStringLiteral("before"));
    RightClickLinkAndChoose(CommandId::CopyShortcut);
    EXPECT_EQ(QApplication::clipboard()->text(), Url("/b.html"));
    ASSERT_TRUE(RunAndWaitForPage([&] { RightClickLinkAndChoose(CommandId::OpenLink); }, Url("/b.html")));
}

TEST_F(LinkMenuCommands, OpenInNewWindowOpensTheRightClickedLinkInAChildWindow)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    WebBrowserTest::ClickElement(form->WebBrowserMain, QStringLiteral("#link"), Qt::RightButton);
    ASSERT_TRUE(WaitUntil([&] { return LinkMenu()->Widget()->isVisible(); }));
    LinkMenu()->Widget()->hide();
    LinkMenu()->FindControl(CommandId::OpenInNewWindow)->Execute();
    ASSERT_EQ(NewWindows().size(), 1);
    FormMain *second = NewWindows().first();
    EXPECT_TRUE(second->IsChildWindow);
    EXPECT_TRUE(WaitUntil([&] { return second->WebBrowserMain->LocationURL() == Url("/b.html"); }));
}

TEST_F(CommandsFixture, InternetOptionsSetTheHomePage)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    Execute(CommandId::InternetOptions);
    InternetOptionsDialog *options = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if ((options = qobject_cast<InternetOptionsDialog *>(w)) && w->isVisible())
                return true;
        return false;
    }));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(options->TextHomePage->text(), folder.FileUrl(QStringLiteral("blank.html")));
    QTest::mouseClick(options->CommandUseCurrent, Qt::LeftButton);
    EXPECT_EQ(options->TextHomePage->text(), Url("/a.html"));
    QTest::mouseClick(options->CommandOK, Qt::LeftButton);
    EXPECT_EQ(InternetOptions(WebBrowser::DataFolder()).HomePage(), Url("/a.html"));

    ASSERT_TRUE(Load(Url("/b.html")));
    ASSERT_TRUE(RunAndWaitForPage([&] { Execute(CommandId::Home); }, Url("/a.html")));
}
