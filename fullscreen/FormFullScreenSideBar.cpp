#include "fullscreen/FormFullScreen.h"

#include "app/ModNoFlicker.h"
#include "app/ModSettings.h"
#include "controls/TransparentCloseButton.h"
#include "controls/UCTVHistory.h"
#include "fullscreen/FullScreenLayout.h"
#include "fullscreen/SplitBarMouseWatcher.h"
#include "mainwindow/FavoritesTreeClicks.h"
#include "mainwindow/MouseButtonWatcher.h"
#include "mainwindow/SideBarPanes.h"
#include "platform/CommandBars.h"
#include "platform/HtmlDocument.h"
#include "platform/WebBrowser.h"

#include <QAction>
#include <QCoreApplication>
#include <QFrame>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

// The side bar of the full-screen window: its three panes, the close button, the split bar and
// the favorites and history trees. Which pane is open is kept in the program's options.

namespace {

constexpr double SplitBarWidth = 20;

void SetMainWindowPane(bool search, bool favorites, bool history)
{
    ModSettings::Options &options = ModSettings::ProgramOptions();
    options.ShowSearchFlag = search;
    options.ShowFavoritesFlag = favorites;
    options.ShowHistoryFlag = history;
}

} // namespace

void FormFullScreen::ConnectSideBar()
{
    connect(TreeViewHistory, &UCTVHistory::HistoryNavTo, this, &FormFullScreen::TreeViewHistory_HistoryNavTo);
    connect(TransparentCloseButton1, &TransparentCloseButton::ButtonClick, this,
            &FormFullScreen::TransparentCloseButton1_ButtonClick);

    auto *mouse = new MouseButtonWatcher(TreeViewFavorites->viewport());
    connect(mouse, &MouseButtonWatcher::MouseDown, this, &FormFullScreen::TreeViewFavorites_MouseDown);
    connect(mouse, &MouseButtonWatcher::MouseUp, this, &FormFullScreen::TreeViewFavorites_MouseUp);
    connect(TreeViewFavorites, &QTreeWidget::itemExpanded, this, &FormFullScreen::TreeViewFavorites_Expand);
    connect(TreeViewFavorites, &QTreeWidget::itemClicked, this, &FormFullScreen::TreeViewFavorites_NodeClick);

    auto *split = new SplitBarMouseWatcher(ImageSplitBar);
    connect(split, &SplitBarMouseWatcher::MouseDown, this, &FormFullScreen::ImageSplitBar_MouseDown);
    connect(split, &SplitBarMouseWatcher::MouseMove, this, [this](Qt::MouseButtons Buttons, double X) {
        ImageSplitBar_MouseMove(Buttons, X * FullScreenLayout::TwipsPerPixel);
    });
    connect(split, &SplitBarMouseWatcher::MouseUp, this, &FormFullScreen::ImageSplitBar_MouseUp);
}

void FormFullScreen::BuildSideBar(const QString &Name)
{
    ModNoFlicker::BeginNoFlicker(this);
    LayoutSideBar();
    PictureSideBar->setVisible(true);
    LayoutPanes();
    LayoutBrowser();
    PlaceSplitBar();
    ModNoFlicker::EndNoFlicker();

    ModSettings::Options &options = ModSettings::ProgramOptions();
    if (Name == QLatin1String("Search")) {
        QCoreApplication::processEvents();
        LayoutSearchPane();
        SideBarPanes::ShowSearch(WebBrowserSearch, TreeViewHistory, TreeViewFavorites, SearchPageDue);
        PictureSideBar->setVisible(true);
        SideBarOpen = true;
        options.ShowSearchFlag = true;
    } else if (Name == QLatin1String("History")) {
        QCoreApplication::processEvents();
        LayoutHistoryTree();
        SideBarPanes::ShowHistory(WebBrowserSearch, TreeViewHistory, TreeViewFavorites);
        SideBarOpen = true;
        options.ShowHistoryFlag = true;
    } else if (Name == QLatin1String("Favorites")) {
        QCoreApplication::processEvents();
        LayoutFavoritesTree();
        SideBarPanes::ShowFavorites(WebBrowserSearch, TreeViewHistory, TreeViewFavorites);
        SideBarOpen = true;
        options.ShowFavoritesFlag = true;
    }
}

void FormFullScreen::ShowSearch()
{
    BuildSideBar(QStringLiteral("Search"));
    SetMainWindowPane(true, false, false);
    SideBarPanes::ShowPaneCommand(CommandBarsSideBar, SideBarPanes::Search);
}

void FormFullScreen::ShowFavorites()
{
    BuildSideBar(QStringLiteral("Favorites"));
    SetMainWindowPane(false, true, false);
    SideBarPanes::ShowPaneCommand(CommandBarsSideBar, SideBarPanes::Favorites);
}

