#pragma once

#include <QString>

class QEventLoop;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class WebBrowser;

// What the two favorites dialogs share: their placing, their modal run, and the default main
// window's page browser and favorites tree, which they reach by name.
namespace FavoritesDialogSupport {

// Places a control at a rectangle given in twips.
void PlaceTwips(QWidget *control, int left, int top, int width, int height);
// Shows dialog modal and runs loop until the dialog is hidden or destroyed; loop is set
// while it runs (the dialog's hide ends it).
void RunModal(QWidget *dialog, QEventLoop *&loop);

WebBrowser *MainBrowser();
QTreeWidget *MainFavoritesTree();
// The key of the node last clicked in the main window's favorites tree.
QString MainFavoritesFolderKey();

// Adds a folder node behind the last folder among the siblings, so folders stay before
// favorites; tagged "Folder".
QTreeWidgetItem *AddFolderNode(QTreeWidget *tree, QTreeWidgetItem *parent, const QString &key,
                               const QString &name);

} // namespace FavoritesDialogSupport
