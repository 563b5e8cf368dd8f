#include "app/CommandIds.h"
#include "mainwindow/MainCommandBars.h"
#include "mainwindow/ToolbarImages.h"
#include "platform/CommandBars.h"
#include "tests/support/WaitFor.h"

#include <QAction>
#include <QFrame>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A bare main window and side-bar frame with the two command-bar controls of the browser.
struct Host
{
    explicit Host(const MainCommandBars::Options &options)
    {
        sideFrame = new QFrame(window.get());
        main = new CommandBars(window.get());
        side = new CommandBars(sideFrame);
        bars = MainCommandBars::Build(main, side, options);
    }

    bool Checked(int id) const
    {
        CommandBarControl *control = main->FindControl(CommandBarControlType::Any, id, false, true);
        return control && control->Checked();
    }

    std::unique_ptr<QMainWindow> window = std::make_unique<QMainWindow>();
    QFrame *sideFrame;
    CommandBars *main;
    CommandBars *side;
    MainCommandBars::Bars bars;
};

MainCommandBars::Options Defaults()
{
    MainCommandBars::Options options;
    options.OSVersionName = QStringLiteral("WinXP");
    return options;
}

// One line per entry: id, caption and the marks that are set. The ids stand as numbers: these
// lists hold the names in CommandIds.h to the numbers that the bars carry.
QStringList Describe(const CommandBar *bar)
{
    QStringList lines;
    for (const CommandBarControl *c : bar->Controls().List()) {
        QString line = QString::number(c->Id()) + ' ' + c->Caption();
        if (c->BeginGroup())
            line += " |group";
        if (c->Checked())
            line += " |checked";
        if (!c->Visible())
            line += " |hidden";
        if (!c->Enabled())
            line += " |disabled";
        lines << line;
    }
    return lines;
}

