#include "browsingdata/PendingEvents.h"

#include <QCoreApplication>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTreeWidget>

namespace PendingEvents {

namespace {

// The node's place in the tree's model, which the model invalidates when it removes the node.
QModelIndex IndexOf(const QTreeWidget *tree, QTreeWidgetItem *node)
{
    QTreeWidgetItem *parent = node->parent();
    if (!parent)
        return tree->model()->index(tree->indexOfTopLevelItem(node), 0);
    return tree->model()->index(parent->indexOfChild(node), 0, IndexOf(tree, parent));
}

} // namespace

QTreeWidgetItem *RunKeepingNode(QTreeWidget *tree, QTreeWidgetItem *node)
{
    if (!tree || !node || node->treeWidget() != tree)
        return nullptr;
    const QPointer<QTreeWidget> treeAlive(tree);
    const QPersistentModelIndex place(IndexOf(tree, node));
    QCoreApplication::processEvents();
    return treeAlive && place.isValid() ? node : nullptr;
}

} // namespace PendingEvents
