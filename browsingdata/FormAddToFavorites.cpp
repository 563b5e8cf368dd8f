#include "browsingdata/FormAddToFavorites.h"

#include "browsingdata/FavoriteKey.h"
#include "browsingdata/FavoritesDialogSupport.h"
#include "browsingdata/FavoritesFolder.h"
#include "browsingdata/FavoritesImages.h"
#include "browsingdata/FavoritesMessage.h"
#include "browsingdata/FavoritesNode.h"
#include "browsingdata/FormCreateNewFolder.h"
#include "browsingdata/ModManageFavFile.h"
#include "browsingdata/PendingEvents.h"
#include "platform/CaptionFit.h"
#include "platform/ScreenPlacement.h"
#include "platform/WebBrowser.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>

using FavoritesDialogSupport::PlaceTwips;

namespace {

QList<FavoritesEntry> SubFolders(const QString &path)
{
    QList<FavoritesEntry> folders;
    for (const FavoritesEntry &entry : FavoritesFolder::List(path)) {
        if (entry.EntryKind == FavoritesEntry::Folder)
            folders.append(entry);
    }
    return folders;
}

} // namespace

FormAddToFavorites::FormAddToFavorites(QWidget *parent) : QWidget(parent, Qt::Dialog)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Add To Favorites"));
    setFixedSize(4485 / 15, 4845 / 15);

    TVAddToFavorites2 = new QTreeWidget(this);
    TVAddToFavorites2->setObjectName(QStringLiteral("TVAddToFavorites2"));
    TVAddToFavorites2->setHeaderHidden(true);
    FavoritesNode::ShowExpandedImages(TVAddToFavorites2);
    PlaceTwips(TVAddToFavorites2, 120, 1230, 4245, 2910);
    LabelAddToFavorites =
        new QLabel(QStringLiteral("This item will be added to your favorites."), this);
    LabelAddToFavorites->setObjectName(QStringLiteral("LabelAddToFavorites"));
    PlaceTwips(LabelAddToFavorites, 120, 120, 4245, 255);
    LabelName = new QLabel(QStringLiteral("Name:"), this);
    LabelName->setObjectName(QStringLiteral("LabelName"));
    PlaceTwips(LabelName, 120, 525, 615, 255);
    TextName = new QLineEdit(this);
    TextName->setObjectName(QStringLiteral("TextName"));
    PlaceTwips(TextName, 780, 480, 3585, 330);
    CaptionFit::WidenBeside({LabelName}, {TextName});
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    PlaceTwips(cmdOK, 2040, 4320, 1095, 375);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    PlaceTwips(cmdCancel, 3240, 4320, 1125, 375);
    LabelSelectFolder = new QLabel(QStringLiteral("Create in"), this);
    LabelSelectFolder->setObjectName(QStringLiteral("LabelSelectFolder"));
    PlaceTwips(LabelSelectFolder, 120, 945, 1500, 255);
    cmdNewFolder = new QPushButton(QStringLiteral("New Folder"), this);
    cmdNewFolder->setObjectName(QStringLiteral("cmdNewFolder"));
    PlaceTwips(cmdNewFolder, 120, 4320, 1215, 375);
    setTabOrder(TVAddToFavorites2, TextName);
    setTabOrder(TextName, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdNewFolder);

    connect(TVAddToFavorites2, &QTreeWidget::itemExpanded, this,
            &FormAddToFavorites::TVAddToFavorites2_Expand);
    connect(cmdOK, &QPushButton::clicked, this, &FormAddToFavorites::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FormAddToFavorites::cmdCancel_Click);
    connect(cmdNewFolder, &QPushButton::clicked, this, &FormAddToFavorites::cmdNewFolder_Click);
}

void FormAddToFavorites::Form_Load()
{
    ParseFavFolders();
    CapturePage(FavoritesDialogSupport::MainBrowser());
}

void FormAddToFavorites::CapturePage(const WebBrowser *browser)
{
    if (browser) {
        m_URL = browser->LocationURL();
        m_Name = browser->LocationName();
    }
    TextName->setText(m_Name);
}

void FormAddToFavorites::ShowModal(QWidget *owner, const WebBrowser *page)
{
    Forms::Load(this);
    if (!Forms::IsLoaded(this))
        return;
    if (page)
        CapturePage(page);
    if (owner && parentWidget() != owner)
        setParent(owner, windowFlags());
    m_openedFrom = owner ? owner : page ? page->window() : nullptr;
    FavoritesDialogSupport::RunModal(this, m_modalLoop);
}

QTreeWidgetItem *FormAddToFavorites::SelectedFolderNode() const
{
    const QList<QTreeWidgetItem *> selected = TVAddToFavorites2->selectedItems();
    if (!selected.isEmpty())
        return selected.first();
    return TVAddToFavorites2->topLevelItem(0);
}

void FormAddToFavorites::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ScreenPlacement::CentreOverOwnerOr(this, m_openedFrom);
}

void FormAddToFavorites::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (m_modalLoop)
        m_modalLoop->quit();
}