QImage IconImage(const QIcon &icon)
{
    return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(BuildCommandBars, TextSizeChecksFollowTextNormalAndTextSize)
{
    const auto checkedSizes = [](bool textNormal, int textSize) {
        MainCommandBars::Options options = Defaults();
        options.TextNormal = textNormal;
        options.TextSize = textSize;
        Host host(options);
        QList<int> checked;
        for (int id = CommandId::TextSizeLargest; id <= CommandId::TextSizeNormal; ++id) {
            if (host.Checked(id))
                checked << id;
        }
        return checked;
    };
    EXPECT_EQ(checkedSizes(false, 4), QList<int>{CommandId::TextSizeMedium});
    EXPECT_EQ(checkedSizes(false, 7), QList<int>{CommandId::TextSizeLargest});
    EXPECT_EQ(checkedSizes(false, 1), QList<int>{CommandId::TextSizeSmallest});
    EXPECT_EQ(checkedSizes(true, 4), QList<int>{CommandId::TextSizeNormal});
    EXPECT_EQ(checkedSizes(false, 0), QList<int>{});
    EXPECT_EQ(checkedSizes(false, 8), QList<int>{});
}

TEST(BuildCommandBars, PopupBlockerStartsCheckedInAllThreePlaces)
{
    MainCommandBars::Options options = Defaults();
    options.KillPopups = true;
    Host on(options);
    EXPECT_TRUE(on.Checked(CommandId::PopupBlocker)); // the Tools menu
    EXPECT_TRUE(on.bars.PagePopupMenu->FindControl(CommandId::PopupBlocker)->Checked());
    EXPECT_TRUE(on.bars.ToolBarStandard->FindControl(CommandId::Block)->Checked());

    options.KillPopups = false;
    Host off(options);
    EXPECT_FALSE(off.Checked(CommandId::PopupBlocker));
    EXPECT_FALSE(off.bars.PagePopupMenu->FindControl(CommandId::PopupBlocker)->Checked());
    EXPECT_FALSE(off.bars.ToolBarStandard->FindControl(CommandId::Block)->Checked());
}

TEST(BuildCommandBars, SideBarMenuChecksFollowFlagsButToolbarTogglesStartUnchecked)
{
    MainCommandBars::Options options = Defaults();
    options.ShowSearchFlag = true;
    options.ShowHistoryFlag = true;
    Host host(options);
    EXPECT_TRUE(host.Checked(CommandId::SideBarSearch));
    EXPECT_FALSE(host.Checked(CommandId::SideBarFavorites));
    EXPECT_TRUE(host.Checked(CommandId::SideBarHistory));
    for (int id : {CommandId::SearchButton, CommandId::FavoritesButton, CommandId::HistoryButton}) {
        ASSERT_NE(host.main->FindControl(id), nullptr) << id;
        EXPECT_FALSE(host.main->FindControl(id)->Checked()) << id;
    }
}

TEST(BuildCommandBars, HiddenStandardToolbarKeepsItsPlaceAsSecondDockedBar)
{
    MainCommandBars::Options options = Defaults();
    options.ShowToolBarStandard = false;
    options.ShowAddressBar = true;
    Host host(options);
    ASSERT_EQ(host.main->Count(), 4);
    EXPECT_EQ(host.main->Item(1), host.main->ActiveMenuBar());
    EXPECT_EQ(host.main->Item(2), host.bars.ToolBarStandard);
    EXPECT_EQ(host.main->Item(3), host.bars.ToolBarAddress);
    EXPECT_EQ(host.main->Item(4), host.bars.StatusBar);
    EXPECT_FALSE(host.bars.ToolBarStandard->Visible());
    EXPECT_TRUE(host.bars.ToolBarAddress->Visible());
    EXPECT_FALSE(host.Checked(CommandId::ToolBarStandard));
    EXPECT_TRUE(host.Checked(CommandId::AddressBar));
    EXPECT_TRUE(host.main->ActiveMenuBar()->Visible());
    EXPECT_TRUE(host.bars.StatusBar->Visible());

    options.ShowToolBarStandard = true;
    options.ShowAddressBar = false;
    Host other(options);
    EXPECT_TRUE(other.bars.ToolBarStandard->Visible());
    EXPECT_FALSE(other.bars.ToolBarAddress->Visible());
    EXPECT_TRUE(other.Checked(CommandId::ToolBarStandard));
    EXPECT_FALSE(other.Checked(CommandId::AddressBar));
}

TEST(BuildCommandBars, TheTwoImageMenusAreDistinctBars)
{
    Host host(Defaults());
    ASSERT_NE(host.bars.ImagePopupMenu, host.bars.LinkPopupMenu);
    EXPECT_EQ(host.bars.ImagePopupMenu->Title(), "Popup Menu Image");
    EXPECT_EQ(host.bars.LinkPopupMenu->Title(), "Popup Menu Image");
    EXPECT_EQ(Describe(host.bars.ImagePopupMenu), QStringList{"801 Save Image As ...."});
    EXPECT_EQ(Describe(host.bars.LinkPopupMenu),
              (QStringList{"901 Open Link", "902 Open In New Window", "905 Copy Shortcut |group",
                           "402 Add To Favorites"}));
}

TEST(BuildCommandBars, AddToFavoritesRunsTheSameCommandFromItsThreePlaces)
{
    Host host(Defaults());
    host.window->show();
    ASSERT_TRUE(WaitUntil([&] { return Exposed(host.window.get()); }));
    QSignalSpy spy(host.main, &CommandBars::Execute);

    // From the Favorites menu: its title clicked, the entry chosen with its access key.
    auto *menuBar = qobject_cast<QMenuBar *>(host.main->ActiveMenuBar()->Widget());
    QTest::mouseClick(menuBar, Qt::LeftButton, {},
                      menuBar->actionGeometry(host.bars.MenuFavorites->Action()).center());
    auto *favorites = qobject_cast<QMenu *>(host.bars.MenuFavorites->CommandBar()->Widget());
    ASSERT_TRUE(WaitUntil([favorites] { return favorites->isVisible(); }));
    QTest::keyClick(favorites, Qt::Key_A);
    ASSERT_TRUE(WaitUntil([&] { return spy.count() == 1; }));

    // From the page and link context menus, clicked.
    for (CommandBar *popup : {host.bars.PagePopupMenu, host.bars.LinkPopupMenu}) {
        popup->ShowPopup(host.window->mapToGlobal(QPoint(30, 30)));
        auto *popupMenu = qobject_cast<QMenu *>(popup->Widget());
        ASSERT_TRUE(WaitUntil([popupMenu] { return popupMenu->isVisible(); }));
        QAction *entry = popup->FindControl(CommandId::AddToFavorites)->Action();
        const int before = spy.count();
        QTest::mouseClick(popupMenu, Qt::LeftButton, {}, popupMenu->actionGeometry(entry).center());
        ASSERT_TRUE(WaitUntil([&] { return spy.count() > before; }));
    }
    ASSERT_EQ(spy.count(), 3);
    QList<CommandBarControl *> sources;
    for (const QList<QVariant> &call : spy) {
        auto *control = call.at(0).value<CommandBarControl *>();
        EXPECT_EQ(control->Id(), CommandId::AddToFavorites);
        sources << control;
    }
    EXPECT_EQ(sources.at(0)->Parent(), host.bars.MenuFavorites->CommandBar());
    EXPECT_EQ(sources.at(1)->Parent(), host.bars.PagePopupMenu);
    EXPECT_EQ(sources.at(2)->Parent(), host.bars.LinkPopupMenu);
}

TEST(BuildCommandBars, FavoriteAddedLaterShowsTheFavoriteIcon)
{
    Host host(Defaults());
    CommandBarControl *link = host.bars.MenuFavorites->CommandBar()->Controls().Add(
        CommandBarControlType::Button, CommandId::Favorite, "Example");
    CommandBarControl *folder = host.bars.MenuFavorites->CommandBar()->Controls().Add(
        CommandBarControlType::Submenu, CommandId::FavoritesFolder, "Folder");
    const ImageList hot = ToolbarImages::ImageListToolbarMainHot();
    ASSERT_FALSE(link->Action()->icon().isNull());
    EXPECT_EQ(IconImage(link->Action()->icon()),
              hot.Pixmap("41000").toImage().convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(IconImage(folder->Action()->icon()),
              hot.Pixmap("40000").toImage().convertToFormat(QImage::Format_ARGB32));
    // Commands without an image show none.
    EXPECT_TRUE(host.main->FindControl(CommandBarControlType::Any, CommandId::SaveAs, false, true)
                    ->Action()->icon().isNull());
    EXPECT_TRUE(host.main->FindControl(CommandBarControlType::Any, CommandId::SelectAll, false, true)
                    ->Action()->icon().isNull());
}

TEST(BuildCommandBars, StandardToolbarIconSizeDependsOnTheSystem)
{
    EXPECT_EQ(MainCommandBars::StandardIconSize("WinXP"), QSize(24, 24));
    EXPECT_EQ(MainCommandBars::StandardIconSize("Win2K"), QSize(16, 16));
    EXPECT_EQ(MainCommandBars::StandardIconSize("Win2K3"), QSize(16, 16));
    EXPECT_EQ(MainCommandBars::StandardIconSize(""), QSize(16, 16));
    for (const char *older : {"WinNT40", "WinME", "Win98", "Win95"})
        EXPECT_FALSE(MainCommandBars::AnimateMenusOn(older)) << older;
    for (const char *newer : {"WinXP", "Win2K", "Win2K3", "", "Failed"})
        EXPECT_TRUE(MainCommandBars::AnimateMenusOn(newer)) << newer;

    MainCommandBars::Options options = Defaults();
    options.OSVersionName = "Win2K";
    Host host2k(options);
    EXPECT_EQ(host2k.bars.ToolBarStandard->IconSize(), QSize(16, 16));
    EXPECT_EQ(qobject_cast<QToolBar *>(host2k.bars.ToolBarStandard->Widget())->iconSize(),
              QSize(16, 16));
    EXPECT_TRUE(host2k.main->Options().AnimateMenus);
    options.OSVersionName = "Win98";
    Host host98(options);
    EXPECT_FALSE(host98.main->Options().AnimateMenus);
    EXPECT_TRUE(host98.side->Options().AnimateMenus);

    Host hostXp(Defaults());
    EXPECT_EQ(qobject_cast<QToolBar *>(hostXp.bars.ToolBarStandard->Widget())->iconSize(),
              QSize(24, 24));
    // The large image is there for the toolbar to show.
    EXPECT_TRUE(hostXp.bars.ToolBarStandard->FindControl(CommandId::Back)->Action()->icon()
                    .availableSizes().contains(QSize(24, 24)));
}

TEST(BuildCommandBars, MenuBarHoldsTheSevenMenusInOrder)
{
    Host host(Defaults());
    const CommandBar *menuBar = host.main->ActiveMenuBar();
    EXPECT_EQ(Describe(menuBar),
              (QStringList{"0 &File", "0 &Edit", "200 &View", "0 &Navigation", "401 &Favorites",
                           "0 &Tools", "0 &Help"}));
    EXPECT_EQ(menuBar->IconSize(), QSize(16, 16));
    for (const CommandBarControl *title : menuBar->Controls().List())
        EXPECT_EQ(title->Type(), CommandBarControlType::MenuTitle);
    EXPECT_EQ(host.bars.MenuFavorites, menuBar->Controls().Item(5));

    const auto menu = [&](int index) { return Describe(menuBar->Controls().Item(index)->CommandBar()); };
    EXPECT_EQ(menu(1), (QStringList{"100 &New Window", "101 &Open", "102 &Save", "103 Save &As",
                                    "105 &Print |group", "104 Print Set&up...",
                                    "106 Print Pre&view...", "108 &Close"}));
    EXPECT_EQ(menu(2), (QStringList{"109 &Copy", "110 Select &All |group", "111 &Find"}));
    EXPECT_EQ(menu(3), (QStringList{"201 &Toolbars", "204 &SideBars", "208 Te&xt Size |group",
                                    "217 &View Source |group", "218 &Fullscreen |group"}));
    EXPECT_EQ(menu(4), (QStringList{"1000 &Back", "1001 &Forward", "1002 &Stop", "1003 &Refresh",
                                    "1004 &Home"}));
    EXPECT_EQ(menu(5), QStringList{"402 &Add To Favorites"});
    EXPECT_EQ(menu(6), (QStringList{"503 Popup &Blocker", "501 &Application Settings",
                                    "502 &Internet Options"}));
    EXPECT_EQ(menu(7), (QStringList{"601 &Help Contents", "602 &Kestrelvue Home",
                                    "603 Kestrelvue &Support"}));

    const CommandBar *view = menuBar->Controls().Item(3)->CommandBar();
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(view->Controls().Item(i)->Type(), CommandBarControlType::Submenu);
    EXPECT_EQ(Describe(view->Controls().Item(3)->CommandBar()),
              (QStringList{"209 Lar&gest", "210 &Larger", "211 La&rge", "212 &Medium",
                           "213 Sm&all", "214 Small&er", "215 Sm&alles&t", "216 &Normal |checked"}));

    // The Text Size group line stands between "&SideBars" and "Te&xt Size" in the menu itself.
    auto *viewMenu = qobject_cast<QMenu *>(view->Widget());
    const QList<QAction *> actions = viewMenu->actions();
    const qsizetype textSizeAt = actions.indexOf(view->Controls().Item(3)->Action());
    ASSERT_GT(textSizeAt, 0);
    EXPECT_TRUE(actions.at(textSizeAt - 1)->isSeparator());
}

TEST(BuildCommandBars, ToolbarsStatusRowAndSideBarAsBuilt)
{
    Host host(Defaults());
    EXPECT_EQ(Describe(host.bars.PagePopupMenu),
              (QStringList{"1000 Back", "1001 Forward", "1003 Refresh", "1002 Stop", "1004 Home",
                           "217 View Source |group", "503 Popup Blocker", "110 Select All |group",
                           "402 Add To Favorites", "105 Print |group"}));
    EXPECT_EQ(Describe(host.bars.TextEditPopupMenu),
              (QStringList{"701 Cut", "702 Copy", "703 Paste", "704 Select All |group"}));

    const CommandBar *standard = host.bars.ToolBarStandard;
    EXPECT_EQ(standard->Title(), "Standard");
    EXPECT_EQ(Describe(standard),
              (QStringList{"1000 Back", "1001 Forward", "1002 &Stop", "1003 &Refresh", "1004 &Home",
                           "2001 &Search |group", "2002 &Favorites", "2003 &History",
                           "218 F&ullscreen |group", "3001 Block"}));
    EXPECT_EQ(standard->FindControl(CommandId::Back)->Type(), CommandBarControlType::SplitButton);
    EXPECT_EQ(standard->FindControl(CommandId::Forward)->Type(), CommandBarControlType::SplitButton);
    EXPECT_EQ(standard->FindControl(CommandId::Back)->CommandBar()->Controls().Count(), 0);

    const CommandBarDocking topRow = CommandBarDockingFlag::Top | CommandBarDockingFlag::NoFloat
        | CommandBarDockingFlag::Stretch | CommandBarDockingFlag::HideWrap;
    for (const CommandBar *bar :
         {const_cast<const CommandBar *>(host.main->ActiveMenuBar()), standard,
          const_cast<const CommandBar *>(host.bars.ToolBarAddress)}) {
        EXPECT_EQ(bar->Docking(), topRow);
        EXPECT_TRUE(bar->ShowGripper());
    }
    auto *standardWidget = qobject_cast<QToolBar *>(standard->Widget());
    EXPECT_EQ(standardWidget->allowedAreas(), Qt::TopToolBarArea);
    EXPECT_FALSE(standardWidget->isFloatable());

    EXPECT_EQ(Describe(host.bars.ToolBarAddress), QStringList{"2111758  |disabled"});
    EXPECT_EQ(host.bars.StatusBar->Position(), CommandBarPosition::Bottom);
    EXPECT_EQ(Describe(host.bars.StatusBar), QStringList{"1235698745  |disabled"});
    EXPECT_EQ(host.bars.StatusBar->Controls().Item(1)->Type(), CommandBarControlType::Custom);
    EXPECT_FALSE(host.bars.StatusBar->ShowGripper());

    EXPECT_FALSE(host.side->ActiveMenuBar()->Visible());
    EXPECT_EQ(host.side->Item(2), host.bars.ToolBarSideBar);
    EXPECT_EQ(host.bars.ToolBarSideBar->Title(), "SideBar");
    EXPECT_FALSE(host.bars.ToolBarSideBar->ShowGripper());
    EXPECT_EQ(Describe(host.bars.ToolBarSideBar),
              (QStringList{"4000 Search Settings |hidden", "4001 Add To Favorites |hidden",
                           "4002 Clear History |hidden"}));
    for (const CommandBarControl *button : host.bars.ToolBarSideBar->Controls().List()) {
        EXPECT_EQ(button->Style(), CommandBarControlStyle::IconAndCaption);
        EXPECT_FALSE(button->Action()->icon().isNull());
    }
    EXPECT_EQ(host.side->FindControl(CommandId::SideBarAddToFavorites), host.bars.ToolBarSideBar->Controls().Item(2));
    EXPECT_EQ(Describe(host.bars.FavoritesPopupMenu),
              (QStringList{"70000 Cut", "70001 Copy", "70002 Paste", "70004 Delete"}));
    EXPECT_EQ(host.bars.FavoritesPopupMenu->Title(), "Popup Menu");
}

TEST(BuildCommandBars, SideBarEntriesExecuteOnTheSideBarControlOnly)
{
    Host host(Defaults());
    host.window->show();
    ASSERT_TRUE(WaitUntil([&] { return Exposed(host.window.get()); }));
    QSignalSpy side(host.side, &CommandBars::Execute);
    QSignalSpy main(host.main, &CommandBars::Execute);

    host.bars.FavoritesPopupMenu->ShowPopup(host.window->mapToGlobal(QPoint(40, 40)));
    auto *menu = qobject_cast<QMenu *>(host.bars.FavoritesPopupMenu->Widget());
    ASSERT_TRUE(WaitUntil([menu] { return menu->isVisible(); }));
    QAction *remove = host.bars.FavoritesPopupMenu->FindControl(CommandId::FavoritesDelete)->Action();
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(remove).center());
    ASSERT_TRUE(WaitUntil([&] { return side.count() == 1; }));
    EXPECT_EQ(side.at(0).at(0).value<CommandBarControl *>()->Id(), CommandId::FavoritesDelete);
    EXPECT_EQ(main.count(), 0);
}
