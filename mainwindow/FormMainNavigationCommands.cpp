// The commands of the main window's dispatcher beyond File, Edit and View: the Back and Forward
// buttons, Stop, Refresh and Home, the side-bar buttons of the Standard toolbar, the popup
// blocker, Tools, Help and the link menu.
#include "mainwindow/FormMain.h"

#include "app/Application.h"
#include "browsingdata/FormAddToFavorites.h"
#include "controls/TransparentLabel.h"
#include "mainwindow/FormApplicationSettings.h"
#include "mainwindow/FormHelp.h"
#include "mainwindow/ProductPages.h"
#include "platform/CommandBars.h"
#include "platform/InternetOptionsDialog.h"
#include "platform/WebBrowser.h"

#include <QApplication>
#include <QClipboard>

namespace {

enum NavigationId {
    IdBack = 1000,
    IdForward = 1001,
    IdStop = 1002,
    IdRefresh = 1003,
    IdHome = 1004,
    IdSearchButton = 2001,
    IdFavoritesButton = 2002,
    IdHistoryButton = 2003,
    IdBlockButton = 3001,
    IdAddToFavorites = 402,
    IdApplicationSettings = 501,
    IdInternetOptions = 502,
    IdPopupBlocker = 503,
    IdHelpContents = 601,
    IdProductHome = 602,
    IdProductSupport = 603,
    IdOpenLink = 901,
    IdOpenInNewWindow = 902,
    IdCopyShortcut = 905,
};

const QString PopupBlockerOn = QStringLiteral("Popup Blocker is On");
const QString PopupBlockerOff = QStringLiteral("Popup Blocker is Off");

} // namespace

void FormMain::RunNavigationCommand(CommandBarControl *control)
{
    switch (control->Id()) {
    case IdBack:
        PageCommands::GoBackBy(PageCommandTarget(), 1);
        break;
    case IdForward:
        PageCommands::GoForwardBy(PageCommandTarget(), 1);
        break;
    case IdStop:
        WebBrowserMain->Stop();
        break;
    case IdRefresh:
        WebBrowserMain->Refresh();
        break;
    case IdHome:
        WebBrowserMain->GoHome();
        break;
    case IdSearchButton:
        SelectSideBarPane(control, 0);
        break;
    case IdFavoritesButton:
        SelectSideBarPane(control, 1);
        break;
    case IdHistoryButton:
        SelectSideBarPane(control, 2);
        break;
    case IdBlockButton:
    case IdPopupBlocker:
        TogglePopupBlocker(control);
        break;
    case IdAddToFavorites:
        Forms::Default<FormAddToFavorites>()->ShowModal(nullptr);
        break;
    case IdApplicationSettings:
        Forms::Default<FormApplicationSettings>()->ShowModal(this);
        break;
    case IdInternetOptions:
        InternetOptionsDialog::Open(WebBrowser::DataFolder(), WebBrowserMain->LocationURL());
        break;
    case IdHelpContents:
        Forms::Default<FormHelp>()->ShowModeless();
        break;
    case IdProductHome:
        WebBrowserMain->Navigate(ProductPages::HomePage);
        break;
    case IdProductSupport:
        WebBrowserMain->Navigate(ProductPages::SupportPage);
        break;
    case IdOpenLink:
        // The status text shows the link under the mouse; with none there is nothing to open.
        if (!TransparentLabelStatusText->LabelText().isEmpty())
            WebBrowserMain->Navigate(TransparentLabelStatusText->LabelText());
        break;
    case IdOpenInNewWindow:
        if (!m_contextMenuActiveHref.isEmpty())
            OpenNewWindow(m_contextMenuActiveHref, true);
        break;
    case IdCopyShortcut:
        QApplication::clipboard()->setText(TransparentLabelStatusText->LabelText());
        break;
    default:
        break;
    }
}

// The blocker's setting is the default main window's, which the settings file keeps; this
// window's own popup handling follows its own check marks as well.
void FormMain::TogglePopupBlocker(CommandBarControl *control)
{
    control->SetChecked(!control->Checked());
    const bool on = control->Checked();
    FormMain *first = Forms::DefaultExists<FormMain>() ? Forms::Default<FormMain>() : this;
    if (first != this)
        ShowPopupBlockerState(on);
    first->SetPopupBlocker(on);
}

void FormMain::ShowPopupBlockerState(bool on)
{
    KillPopups = on;
    if (CommandBarControl *button = ToolBarStandard->FindControl(CommandBarControlType::Any, IdBlockButton))
        button->SetChecked(on);
    // The Tools menu's entry and the page menu's: both show the blocker's state.
    if (CommandBarControl *item = CommandBarsMain->FindControl(CommandBarControlType::Any, IdPopupBlocker, false, true))
        item->SetChecked(on);
    if (PagePopupMenu) {
        if (CommandBarControl *item = PagePopupMenu->FindControl(CommandBarControlType::Any, IdPopupBlocker))
            item->SetChecked(on);
    }
    TransparentLabelPopupStatus->setLabelText(on ? PopupBlockerOn : PopupBlockerOff);
}
