#include "mainwindow/FormMain.h"

#include "app/CommandIds.h"
#include "app/ModNoFlicker.h"
#include "browsingdata/FormAddToFavorites.h"
#include "browsingdata/FormSelectSearch.h"
#include "browsingdata/ModManageFavFile.h"
#include "browsingdata/SaveFailureMessage.h"
#include "controls/HistoryStore.h"
#include "controls/TransparentCloseButton.h"
#include "controls/UCTVHistory.h"
#include "mainwindow/MouseButtonWatcher.h"
#include "mainwindow/SideBarPanes.h"
#include "platform/CommandBars.h"
#include "platform/HtmlDocument.h"
#include "platform/WebBrowser.h"

#include <QCoreApplication>
#include <QFrame>
#include <QTreeWidget>

namespace {

void SetChecked(CommandBarControl *control, bool checked)
{
    if (control)
        control->SetChecked(checked);
}

} // namespace

void FormMain::ConnectSideBar()
{
    connect(CommandBarsSideBar, &CommandBars::Execute, this, &FormMain::CommandBarsSideBar_Execute);
    // The button row grows when the open pane's button shows in it, after the pane was placed
    // below it: the close button and the panes follow the row.
    connect(CommandBarsSideBar, &CommandBars::Resize, this, [this] {
        CommandBarsSideBar_Resize();
        LayoutSearchPane();
        LayoutFavoritesTree();
        LayoutHistoryTree();
    });
    connect(TransparentCloseButton1, &TransparentCloseButton::ButtonClick, this,
            &FormMain::TransparentCloseButton1_ButtonClick);

    auto *mouse = new MouseButtonWatcher(TreeViewFavorites->viewport());
    connect(mouse, &MouseButtonWatcher::MouseDown, this, &FormMain::TreeViewFavorites_MouseDown);
    connect(mouse, &MouseButtonWatcher::MouseUp, this, &FormMain::TreeViewFavorites_MouseUp);
    connect(TreeViewFavorites, &QTreeWidget::itemExpanded, this, &FormMain::TreeViewFavorites_Expand);
    connect(TreeViewFavorites, &QTreeWidget::itemClicked, this, &FormMain::TreeViewFavorites_NodeClick);

    // Cancel is read back as soon as the signal returns: the handler runs directly.
    connect(WebBrowserSearch, &WebBrowser::BeforeNavigate2, this, &FormMain::WebBrowserSearch_BeforeNavigate2,
            Qt::DirectConnection);
    // The document object follows the pane's page from document to document, and its rules hold
    // for every later document: it is hooked once. Clicks go on as the page means them; the pane
    // shows no context menu.
    HtmlDocument *searchDocument = WebBrowserSearch->Document();
    searchDocument->SetEventRule(QStringLiteral("keypress"), {true, HtmlDocument::CancelWhen::Never});
    searchDocument->SetEventRule(QStringLiteral("mouseup"), {true, HtmlDocument::CancelWhen::Never});
    searchDocument->SetEventRule(QStringLiteral("contextmenu"), {false, HtmlDocument::CancelWhen::Always});
    connect(searchDocument, &HtmlDocument::onkeypress, this, &FormMain::doc_onkeypress);
    connect(searchDocument, &HtmlDocument::onmouseup, this, &FormMain::doc_onmouseup);
}

void FormMain::BuildSideBar(const QString &Name)
{
    ModNoFlicker::BeginNoFlicker(this);
    LayoutSideBar();
    PictureSideBar->setVisible(true);
    LayoutPanes();
    LayoutBrowser();
    PlaceSplitBar();
    ModNoFlicker::EndNoFlicker();

    if (Name == QLatin1String("Search")) {
        QCoreApplication::processEvents();
        LayoutSearchPane();
        SideBarPanes::ShowSearch(WebBrowserSearch, TreeViewHistory, TreeViewFavorites, SearchPageNeeded);
        PictureSideBar->setVisible(true);
        SideBarBuilt = true;
        KeepNextSearchNavigation = true;
        StayInSearchPane = true;
        ShowSearchFlag = true;
    } else if (Name == QLatin1String("History")) {
        QCoreApplication::processEvents();
        LayoutHistoryTree();
        SideBarPanes::ShowHistory(WebBrowserSearch, TreeViewHistory, TreeViewFavorites);
        SideBarBuilt = true;
        KeepNextSearchNavigation = true;
        ShowHistoryFlag = true;
    } else if (Name == QLatin1String("Favorites")) {
        QCoreApplication::processEvents();
        LayoutFavoritesTree();
        SideBarPanes::ShowFavorites(WebBrowserSearch, TreeViewHistory, TreeViewFavorites);
        SideBarBuilt = true;
        KeepNextSearchNavigation = true;
        ShowFavoritesFlag = true;
    }
}

