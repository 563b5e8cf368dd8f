#pragma once

#include <optional>

class CommandBars;
class QTreeWidget;
class QWidget;
class WebBrowser;

// The side bar's three panes, whichever window hosts the side bar: the search page, the history
// tree or the favorites tree shows, one at a time, with the side-bar toolbar's command for it.
namespace SideBarPanes {

enum Pane { Search, Favorites, History };

// Shows the search pane alone; with loadPage it loads the side-bar page of the selected search
// engine (none while no engine is selected).
void ShowSearch(WebBrowser *search, QWidget *history, QTreeWidget *favorites, bool loadPage);
// Shows the history tree alone.
void ShowHistory(WebBrowser *search, QWidget *history, QTreeWidget *favorites);
// Shows the favorites tree alone, read anew from the Favorites folder.
void ShowFavorites(WebBrowser *search, QWidget *history, QTreeWidget *favorites);
// Shows the side-bar toolbar's command for pane ("Search settings", "Add to favorites", "Clear
// history") and hides the other two.
void ShowPaneCommand(CommandBars *bars, Pane pane);
// Checks the main command bars' toolbar button of the open pane (none while the side bar is
// closed) and clears the two others; withMenuItems marks the View menu's items the same way.
void CheckOpenPane(CommandBars *bars, std::optional<Pane> open, bool withMenuItems);

} // namespace SideBarPanes
