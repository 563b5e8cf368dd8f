// The main window's command dispatcher: every entry of CommandBarsMain (menu bar, Standard
// toolbar, page context menus) arrives here by its command id. The commands the full-screen
// window runs the same way are in PageCommands; this file holds the dispatch and this window's
// own File, Edit and View commands, and FormMainNavigationCommands.cpp the rest.
#include "mainwindow/FormMain.h"

#include "app/Application.h"
#include "app/CommandIds.h"
#include "app/ModSettings.h"
#include "controls/TransparentLabel.h"
#include "controls/XPStyleImageTextBox.h"
#include "mainwindow/CommandRules.h"
#include "mainwindow/SideBarPanes.h"
#include "platform/CommandBars.h"
#include "platform/HtmlDocument.h"
#include "platform/KeyPreview.h"
#include "platform/WebBrowser.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

#include <exception>

void FormMain::ConnectCommands()
{
    connect(CommandBarsMain, &CommandBars::Execute, this, &FormMain::CommandBarsMain_Execute);
    new KeyPreview(this, [this](const QKeyEvent &event) {
        Form_KeyDown(CommandRules::KeyCodeOf(event.key()), CommandRules::ShiftMaskOf(event.key(), event.modifiers()));
    });
    // "Open In New Window" opens the element that was active when the link's menu was asked for.
    connect(WebBrowserMain->Document(), &HtmlDocument::oncontextmenu, this,
            [this](const HtmlEvent &event) { m_contextMenuActiveHref = event.ActiveHref; });
}

void FormMain::CommandBarsMain_Execute(CommandBarControl *control)
{
    if (!control)
        return;
    try {
        if (PageCommands::RunShared(PageCommandTarget(), control))
            return;
        switch (control->Id()) {
        case CommandId::NewWindow:
            OpenNewWindow(WebBrowserMain->LocationURL(), false);
            break;
        case CommandId::Close:
            CloseCommand();
            break;
        case CommandId::TextEditCopy:
            BrowserCommand(WebBrowser::OLECMDID_COPY);
            break;
        case CommandId::TextEditSelectAll:
            BrowserCommand(WebBrowser::OLECMDID_SELECTALL);
            break;
        case CommandId::ToolBarStandard:
            ToggleBar(control, ToolBarStandard, ShowToolBarStandard);
            break;
        case CommandId::AddressBar:
            ToggleBar(control, ToolBarAddress, ShowAddressBar);
            ShowControlsOverBars();
            break;
        case CommandId::SideBarSearch:
            SelectSideBarPane(control, 0);
            break;
        case CommandId::SideBarFavorites:
            SelectSideBarPane(control, 1);
            break;
        case CommandId::SideBarHistory:
            SelectSideBarPane(control, 2);
            break;
        case CommandId::Fullscreen:
            EnterFullScreen();
            break;
        case CommandId::TextEditCut:
            BrowserCommand(WebBrowser::OLECMDID_CUT);
            break;
        case CommandId::TextEditPaste:
            BrowserCommand(WebBrowser::OLECMDID_PASTE);
            break;
        case CommandId::SaveImageAs:
            break;
        default:
            RunNavigationCommand(control);
            break;
        }
    } catch (const std::exception &) {
        // A command that cannot run changes nothing and reports nothing.
    }
}

void FormMain::BrowserCommand(int cmdID)
{
    try {
        WebBrowserMain->ExecWB(cmdID, WebBrowser::OLECMDEXECOPT_DODEFAULT);
    } catch (const std::exception &) {
        // The page does not offer the command now: nothing changes.
    }
}

void FormMain::OpenNewWindow(const QString &address, bool childWindow)
{
    delete m_objNewWindow;
    m_objNewWindow = new Application(this);
    m_objNewWindow->SetLocation(address);
    if (childWindow)
        m_objNewWindow->SetIsChildWindow(true);
}

// The check mark, the bar's visibility and the window's field each turn over from their own
// value: a bar that a page hid comes back at the first click, whatever the mark said.
void FormMain::ToggleBar(CommandBarControl *control, CommandBar *bar, bool &field)
{
    control->SetChecked(!control->Checked());
    bar->SetVisible(!bar->Visible());
    field = !field;
}

// pane: 0 Search, 1 Favorites, 2 History. The View menu's item and the Standard toolbar's button
// of the open pane are checked, the four others not.
void FormMain::SelectSideBarPane(CommandBarControl *control, int pane)
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
    SideBarPanes::CheckOpenPane(CommandBarsMain, open ? std::optional(SideBarPanes::Pane(pane)) : std::nullopt, true);
}

PageCommands::Target FormMain::PageCommandTarget()
{
    return {this, WebBrowserMain, m_objFBNavigator, CommandBarsMain, docMain, this};
}

// The settings and address lists are saved first; then the window closes. A window that is not
// a popup's also takes the hidden windows with it; a visible one stays (another browser window).
void FormMain::CloseCommand()
{
    Timer1->stop();
    ModSettings::SaveSettings(this);
    XPStyleImageTextBox1->SaveAutoCompleteDataFile();
    XPStyleImageTextBox1->WriteAddressList();
    if (!IsChildWindow)
        UnloadAllForms();
    // The entry that ran the command belongs to this window: unload once its signal is over.
    QTimer::singleShot(0, this, [this] { Forms::Unload(this); });
}
