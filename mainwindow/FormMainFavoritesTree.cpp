#include "mainwindow/FormMain.h"

#include "browsingdata/FavoritesNode.h"
#include "mainwindow/FavoritesTreeClicks.h"
#include "platform/CommandBars.h"

#include <QTreeWidget>

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
    if (FavoritesSuppressExpand)
        FavoritesTreeClicks::KeepCollapsed(Node);
}

void FormMain::TreeViewFavorites_NodeClick(QTreeWidgetItem *Node)
{
    FavoritesFolderKey = FavoritesNode::Key(Node);
    FavoritesTreeView = TreeViewFavorites;

    if (!FavoritesSuppressExpand)
        FavoritesTreeClicks::OpenPath(TreeViewFavorites, Node, WebBrowserMain, !FavoritesSuppressOpen);
    FavoritesSuppressOpen = false;
    FavoritesSuppressExpand = false;
    FavoritesTreeClicks::RefreshFolder(TreeViewFavorites, Node);
}
