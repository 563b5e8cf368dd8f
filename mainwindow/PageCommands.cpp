#include "mainwindow/PageCommands.h"

#include "browsingdata/ClassFBNavigator.h"
#include "browsingdata/ModManageFavFile.h"
#include "mainwindow/CommandRules.h"
#include "mainwindow/FormMain.h"
#include "platform/CommandBars.h"
#include "platform/HtmlDocument.h"
#include "platform/WebBrowser.h"

namespace PageCommands {

namespace {

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
        return false;
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
