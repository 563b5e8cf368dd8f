// The history side bar driven as the user drives it: days and sites open like an accordion,
// a click on a page asks the host to go there, a right click never navigates.
#include "controls/DayKey.h"
#include "controls/HistoryStore.h"
#include "controls/UCTVHistory.h"
#include "tests/support/WaitFor.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

constexpr int ImageRole = Qt::UserRole + 1;

void writeHistoryFile(const QString &folder, const QStringList &lines)
{
    QFile file(folder + QStringLiteral("/History.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (const QString &line : lines)
        file.write((line + QStringLiteral("\r\n")).toUtf8());
}

QString readHistoryFile(const QString &folder)
{
    QFile file(folder + QStringLiteral("/History.dat"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

class HistoryTreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        today = QDate::currentDate();
        yesterdayKey = DayKey::FromDate(today.addDays(-1));
        todayKey = DayKey::FromDate(today);
        writeHistoryFile(folder.path(),
                         {yesterdayKey + QStringLiteral("|http://www.example.com/a.html"),
                          yesterdayKey + QStringLiteral("|http://www.example.com/b.html"),
                          yesterdayKey + QStringLiteral("|ftp://ftp.gnu.org/pub/"),
                          todayKey + QStringLiteral("|http://www.kestrel.test/")});
    }

    std::unique_ptr<UCTVHistory> shownHistory()
    {
        auto history = std::make_unique<UCTVHistory>();
        history->setAppPath(folder.path());
        history->SetNumberOfDaysInHistory(20);
        history->LoadTreeview2();
        history->resize(320, 420);
        history->show();
        EXPECT_TRUE(WaitUntil([&] { return Exposed(history.get()); }));
        return history;
    }

    static void click(UCTVHistory &history, QTreeWidgetItem *node,
                      Qt::MouseButton button = Qt::LeftButton)
    {
        QTreeWidget *tree = history.TreeView1();
        tree->scrollToItem(node);
        QTest::mouseClick(tree->viewport(), button, {}, tree->visualItemRect(node).center());
    }

    QTemporaryDir folder;
    QDate today;
    QString yesterdayKey;
    QString todayKey;
};

} // namespace

TEST_F(HistoryTreeTest, ShowsDaysSitesAndPagesFromTheFile)
{
    auto history = shownHistory();
    QTreeWidget *tree = history->TreeView1();
    ASSERT_EQ(tree->topLevelItemCount(), 2);

    QTreeWidgetItem *yesterday = tree->topLevelItem(0);
    EXPECT_EQ(yesterday->text(0), DayKey::DayText(today.addDays(-1)));
    EXPECT_EQ(yesterday->data(0, ImageRole).toInt(), 1);
    ASSERT_EQ(yesterday->childCount(), 2);
    QTreeWidgetItem *example = yesterday->child(0);
    EXPECT_EQ(example->text(0), QStringLiteral("example.com"));
    EXPECT_EQ(example->data(0, ImageRole).toInt(), 2);
    ASSERT_EQ(example->childCount(), 2);
    EXPECT_EQ(example->child(1)->text(0), QStringLiteral("http://www.example.com/b.html"));
    EXPECT_EQ(example->child(1)->data(0, ImageRole).toInt(), 4);
    EXPECT_FALSE(example->child(1)->icon(0).isNull());
    EXPECT_EQ(yesterday->child(1)->text(0), QStringLiteral("gnu.org"));

    QTreeWidgetItem *newest = tree->topLevelItem(1);
    EXPECT_EQ(newest->child(0)->text(0), QStringLiteral("kestrel.test"));
    // The newest day's last page is the current node.
    EXPECT_EQ(tree->currentItem(), newest->child(0)->child(0));
}

TEST_F(HistoryTreeTest, ClickingAPageAsksToGoThere)
{
    auto history = shownHistory();
    QSignalSpy navigations(history.get(), &UCTVHistory::HistoryNavTo);
    QTreeWidget *tree = history->TreeView1();
    QTreeWidgetItem *day = tree->topLevelItem(0);
    QTreeWidgetItem *site = day->child(0);

    click(*history, day);
    EXPECT_TRUE(day->isExpanded());
    click(*history, site);
    EXPECT_TRUE(site->isExpanded());
    EXPECT_EQ(site->data(0, ImageRole).toInt(), 3);
    EXPECT_EQ(navigations.count(), 0);

    click(*history, site->child(1));
    ASSERT_EQ(navigations.count(), 1);
    EXPECT_EQ(navigations.at(0).at(0).toString(), QStringLiteral("http://www.example.com/b.html"));
}

TEST_F(HistoryTreeTest, OpensOneBranchOnEachLevel)
{
    auto history = shownHistory();
    QTreeWidget *tree = history->TreeView1();
    QTreeWidgetItem *yesterday = tree->topLevelItem(0);
    QTreeWidgetItem *newest = tree->topLevelItem(1);

    click(*history, newest);
    click(*history, newest->child(0));
    ASSERT_TRUE(newest->child(0)->isExpanded());

    yesterday->setExpanded(true);
    yesterday->child(0)->setExpanded(true);
    click(*history, yesterday->child(1));
    EXPECT_TRUE(yesterday->isExpanded());
    EXPECT_TRUE(yesterday->child(1)->isExpanded());
    EXPECT_FALSE(yesterday->child(0)->isExpanded());
    EXPECT_FALSE(newest->isExpanded());
    EXPECT_EQ(yesterday->child(0)->data(0, ImageRole).toInt(), 2);
}

TEST_F(HistoryTreeTest, RightButtonNeverNavigatesNorDeadensTheNextClick)
{
    auto history = shownHistory();
    QSignalSpy navigations(history.get(), &UCTVHistory::HistoryNavTo);
    QTreeWidget *tree = history->TreeView1();
    QTreeWidgetItem *day = tree->topLevelItem(1);

    // A right click on a day opens it and goes nowhere.
    click(*history, day, Qt::RightButton);
    EXPECT_TRUE(day->isExpanded());
    click(*history, day->child(0));
    QTreeWidgetItem *page = day->child(0)->child(0);

    click(*history, page, Qt::RightButton);
    EXPECT_EQ(navigations.count(), 0);
    click(*history, page);
    EXPECT_EQ(navigations.count(), 1);

    // A right press below the nodes, then a left click on the page.
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, QPoint(10, tree->viewport()->height() - 5));
    click(*history, page);
    EXPECT_EQ(navigations.count(), 2);
    EXPECT_EQ(navigations.at(1).at(0).toString(), QStringLiteral("http://www.kestrel.test/"));
}

TEST_F(HistoryTreeTest, ExpanderSwitchesTheSiteImage)
{
    auto history = shownHistory();
    QTreeWidgetItem *site = history->TreeView1()->topLevelItem(0)->child(1);
    site->setExpanded(true);
    EXPECT_EQ(site->data(0, ImageRole).toInt(), 3);
    site->setExpanded(false);
    EXPECT_EQ(site->data(0, ImageRole).toInt(), 2);
}

TEST_F(HistoryTreeTest, VisitsShowInEveryWindowSharingTheFile)
{
    auto first = shownHistory();
    auto second = shownHistory();
    auto fullScreen = std::make_unique<UCTVHistory>();
    fullScreen->SetReadOnly(true);
    fullScreen->setAppPath(folder.path());
    fullScreen->LoadTreeview2();

    first->AddHistoryItem2(QStringLiteral("http://www.kestrel.test/news"), QStringLiteral("News"));
    first->AddHistoryItem2(QStringLiteral("http://other.test/x"), QStringLiteral("X"));
    first->AddHistoryItem2(QStringLiteral("file:///tmp/blank.html"), QStringLiteral("blank"));
    first->AddHistoryItem2(QStringLiteral("http://www.kestrel.test/news"), QStringLiteral("News"));

    for (UCTVHistory *history : {first.get(), second.get()}) {
        QTreeWidgetItem *newest = history->TreeView1()->topLevelItem(1);
        ASSERT_EQ(newest->childCount(), 2);
        EXPECT_EQ(newest->child(0)->childCount(), 2);
        EXPECT_EQ(newest->child(0)->child(1)->text(0), QStringLiteral("http://www.kestrel.test/news"));
        EXPECT_EQ(newest->child(1)->text(0), QString());
        EXPECT_EQ(newest->child(1)->child(0)->text(0), QStringLiteral("http://other.test/x"));
    }
    EXPECT_EQ(fullScreen->TreeView1()->topLevelItem(1)->child(0)->childCount(), 1);

    // Clicking a page added during the run navigates as well.
    QTreeWidgetItem *newest = second->TreeView1()->topLevelItem(1);
    QSignalSpy navigations(second.get(), &UCTVHistory::HistoryNavTo);
    click(*second, newest);
    click(*second, newest->child(1));
    click(*second, newest->child(1)->child(0));
    ASSERT_EQ(navigations.count(), 1);
    EXPECT_EQ(navigations.at(0).at(0).toString(), QStringLiteral("http://other.test/x"));
}

TEST_F(HistoryTreeTest, SavedTreeReloadsTheSame)
{
    QStringList shown;
    {
        auto history = shownHistory();
        history->AddHistoryItem2(QStringLiteral("http://www.kestrel.test/more"), QStringLiteral("More"));
        ASSERT_TRUE(history->SaveHistory());
        for (QTreeWidgetItemIterator it(history->TreeView1()); *it; ++it)
            shown << (*it)->text(0) + QLatin1Char('#') + (*it)->data(0, ImageRole).toString();
    }
    EXPECT_TRUE(readHistoryFile(folder.path()).endsWith(todayKey + QStringLiteral("|http://www.kestrel.test/more\r\n")));

    auto reloaded = shownHistory();
    QStringList again;
    for (QTreeWidgetItemIterator it(reloaded->TreeView1()); *it; ++it)
        again << (*it)->text(0) + QLatin1Char('#') + (*it)->data(0, ImageRole).toString();
    EXPECT_EQ(again, shown);
    EXPECT_EQ(again.size(), 10);
}

TEST_F(HistoryTreeTest, ClearEmptiesTreeAndFile)
{
    auto history = shownHistory();
    history->ClearHistory2();
    EXPECT_EQ(history->TreeView1()->topLevelItemCount(), 0);
    EXPECT_TRUE(QFile::exists(folder.path() + QStringLiteral("/History.dat")));
    EXPECT_TRUE(readHistoryFile(folder.path()).isEmpty());
}

TEST_F(HistoryTreeTest, TreeFillsTheControl)
{
    auto history = shownHistory();
    const QTreeWidget *tree = history->TreeView1();
    EXPECT_EQ(tree->geometry(), QRect(0, 0, 320, 420));

    history->resize(200, 150);
    const QRect filled(0, 0, 200, 150);
    EXPECT_EQ(WaitForValue([&] { return tree->geometry(); }, filled), filled);
}
