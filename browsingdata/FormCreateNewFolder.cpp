#include "browsingdata/FormCreateNewFolder.h"

#include "browsingdata/FavoritesDialogSupport.h"
#include "browsingdata/FavoritesFolder.h"
#include "browsingdata/FavoritesMessage.h"
#include "browsingdata/FavoritesNode.h"
#include "browsingdata/FormAddToFavorites.h"
#include "browsingdata/ModManageFavFile.h"
#include "platform/CaptionFit.h"
#include "platform/ScreenPlacement.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using FavoritesDialogSupport::PlaceTwips;

FormCreateNewFolder::FormCreateNewFolder(FormAddToFavorites *owner)
    : QWidget(owner, Qt::Dialog), m_owner(owner)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Create New Folder"));
    setFixedSize(3900 / 15, 1515 / 15);

    LabelChooseFolderName =
        new QLabel(QStringLiteral("Choose a name for your new folder"), this);
    LabelChooseFolderName->setObjectName(QStringLiteral("LabelChooseFolderName"));
    PlaceTwips(LabelChooseFolderName, 120, 120, 3660, 255);
    LabelFolderName = new QLabel(QStringLiteral("Folder Name:"), this);
    LabelFolderName->setObjectName(QStringLiteral("LabelFolderName"));
    PlaceTwips(LabelFolderName, 120, 555, 1035, 255);
    TextFolderName = new QLineEdit(this);
    TextFolderName->setObjectName(QStringLiteral("TextFolderName"));
    PlaceTwips(TextFolderName, 1200, 510, 2580, 330);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    PlaceTwips(cmdOK, 1560, 1020, 1095, 375);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    PlaceTwips(cmdCancel, 2760, 1020, 1095, 375);
    CaptionFit::WidenBeside({LabelFolderName}, {TextFolderName});
    setTabOrder(TextFolderName, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, &FormCreateNewFolder::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FormCreateNewFolder::cmdCancel_Click);
}

void FormCreateNewFolder::ShowModal()
{
    Forms::Load(this);
    if (!Forms::IsLoaded(this))
        return;
    TextFolderName->setFocus();
    FavoritesDialogSupport::RunModal(this, m_modalLoop);
}

void FormCreateNewFolder::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ScreenPlacement::CentreOver(this, parentWidget());
}

void FormCreateNewFolder::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (m_modalLoop)
        m_modalLoop->quit();
}

bool FormCreateNewFolder::CreateFolder()
{
    QTreeWidgetItem *parentNode = m_owner ? m_owner->SelectedFolderNode() : nullptr;
    if (!parentNode)
        return false;
    const QString parent = FavoritesNode::Key(parentNode);
    const QString name = FavoritesFolder::SafeFolderName(TextFolderName->text());
    if (name.isEmpty()) {
        FavoritesMessage::Show(this, QStringLiteral("Please enter a name for the new folder"),
                               QStringLiteral("Create New Folder"));
        return false;
    }
    const QFileInfo existing(FavoritesFolder::ChildPath(parent, name));
    if (existing.exists() || existing.isSymLink()) {
        FavoritesMessage::Show(
            this,
            QStringLiteral("A folder of the same name already exists in the selected location."));
        return false;
    }
    const QString path = ModManageFavFile::CreateFavoritesFolder(
        parent, name, ModManageFavFile::GetFavoritesFolder());
    if (path.isEmpty()) {
        FavoritesMessage::Show(this, QStringLiteral("The folder cannot be created here."),
                               QStringLiteral("Create New Folder"));
        return false;
    }
    QTreeWidget *tree = m_owner->TVAddToFavorites2;
    FavoritesDialogSupport::AddFolderNode(tree, parentNode, path, name);
    tree->viewport()->update();
    AddToMainTree(parent, path, name);
    hide();
    Forms::Unload(this);
    return true;
}

void FormCreateNewFolder::AddToMainTree(const QString &parent, const QString &path,
                                        const QString &name)
{
    // Only a folder the user has opened in the main tree shows its contents there; a new
    // top-level folder always belongs to the tree's roots.
    QTreeWidget *tree = FavoritesDialogSupport::MainFavoritesTree();
    if (!tree)
        return;
    QTreeWidgetItem *parentNode = nullptr;
    if (parent != ModManageFavFile::GetFavoritesFolder()) {
        if (parent != FavoritesDialogSupport::MainFavoritesFolderKey())
            return;
        parentNode = FavoritesNode::Find(tree, parent);
        if (!parentNode)
            return;
    }
    FavoritesDialogSupport::AddFolderNode(tree, parentNode, path, name);
    tree->viewport()->update();
}

void FormCreateNewFolder::cmdOK_Click()
{
    CreateFolder();
}

void FormCreateNewFolder::cmdCancel_Click()
{
    hide();
    Forms::Unload(this);
}
