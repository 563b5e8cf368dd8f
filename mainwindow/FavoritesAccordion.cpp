#include "mainwindow/FavoritesAccordion.h"

#include <QTreeWidget>

namespace FavoritesAccordion {

void ExpandPath(QTreeWidget *tree, QTreeWidgetItem *node)
{
    node->setExpanded(true);
    for (QTreeWidgetItem *n = node; n; n = n->parent())
        CollapseSiblings(tree, n);
    if (QTreeWidgetItem *child = node->child(0)) {
        child->setExpanded(false);
        CollapseSiblings(tree, child);
    }
}

void CollapseSiblings(QTreeWidget *tree, QTreeWidgetItem *node)
{
    QTreeWidgetItem *parent = node->parent();
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem *sibling = parent ? parent->child(i) : tree->topLevelItem(i);
        if (sibling != node)
            sibling->setExpanded(false);
    }
}

} // namespace FavoritesAccordion
