#pragma once

#include "platform/Forms.h"

#include <QPointer>
#include <QWidget>

class FormAddToFavorites;
class QEventLoop;
class QLabel;
class QLineEdit;
class QPushButton;

// "Create New Folder": makes a sub-folder under the folder selected in the Add To Favorites
// dialog that owns it, and shows it in that dialog's tree (and in the main window's favorites
// tree when that folder is the one last clicked there).
class FormCreateNewFolder : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit FormCreateNewFolder(FormAddToFavorites *owner);

    QLabel *LabelChooseFolderName = nullptr;
    QLabel *LabelFolderName = nullptr;
    QLineEdit *TextFolderName = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

    // Shows the dialog modal over its owner and returns once it is closed (and unloaded).
    void ShowModal();

    // The work of OK: true when the folder was made (the dialog then closes); otherwise the
    // user is told why and the dialog stays open.
    bool CreateFolder();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void cmdOK_Click();
    void cmdCancel_Click();
    void AddToMainTree(const QString &parent, const QString &path, const QString &name);

    QPointer<FormAddToFavorites> m_owner;
    QEventLoop *m_modalLoop = nullptr;
};
