#include "browsingdata/ModManageFavFile.h"

#include "browsingdata/FavoriteKey.h"
#include "browsingdata/FavoritesFolder.h"
#include "browsingdata/FavoritesImages.h"
#include "browsingdata/FavoritesNode.h"
#include "browsingdata/PendingEvents.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTreeWidget>

namespace ModManageFavFile {

namespace {

void AddNodes(QTreeWidget *tree, QTreeWidgetItem *parent, const QList<FavoritesEntry> &entries)
{
    for (const FavoritesEntry &entry : entries) {
        const bool folder = entry.EntryKind == FavoritesEntry::Folder;
        QTreeWidgetItem *node = FavoritesNode::Add(
            tree, parent, entry.Key, entry.Name,
            folder ? FavoritesImages::FolderImage : FavoritesImages::FavoriteImage);
        FavoritesNode::SetTag(node, folder ? FolderTag : FileTag);
    }
}

} // namespace

void LoadFavoritesTree(QTreeWidget *tree)
{
    if (!tree)
        return;
    const QString folder = GetFavoritesFolder();
    if (folder.isEmpty())
        return;
    QPointer<QTreeWidget> guard(tree);
    QCoreApplication::processEvents();
    if (guard)
        AddNodes(tree, nullptr, FavoritesFolder::List(folder));
}

void ExpandFavoritesNode(QTreeWidget *tree, const QString &path, QTreeWidgetItem *node)
{
    // A click handled meanwhile may have rebuilt the tree and removed the node.
    node = PendingEvents::RunKeepingNode(tree, node);
    const FavoriteKey::Parts folder = FavoriteKey::Split(path);
    if (!node || folder.IsFavorite || !QFileInfo(folder.Path).isDir()
        || !FavoritesFolder::IsInside(folder.Path, GetFavoritesFolder()))
        return;
    AddNodes(tree, node, FavoritesFolder::List(folder.Path));
}

} // namespace ModManageFavFile
