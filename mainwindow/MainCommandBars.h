#pragma once

#include <QSize>
#include <QString>

class CommandBar;
class CommandBarControl;
class CommandBars;
struct CommandBarsOptions;

// The main window's menus, toolbars, status row, side-bar row and context menus, built from
// the window's options. Every entry carries the command id that the dispatchers act on.
namespace MainCommandBars {

// What the build reads: the window's options and the system's name.
struct Options
{
    bool KillPopups = false;
    bool ShowToolBarStandard = true;
    bool ShowAddressBar = true;
    bool ShowSearchFlag = false;
    bool ShowFavoritesFlag = false;
    bool ShowHistoryFlag = false;
    bool TextNormal = true;
    int TextSize = 2;
    QString OSVersionName;
};

// The bars the window keeps.
struct Bars
{
    CommandBar *PagePopupMenu = nullptr;
    CommandBar *TextEditPopupMenu = nullptr;
    CommandBar *ImagePopupMenu = nullptr;
    CommandBar *LinkPopupMenu = nullptr;
    CommandBar *ToolBarStandard = nullptr;
    CommandBar *ToolBarAddress = nullptr;
    CommandBar *StatusBar = nullptr;
    CommandBar *ToolBarSideBar = nullptr;
    CommandBar *FavoritesPopupMenu = nullptr;
    CommandBarControl *MenuFavorites = nullptr;
};

// The Standard toolbar shows 24-pixel icons on "WinXP" only.
QSize StandardIconSize(const QString &osVersionName);
// Menu animation is off on the older systems.
bool AnimateMenusOn(const QString &osVersionName);
// The look of every command bar of both windows; animateMenus as AnimateMenusOn tells.
CommandBarsOptions PresentationOptions(bool animateMenus);

Bars Build(CommandBars *commandBarsMain, CommandBars *commandBarsSideBar, const Options &options);

} // namespace MainCommandBars
