// The full-screen window's bars: two context menus and the "Standard" toolbar on the main
// command bars (no menu bar, no status bar), and the "SideBar" header on the side bar's.
#include "fullscreen/FormFullScreen.h"

#include "app/CommandIds.h"
#include "app/ModSettings.h"
#include "mainwindow/MainCommandBars.h"
#include "platform/CommandBars.h"

#include <utility>

namespace {

using Kind = CommandBarControlType;

// The Standard bar's placeholders: they take the room at the
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
    add(PopupMenuPage, CommandId::Back, QStringLiteral("Back"));
    add(PopupMenuPage, CommandId::Forward, QStringLiteral("Forward"));
    add(PopupMenuPage, CommandId::Refresh, QStringLiteral("Refresh"));
    add(PopupMenuPage, CommandId::Stop, QStringLiteral("Stop"));
    add(PopupMenuPage, CommandId::Home, QStringLiteral("Home"));
    add(PopupMenuPage, CommandId::SelectAll, QStringLiteral("Select All"), true);
    add(PopupMenuPage, CommandId::AddToFavorites, QStringLiteral("Add To Favorites"));
    add(PopupMenuPage, CommandId::Print, QStringLiteral("Print"), true);

    PopupMenuTextEdit = CommandBarsMain->Add(QStringLiteral("Popup Menu"), CommandBarPosition::Popup);
    add(PopupMenuTextEdit, CommandId::TextEditCut, QStringLiteral("Cut"));
    add(PopupMenuTextEdit, CommandId::TextEditCopy, QStringLiteral("Copy"));
    add(PopupMenuTextEdit, CommandId::TextEditPaste, QStringLiteral("Paste"));
    add(PopupMenuTextEdit, CommandId::TextEditSelectAll, QStringLiteral("Select All"), true);

    CommandBarsMain->SetOptions(MainCommandBars::PresentationOptions(true));
    CommandBarsMain->ActiveMenuBar()->SetVisible(false);

    ToolBarStandard = CommandBarsMain->Add(QStringLiteral("Standard"), CommandBarPosition::Top);
    add(ToolBarStandard, CommandId::Back, QStringLiteral("Back"), false, Kind::SplitButton);
    add(ToolBarStandard, CommandId::Forward, QStringLiteral("Forward"), false, Kind::SplitButton);
    add(ToolBarStandard, CommandId::Stop, QStringLiteral("&Stop"));
    add(ToolBarStandard, CommandId::Refresh, QStringLiteral("&Refresh"));
    add(ToolBarStandard, CommandId::Home, QStringLiteral("&Home"));
    add(ToolBarStandard, CommandId::SearchButton, QStringLiteral("&Search"), true);
    add(ToolBarStandard, CommandId::FavoritesButton, QStringLiteral("&Favorites"));
    add(ToolBarStandard, CommandId::HistoryButton, QStringLiteral("&History"));
    add(ToolBarStandard, CommandId::Fullscreen, QStringLiteral("F&ullscreen"), true);
    add(ToolBarStandard, CommandId::Block, QStringLiteral("Block"))
        ->SetChecked(ModSettings::ProgramOptions().KillPopups);
    for (int i = 1; i <= PlaceholderCount; ++i)
        add(ToolBarStandard, CommandId::FullScreenPlaceholder, QStringLiteral("  "))->SetEnabled(false);

    CommandBarsMain->AddImageList(ImageListToolbarMainHot);
    ToolBarStandard->EnableDocking(kTopRowDocking);
    ToolBarStandard->SetShowGripper(false);

    CommandBarsSideBar->SetOptions(MainCommandBars::PresentationOptions(true));
    CommandBarsSideBar->ActiveMenuBar()->SetVisible(false);

    ToolBarSideBar = CommandBarsSideBar->Add(QStringLiteral("SideBar"), CommandBarPosition::Top);
    ToolBarSideBar->EnableDocking(kTopRowDocking);
    ToolBarSideBar->SetShowGripper(false);
    const std::pair<int, QString> buttons[] = {{CommandId::SearchSettings, QStringLiteral("Search Settings")},
                                               {CommandId::SideBarAddToFavorites, QStringLiteral("Add To Favorites")},
                                               {CommandId::ClearHistory, QStringLiteral("Clear History")}};
    for (const auto &[id, caption] : buttons)
        add(ToolBarSideBar, id, caption)->SetStyle(CommandBarControlStyle::CaptionOnly);
}
