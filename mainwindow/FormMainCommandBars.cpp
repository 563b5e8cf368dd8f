#include "mainwindow/FormMain.h"

#include "app/ModuleWin32API.h"
#include "mainwindow/MainCommandBars.h"

void FormMain::BuildCommandBars()
{
    MainCommandBars::Options options;
    options.KillPopups = KillPopups;
    options.ShowToolBarStandard = ShowToolBarStandard;
    options.ShowAddressBar = ShowAddressBar;
    options.ShowSearchFlag = ShowSearchFlag;
    options.ShowFavoritesFlag = ShowFavoritesFlag;
    options.ShowHistoryFlag = ShowHistoryFlag;
    options.TextNormal = TextNormal;
    options.TextSize = TextSize;
    options.OSVersionName = ModuleWin32API::GetOSVersionName();

    const MainCommandBars::Bars bars =
        MainCommandBars::Build(CommandBarsMain, CommandBarsSideBar, options);
    PagePopupMenu = bars.PagePopupMenu;
    TextEditPopupMenu = bars.TextEditPopupMenu;
    ImagePopupMenu = bars.ImagePopupMenu;
    LinkPopupMenu = bars.LinkPopupMenu;
    MenuFavorites = bars.MenuFavorites;
    ToolBarStandard = bars.ToolBarStandard;
    ToolBarAddress = bars.ToolBarAddress;
    StatusBar = bars.StatusBar;
    ToolBarSideBar = bars.ToolBarSideBar;
    FavoritesPopupMenu = bars.FavoritesPopupMenu;
}
