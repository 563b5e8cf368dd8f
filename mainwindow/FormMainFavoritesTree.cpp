#include "mainwindow/FormMain.h"

#include "browsingdata/FavoritesNode.h"
#include "browsingdata/ModManageFavFile.h"
#include "mainwindow/FavoritesAccordion.h"
#include "platform/CommandBars.h"
#include "platform/WebBrowser.h"

#include <QTreeWidget>

namespace {

constexpr int ExpandedFolderImage = 2;

} // namespace

void FormMain::TreeViewFavorites_MouseDown(Qt::MouseButton Button, const QPoint &Position)
{
    Q_UNUSED(Position);
    if (Button == Qt::RightButton) {
        FavoritesSuppressOpen = true;
        FavoritesSuppressExpand = true;
    }
}

void FormMain::TreeViewFavorites_MouseUp(Qt::MouseButton Button, const QPoint &Position)
{
    if (Button != Qt::RightButton)
        return;
    // The tree reports node clicks of the left button only: a right-button click on a node is
    // one too, before its menu opens.
    if (QTreeWidgetItem *node = TreeViewFavorites->itemAt(Position))
        TreeViewFavorites_NodeClick(node);
    FavoritesPopupMenu->ShowPopup();
}

void FormMain::TreeViewFavorites_Expand(QTreeWidgetItem *Node)
{
    if (!FavoritesSuppressExpand)
        return;
    Node->setExpanded(false);
    FavoritesNode::SetExpandedImage(Node, ExpandedFolderImage);
}

void FormMain::TreeViewFavorites_NodeClick(QTreeWidgetItem *Node)
{
    const QString key = FavoritesNode::Key(Node);
    FavoritesFolderKey = key;
    FavoritesTreeView = TreeViewFavorites;

    if (!FavoritesSuppressExpand) {
        FavoritesAccordion::ExpandPath(TreeViewFavorites, Node);
        if (!FavoritesSuppressOpen && FavoritesNode::Tag(Node) == ModManageFavFile::FileTag) {
            const QString url = ModManageFavFile::UrlOfFavoriteKey(key);
            if (!url.isEmpty())
                WebBrowserMain->Navigate(url);
        }
    }
    FavoritesSuppressOpen = false;
    FavoritesSuppressExpand = false;

    if (FavoritesNode::Tag(Node) == ModManageFavFile::FolderTag) {
        // A folder always shows what is on the disk now.
        FavoritesNode::RemoveChildren(Node);
        ModManageFavFile::ExpandFavoritesNode(TreeViewFavorites, key, Node);
    }
}
