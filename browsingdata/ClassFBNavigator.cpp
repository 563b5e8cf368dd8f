#include "browsingdata/ClassFBNavigator.h"

#include "app/CommandIds.h"
#include "platform/CommandBars.h"
#include "platform/Forms.h"

#include <QVariant>
#include <QWidget>

namespace {

const char *const PopupMenuTitle = "Popup Menu";

// A page title is shown as it is: "&" would otherwise mark an access key.
QString MenuCaption(const QString &title)
{
    return QString(title).replace(u'&', u"&&"_qs);
}

QList<CommandBars *> CommandBarsOf(const QObject *window)
{
    return window ? window->findChildren<CommandBars *>(Qt::FindDirectChildrenOnly)
                  : QList<CommandBars *>();
}

} // namespace

void ClassFBNavigator::AddLocation(QObject *ParentForm, const QString &URL,
                                   const QString &LocationName)
{
    FBLocationList::AddLocation(URL, LocationName);
    RebuildForwardMenu(ParentForm);
    RebuildBackMenu(ParentForm);
}

void ClassFBNavigator::RebuildBackMenu(QObject *ParentForm)
{
    RebuildMenu(ParentForm, CommandId::Back, CommandId::BackList, BackNames());
}

void ClassFBNavigator::RebuildForwardMenu(QObject *ParentForm)
{
    RebuildMenu(ParentForm, CommandId::Forward, CommandId::ForwardList, ForwardNames());
}

void ClassFBNavigator::RebuildMenu(QObject *ParentForm, int buttonId, int entryId,
                                   const QStringList &names)
{
    const bool enabled = !names.isEmpty();
    if (CommandBar *bar = ToolBarStandardOf(ParentForm)) {
        if (CommandBarControl *button = bar->FindControl(buttonId)) {
            if (CommandBar *dropDown = button->CommandBar()) {
                dropDown->Controls().DeleteAll();
                for (const QString &name : names)
                    dropDown->Controls().Add(CommandBarControlType::Button, entryId,
                                             MenuCaption(name));
            }
            button->SetEnabled(enabled);
        }
    }
    for (CommandBarControl *item : MainWindowItems(buttonId))
        item->SetEnabled(enabled);
}

CommandBar *ClassFBNavigator::ToolBarStandardOf(QObject *ParentForm)
{
    if (!ParentForm)
        return nullptr;
    const QVariant property = ParentForm->property("ToolBarStandard");
    if (property.canConvert<CommandBar *>())
        return property.value<CommandBar *>();
    for (CommandBars *bars : CommandBarsOf(ParentForm)) {
        for (int i = 1; i <= bars->Count(); ++i) {
            if (bars->Item(i)->Title() == u"Standard")
                return bars->Item(i);
        }
    }
    return nullptr;
}

QWidget *ClassFBNavigator::DefaultMainWindow()
{
    for (QWidget *form : Forms::LoadedForms()) {
        if (form->inherits("FormMain"))
            return form;
    }
    return nullptr;
}

QList<CommandBarControl *> ClassFBNavigator::MainWindowItems(int id)
{
    // The menu bar's item and the page context menu's item of the default main window.
    QList<CommandBarControl *> items;
    for (CommandBars *bars : CommandBarsOf(DefaultMainWindow())) {
        if (CommandBar *menuBar = bars->ActiveMenuBar()) {
            if (auto *item = menuBar->FindControl(CommandBarControlType::Any, id, false, true))
                items.append(item);
        }
        for (CommandBar *popup : bars->PopupBars()) {
            if (popup->Title() != QLatin1String(PopupMenuTitle))
                continue;
            if (auto *item = popup->FindControl(CommandBarControlType::Any, id, false, true))
                items.append(item);
        }
    }
    return items;
}
