#include "mainwindow/MainCommandBars.h"

#include "app/CommandIds.h"
#include "mainwindow/ToolbarImages.h"
#include "platform/CommandBars.h"

namespace MainCommandBars {

namespace {

using Kind = CommandBarControlType;

CommandBarControl *Add(CommandBar *bar, int id, const QString &caption, Kind kind = Kind::Button)
{
    return bar->Controls().Add(kind, id, caption);
}

CommandBarControl *AddGroup(CommandBar *bar, int id, const QString &caption,
                            Kind kind = Kind::Button)
{
    CommandBarControl *control = Add(bar, id, caption, kind);
    control->SetBeginGroup(true);
    return control;
}

CommandBarControl *AddChecked(CommandBar *bar, int id, const QString &caption, bool checked)
{
    CommandBarControl *control = Add(bar, id, caption);
    control->SetChecked(checked);
    return control;
}

// Docked at the top edge only, never floating, over the whole width, overflow hidden.
constexpr CommandBarDocking kTopRowDocking = CommandBarDockingFlag::Top
    | CommandBarDockingFlag::NoFloat | CommandBarDockingFlag::Stretch
    | CommandBarDockingFlag::HideWrap;

void BuildPagePopupMenu(CommandBars *bars, const Options &o, Bars &built)
{
    CommandBar *bar = bars->Add(QStringLiteral("Popup Menu"), CommandBarPosition::Popup);
    built.PagePopupMenu = bar;
    Add(bar, CommandId::Back, QStringLiteral("Back"));
    Add(bar, CommandId::Forward, QStringLiteral("Forward"));
    Add(bar, CommandId::Refresh, QStringLiteral("Refresh"));
    Add(bar, CommandId::Stop, QStringLiteral("Stop"));
    Add(bar, CommandId::Home, QStringLiteral("Home"));
    AddGroup(bar, CommandId::ViewSource, QStringLiteral("View Source"));
    AddChecked(bar, CommandId::PopupBlocker, QStringLiteral("Popup Blocker"), o.KillPopups);
    AddGroup(bar, CommandId::SelectAll, QStringLiteral("Select All"));
    Add(bar, CommandId::AddToFavorites, QStringLiteral("Add To Favorites"));
    AddGroup(bar, CommandId::Print, QStringLiteral("Print"));
}

void BuildElementPopupMenus(CommandBars *bars, Bars &built)
{
    CommandBar *textEdit =
        bars->Add(QStringLiteral("Popup Menu Text Edit"), CommandBarPosition::Popup);
    built.TextEditPopupMenu = textEdit;
    Add(textEdit, CommandId::TextEditCut, QStringLiteral("Cut"));
    Add(textEdit, CommandId::TextEditCopy, QStringLiteral("Copy"));
    Add(textEdit, CommandId::TextEditPaste, QStringLiteral("Paste"));
    AddGroup(textEdit, CommandId::TextEditSelectAll, QStringLiteral("Select All"));

    CommandBar *image = bars->Add(QStringLiteral("Popup Menu Image"), CommandBarPosition::Popup);
    built.ImagePopupMenu = image;
    Add(image, CommandId::SaveImageAs, QStringLiteral("Save Image As ...."));

    // The link menu carries the image menu's name too; it is reached through its field only.
    CommandBar *link = bars->Add(QStringLiteral("Popup Menu Image"), CommandBarPosition::Popup);
    built.LinkPopupMenu = link;
    Add(link, CommandId::OpenLink, QStringLiteral("Open Link"));
    Add(link, CommandId::OpenInNewWindow, QStringLiteral("Open In New Window"));
    AddGroup(link, CommandId::CopyShortcut, QStringLiteral("Copy Shortcut"));
    Add(link, CommandId::AddToFavorites, QStringLiteral("Add To Favorites"));
}

void BuildViewMenu(CommandBar *view, const Options &o)
{
    CommandBar *toolbars = Add(view, CommandId::Toolbars, QStringLiteral("&Toolbars"), Kind::Submenu)->CommandBar();
    AddChecked(toolbars, CommandId::ToolBarStandard, QStringLiteral("&Standard"), o.ShowToolBarStandard);
    AddChecked(toolbars, CommandId::AddressBar, QStringLiteral("&Address Bar"), o.ShowAddressBar);

    CommandBar *sideBars = Add(view, CommandId::SideBars, QStringLiteral("&SideBars"), Kind::Submenu)->CommandBar();
    AddChecked(sideBars, CommandId::SideBarSearch, QStringLiteral("&Search"), o.ShowSearchFlag);
    AddChecked(sideBars, CommandId::SideBarFavorites, QStringLiteral("&Favorites"), o.ShowFavoritesFlag);
    AddChecked(sideBars, CommandId::SideBarHistory, QStringLiteral("&History"), o.ShowHistoryFlag);

    CommandBarControl *textSize = Add(view, CommandId::TextSize, QStringLiteral("Te&xt Size"), Kind::Submenu);
    const QString sizes[] = {QStringLiteral("Lar&gest"), QStringLiteral("&Larger"),
                             QStringLiteral("La&rge"),   QStringLiteral("&Medium"),
                             QStringLiteral("Sm&all"),   QStringLiteral("Small&er"),
                             QStringLiteral("Sm&alles&t")};
    for (int k = 0; k < 7; ++k)
        AddChecked(textSize->CommandBar(), CommandId::TextSizeLargest + k, sizes[k],
                   !o.TextNormal && o.TextSize == 7 - k);
    AddChecked(textSize->CommandBar(), CommandId::TextSizeNormal, QStringLiteral("&Normal"), o.TextNormal);
    textSize->SetBeginGroup(true);

    AddGroup(view, CommandId::ViewSource, QStringLiteral("&View Source"));
    AddGroup(view, CommandId::Fullscreen, QStringLiteral("&Fullscreen"));
}

void BuildMenuBar(CommandBars *bars, const Options &o, Bars &built)
{
    CommandBar *menuBar = bars->ActiveMenuBar();
    menuBar->SetIconSize(QSize(16, 16));

    CommandBar *file = Add(menuBar, 0, QStringLiteral("&File"), Kind::MenuTitle)->CommandBar();
    Add(file, CommandId::NewWindow, QStringLiteral("&New Window"));
    Add(file, CommandId::Open, QStringLiteral("&Open"));
    Add(file, CommandId::Save, QStringLiteral("&Save"));
    Add(file, CommandId::SaveAs, QStringLiteral("Save &As"));
    AddGroup(file, CommandId::Print, QStringLiteral("&Print"));
    Add(file, CommandId::PrintSetup, QStringLiteral("Print Set&up..."));
    Add(file, CommandId::PrintPreview, QStringLiteral("Print Pre&view..."));
    Add(file, CommandId::Close, QStringLiteral("&Close"));

    CommandBar *edit = Add(menuBar, 0, QStringLiteral("&Edit"), Kind::MenuTitle)->CommandBar();
    Add(edit, CommandId::Copy, QStringLiteral("&Copy"));
    AddGroup(edit, CommandId::SelectAll, QStringLiteral("Select &All"));
    Add(edit, CommandId::Find, QStringLiteral("&Find"));

    BuildViewMenu(Add(menuBar, CommandId::View, QStringLiteral("&View"), Kind::MenuTitle)->CommandBar(), o);

    CommandBar *navigation =
        Add(menuBar, 0, QStringLiteral("&Navigation"), Kind::MenuTitle)->CommandBar();
    Add(navigation, CommandId::Back, QStringLiteral("&Back"));
    Add(navigation, CommandId::Forward, QStringLiteral("&Forward"));
    Add(navigation, CommandId::Stop, QStringLiteral("&Stop"));
    Add(navigation, CommandId::Refresh, QStringLiteral("&Refresh"));
    Add(navigation, CommandId::Home, QStringLiteral("&Home"));

    built.MenuFavorites = Add(menuBar, CommandId::Favorites, QStringLiteral("&Favorites"), Kind::MenuTitle);
    Add(built.MenuFavorites->CommandBar(), CommandId::AddToFavorites, QStringLiteral("&Add To Favorites"));

    CommandBar *tools = Add(menuBar, 0, QStringLiteral("&Tools"), Kind::MenuTitle)->CommandBar();
    AddChecked(tools, CommandId::PopupBlocker, QStringLiteral("Popup &Blocker"), o.KillPopups);
    Add(tools, CommandId::ApplicationSettings, QStringLiteral("&Application Settings"));
    Add(tools, CommandId::InternetOptions, QStringLiteral("&Internet Options"));

    CommandBar *help = Add(menuBar, 0, QStringLiteral("&Help"), Kind::MenuTitle)->CommandBar();
    Add(help, CommandId::HelpContents, QStringLiteral("&Help Contents"));
    Add(help, CommandId::ProductHome, QStringLiteral("&Kestrelvue Home"));
    Add(help, CommandId::ProductSupport, QStringLiteral("Kestrelvue &Support"));
}

void BuildStandardToolBar(CommandBars *bars, const Options &o, Bars &built)
{
    CommandBar *bar = bars->Add(QStringLiteral("Standard"), CommandBarPosition::Top);
    built.ToolBarStandard = bar;
    bar->SetIconSize(StandardIconSize(o.OSVersionName));
    Add(bar, CommandId::Back, QStringLiteral("Back"), Kind::SplitButton);
    Add(bar, CommandId::Forward, QStringLiteral("Forward"), Kind::SplitButton);
    Add(bar, CommandId::Stop, QStringLiteral("&Stop"));
    Add(bar, CommandId::Refresh, QStringLiteral("&Refresh"));
    Add(bar, CommandId::Home, QStringLiteral("&Home"));
    // The side-bar toggles start unchecked: only their commands check them.
    AddGroup(bar, CommandId::SearchButton, QStringLiteral("&Search"));
    Add(bar, CommandId::FavoritesButton, QStringLiteral("&Favorites"));
    Add(bar, CommandId::HistoryButton, QStringLiteral("&History"));
    AddGroup(bar, CommandId::Fullscreen, QStringLiteral("F&ullscreen"));
    AddChecked(bar, CommandId::Block, QStringLiteral("Block"), o.KillPopups);
}

void BuildAddressAndStatusRows(CommandBars *bars, Bars &built)
{
    CommandBar *address = bars->Add(QStringLiteral("Address"), CommandBarPosition::Top);
    built.ToolBarAddress = address;
    bars->ActiveMenuBar()->EnableDocking(kTopRowDocking);
    address->EnableDocking(kTopRowDocking);
    built.ToolBarStandard->EnableDocking(kTopRowDocking);
    // The window lays its address controls over this row.
    Add(address, CommandId::AddressBarPlaceholder, QString())->SetEnabled(false);

    CommandBar *status = bars->Add(QStringLiteral("Status Bar"), CommandBarPosition::Bottom);
    built.StatusBar = status;
    status->EnableDocking(CommandBarDockingFlag::Stretch);
    Add(status, CommandId::StatusBarPlaceholder, QString(), Kind::Custom)->SetEnabled(false);
    status->SetShowGripper(false);
}

void BuildSideBar(CommandBars *bars, const ImageList &hot, Bars &built)
{
    bars->SetOptions(PresentationOptions(true));
    bars->AddImageList(hot);
    bars->ActiveMenuBar()->SetVisible(false);

    CommandBar *bar = bars->Add(QStringLiteral("SideBar"), CommandBarPosition::Top);
    built.ToolBarSideBar = bar;
    bar->EnableDocking(kTopRowDocking);
    bar->SetShowGripper(false);
    const std::pair<int, QString> buttons[] = {{CommandId::SearchSettings, QStringLiteral("Search Settings")},
                                               {CommandId::SideBarAddToFavorites, QStringLiteral("Add To Favorites")},
                                               {CommandId::ClearHistory, QStringLiteral("Clear History")}};
    for (const auto &[id, caption] : buttons) {
        CommandBarControl *button = Add(bar, id, caption);
        button->SetStyle(CommandBarControlStyle::IconAndCaption);
        button->SetVisible(false);
    }

    CommandBar *popup = bars->Add(QStringLiteral("Popup Menu"), CommandBarPosition::Popup);
    built.FavoritesPopupMenu = popup;
    Add(popup, CommandId::FavoritesCut, QStringLiteral("Cut"));
    Add(popup, CommandId::FavoritesCopy, QStringLiteral("Copy"));
    Add(popup, CommandId::FavoritesPaste, QStringLiteral("Paste"));
    Add(popup, CommandId::FavoritesDelete, QStringLiteral("Delete"));
}

} // namespace

QSize StandardIconSize(const QString &osVersionName)
{
    return osVersionName == QLatin1String("WinXP") ? QSize(24, 24) : QSize(16, 16);
}

bool AnimateMenusOn(const QString &osVersionName)
{
    static const QStringList older = {QStringLiteral("WinNT40"), QStringLiteral("WinME"),
                                      QStringLiteral("Win98"), QStringLiteral("Win95")};
    return !older.contains(osVersionName);
}

Bars Build(CommandBars *commandBarsMain, CommandBars *commandBarsSideBar, const Options &options)
{
    Bars built;
    BuildPagePopupMenu(commandBarsMain, options, built);
    BuildElementPopupMenus(commandBarsMain, built);
    BuildMenuBar(commandBarsMain, options, built);
    commandBarsMain->SetOptions(PresentationOptions(AnimateMenusOn(options.OSVersionName)));
    BuildStandardToolBar(commandBarsMain, options, built);

    const ImageList hot = ToolbarImages::ImageListToolbarMainHot();
    commandBarsMain->AddImageList(hot);
    commandBarsMain->AddImageList(ToolbarImages::ImageListToolbarMainLarge());

    BuildAddressAndStatusRows(commandBarsMain, built);
    BuildSideBar(commandBarsSideBar, hot, built);

    if (!options.ShowAddressBar)
        built.ToolBarAddress->SetVisible(false);
    if (!options.ShowToolBarStandard)
        built.ToolBarStandard->SetVisible(false);
    commandBarsMain->ActiveMenuBar()->SetVisible(true);
    built.StatusBar->SetVisible(true);
    return built;
}

CommandBarsOptions PresentationOptions(bool animateMenus)
{
    CommandBarsOptions options;
    options.TearOffMenus = false;
    options.AnimateMenus = animateMenus;
    options.IconsInMenus = true;
    options.SeparatorsCollapsible = true;
    options.FlatButtons = true;
    options.ShortcutsInContextMenus = false;
    options.MenuAnimation = 3;
    options.LargeIcons = false;
    return options;
}

} // namespace MainCommandBars
