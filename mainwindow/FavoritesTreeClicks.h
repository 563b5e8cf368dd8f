#pragma once

class QTreeWidget;
class QTreeWidgetItem;
class WebBrowser;

// What a click on a favorites tree does, whichever window hosts the tree. The window keeps the
// flags a right-button press sets, and clears them between the two steps of a node click.
namespace FavoritesTreeClicks {

// Opens node's path accordion-wise and, when openFavorite holds and node is a favorite, opens
// its page in browser.
void OpenPath(QTreeWidget *tree, QTreeWidgetItem *node, WebBrowser *browser, bool openFavorite);
// A clicked folder shows what is on the disk now.
void RefreshFolder(QTreeWidget *tree, QTreeWidgetItem *node);
// Undoes the expansion of a right-button press: the folder stays closed, with its open image.
void KeepCollapsed(QTreeWidgetItem *node);

} // namespace FavoritesTreeClicks