void FormMain::ShowSearch()
{
    BuildSideBar(QStringLiteral("Search"));
    ShowSearchFlag = true;
    ShowHistoryFlag = false;
    ShowFavoritesFlag = false;
    SideBarPanes::ShowPaneCommand(CommandBarsSideBar, SideBarPanes::Search);
}

void FormMain::ShowFavorites()
{
    BuildSideBar(QStringLiteral("Favorites"));
    ShowSearchFlag = false;
    ShowHistoryFlag = false;
    ShowFavoritesFlag = true;
    SideBarPanes::ShowPaneCommand(CommandBarsSideBar, SideBarPanes::Favorites);
}

void FormMain::ShowHistory()
{
    BuildSideBar(QStringLiteral("History"));
    ShowSearchFlag = false;
    ShowHistoryFlag = true;
    ShowFavoritesFlag = false;
    SideBarPanes::ShowPaneCommand(CommandBarsSideBar, SideBarPanes::History);
}

void FormMain::HideSideBar()
{
    ModNoFlicker::BeginNoFlicker(this);
    ImageSplitBar->setVisible(false);
    PictureSideBar->setVisible(false);
    LayoutPanes();
    LayoutBrowser();
    ModNoFlicker::EndNoFlicker();
    ShowSearchFlag = false;
    ShowHistoryFlag = false;
    ShowFavoritesFlag = false;
}

// The saved pane of the settings: the first set flag, in the order search, history, favorites,
// opens its pane (each Show clears the other two flags).
void FormMain::ShowSavedSideBarPane()
{
    if (ShowSearchFlag)
        ShowSearch();
    if (ShowHistoryFlag)
        ShowHistory();
    if (ShowFavoritesFlag)
        ShowFavorites();
    // The View menu was checked from every saved flag; only the pane that opened stays checked,
    // so that choosing another pane's item opens it rather than closing the side bar.
    auto menuItem = [this](int id) { return CommandBarsMain->FindControl(CommandBarControlType::Any, id, false, true); };
    SetChecked(menuItem(CommandId::SideBarSearch), ShowSearchFlag);
    SetChecked(menuItem(CommandId::SideBarFavorites), ShowFavoritesFlag);
    SetChecked(menuItem(CommandId::SideBarHistory), ShowHistoryFlag);
}

void FormMain::TransparentCloseButton1_ButtonClick()
{
    HideSideBar();
    SideBarPanes::CheckOpenPane(CommandBarsMain, std::nullopt, true);
}

void FormMain::CommandBarsSideBar_Execute(CommandBarControl *Control)
{
    switch (Control->Id()) {
    case CommandId::SearchSettings:
        Forms::Default<FormSelectSearch>()->ShowModal(this);
        break;
    case CommandId::SideBarAddToFavorites:
        Forms::Default<FormAddToFavorites>()->ShowModal(this, WebBrowserMain);
        break;
    case CommandId::ClearHistory:
        // Every main window's tree shows the one history store, which this clears.
        if (!TreeViewHistory->ClearHistory2())
            SaveFailureMessage::Show(this, {QString::fromLatin1(HistoryStore::FileName)});
        ClearFullScreenHistory();
        break;
    case CommandId::FavoritesCut:
        ModManageFavFile::FavoritesClipboardOperation = QStringLiteral("Cut");
        ModManageFavFile::SetFavoritesClipboard(FavoritesTreeView);
        break;
    case CommandId::FavoritesCopy:
        ModManageFavFile::FavoritesClipboardOperation = QStringLiteral("Copy");
        ModManageFavFile::SetFavoritesClipboard(FavoritesTreeView);
        break;
    case CommandId::FavoritesPaste:
        ModManageFavFile::PasteFavorite();
        break;
    case CommandId::FavoritesDelete:
        ModManageFavFile::DeleteFavorite(FavoritesTreeView);
        break;
    default:
        break;
    }
}
