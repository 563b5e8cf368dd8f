// The full-screen window's commands: every entry of its command bars (the Standard toolbar and
// the drop-down lists under Back and Forward), the side-bar header's buttons, the navigation
// toolbar and the Go button. Settings are the program's options.
#include "fullscreen/FormFullScreen.h"

#include "app/Application.h"
#include "app/CommandIds.h"
#include "app/ModSettings.h"
#include "browsingdata/FormAddToFavorites.h"
#include "browsingdata/FormSelectSearch.h"
#include "browsingdata/SaveFailureMessage.h"
#include "controls/HistoryStore.h"
#include "controls/UCTVHistory.h"
#include "controls/XPStyleImageTextBox.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/SideBarPanes.h"
#include "platform/CommandBars.h"
#include "platform/ProgramFolder.h"
#include "platform/WebBrowser.h"

#include <QAction>
#include <QStringList>
#include <QTimer>
#include <QToolBar>

#include <exception>

void FormFullScreen::ConnectCommands()
{
    connect(CommandBarsMain, &CommandBars::Execute, this, &FormFullScreen::CommandBarsMain_Execute);
    connect(CommandBarsSideBar, &CommandBars::Execute, this, &FormFullScreen::CommandBarsSideBar_Execute);
    connect(ToolbarNav, &QToolBar::actionTriggered, this, [this](QAction *action) {
        static const QStringList keys{"Back",   "Forward",   "Stop",    "Refresh", "Home",
                                      "Search", "Favorites", "History", "Popups"};
        for (const QString &key : keys)
            if (ToolbarButton(ToolbarNav, key) == action)
                ToolbarNav_ButtonClick(key);
    });
    connect(ToolbarGo, &QToolBar::actionTriggered, this, [this](QAction *action) {
        const QString key = QStringLiteral("GoToAddress");
        if (ToolbarButton(ToolbarGo, key) == action)
            ToolbarGo_ButtonClick(key);
    });
}

void FormFullScreen::CommandBarsMain_Execute(CommandBarControl *Control)
{
    if (!Control)
        return;
    try {
        if (PageCommands::RunShared(PageCommandTarget(), Control))
            return;
        switch (Control->Id()) {
        case CommandId::NewWindow:
            delete m_objNewWindow;
            m_objNewWindow = new Application(this);
            m_objNewWindow->SetLocation(WebBrowserFullScreen->LocationURL());
            break;
        case CommandId::Close:
            CloseCommand();
            break;
        case CommandId::SideBarSearch:
            ToggleSideBarPane(Control, 0, true);
            break;
        case CommandId::SideBarFavorites:
            ToggleSideBarPane(Control, 1, true);
            break;
        case CommandId::SideBarHistory:
            ToggleSideBarPane(Control, 2, true);
            break;
        case CommandId::Fullscreen:
            LeaveFullScreen();
            break;
        case CommandId::BrowserBack:
            WebBrowserFullScreen->GoBack();
            break;
        case CommandId::BrowserForward:
            WebBrowserFullScreen->GoForward();
            break;
        case CommandId::BrowserRefresh:
            WebBrowserFullScreen->Refresh();
            break;
        case CommandId::BrowserStop:
            WebBrowserFullScreen->Stop();
            break;
        case CommandId::BrowserHome:
            WebBrowserFullScreen->GoHome();
            break;
        case CommandId::SearchButton:
            ToggleSideBarPane(Control, 0, false);
            break;
        case CommandId::FavoritesButton:
            ToggleSideBarPane(Control, 1, false);
            break;
        case CommandId::HistoryButton:
            ToggleSideBarPane(Control, 2, false);
            break;
        case CommandId::Block:
            FormMain::SetPopupBlocker(!ModSettings::ProgramOptions().KillPopups);
            break;
        default:
            break;
        }
    } catch (const std::exception &) {
        // A command that cannot run changes nothing and reports nothing.
    }
}

void FormFullScreen::CommandBarsSideBar_Execute(CommandBarControl *Control)
{
    if (!Control)
        return;
    switch (Control->Id()) {
    case CommandId::SearchSettings:
        Forms::Default<FormSelectSearch>()->ShowModal(this);
        break;
    case CommandId::SideBarAddToFavorites:
        Forms::Default<FormAddToFavorites>()->ShowModal(this, WebBrowserFullScreen);
        break;
    case CommandId::ClearHistory:
        // The main windows' one history store, then this window's own copy.
        if (!HistoryStore::ForFolder(ProgramFolder::AppPath())->ClearHistory2())
            SaveFailureMessage::Show(this, {QString::fromLatin1(HistoryStore::FileName)});
        TreeViewHistory->ClearHistory2();
        break;
    default:
        break;
    }
}

