#include "mainwindow/MainCommandBars.h"

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
    Add(bar, 1000, QStringLiteral("Back"));
    Add(bar, 1001, QStringLiteral("Forward"));
    Add(bar, 1003, QStringLiteral("Refresh"));
    Add(bar, 1002, QStringLiteral("Stop"));
    Add(bar, 1004, QStringLiteral("Home"));
    AddGroup(bar, 217, QStringLiteral("View Source"));
    AddChecked(bar, 503, QStringLiteral("Popup Blocker"), o.KillPopups);
    AddGroup(bar, 110, QStringLiteral("Select All"));
    Add(bar, 402, QStringLiteral("Add To Favorites"));
    AddGroup(bar, 105, QStringLiteral("Print"));
}

void BuildElementPopupMenus(CommandBars *bars, Bars &built)
{
    CommandBar *textEdit =
        bars->Add(QStringLiteral("Popup Menu Text Edit"), CommandBarPosition::Popup);
    built.TextEditPopupMenu = textEdit;
    Add(textEdit, 701, QStringLiteral("Cut"));
    Add(textEdit, 702, QStringLiteral("Copy"));
    Add(textEdit, 703, QStringLiteral("Paste"));
    AddGroup(textEdit, 704, QStringLiteral("Select All"));

    CommandBar *image = bars->Add(QStringLiteral("Popup Menu Image"), CommandBarPosition::Popup);
    built.ImagePopupMenu = image;
    Add(image, 801, QStringLiteral("Save Image As ...."));

    // The link menu carries the image menu's name too; it is reached through its field only.
    CommandBar *link = bars->Add(QStringLiteral("Popup Menu Image"), CommandBarPosition::Popup);
    built.LinkPopupMenu = link;
    Add(link, 901, QStringLiteral("Open Link"));
    Add(link, 902, QStringLiteral("Open In New Window"));
    AddGroup(link, 905, QStringLiteral("Copy Shortcut"));
    Add(link, 402, QStringLiteral("Add To Favorites"));
}

void BuildViewMenu(CommandBar *view, const Options &o)
{
    CommandBar *toolbars = Add(view, 201, QStringLiteral("&Toolbars"), Kind::Submenu)->CommandBar();
    AddChecked(toolbars, 202, QStringLiteral("&Standard"), o.ShowToolBarStandard);
    AddChecked(toolbars, 203, QStringLiteral("&Address Bar"), o.ShowAddressBar);

    CommandBar *sideBars = Add(view, 204, QStringLiteral("&SideBars"), Kind::Submenu)->CommandBar();
    AddChecked(sideBars, 205, QStringLiteral("&Search"), o.ShowSearchFlag);
    AddChecked(sideBars, 206, QStringLiteral("&Favorites"), o.ShowFavoritesFlag);
    AddChecked(sideBars, 207, QStringLiteral("&History"), o.ShowHistoryFlag);

    CommandBarControl *textSize = Add(view, 208, QStringLiteral("Te&xt Size"), Kind::Submenu);
    const QString sizes[] = {QStringLiteral("Lar&gest"), QStringLiteral("&Larger"),
                             QStringLiteral("La&rge"),   QStringLiteral("&Medium"),
                             QStringLiteral("Sm&all"),   QStringLiteral("Small&er"),
                             QStringLiteral("Sm&alles&t")};
    for (int k = 0; k < 7; ++k)
        AddChecked(textSize->CommandBar(), 209 + k, sizes[k], !o.TextNormal && o.TextSize == 7 - k);
    AddChecked(textSize->CommandBar(), 216, QStringLiteral("&Normal"), o.TextNormal);
    textSize->SetBeginGroup(true);

    AddGroup(view, 217, QStringLiteral("&View Source"));
    AddGroup(view, 218, QStringLiteral("&Fullscreen"));
}

