#pragma once

// The history side bar: a tree of days, under each day its sites, under each site its
// pages. Clicking a page raises HistoryNavTo with its address; branches open like an
// accordion. The days themselves live in a HistoryStore shared by the main windows.
#include <QHash>
#include <QIcon>
#include <QPersistentModelIndex>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "controls/HistoryTreeImages.h"

class HistoryStore;
class QTreeWidget;
class QTreeWidgetItem;

class UCTVHistory : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString AppPath READ AppPath WRITE setAppPath)
public:
    explicit UCTVHistory(QWidget *parent = nullptr);
    ~UCTVHistory() override;

    // The folder of "History.dat".
    QString AppPath() const { return m_appPath; }
    void setAppPath(const QString &path);

    // The tree keeps its own copy of the file and never writes it (the full-screen window).
    // Set before the tree is loaded.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_readOnly; }

    // Days kept on save: today and that many days before it (below 1 counts as 1).
    void SetNumberOfDaysInHistory(int Days);

    // Reads "History.dat" (once for all windows sharing it) and shows its days.
    void LoadTreeview();
    void LoadTreeview2();
    // Records a visited page under today and its site.
    void AddHistoryItem2(const QString &url, const QString &title);
    // Drops the old days and writes "History.dat"; false when the file could not be written.
    bool SaveHistory();
    // Empties "History.dat" and the tree; false when the file could not be emptied.
    bool ClearHistory2();

    QTreeWidget *TreeView1() const { return m_tree; }

signals:
    // The user picked a page; url is the page's address.
    void HistoryNavTo(const QString &url);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The history shown, chosen by AppPath on first use.
    std::shared_ptr<HistoryStore> Store();
    void attachStore();
    void rebuildTree();
    void showPage(int day, int site, int page);
    QTreeWidgetItem *appendNode(QTreeWidgetItem *parent, const QString &text,
                                HistoryTreeImages::Image image);
    void setImage(QTreeWidgetItem *node, HistoryTreeImages::Image image);

    void nodeClick(QTreeWidgetItem *node);
    void expandNodePath(QTreeWidgetItem *node);
    void collapseSiblings(QTreeWidgetItem *node);
    void nodeExpanded(QTreeWidgetItem *node);
    void nodeCollapsed(QTreeWidgetItem *node);

    QTreeWidget *m_tree = nullptr;
    QHash<int, QIcon> m_images;
    QString m_appPath;
    bool m_readOnly = false;
    std::optional<int> m_daysInHistory;
    std::shared_ptr<HistoryStore> m_store;
    // The click in progress began with the right button: it opens the node, navigates nowhere.
    bool m_rightPress = false;
    QPersistentModelIndex m_rightPressIndex;
};
