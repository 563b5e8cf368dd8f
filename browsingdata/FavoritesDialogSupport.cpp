#include "browsingdata/FavoritesDialogSupport.h"

#include "browsingdata/ClassFBNavigator.h"
#include "browsingdata/FavoritesImages.h"
#include "browsingdata/FavoritesNode.h"
#include "browsingdata/ModManageFavFile.h"
#include "platform/WebBrowser.h"

#include <QEventLoop>
#include <QPointer>
#include <QTreeWidget>
#include <QVariant>

namespace FavoritesDialogSupport {

namespace {

constexpr int TwipsPerPixel = 15;

} // namespace

void PlaceTwips(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
                         height / TwipsPerPixel);
}

void RunModal(QWidget *dialog, QEventLoop *&loop)
{
    dialog->setWindowModality(Qt::ApplicationModal);
    QPointer<QWidget> self(dialog);
    QEventLoop modal;
    loop = &modal;
    QObject::connect(dialog, &QObject::destroyed, &modal, &QEventLoop::quit);
    dialog->show();
    if (dialog->isVisible())
        modal.exec();
    if (self)
        loop = nullptr;
}

WebBrowser *MainBrowser()
{
    QWidget *main = ClassFBNavigator::DefaultMainWindow();
    return main ? main->findChild<WebBrowser *>(QStringLiteral("WebBrowserMain")) : nullptr;
}

QTreeWidget *MainFavoritesTree()
{
    QWidget *main = ClassFBNavigator::DefaultMainWindow();
    return main ? main->findChild<QTreeWidget *>(QStringLiteral("TreeViewFavorites")) : nullptr;
}

QString MainFavoritesFolderKey()
{
    QWidget *main = ClassFBNavigator::DefaultMainWindow();
    return main ? main->property("FavoritesFolderKey").toString() : QString();
}

QTreeWidgetItem *AddFolderNode(QTreeWidget *tree, QTreeWidgetItem *parent, const QString &key,
                               const QString &name)
{
    auto *node = new QTreeWidgetItem(QStringList{name});
    FavoritesNode::SetKey(node, key);
    FavoritesNode::SetImage(node, FavoritesImages::FolderImage);
    FavoritesNode::SetTag(node, ModManageFavFile::FolderTag);
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    int position = 0;
    while (position < count
           && FavoritesNode::Tag(parent ? parent->child(position) : tree->topLevelItem(position))
                  == ModManageFavFile::FolderTag)
        ++position;
    if (parent)
        parent->insertChild(position, node);
    else
        tree->insertTopLevelItem(position, node);
    return node;
}

} // namespace FavoritesDialogSupport
