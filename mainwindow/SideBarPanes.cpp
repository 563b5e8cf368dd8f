#include "mainwindow/SideBarPanes.h"

#include "app/CommandIds.h"
#include "browsingdata/FormSelectSearch.h"
#include "browsingdata/ModManageFavFile.h"
#include "platform/CommandBars.h"
#include "platform/Forms.h"
#include "platform/WebBrowser.h"

#include <QTreeWidget>

namespace SideBarPanes {

namespace {

// The toolbar button and View-menu item of each pane, in the order of Pane.
struct PaneToggles
{
    int Button;
    int MenuItem;
};
constexpr PaneToggles kToggles[] = {{CommandId::SearchButton, CommandId::SideBarSearch},
                                    {CommandId::FavoritesButton, CommandId::SideBarFavorites},
                                    {CommandId::HistoryButton, CommandId::SideBarHistory}};

void SetChecked(CommandBarControl *control, bool checked)
{
    if (control)
        control->SetChecked(checked);
}

} // namespace

void ShowSearch(WebBrowser *search, QWidget *history, QTreeWidget *favorites, bool loadPage)
{
    search->setVisible(true);
    history->setVisible(false);
    favorites->setVisible(false);
    if (loadPage) {
        Forms::Default<FormSelectSearch>();
        // Without a selected engine there is no page to show.
        if (!FormSelectSearch::SearchBrowserUrl.isEmpty())
            search->Navigate(FormSelectSearch::SearchBrowserUrl);
    }
}

void ShowHistory(WebBrowser *search, QWidget *history, QTreeWidget *favorites)
{
    search->setVisible(false);
    favorites->setVisible(false);
    history->setVisible(true);
}

void ShowFavorites(WebBrowser *search, QWidget *history, QTreeWidget *favorites)
{
    search->setVisible(false);
    history->setVisible(false);
    favorites->setVisible(true);
    favorites->setAnimated(false);
    favorites->clear();
    ModManageFavFile::LoadFavoritesTree(favorites);
    favorites->update();
}

void ShowPaneCommand(CommandBars *bars, Pane pane)
{
    const int shownId = pane == Search      ? CommandId::SearchSettings
                        : pane == Favorites ? CommandId::SideBarAddToFavorites
                                            : CommandId::ClearHistory;
    for (int id : {CommandId::SearchSettings, CommandId::SideBarAddToFavorites, CommandId::ClearHistory}) {
        if (CommandBarControl *control = bars->FindControl(id))
            control->SetVisible(id == shownId);
    }
}

void CheckOpenPane(CommandBars *bars, std::optional<Pane> open, bool withMenuItems)
{
    for (Pane pane : {Search, Favorites, History}) {
        const bool checked = open == pane;
        SetChecked(bars->FindControl(kToggles[pane].Button), checked);
        if (withMenuItems)
            SetChecked(bars->FindControl(CommandBarControlType::Any, kToggles[pane].MenuItem, false, true), checked);
    }
}

} // namespace SideBarPanes
