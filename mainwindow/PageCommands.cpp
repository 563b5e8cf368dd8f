#include "mainwindow/PageCommands.h"

#include "browsingdata/ClassFBNavigator.h"
#include "browsingdata/FormAddToFavorites.h"
#include "browsingdata/ModManageFavFile.h"
#include "mainwindow/CommandRules.h"
#include "mainwindow/FormApplicationSettings.h"
#include "mainwindow/FormFind.h"
#include "mainwindow/FormHelp.h"
#include "mainwindow/FormOpenFile.h"
#include "platform/CommandBars.h"
#include "platform/HtmlDocument.h"
#include "platform/InternetOptionsDialog.h"
#include "platform/WebBrowser.h"

#include <exception>

namespace PageCommands {

namespace {

enum SharedId {
    IdOpen = 101,
    IdSave = 102,
    IdSaveAs = 103,
    IdPageSetup = 104,
    IdPrint = 105,
    IdPrintPreview = 106,
    IdCopy = 109,
    IdSelectAll = 110,
    IdFind = 111,
    IdViewSource = 217,
    IdAddToFavorites = 402,
    IdApplicationSettings = 501,
    IdInternetOptions = 502,
    IdHelpContents = 601,
    IdBack = 1000,
    IdForward = 1001,
    IdStop = 1002,
    IdRefresh = 1003,
    IdHome = 1004,
};

void BrowserCommand(const Target &target, int cmdID)
{
    try {
        target.Browser->ExecWB(cmdID, WebBrowser::OLECMDEXECOPT_DODEFAULT);
    } catch (const std::exception &) {
        // The page does not offer the command now: nothing changes.
    }
}

// The commands that take no more than the id; false for any other.
bool RunById(const Target &target, int id)
{
    switch (id) {
    case IdOpen:
        Forms::Default<FormOpenFile>()->OpenIn(target.Browser);
        Forms::Default<FormOpenFile>()->ShowModal(target.Window);
        break;
    case IdSave:
    case IdSaveAs:
        BrowserCommand(target, WebBrowser::OLECMDID_SAVEAS);
        break;
    case IdPageSetup:
        BrowserCommand(target, WebBrowser::OLECMDID_PAGESETUP);
        break;
    case IdPrint:
        BrowserCommand(target, WebBrowser::OLECMDID_PRINT);
        break;
    case IdPrintPreview:
        BrowserCommand(target, WebBrowser::OLECMDID_PRINTPREVIEW);
        break;
    case IdCopy:
        BrowserCommand(target, WebBrowser::OLECMDID_COPY);
        break;
    case IdSelectAll:
        BrowserCommand(target, WebBrowser::OLECMDID_SELECTALL);
        break;
    case IdFind:
        Forms::Default<FormFind>()->SearchIn(target.Document);
        Forms::Default<FormFind>()->ShowModal(target.Window);
        break;
    case IdViewSource:
        target.Browser->Navigate(QStringLiteral("view-source:") + target.Browser->LocationURL());
        break;
    case IdAddToFavorites:
        Forms::Default<FormAddToFavorites>()->ShowModal(nullptr, target.Browser);
        break;
    case IdApplicationSettings:
        Forms::Default<FormApplicationSettings>()->ShowModal(target.Window);
        break;
    case IdInternetOptions:
        InternetOptionsDialog::Open(WebBrowser::DataFolder(), target.Browser->LocationURL());
        break;
    case IdHelpContents:
        Forms::Default<FormHelp>()->ShowModeless(target.Window);
        break;
    case IdBack:
        GoBackBy(target, 1);
        break;
    case IdForward:
        GoForwardBy(target, 1);
        break;
    case IdStop:
        target.Browser->Stop();
        break;
    case IdRefresh:
        target.Browser->Refresh();
        break;
    case IdHome:
        target.Browser->GoHome();
        break;
    default:
        return false;
    }
    return true;
}

void NavigateTo(const Target &target, const QString &address)
{
    if (address.isEmpty())
        return;
    target.Navigator->CancelAddLocation = true;
    target.Browser->Navigate(address);
}

} // namespace

bool RunShared(const Target &target, CommandBarControl *control)
{
    const int id = control->Id();
    if (id == ClassFBNavigator::BackListId)
        GoBackBy(target, control->Index());
    else if (id == ClassFBNavigator::ForwardListId)
        GoForwardBy(target, control->Index());
    else if (id == ModManageFavFile::FavoriteId)
        OpenFavorite(target, control->Parameter());
    else if (CommandRules::TextSizeFor(id))
        ApplyTextSize(target, id);
    else
        return RunById(target, id);
    return true;
}

void GoBackBy(const Target &target, int steps)
{
    if (target.Navigator)
        NavigateTo(target, target.Navigator->GoBack(steps));
}

void GoForwardBy(const Target &target, int steps)
{
    if (target.Navigator)
        NavigateTo(target, target.Navigator->GoForward(steps));
}

void OpenFavorite(const Target &target, const QString &key)
{
    if (!key.contains(u'%'))
        return;
    const QString address = ModManageFavFile::UrlOfFavoriteKey(key);
    if (!address.isEmpty())
        target.Browser->Navigate(address);
}

void ApplyTextSize(const Target &target, int id)
{
    const auto choice = CommandRules::TextSizeFor(id);
    target.Settings->TextSize = choice->TextSize;
    target.Settings->TextNormal = choice->TextNormal;
    for (int each = CommandRules::FirstTextSizeId; each <= CommandRules::LastTextSizeId; ++each) {
        if (CommandBarControl *item = target.Bars->FindControl(CommandBarControlType::Any, each, false, true))
            item->SetChecked(each == id);
    }
    if (!target.Document)
        return;
    target.Document->selectAll();
    target.Document->execCommand(QStringLiteral("FontSize"), false, choice->AppliedSize);
    target.Document->clearSelection();
}

} // namespace PageCommands
