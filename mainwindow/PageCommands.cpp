#include "mainwindow/PageCommands.h"

#include "app/CommandIds.h"
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
    case CommandId::Open:
        Forms::Default<FormOpenFile>()->OpenIn(target.Browser);
        Forms::Default<FormOpenFile>()->ShowModal(target.Window);
        break;
    case CommandId::Save:
    case CommandId::SaveAs:
        BrowserCommand(target, WebBrowser::OLECMDID_SAVEAS);
        break;
    case CommandId::PrintSetup:
        BrowserCommand(target, WebBrowser::OLECMDID_PAGESETUP);
        break;
    case CommandId::Print:
        BrowserCommand(target, WebBrowser::OLECMDID_PRINT);
        break;
    case CommandId::PrintPreview:
        BrowserCommand(target, WebBrowser::OLECMDID_PRINTPREVIEW);
        break;
    case CommandId::Copy:
        BrowserCommand(target, WebBrowser::OLECMDID_COPY);
        break;
    case CommandId::SelectAll:
        BrowserCommand(target, WebBrowser::OLECMDID_SELECTALL);
        break;
    case CommandId::Find:
        Forms::Default<FormFind>()->SearchIn(target.Document);
        Forms::Default<FormFind>()->ShowModal(target.Window);
        break;
    case CommandId::ViewSource:
        target.Browser->Navigate(QStringLiteral("view-source:") + target.Browser->LocationURL());
        break;
    case CommandId::AddToFavorites:
        Forms::Default<FormAddToFavorites>()->ShowModal(nullptr, target.Browser);
        break;
    case CommandId::ApplicationSettings:
        Forms::Default<FormApplicationSettings>()->ShowModal(target.Window);
        break;
    case CommandId::InternetOptions:
        InternetOptionsDialog::Open(WebBrowser::DataFolder(), target.Browser->LocationURL(), target.Window);
        break;
    case CommandId::HelpContents:
        Forms::Default<FormHelp>()->ShowModeless(target.Window);
        break;
    case CommandId::Back:
        GoBackBy(target, 1);
        break;
    case CommandId::Forward:
        GoForwardBy(target, 1);
        break;
    case CommandId::Stop:
        target.Browser->Stop();
        break;
    case CommandId::Refresh:
        target.Browser->Refresh();
        break;
    case CommandId::Home:
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
    if (id == CommandId::BackList)
        GoBackBy(target, control->Index());
    else if (id == CommandId::ForwardList)
        GoForwardBy(target, control->Index());
    else if (id == CommandId::Favorite)
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
    for (int each = CommandId::TextSizeLargest; each <= CommandId::TextSizeNormal; ++each) {
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
