#pragma once

#include "platform/Forms.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QEventLoop;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class WebBrowser;

// "Add To Favorites": saves a browser window's page as a favorite in a folder picked
// from a tree of the Favorites folder, and shows it in that window's favorites tree. Every
// showing loads the dialog anew (tree from the disk, page captured again).
class FormAddToFavorites : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit FormAddToFavorites(QWidget *parent = nullptr);

    QTreeWidget *TVAddToFavorites2 = nullptr;
    QLabel *LabelAddToFavorites = nullptr;
    QLabel *LabelName = nullptr;
    QLineEdit *TextName = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *LabelSelectFolder = nullptr;
    QPushButton *cmdNewFolder = nullptr;

    void Form_Load() override;

    // Shows the dialog modal (over owner, centred on it, when given) and returns once it is
    // closed; the dialog is unloaded then. The page saved is page's, the page of the window the
    // user opened the dialog from; without one, the default main window's. Without an owner the
    // dialog comes up centred over that window.
    void ShowModal(QWidget *owner, const WebBrowser *page = nullptr);

    // The folder node that is selected, else the root (the Favorites folder itself).
    QTreeWidgetItem *SelectedFolderNode() const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void ParseFavFolders();
    static void AddSubFolderNodes(QTreeWidget *tree, const QString &path, QTreeWidgetItem *node);
    static QString NotSavedText(const QString &name, const QString &folder);
    void TVAddToFavorites2_Expand(QTreeWidgetItem *node);
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdNewFolder_Click();
    void AddToMainTree(const QString &folder, const QString &fileName, bool topLevel);
    void CapturePage(const WebBrowser *browser);

    QString m_URL;
    QString m_Name;
    QEventLoop *m_modalLoop = nullptr;
    QPointer<const QWidget> m_openedFrom;
};
