#pragma once

class QTreeWidget;
class QTreeWidgetItem;

// Letting pending events run in the middle of filling a tree: a click handled meanwhile may
// rebuild the tree and free the node being filled, so the filling goes on only with a node that
// is known to be still there.
namespace PendingEvents {

// Lets pending events run once. Returns node when it is still in tree afterwards; null when the
// tree, the node or one of its ancestors was removed meanwhile.
QTreeWidgetItem *RunKeepingNode(QTreeWidget *tree, QTreeWidgetItem *node);

} // namespace PendingEvents