// The navigation toolbar goes back and forward in the browser's own history; its side-bar
// buttons only ever show a pane.
void FormFullScreen::ToolbarNav_ButtonClick(const QString &Key)
{
    if (Key == QLatin1String("Back"))
        WebBrowserFullScreen->GoBack();
    else if (Key == QLatin1String("Forward"))
        WebBrowserFullScreen->GoForward();
    else if (Key == QLatin1String("Stop"))
        WebBrowserFullScreen->Stop();
    else if (Key == QLatin1String("Refresh"))
        WebBrowserFullScreen->Refresh();
    else if (Key == QLatin1String("Home"))
        WebBrowserFullScreen->GoHome();
    else if (Key == QLatin1String("Search") || Key == QLatin1String("History") || Key == QLatin1String("Favorites"))
        BuildSideBar(Key);
    else if (Key == QLatin1String("Popups"))
        FormMain::SetPopupBlocker(!ModSettings::ProgramOptions().KillPopups);
}

// The Go button commits the box's text as Enter does: an address is normalised, kept in the
// list and navigated to (and given to the main window's box), any other text is searched for.
// So the main window's box never sees a search text, which would send the main window's own
// browser to the search page.
void FormFullScreen::ToolbarGo_ButtonClick(const QString &Key)
{
    if (Key != QLatin1String("GoToAddress"))
        return;
    const QString text = XPStyleImageTextBox1->Text();
    if (text.isEmpty())
        return;
    if (XPStyleImageTextBox1->AddItem(text))
        XPStyleImageTextBox1_UrlChanged();
    BindContextMenus();
}

// The text size is the program's setting; the page of this window shows it now.
PageCommands::Target FormFullScreen::PageCommandTarget()
{
    return {this, WebBrowserFullScreen, m_objNavigator, CommandBarsMain, docMain, &ModSettings::ProgramOptions()};
}

// pane: 0 Search, 1 Favorites, 2 History. The toolbar button of the open pane is checked and the
// two others not; withMenuItems marks the View-menu items the same way.
void FormFullScreen::ToggleSideBarPane(CommandBarControl *control, int pane, bool withMenuItems)
{
    control->SetChecked(!control->Checked());
    const bool open = control->Checked();
    if (open) {
        if (pane == 0)
            ShowSearch();
        else if (pane == 1)
            ShowFavorites();
        else
            ShowHistory();
    } else {
        HideSideBar();
    }
    SideBarPanes::CheckOpenPane(CommandBarsMain, open ? std::optional(SideBarPanes::Pane(pane)) : std::nullopt,
                                withMenuItems);
}

// The default main window comes back on this window's page; this window stays loaded, hidden.
// When every main window has been closed meanwhile, a new one opens on the page; when only
// others are open, they stay as they are, and the first of them becomes the default.
FormMain *FormFullScreen::LeaveFullScreen()
{
    ModSettings::ProgramOptions().FullScreen = false;
    setVisible(false);
    const QString address = WebBrowserFullScreen->LocationURL();
    FormMain *main = Forms::Existing<FormMain>();
    if (!main) {
        if (FormMain *open = FormMain::AnyOpen()) {
            open->TakeProgramOptions();
        } else {
            delete m_objNewWindow;
            m_objNewWindow = new Application(this);
            m_objNewWindow->SetLocation(address);
        }
        return nullptr;
    }
    if (main->WebBrowserMain->LocationURL() != address)
        main->WebBrowserMain->Navigate(address);
    Forms::Show(main);
    return main;
}

// The program's settings are saved with the default main window's placement (this window's own
// rectangle is the whole screen, no place for a normal window); the address box keeps its files
// unwritten, by design.
void FormFullScreen::CloseCommand()
{
    Timer1->stop();
    FormMain *main = Forms::Existing<FormMain>();
    if (!ModSettings::SaveSettings(main))
        SaveFailureMessage::Show(this, {QString::fromLatin1(ModSettings::FileName)});
    XPStyleImageTextBox1->SaveAutoCompleteDataFile();
    XPStyleImageTextBox1->WriteAddressList();
    if (main && main->IsChildWindow)
        QTimer::singleShot(0, this, [this] { Forms::Unload(this); });
    else
        QTimer::singleShot(0, this, [this] { UnloadAllForms(); });
}
