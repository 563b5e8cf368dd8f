#pragma once

class QTreeWidget;
class QTreeWidgetItem;

// The favorites trees open like an accordion: opening a folder closes every other branch at
// every level, and the folder opens with all of its sub-folders closed.
namespace FavoritesAccordion {

// Opens node, closes the siblings of node and of each of its ancestors, and closes node's children.
void ExpandPath(QTreeWidget *tree, QTreeWidgetItem *node);
// Closes every sibling of node (the roots of tree for a root), node itself excepted.
void CollapseSiblings(QTreeWidget *tree, QTreeWidgetItem *node);

} // namespace FavoritesAccordion
