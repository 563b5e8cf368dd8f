// The full-screen window's bars: two context menus and the "Standard" toolbar on the main
// command bars (no menu bar, no status bar), and the "SideBar" header on the side bar's.
#include "fullscreen/FormFullScreen.h"

#include "app/ModSettings.h"
#include "fullscreen/FullScreenLayout.h"
#include "mainwindow/MainCommandBars.h"
#include "platform/CommandBars.h"

#include <utility>

namespace {

using Kind = CommandBarControlType;

// The Standard bar's placeholders (FullScreenLayout::PlaceholderId): they take the room at the
// right end of the bar over which the address label, the address box and the window buttons
// are laid.
constexpr int PlaceholderCount = 20;

// Docked at the top edge only, never floating, over the whole width, overflow hidden.
constexpr CommandBarDocking kTopRowDocking = CommandBarDockingFlag::Top | CommandBarDockingFlag::NoFloat
    | CommandBarDockingFlag::Stretch | CommandBarDockingFlag::HideWrap;

CommandBarControl *add(CommandBar *bar, int id, const QString &caption, bool beginGroup = false,
                       Kind kind = Kind::Button)
{
    CommandBarControl *control = bar->Controls().Add(kind, id, caption);
    control->SetBeginGroup(beginGroup);
    return control;
}

} // namespace

void FormFullScreen::BuildCommandBars()
{
    PopupMenuPage = CommandBarsMain->Add(QStringLiteral("Popup Menu"), CommandBarPosition::Popup);
    add(PopupMenuPage, 1000, QStringLiteral("Back"));
    add(PopupMenuPage, 1001, QStringLiteral("Forward"));
    add(PopupMenuPage, 1003, QStringLiteral("Refresh"));
    add(PopupMenuPage, 1002, QStringLiteral("Stop"));
    add(PopupMenuPage, 1004, QStringLiteral("Home"));
    add(PopupMenuPage, 110, QStringLiteral("Select All"), true);
    add(PopupMenuPage, 402, QStringLiteral("Add To Favorites"));
    add(PopupMenuPage, 105, QStringLiteral("Print"), true);

    PopupMenuTextEdit = CommandBarsMain->Add(QStringLiteral("Popup Menu"), CommandBarPosition::Popup);
    add(PopupMenuTextEdit, 701, QStringLiteral("Cut"));
    add(PopupMenuTextEdit, 702, QStringLiteral("Copy"));
    add(PopupMenuTextEdit, 703, QStringLiteral("Paste"));
    add(PopupMenuTextEdit, 704, QStringLiteral("Select All"), true);

    CommandBarsMain->SetOptions(MainCommandBars::PresentationOptions(true));
    CommandBarsMain->ActiveMenuBar()->SetVisible(false);

    ToolBarStandard = CommandBarsMain->Add(QStringLiteral("Standard"), CommandBarPosition::Top);
    add(ToolBarStandard, 1000, QStringLiteral("Back"), false, Kind::SplitButton);
    add(ToolBarStandard, 1001, QStringLiteral("Forward"), false, Kind::SplitButton);
    add(ToolBarStandard, 1002, QStringLiteral("&Stop"));
    add(ToolBarStandard, 1003, QStringLiteral("&Refresh"));
    add(ToolBarStandard, 1004, QStringLiteral("&Home"));
    add(ToolBarStandard, 2001, QStringLiteral("&Search"), true);
    add(ToolBarStandard, 2002, QStringLiteral("&Favorites"));
    add(ToolBarStandard, 2003, QStringLiteral("&History"));
    add(ToolBarStandard, 218, QStringLiteral("F&ullscreen"), true);
    add(ToolBarStandard, 3001, QStringLiteral("Block"))->SetChecked(ModSettings::ProgramOptions().KillPopups);
    for (int i = 1; i <= PlaceholderCount; ++i)
        add(ToolBarStandard, FullScreenLayout::PlaceholderId, QStringLiteral("  "))->SetEnabled(false);

    CommandBarsMain->AddImageList(ImageListToolbarMainHot);
    ToolBarStandard->EnableDocking(kTopRowDocking);
    ToolBarStandard->SetShowGripper(false);

    CommandBarsSideBar->SetOptions(MainCommandBars::PresentationOptions(true));
    CommandBarsSideBar->ActiveMenuBar()->SetVisible(false);

    ToolBarSideBar = CommandBarsSideBar->Add(QStringLiteral("SideBar"), CommandBarPosition::Top);
    ToolBarSideBar->EnableDocking(kTopRowDocking);
    ToolBarSideBar->SetShowGripper(false);
    const std::pair<int, QString> buttons[] = {{4000, QStringLiteral("Search Settings")},
                                               {4001, QStringLiteral("Add To Favorites")},
                                               {4002, QStringLiteral("Clear History")}};
    for (const auto &[id, caption] : buttons)
        add(ToolBarSideBar, id, caption)->SetStyle(CommandBarControlStyle::CaptionOnly);
}