void FormAddToFavorites::ParseFavFolders()
{
    TVAddToFavorites2->clear();
    const QString favorites = ModManageFavFile::GetFavoritesFolder();
    if (favorites.isEmpty())
        return;
    QTreeWidgetItem *root = FavoritesNode::Add(TVAddToFavorites2, nullptr, favorites,
                                               QFileInfo(favorites).fileName(),
                                               FavoritesImages::FolderImage);
    // Two levels, so that every folder with sub-folders shows that it can be opened.
    for (const FavoritesEntry &folder : SubFolders(favorites)) {
        QTreeWidgetItem *node = FavoritesNode::Add(TVAddToFavorites2, root, folder.Key,
                                                   folder.Name, FavoritesImages::FolderImage);
        for (const FavoritesEntry &sub : SubFolders(folder.Path))
            FavoritesNode::Add(TVAddToFavorites2, node, sub.Key, sub.Name,
                               FavoritesImages::FolderImage);
    }
    TVAddToFavorites2->setCurrentItem(root);
    root->setExpanded(true);
}

void FormAddToFavorites::AddSubFolderNodes(QTreeWidget *tree, const QString &path,
                                           QTreeWidgetItem *node)
{
    // An expansion handled meanwhile may have re-read a folder above and removed the node.
    node = PendingEvents::RunKeepingNode(tree, node);
    if (!node)
        return;
    for (const FavoritesEntry &folder : SubFolders(path)) {
        QTreeWidgetItem *child = FavoritesNode::Add(tree, node, folder.Key, folder.Name,
                                                    FavoritesImages::FolderImage);
        FavoritesNode::SetTag(child, ModManageFavFile::FolderTag);
        for (const FavoritesEntry &sub : SubFolders(folder.Path)) {
            QTreeWidgetItem *grandChild = FavoritesNode::Add(tree, child, sub.Key, sub.Name,
                                                             FavoritesImages::FolderImage);
            FavoritesNode::SetTag(grandChild, ModManageFavFile::FolderTag);
        }
    }
}

void FormAddToFavorites::TVAddToFavorites2_Expand(QTreeWidgetItem *node)
{
    // The folder is read again: folders made meanwhile outside the program show up. The node
    // is done with before that read, which lets events run that may remove it.
    FavoritesNode::RemoveChildren(node);
    FavoritesNode::SetExpandedImage(node, FavoritesImages::OpenFolderImage);
    AddSubFolderNodes(TVAddToFavorites2, FavoritesNode::Key(node), node);
}

// A name that leaves no file name is the user's to change; otherwise the file is named.
QString FormAddToFavorites::NotSavedText(const QString &name, const QString &folder)
{
    const QString fileName = FavoritesFolder::FavoriteFileName(name);
    if (fileName.isEmpty())
        return QStringLiteral("The favorite cannot be saved under this name in this folder.");
    return QStringLiteral("The favorite \"%1\" could not be saved in %2. The disk may be full, or the "
                          "folder may not be writable.")
        .arg(fileName, QDir::toNativeSeparators(folder));
}

void FormAddToFavorites::cmdOK_Click()
{
    const QTreeWidgetItem *selected = SelectedFolderNode();
    if (!selected)
        return;
    const QString folder = FavoritesNode::Key(selected);
    QString name = TextName->text();
    if (!ModManageFavFile::CreateUrlFile(m_URL, name, folder,
                                         ModManageFavFile::GetFavoritesFolder())) {
        FavoritesMessage::Show(this, NotSavedText(name, folder), windowTitle());
        return;
    }
    AddToMainTree(folder, name, selected->parent() == nullptr);
    hide();
    Forms::Unload(this);
}

void FormAddToFavorites::cmdCancel_Click()
{
    hide();
    Forms::Unload(this);
}

void FormAddToFavorites::cmdNewFolder_Click()
{
    auto *dialog = new FormCreateNewFolder(this);
    dialog->ShowModal();
}

void FormAddToFavorites::AddToMainTree(const QString &folder, const QString &fileName,
                                       bool topLevel)
{
    QTreeWidget *tree = FavoritesDialogSupport::MainFavoritesTree();
    if (!tree)
        return;
    // The folder's node is there only once the user has opened it; the file shows in the
    // tree's next reading of that folder.
    QTreeWidgetItem *parent = topLevel ? nullptr : FavoritesNode::Find(tree, folder);
    if (!topLevel && !parent)
        return;
    const QString path = FavoritesFolder::ChildPath(folder, fileName);
    const QString key = FavoriteKey::ForFavorite(path, ModManageFavFile::GetUrlFromShortcut(path));
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem *sibling = parent ? parent->child(i) : tree->topLevelItem(i);
        if (FavoritesNode::Key(sibling).startsWith(path + u'%')) {
            // A favorite saved again under its own name: one node, with the new address.
            FavoritesNode::SetKey(sibling, key);
            tree->viewport()->update();
            return;
        }
    }
    QTreeWidgetItem *node = FavoritesNode::Add(tree, parent, key,
                                               FavoritesFolder::DisplayName(fileName),
                                               FavoritesImages::FavoriteImage);
    FavoritesNode::SetTag(node, ModManageFavFile::FileTag);
    tree->viewport()->update();
}
