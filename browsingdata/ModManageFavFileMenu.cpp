#include "browsingdata/ModManageFavFile.h"

#include "app/CommandIds.h"
#include "browsingdata/FavoritesFolder.h"
#include "platform/CommandBars.h"

#include <QCoreApplication>
#include <QPointer>
#include <QVariant>

namespace ModManageFavFile {

namespace {

// A folder or page name is shown as it is: "&" would otherwise mark an access key.
QString MenuCaption(const QString &name)
{
    return QString(name).replace(u'&', u"&&"_qs);
}

void AddMenuEntries(CommandBar *bar, const FavoritesTreeFolder &folder, bool topLevel)
{
    for (const FavoritesTreeFolder &sub : folder.Folders) {
        // Every top-level folder opens, even an empty one; below it only folders with entries.
        const bool opens = topLevel || sub.HasEntries();
        CommandBarControl *entry = bar->Controls().Add(
            opens ? CommandBarControlType::Submenu : CommandBarControlType::Button,
            CommandId::FavoritesFolder, MenuCaption(sub.Entry.Name));
        entry->SetParameter(sub.Entry.Key);
        if (opens)
            AddMenuEntries(entry->CommandBar(), sub, false);
    }
    for (const FavoritesEntry &file : folder.Files) {
        CommandBarControl *entry = bar->Controls().Add(CommandBarControlType::Button, CommandId::Favorite,
                                                       MenuCaption(file.Name));
        entry->SetParameter(file.Key);
    }
}

} // namespace

void LoadFavoritesMenu(QObject *form)
{
    const QString folder = GetFavoritesFolder();
    if (!form || folder.isEmpty())
        return;
    // The whole tree is read at once; the window stays responsive before the walk. The menu is
    // looked up after that: what ran meanwhile may have closed the window or removed the menu.
    const QPointer<QObject> formAlive(form);
    QCoreApplication::processEvents();
    if (!formAlive)
        return;
    auto *menu = form->property("MenuFavorites").value<CommandBarControl *>();
    if (!menu || !menu->CommandBar())
        return;
    AddMenuEntries(menu->CommandBar(), FavoritesFolder::ReadTree(folder), true);
}

} // namespace ModManageFavFile
