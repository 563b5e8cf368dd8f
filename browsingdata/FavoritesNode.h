#pragma once

#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

// The properties a favorites tree node carries beside its text: a key (a favorite key or a
// folder path), a tag ("Folder" or "File"), an image and an expanded image, both indexes into
// the favorites image list.
namespace FavoritesNode {

QString Key(const QTreeWidgetItem *node);
void SetKey(QTreeWidgetItem *node, const QString &key);

QString Tag(const QTreeWidgetItem *node);
void SetTag(QTreeWidgetItem *node, const QString &tag);

int Image(const QTreeWidgetItem *node);
void SetImage(QTreeWidgetItem *node, int image);

// Shown instead of the image while the node is expanded, on trees that ShowExpandedImages
// has been called for; 0 for none.
int ExpandedImage(const QTreeWidgetItem *node);
void SetExpandedImage(QTreeWidgetItem *node, int image);
void ShowExpandedImages(QTreeWidget *tree);

// A new node with text, key and image, appended as a root of tree (parent null) or as the
// last child of parent.
QTreeWidgetItem *Add(QTreeWidget *tree, QTreeWidgetItem *parent, const QString &key,
                     const QString &text, int image);

// The first node whose key is key, searching the whole tree in order; null when none.
QTreeWidgetItem *Find(const QTreeWidget *tree, const QString &key);

// Removes a node with all its children.
void Remove(QTreeWidgetItem *node);
void RemoveChildren(QTreeWidgetItem *node);

} // namespace FavoritesNode
