// The commands of the main window's dispatcher beyond File, Edit and View: the side-bar buttons
// of the Standard toolbar, the popup blocker, the product pages of Help and the link menu.
#include "mainwindow/FormMain.h"

#include "app/Application.h"
#include "app/CommandIds.h"
#include "controls/TransparentLabel.h"
#include "mainwindow/ProductPages.h"
#include "platform/CommandBars.h"
#include "platform/WebBrowser.h"

#include <QApplication>
#include <QClipboard>

namespace {

const QString PopupBlockerOn = QStringLiteral("Popup Blocker is On");
const QString PopupBlockerOff = QStringLiteral("Popup Blocker is Off");

} // namespace

void FormMain::RunNavigationCommand(CommandBarControl *control)
{
    switch (control->Id()) {
    case CommandId::SearchButton:
        SelectSideBarPane(control, 0);
        break;
    case CommandId::FavoritesButton:
        SelectSideBarPane(control, 1);
        break;
    case CommandId::HistoryButton:
        SelectSideBarPane(control, 2);
        break;
    case CommandId::Block:
    case CommandId::PopupBlocker:
        TogglePopupBlocker(control);
        break;
    case CommandId::ProductHome:
        WebBrowserMain->Navigate(ProductPages::HomePage);
        break;
    case CommandId::ProductSupport:
        WebBrowserMain->Navigate(ProductPages::SupportPage);
        break;
    case CommandId::OpenLink:
        // The status text shows the link under the mouse; with none there is nothing to open.
        if (!TransparentLabelStatusText->LabelText().isEmpty())
            WebBrowserMain->Navigate(TransparentLabelStatusText->LabelText());
        break;
    case CommandId::OpenInNewWindow:
        if (!m_contextMenuActiveHref.isEmpty())
            OpenNewWindow(m_contextMenuActiveHref, true);
        break;
    case CommandId::CopyShortcut:
        QApplication::clipboard()->setText(TransparentLabelStatusText->LabelText());
        break;
    default:
        break;
    }
}

// The blocker's setting is the program's, which the settings file keeps; this window's own popup
// handling follows its own check marks as well.
void FormMain::TogglePopupBlocker(CommandBarControl *control)
{
    control->SetChecked(!control->Checked());
    const bool on = control->Checked();
    ShowPopupBlockerState(on);
    SetPopupBlocker(on);
}

void FormMain::ShowPopupBlockerState(bool on)
{
    KillPopups = on;
    if (CommandBarControl *button = ToolBarStandard->FindControl(CommandBarControlType::Any, CommandId::Block))
        button->SetChecked(on);
    // The Tools menu's entry and the page menu's: both show the blocker's state.
    if (CommandBarControl *item =
            CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::PopupBlocker, false, true))
        item->SetChecked(on);
    if (PagePopupMenu) {
        if (CommandBarControl *item = PagePopupMenu->FindControl(CommandBarControlType::Any, CommandId::PopupBlocker))
            item->SetChecked(on);
    }
    TransparentLabelPopupStatus->setLabelText(on ? PopupBlockerOn : PopupBlockerOff);
}
