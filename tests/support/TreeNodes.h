#pragma once

#include "tests/support/WaitFor.h"

#include <QStringList>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

// The nodes of a tree as the tests name them: by their text, under a parent (the roots for null).

// The texts of the nodes under parent, in order.
inline QStringList NodeTexts(const QTreeWidget *tree, const QTreeWidgetItem *parent = nullptr)
{
    QStringList texts;
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    for (int i = 0; i < count; ++i)
        texts.append((parent ? parent->child(i) : tree->topLevelItem(i))->text(0));
    return texts;
}

inline QTreeWidgetItem *NodeByText(const QTreeWidget *tree, const QString &text,
                                   const QTreeWidgetItem *parent = nullptr)
{
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem *node = parent ? parent->child(i) : tree->topLevelItem(i);
        if (node->text(0) == text)
            return node;
    }
    return nullptr;
}

// Clicks the node as the user does, once the tree has scrolled it into view.
inline void ClickNode(QTreeWidget *tree, QTreeWidgetItem *node, Qt::MouseButton button = Qt::LeftButton)
{
    tree->scrollToItem(node);
    ASSERT_TRUE(WaitForQueuedCalls());
    QTest::mouseClick(tree->viewport(), button, {}, tree->visualItemRect(node).center());
}
