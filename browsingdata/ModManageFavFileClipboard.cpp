#include "browsingdata/ModManageFavFile.h"

#include "browsingdata/FavoriteKey.h"
#include "browsingdata/FavoritesFolder.h"
#include "browsingdata/FavoritesImages.h"
#include "browsingdata/FavoritesMessage.h"
#include "browsingdata/FavoritesNode.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTreeWidget>

namespace ModManageFavFile {

namespace {

// The clipboard keeps the node's key, not the node: the node may be gone (a rebuild of the
// tree, a paste after a cut) by the time of the paste.
QPointer<QTreeWidget> &ClipboardTree()
{
    static QPointer<QTreeWidget> tree;
    return tree;
}

QString &ClipboardKey()
{
    static QString key;
    return key;
}

QTreeWidgetItem *SelectedNode(const QTreeWidget *tree)
{
    if (!tree)
        return nullptr;
    const QList<QTreeWidgetItem *> selected = tree->selectedItems();
    return selected.isEmpty() ? tree->currentItem() : selected.first();
}

bool Occupied(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

void SetFavoritesClipboard(QTreeWidget *tree)
{
    ClipboardTree() = tree;
    ClipboardKey() = FavoritesNode::Key(SelectedNode(tree));
}

QTreeWidget *GetClipboardTree()
{
    return ClipboardTree();
}

void PasteFavorite()
{
    QTreeWidget *tree = ClipboardTree();
    QTreeWidgetItem *targetNode = SelectedNode(tree);
    const bool cut = ClipboardOperation == u"Cut";
    if (!targetNode || (!cut && ClipboardOperation != u"Copy"))
        return;
    const QString favorites = GetFavoritesFolder();
    const FavoriteKey::Parts target = FavoriteKey::Split(FavoritesNode::Key(targetNode));
    const FavoriteKey::Parts source = FavoriteKey::Split(ClipboardKey());
    if (target.IsFavorite || !QFileInfo(target.Path).isDir()
        || !FavoritesFolder::IsInside(target.Path, favorites) || !source.IsFavorite
        || !QFileInfo(source.Path).isFile() || !FavoritesFolder::IsInside(source.Path, favorites))
        return;

    const QString name = QFileInfo(source.Path).fileName();
    const QString destination = FavoritesFolder::ChildPath(target.Path, name);
    if (Occupied(destination)) {
        FavoritesMessage::Show(tree, u"The file already exists at the specified location "_qs
                                         + QDir::toNativeSeparators(destination),
                               u"File Exists"_qs);
        return;
    }
    const bool done =
        cut ? QFile::rename(source.Path, destination) : QFile::copy(source.Path, destination);
    if (!done)
        return;
    if (cut)
        FavoritesNode::Remove(FavoritesNode::Find(tree, ClipboardKey()));
    QTreeWidgetItem *node = FavoritesNode::Add(
        tree, targetNode, FavoriteKey::ForFavorite(destination, GetUrlFromShortcut(destination)),
        FavoritesFolder::DisplayName(name), FavoritesImages::FavoriteImage);
    FavoritesNode::SetTag(node, FileTag);
}

void DeleteFavorite(QTreeWidget *tree)
{
    QTreeWidgetItem *node = SelectedNode(tree);
    const QString key = FavoritesNode::Key(node);
    const FavoriteKey::Parts parts = FavoriteKey::Split(key);
    if (!node || !parts.IsFavorite)
        return;
    // A node whose file is gone already only goes from the tree.
    if (Occupied(parts.Path) && !DeleteFavoriteFile(key, GetFavoritesFolder())) {
        FavoritesMessage::Show(tree, u"The favorite \"%1\" could not be deleted: its file %2 is read-only "
                                     u"or cannot be removed."_qs
                                         .arg(node->text(0), QDir::toNativeSeparators(parts.Path)));
        return;
    }
    FavoritesNode::Remove(node);
}

} // namespace ModManageFavFile