void BuildMenuBar(CommandBars *bars, const Options &o, Bars &built)
{
    CommandBar *menuBar = bars->ActiveMenuBar();
    menuBar->SetIconSize(QSize(16, 16));

    CommandBar *file = Add(menuBar, 0, QStringLiteral("&File"), Kind::MenuTitle)->CommandBar();
    Add(file, 100, QStringLiteral("&New Window"));
    Add(file, 101, QStringLiteral("&Open"));
    Add(file, 102, QStringLiteral("&Save"));
    Add(file, 103, QStringLiteral("Save &As"));
    AddGroup(file, 105, QStringLiteral("&Print"));
    Add(file, 104, QStringLiteral("Print Set&up..."));
    Add(file, 106, QStringLiteral("Print Pre&view..."));
    Add(file, 108, QStringLiteral("&Close"));

    CommandBar *edit = Add(menuBar, 0, QStringLiteral("&Edit"), Kind::MenuTitle)->CommandBar();
    Add(edit, 109, QStringLiteral("&Copy"));
    AddGroup(edit, 110, QStringLiteral("Select &All"));
    Add(edit, 111, QStringLiteral("&Find"));

    BuildViewMenu(Add(menuBar, 200, QStringLiteral("&View"), Kind::MenuTitle)->CommandBar(), o);

    CommandBar *navigation =
        Add(menuBar, 0, QStringLiteral("&Navigation"), Kind::MenuTitle)->CommandBar();
    Add(navigation, 1000, QStringLiteral("&Back"));
    Add(navigation, 1001, QStringLiteral("&Forward"));
    Add(navigation, 1002, QStringLiteral("&Stop"));
    Add(navigation, 1003, QStringLiteral("&Refresh"));
    Add(navigation, 1004, QStringLiteral("&Home"));

    built.MenuFavorites = Add(menuBar, 401, QStringLiteral("&Favorites"), Kind::MenuTitle);
    Add(built.MenuFavorites->CommandBar(), 402, QStringLiteral("&Add To Favorites"));

    CommandBar *tools = Add(menuBar, 0, QStringLiteral("&Tools"), Kind::MenuTitle)->CommandBar();
    AddChecked(tools, 503, QStringLiteral("Popup &Blocker"), o.KillPopups);
    Add(tools, 501, QStringLiteral("&Application Settings"));
    Add(tools, 502, QStringLiteral("&Internet Options"));

    CommandBar *help = Add(menuBar, 0, QStringLiteral("&Help"), Kind::MenuTitle)->CommandBar();
    Add(help, 601, QStringLiteral("&Help Contents"));
    Add(help, 602, QStringLiteral("&Kestrelvue Home"));
    Add(help, 603, QStringLiteral("Kestrelvue &Support"));
}

void BuildStandardToolBar(CommandBars *bars, const Options &o, Bars &built)
{
    CommandBar *bar = bars->Add(QStringLiteral("Standard"), CommandBarPosition::Top);
    built.ToolBarStandard = bar;
    bar->SetIconSize(StandardIconSize(o.OSVersionName));
    Add(bar, 1000, QStringLiteral("Back"), Kind::SplitButton);
    Add(bar, 1001, QStringLiteral("Forward"), Kind::SplitButton);
    Add(bar, 1002, QStringLiteral("&Stop"));
    Add(bar, 1003, QStringLiteral("&Refresh"));
    Add(bar, 1004, QStringLiteral("&Home"));
    // The side-bar toggles start unchecked: only their commands check them.
    AddGroup(bar, 2001, QStringLiteral("&Search"));
    Add(bar, 2002, QStringLiteral("&Favorites"));
    Add(bar, 2003, QStringLiteral("&History"));
    AddGroup(bar, 218, QStringLiteral("F&ullscreen"));
    AddChecked(bar, 3001, QStringLiteral("Block"), o.KillPopups);
}

void BuildAddressAndStatusRows(CommandBars *bars, Bars &built)
{
    CommandBar *address = bars->Add(QStringLiteral("Address"), CommandBarPosition::Top);
    built.ToolBarAddress = address;
    bars->ActiveMenuBar()->EnableDocking(kTopRowDocking);
    address->EnableDocking(kTopRowDocking);
    built.ToolBarStandard->EnableDocking(kTopRowDocking);
    // The window lays its address controls over this row.
    Add(address, 2111758, QString())->SetEnabled(false);

    CommandBar *status = bars->Add(QStringLiteral("Status Bar"), CommandBarPosition::Bottom);
    built.StatusBar = status;
    status->EnableDocking(CommandBarDockingFlag::Stretch);
    Add(status, 1235698745, QString(), Kind::Custom)->SetEnabled(false);
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
    const std::pair<int, QString> buttons[] = {{4000, QStringLiteral("Search Settings")},
                                               {4001, QStringLiteral("Add To Favorites")},
                                               {4002, QStringLiteral("Clear History")}};
    for (const auto &[id, caption] : buttons) {
        CommandBarControl *button = Add(bar, id, caption);
        button->SetStyle(CommandBarControlStyle::IconAndCaption);
        button->SetVisible(false);
    }

    CommandBar *popup = bars->Add(QStringLiteral("Popup Menu"), CommandBarPosition::Popup);
    built.FavoritesPopupMenu = popup;
    Add(popup, 70000, QStringLiteral("Cut"));
    Add(popup, 70001, QStringLiteral("Copy"));
    Add(popup, 70002, QStringLiteral("Paste"));
    Add(popup, 70004, QStringLiteral("Delete"));
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