void FormFullScreen::ShowHistory()
{
    BuildSideBar(QStringLiteral("History"));
    SetMainWindowPane(false, false, true);
    SideBarPanes::ShowPaneCommand(CommandBarsSideBar, SideBarPanes::History);
}

void FormFullScreen::HideSideBar()
{
    ModNoFlicker::BeginNoFlicker(this);
    ImageSplitBar->setVisible(false);
    PictureSideBar->setVisible(false);
    LayoutPanes();
    LayoutBrowser();
    ModNoFlicker::EndNoFlicker();
    SetMainWindowPane(false, false, false);
}

void FormFullScreen::HideInfoBar()
{
    HideSideBar();
    for (const char *key : {"Search", "Favorites", "History"}) {
        if (QAction *button = ToolbarButton(ToolbarNav, QLatin1String(key)))
            button->setChecked(false);
    }
    ToolbarNav->update();
}

void FormFullScreen::TransparentCloseButton1_ButtonClick()
{
    HideSideBar();
    SideBarPanes::CheckOpenPane(CommandBarsMain, std::nullopt, false);
}

void FormFullScreen::PlaceSplitBar()
{
    const QRectF side = RectTwips(PictureSideBar);
    ImageSplitBar->setVisible(true);
    // Whole twips, as the bar's position is kept.
    MoveTwips(ImageSplitBar, std::round(side.width()), std::round(side.top()), SplitBarWidth,
              std::round(side.height()));
}

void FormFullScreen::ImageSplitBar_MouseDown()
{
    ImageSplitBar->setBackgroundRole(QPalette::ButtonText);
}

void FormFullScreen::ImageSplitBar_MouseMove(Qt::MouseButtons Button, double X)
{
    if (Button != Qt::LeftButton)
        return;
    // Kept inside the window, so that neither the side bar nor the page gets a negative width.
    const double maxLeft = std::max(0.0, Width() - SplitBarWidth);
    const double left = std::clamp(RectTwips(ImageSplitBar).left() + X, 0.0, maxLeft);
    const QRectF side = RectTwips(PictureSideBar);
    MoveTwips(ImageSplitBar, left, side.top(), SplitBarWidth, side.height());
}

void FormFullScreen::ImageSplitBar_MouseUp()
{
    ImageSplitBar->setBackgroundRole(QPalette::Button);
    ApplySplitBarPosition();
}

void FormFullScreen::ApplySplitBarPosition()
{
    ModNoFlicker::BeginNoFlicker(this);
    LayoutPanes();
    LayoutBrowser();
    LayoutSideBar();
    LayoutSearchPane();
    LayoutFavoritesTree();
    LayoutHistoryTree();
    ModNoFlicker::EndNoFlicker();
}

void FormFullScreen::TreeViewFavorites_MouseDown(Qt::MouseButton Button, const QPoint &Position)
{
    Q_UNUSED(Position);
    if (Button == Qt::RightButton) {
        RightClickNoOpen = true;
        RightClickNoExpand = true;
    }
}

// This window has no favorites menu. The tree reports node clicks of the left button only: a
// right-button click on a node is one too, and it is the click that the press keeps from acting.
void FormFullScreen::TreeViewFavorites_MouseUp(Qt::MouseButton Button, const QPoint &Position)
{
    if (Button != Qt::RightButton)
        return;
    if (QTreeWidgetItem *node = TreeViewFavorites->itemAt(Position))
        TreeViewFavorites_NodeClick(node);
}

void FormFullScreen::TreeViewFavorites_Expand(QTreeWidgetItem *Node)
{
    if (RightClickNoExpand)
        FavoritesTreeClicks::KeepCollapsed(Node);
}

void FormFullScreen::TreeViewFavorites_NodeClick(QTreeWidgetItem *Node)
{
    TreeViewFavoritesTemp = TreeViewFavorites;

    if (!RightClickNoExpand)
        FavoritesTreeClicks::OpenPath(TreeViewFavorites, Node, WebBrowserFullScreen, !RightClickNoOpen);
    RightClickNoOpen = false;
    RightClickNoExpand = false;
    FavoritesTreeClicks::RefreshFolder(TreeViewFavorites, Node);
}

void FormFullScreen::TreeViewHistory_HistoryNavTo(const QString &url)
{
    WebBrowserFullScreen->Navigate(url);
}

// The page's document object follows the page from document to document: its events reach this
// window once, whichever page is shown.
void FormFullScreen::BindContextMenus()
{
    docMain = WebBrowserFullScreen->Document();
    if (!docMain)
        return;
    connect(docMain, &HtmlDocument::onclick, this, &FormFullScreen::docMain_onclick, Qt::UniqueConnection);
    connect(docMain, &HtmlDocument::oncontextmenu, this, &FormFullScreen::docMain_oncontextmenu,
            Qt::UniqueConnection);
}
