#include "controls/UCTVHistory.h"

#include "controls/HistoryStore.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

using HistoryTreeImages::Image;

namespace {

constexpr int KeyRole = Qt::UserRole;
constexpr int ImageRole = Qt::UserRole + 1;

} // namespace

UCTVHistory::UCTVHistory(QWidget *parent) : QWidget(parent), m_tree(new QTreeWidget(this))
{
    for (Image image : {Image::Day, Image::SiteClosed, Image::SiteOpen, Image::Page})
        m_images.insert(image, HistoryTreeImages::Icon(image));

    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIconSize(QSize(HistoryTreeImages::Width, HistoryTreeImages::Height));
    m_tree->setUniformRowHeights(true);
    m_tree->viewport()->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tree);

    connect(m_tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *node) { nodeClick(node); });
    connect(m_tree, &QTreeWidget::itemExpanded, this, &UCTVHistory::nodeExpanded);
    connect(m_tree, &QTreeWidget::itemCollapsed, this, &UCTVHistory::nodeCollapsed);
}

UCTVHistory::~UCTVHistory() = default;

void UCTVHistory::setAppPath(const QString &path)
{
    if (path == m_appPath)
        return;
    m_appPath = path;
    if (m_store) {
        m_store->disconnect(this);
        m_store.reset();
    }
}

void UCTVHistory::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
}

void UCTVHistory::SetNumberOfDaysInHistory(int Days)
{
    m_daysInHistory = Days;
    if (m_store)
        m_store->SetNumberOfDaysInHistory(Days);
}

std::shared_ptr<HistoryStore> UCTVHistory::Store()
{
    if (!m_store)
        attachStore();
    return m_store;
}

void UCTVHistory::attachStore()
{
    m_store = m_readOnly ? HistoryStore::ReadOnlyCopy(m_appPath) : HistoryStore::ForFolder(m_appPath);
    if (m_daysInHistory)
        m_store->SetNumberOfDaysInHistory(*m_daysInHistory);
    connect(m_store.get(), &HistoryStore::HistoryChanged, this, &UCTVHistory::rebuildTree);
    connect(m_store.get(), &HistoryStore::PageAdded, this, &UCTVHistory::showPage);
}

void UCTVHistory::LoadTreeview()
{
    Store()->LoadHistoryFile();
    rebuildTree();
    // The newest day's last page is the current node, as the tree was left.
    QTreeWidgetItem *last = nullptr;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        last = *it;
    if (last) {
        m_tree->setCurrentItem(last);
        last->setExpanded(false);
    }
}

void UCTVHistory::LoadTreeview2()
{
    LoadTreeview();
}

void UCTVHistory::AddHistoryItem2(const QString &url, const QString &title)
{
    Store()->AddHistoryItem2(url, title);
}

bool UCTVHistory::SaveHistory()
{
    return Store()->SaveHistory();
}

bool UCTVHistory::ClearHistory2()
{
    return Store()->ClearHistory2();
}

void UCTVHistory::rebuildTree()
{
    m_tree->clear();
    const QList<HistoryDay> &days = m_store->Days();
    for (const HistoryDay &day : days) {
        QTreeWidgetItem *dayNode = appendNode(nullptr, day.Text(), Image::Day);
        dayNode->setData(0, KeyRole, day.Key);
        for (const HistorySite &site : day.Sites) {
            QTreeWidgetItem *siteNode = appendNode(dayNode, site.Name, Image::SiteClosed);
            for (const QString &page : site.Pages)
                appendNode(siteNode, page, Image::Page);
        }
    }
}

void UCTVHistory::showPage(int day, int site, int page)
{
    const QList<HistoryDay> &days = m_store->Days();
    // The tree mirrors the store; anything else means it missed a change, so it starts over.
    if (day < 0 || day >= days.size() || day > m_tree->topLevelItemCount()) {
        rebuildTree();
        return;
    }
    const HistoryDay &dayData = days.at(day);
    QTreeWidgetItem *dayNode = m_tree->topLevelItem(day);
    if (!dayNode) {
        dayNode = appendNode(nullptr, dayData.Text(), Image::Day);
        dayNode->setData(0, KeyRole, dayData.Key);
    }
    if (site < 0 || site >= dayData.Sites.size() || site > dayNode->childCount()) {
        rebuildTree();
        return;
    }
    const HistorySite &siteData = dayData.Sites.at(site);
    QTreeWidgetItem *siteNode = dayNode->child(site);
    if (!siteNode)
        siteNode = appendNode(dayNode, siteData.Name, Image::SiteClosed);
    if (page < 0 || page >= siteData.Pages.size() || page != siteNode->childCount()) {
        rebuildTree();
        return;
    }
    appendNode(siteNode, siteData.Pages.at(page), Image::Page);
}

QTreeWidgetItem *UCTVHistory::appendNode(QTreeWidgetItem *parent, const QString &text, Image image)
{
    auto *node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
    node->setText(0, text);
    setImage(node, image);
    return node;
}

void UCTVHistory::setImage(QTreeWidgetItem *node, Image image)
{
    node->setData(0, ImageRole, int(image));
    node->setIcon(0, m_images.value(image));
}

bool UCTVHistory::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            // Each click decides for itself: a left press starts a click that may navigate,
            // whatever right-button presses came before it.
            m_rightPress = mouse->button() == Qt::RightButton;
            m_rightPressIndex = m_rightPress ? QPersistentModelIndex(m_tree->indexAt(mouse->position().toPoint()))
                                             : QPersistentModelIndex();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            // The tree reports no click of the right button: a right click on a node
            // opens it without navigating.
            if (mouse->button() == Qt::RightButton && m_rightPressIndex.isValid()
                && m_tree->indexAt(mouse->position().toPoint()) == m_rightPressIndex) {
                if (QTreeWidgetItem *node = m_tree->itemAt(mouse->position().toPoint()))
                    nodeClick(node);
            }
            m_rightPressIndex = QPersistentModelIndex();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UCTVHistory::nodeClick(QTreeWidgetItem *node)
{
    expandNodePath(node);
    const QString text = node->text(0);
    const bool navigate = !m_rightPress && text.contains(QLatin1String("://"));
    m_rightPress = false;
    if (navigate)
        emit HistoryNavTo(text);
}

void UCTVHistory::expandNodePath(QTreeWidgetItem *node)
{
    node->setExpanded(true);
    for (QTreeWidgetItem *level = node; level; level = level->parent())
        collapseSiblings(level);
    if (node->childCount() > 0) {
        QTreeWidgetItem *first = node->child(0);
        first->setExpanded(false);
        collapseSiblings(first);
    }
}

void UCTVHistory::collapseSiblings(QTreeWidgetItem *node)
{
    QTreeWidgetItem *parent = node->parent();
    const int count = parent ? parent->childCount() : m_tree->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem *sibling = parent ? parent->child(i) : m_tree->topLevelItem(i);
        if (sibling != node)
            sibling->setExpanded(false);
    }
}

void UCTVHistory::nodeExpanded(QTreeWidgetItem *node)
{
    if (node->data(0, ImageRole).toInt() == Image::SiteClosed)
        setImage(node, Image::SiteOpen);
}

void UCTVHistory::nodeCollapsed(QTreeWidgetItem *node)
{
    if (node->data(0, ImageRole).toInt() == Image::SiteOpen)
        setImage(node, Image::SiteClosed);
}
