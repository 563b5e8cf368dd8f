#include "browsingdata/FavoritesNode.h"

#include "browsingdata/FavoritesImages.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace FavoritesNode {

namespace {

constexpr int KeyRole = Qt::UserRole;
constexpr int ImageRole = Qt::UserRole + 1;
constexpr int TagRole = Qt::UserRole + 2;
constexpr int ExpandedImageRole = Qt::UserRole + 3;

void ShowImage(QTreeWidgetItem *node)
{
    const int expanded = ExpandedImage(node);
    const int image = node->isExpanded() && expanded ? expanded : Image(node);
    node->setIcon(0, FavoritesImages::Icon(image));
}

} // namespace

QString Key(const QTreeWidgetItem *node)
{
    return node ? node->data(0, KeyRole).toString() : QString();
}

void SetKey(QTreeWidgetItem *node, const QString &key)
{
    node->setData(0, KeyRole, key);
}

QString Tag(const QTreeWidgetItem *node)
{
    return node ? node->data(0, TagRole).toString() : QString();
}

void SetTag(QTreeWidgetItem *node, const QString &tag)
{
    node->setData(0, TagRole, tag);
}

int Image(const QTreeWidgetItem *node)
{
    return node ? node->data(0, ImageRole).toInt() : 0;
}

void SetImage(QTreeWidgetItem *node, int image)
{
    node->setData(0, ImageRole, image);
    ShowImage(node);
}

int ExpandedImage(const QTreeWidgetItem *node)
{
    return node ? node->data(0, ExpandedImageRole).toInt() : 0;
}

void SetExpandedImage(QTreeWidgetItem *node, int image)
{
    node->setData(0, ExpandedImageRole, image);
    ShowImage(node);
}

void ShowExpandedImages(QTreeWidget *tree)
{
    constexpr const char *Connected = "FavoritesExpandedImages";
    if (tree->property(Connected).toBool())
        return;
    tree->setProperty(Connected, true);
    QObject::connect(tree, &QTreeWidget::itemExpanded, tree, &ShowImage);
    QObject::connect(tree, &QTreeWidget::itemCollapsed, tree, &ShowImage);
}

QTreeWidgetItem *Add(QTreeWidget *tree, QTreeWidgetItem *parent, const QString &key,
                     const QString &text, int image)
{
    auto *node = new QTreeWidgetItem(QStringList{text});
    SetKey(node, key);
    SetImage(node, image);
    if (parent)
        parent->addChild(node);
    else
        tree->addTopLevelItem(node);
    return node;
}

QTreeWidgetItem *Find(const QTreeWidget *tree, const QString &key)
{
    if (!tree)
        return nullptr;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(tree)); *it; ++it) {
        if (Key(*it) == key)
            return *it;
    }
    return nullptr;
}

void Remove(QTreeWidgetItem *node)
{
    delete node;
}

void RemoveChildren(QTreeWidgetItem *node)
{
    qDeleteAll(node->takeChildren());
}

} // namespace FavoritesNode
