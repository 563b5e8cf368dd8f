#include "mainwindow/FavoritesTreeClicks.h"

#include "browsingdata/FavoritesNode.h"
#include "browsingdata/ModManageFavFile.h"
#include "mainwindow/FavoritesAccordion.h"
#include "platform/WebBrowser.h"

#include <QTreeWidget>

namespace FavoritesTreeClicks {

namespace {

constexpr int ExpandedFolderImage = 2;

} // namespace

void OpenPath(QTreeWidget *tree, QTreeWidgetItem *node, WebBrowser *browser, bool openFavorite)
{
    FavoritesAccordion::ExpandPath(tree, node);
    if (!openFavorite || FavoritesNode::Tag(node) != ModManageFavFile::FileTag)
        return;
    const QString url = ModManageFavFile::UrlOfFavoriteKey(FavoritesNode::Key(node));
    if (!url.isEmpty())
        browser->Navigate(url);
}

void RefreshFolder(QTreeWidget *tree, QTreeWidgetItem *node)
{
    if (FavoritesNode::Tag(node) != ModManageFavFile::FolderTag)
        return;
    FavoritesNode::RemoveChildren(node);
    ModManageFavFile::ExpandFavoritesNode(tree, FavoritesNode::Key(node), node);
}

void KeepCollapsed(QTreeWidgetItem *node)
{
    node->setExpanded(false);
    FavoritesNode::SetExpandedImage(node, ExpandedFolderImage);
}

} // namespace FavoritesTreeClicks
