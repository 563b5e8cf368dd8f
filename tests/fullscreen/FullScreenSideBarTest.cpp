// The full-screen side bar driven as the user drives it: panes opened and closed, the split bar
// dragged, history and favorites opened from their trees.
#include "app/CommandIds.h"
#include "browsingdata/FavoritesNode.h"
#include "controls/DayKey.h"
#include "controls/TransparentCloseButton.h"
#include "controls/UCTVHistory.h"
#include "fullscreen/FormFullScreen.h"
#include "mainwindow/FormMain.h"
#include "platform/CommandBars.h"
#include "platform/Forms.h"
#include "platform/WebBrowser.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/SideBarPanes.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/TreeNodes.h"
#include "tests/support/WaitFor.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFrame>
#include <QMouseEvent>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class FullScreenSideBarTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (Forms::DefaultExists<FormFullScreen>())
            Forms::Unload(Forms::Default<FormFullScreen>());
        if (Forms::DefaultExists<FormMain>())
            Forms::Unload(Forms::Default<FormMain>());
    }

    // The main window first, as the program starts; the full-screen window shown over it.
    FormFullScreen *start()
    {
        main = Forms::Default<FormMain>();
        form = Forms::Default<FormFullScreen>();
        Forms::Show(form);
        EXPECT_TRUE(WaitUntil([&] { return Exposed(form); }));
        return form;
    }

    // Which of the header bar's commands 4000-4002 show, as "100" for the first.
    QString headerCommandsShown() const
    {
        QString shown;
        for (int id : {CommandId::SearchSettings, CommandId::SideBarAddToFavorites, CommandId::ClearHistory}) {
            CommandBarControl *control = form->CommandBarsSideBar->FindControl(id);
            shown += control && control->Visible() ? QLatin1Char('1') : QLatin1Char('0');
        }
        return shown;
    }

    bool waitForPage(const QString &url)
    {
        return WaitUntil([&] { return form->WebBrowserFullScreen->LocationURL() == url; });
    }

    void writeFavorite(const QString &relativePath, const QString &url)
    {
        folder.WriteFile(QStringLiteral("Favorites/") + relativePath,
                         "[InternetShortcut]\r\nURL=" + url.toUtf8() + "\r\n");
    }

    // A mouse event on the split bar at x pixels within it.
    void splitBarMouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, int x)
    {
        const QPointF local(x, 5);
        QMouseEvent event(type, local, form->ImageSplitBar->mapToGlobal(local), button, buttons, {});
        QCoreApplication::sendEvent(form->ImageSplitBar, &event);
    }

    TempProgramFolder folder;
    FormFullScreen *form = nullptr;
    FormMain *main = nullptr;
};

} // namespace

TEST_F(FullScreenSideBarTest, EachPaneOpensAndSetsTheMainWindowsFlags)
{
    start();
    form->ShowSearch();
    EXPECT_TRUE(form->PictureSideBar->isVisible());
    EXPECT_TRUE(form->ImageSplitBar->isVisible());
    EXPECT_EQ(PanesShown(form), QStringLiteral("100"));
    EXPECT_EQ(SideBarFlags(main), QStringLiteral("100"));
    EXPECT_EQ(headerCommandsShown(), QStringLiteral("100"));

    form->ShowFavorites();
    EXPECT_EQ(PanesShown(form), QStringLiteral("010"));
    EXPECT_EQ(SideBarFlags(main), QStringLiteral("010"));
    EXPECT_EQ(headerCommandsShown(), QStringLiteral("010"));

    form->ShowHistory();
    EXPECT_EQ(PanesShown(form), QStringLiteral("001"));
    EXPECT_EQ(SideBarFlags(main), QStringLiteral("001"));
    EXPECT_EQ(headerCommandsShown(), QStringLiteral("001"));

    // The split bar stands at the side bar's right edge.
    EXPECT_EQ(form->ImageSplitBar->x(), form->PictureSideBar->width());

    // Another name shows the side bar with the pane it had.
    form->HideSideBar();
    form->BuildSideBar(QStringLiteral("search"));
    EXPECT_TRUE(form->PictureSideBar->isVisible());
    EXPECT_EQ(PanesShown(form), QStringLiteral("001"));
}

TEST_F(FullScreenSideBarTest, ShowingTheSearchPaneAgainGoesToItsStartPageAgain)
{
    start();
    form->ShowSearch();
    ASSERT_TRUE(WaitUntil([&] { return !form->WebBrowserSearch->LocationURL().isEmpty(); }));
    LocalHttpServer server;
    ASSERT_TRUE(server.Start());
    server.AddPage(QStringLiteral("/elsewhere.html"), "<html><body>elsewhere</body></html>");
    const QString elsewhere = server.Url(QStringLiteral("/elsewhere.html")).toString();
    const QString searchPage = form->WebBrowserSearch->LocationURL();
    form->WebBrowserSearch->Navigate(elsewhere);
    ASSERT_TRUE(WaitUntil([&] { return form->WebBrowserSearch->LocationURL() == elsewhere; }));

    form->ShowSearch();
    EXPECT_TRUE(WaitUntil([&] { return form->WebBrowserSearch->LocationURL() == searchPage; }))
        << form->WebBrowserSearch->LocationURL().toStdString();
}

TEST_F(FullScreenSideBarTest, CloseButtonHidesTheSideBarAndUnchecksTheStandardBar)
{
    start();
    form->ShowFavorites();
    for (int id : {CommandId::SearchButton, CommandId::FavoritesButton, CommandId::HistoryButton})
        form->CommandBarsMain->FindControl(id)->SetChecked(true);
    QAction *navButton = FormFullScreen::ToolbarButton(form->ToolbarNav, QStringLiteral("Favorites"));
    ASSERT_NE(navButton, nullptr);
    navButton->setChecked(true);

    // Clicked where it shows: the window hands the click to what lies there, the side bar's own bar too.
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                      form->TransparentCloseButton1->mapTo(form, form->TransparentCloseButton1->rect().center()));
    EXPECT_FALSE(form->PictureSideBar->isVisible());
    EXPECT_FALSE(form->ImageSplitBar->isVisible());
    EXPECT_EQ(SideBarFlags(main), QStringLiteral("000"));
    for (int id : {CommandId::SearchButton, CommandId::FavoritesButton, CommandId::HistoryButton})
        EXPECT_FALSE(form->CommandBarsMain->FindControl(id)->Checked()) << id;
    EXPECT_TRUE(navButton->isChecked()) << "the navigation toolbar keeps its state";
    EXPECT_TRUE(form->TreeViewFavorites->isVisibleTo(form->PictureSideBar)) << "the pane keeps its visibility";

    form->ShowHistory();
    form->HideInfoBar();
    EXPECT_FALSE(form->PictureSideBar->isVisible());
    EXPECT_FALSE(navButton->isChecked());
    EXPECT_EQ(SideBarFlags(main), QStringLiteral("000"));
}

TEST_F(FullScreenSideBarTest, SplitBarDraggedWithTheLeftButtonWidensTheSideBar)
{
    start();
    form->ShowHistory();
    const int sideWidth = form->PictureSideBar->width();
    const int browserLeft = form->PictureBrowser->x();

    splitBarMouse(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, 5);
    splitBarMouse(QEvent::MouseMove, Qt::NoButton, Qt::RightButton, 45);
    EXPECT_EQ(form->ImageSplitBar->x(), sideWidth) << "the right button does not move it";
    splitBarMouse(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, 45);
    EXPECT_EQ(form->ImageSplitBar->backgroundRole(), QPalette::Button);
    EXPECT_EQ(form->PictureSideBar->width(), sideWidth);

    splitBarMouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 5);
    EXPECT_EQ(form->ImageSplitBar->backgroundRole(), QPalette::ButtonText);
    splitBarMouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, 45);
    EXPECT_EQ(form->ImageSplitBar->x(), sideWidth + 45);
    splitBarMouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, 45);
    EXPECT_EQ(form->ImageSplitBar->backgroundRole(), QPalette::Button);
    EXPECT_GT(form->PictureSideBar->width(), sideWidth);
    EXPECT_GT(form->PictureBrowser->x(), browserLeft);

    // Dragged far beyond the window's right edge it stays inside the window.
    splitBarMouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 5);
    splitBarMouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, 100000);
    splitBarMouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, 100000);
    EXPECT_LE(form->ImageSplitBar->x() + form->ImageSplitBar->width(), form->width());
    EXPECT_GE(form->PictureBrowser->width(), 0);
}

TEST_F(FullScreenSideBarTest, HistoryClickNavigatesAndTheHistoryFileIsNeverWritten)
{
    LocalHttpServer server;
    ASSERT_TRUE(server.Start());
    server.AddPage(QStringLiteral("/visited.html"), "<html><head><title>Visited</title></head><body>v</body></html>");
    server.AddPage(QStringLiteral("/next.html"), "<html><head><title>Next</title></head><body>n</body></html>");
    const QString visited = server.Url(QStringLiteral("/visited.html")).toString();
    const QString next = server.Url(QStringLiteral("/next.html")).toString();
    const QByteArray history =
        (DayKey::FromDate(QDate::currentDate()) + QStringLiteral("|") + visited + QStringLiteral("\r\n")).toUtf8();
    folder.WriteFile(QStringLiteral("History.dat"), history);

    start();
    form->ShowHistory();
    QTreeWidget *tree = form->TreeViewHistory->TreeView1();
    ASSERT_GE(tree->topLevelItemCount(), 1);
    QTreeWidgetItem *day = tree->topLevelItem(tree->topLevelItemCount() - 1);
    ClickNode(tree, day);
    ASSERT_GE(day->childCount(), 1);
    QTreeWidgetItem *site = day->child(0);
    ClickNode(tree, site);
    QTreeWidgetItem *page = NodeByText(tree, visited, site);
    ASSERT_NE(page, nullptr);
    ClickNode(tree, page);
    ASSERT_TRUE(waitForPage(visited)) << form->WebBrowserFullScreen->LocationURL().toStdString();

    // A page visited in full screen shows in its tree, but the file stays as it was.
    form->WebBrowserFullScreen->Navigate(next);
    ASSERT_TRUE(waitForPage(next));
    EXPECT_TRUE(WaitUntil([&] { return !tree->findItems(next, Qt::MatchExactly | Qt::MatchRecursive).isEmpty(); }));
    form->ShowHistory();
    EXPECT_EQ(folder.ReadFile(QStringLiteral("History.dat")), history);
}

TEST_F(FullScreenSideBarTest, FavoritesOpenFromTheTreeWhichOpensLikeAnAccordion)
{
    LocalHttpServer server;
    ASSERT_TRUE(server.Start());
    server.AddPage(QStringLiteral("/fav.html"), "<html><body>fav</body></html>");
    server.AddPage(QStringLiteral("/inner.html"), "<html><body>inner</body></html>");
    const QString fav = server.Url(QStringLiteral("/fav.html")).toString();
    const QString inner = server.Url(QStringLiteral("/inner.html")).toString();
    QDir favorites(folder.FilePath(QStringLiteral("Favorites")));
    favorites.mkpath(QStringLiteral("News/Deep"));
    favorites.mkpath(QStringLiteral("Work"));
    writeFavorite(QStringLiteral("Top page.url"), fav);
    writeFavorite(QStringLiteral("News/Inner page.url"), inner);
    writeFavorite(QStringLiteral("News/Deep/Deeper.url"), inner);
    writeFavorite(QStringLiteral("Work/Work page.url"), inner);

    start();
    form->ShowFavorites();
    QTreeWidget *tree = form->TreeViewFavorites;
    QTreeWidgetItem *top = NodeByText(tree, QStringLiteral("Top page"));
    QTreeWidgetItem *news = NodeByText(tree, QStringLiteral("News"));
    QTreeWidgetItem *work = NodeByText(tree, QStringLiteral("Work"));
    ASSERT_TRUE(top && news && work);

    // A right click neither opens nor expands; the next left click acts normally.
    ClickNode(tree, top, Qt::RightButton);
    ClickNode(tree, top);
    EXPECT_EQ(form->TreeViewFavoritesTemp, tree);
    ASSERT_TRUE(waitForPage(fav)) << form->WebBrowserFullScreen->LocationURL().toStdString();

    ClickNode(tree, work, Qt::RightButton);
    EXPECT_FALSE(work->isExpanded()) << "a right click reads the folder but does not open it";
    ClickNode(tree, work);
    EXPECT_TRUE(work->isExpanded());
    ClickNode(tree, news);
    EXPECT_TRUE(news->isExpanded());
    EXPECT_FALSE(work->isExpanded()) << "opening a folder closes the other branches";
    QTreeWidgetItem *deep = NodeByText(tree, QStringLiteral("Deep"), news);
    ASSERT_NE(deep, nullptr) << "the folder's content is read on the click";
    EXPECT_FALSE(deep->isExpanded());

    // A folder re-reads its content on every click.
    writeFavorite(QStringLiteral("News/Added later.url"), inner);
    ClickNode(tree, news);
    EXPECT_NE(NodeByText(tree, QStringLiteral("Added later"), news), nullptr);

    QTreeWidgetItem *innerNode = NodeByText(tree, QStringLiteral("Inner page"), news);
    ASSERT_NE(innerNode, nullptr);
    ClickNode(tree, innerNode);
    EXPECT_TRUE(waitForPage(inner));

    // Showing the pane again re-reads the top level with every branch closed.
    form->ShowFavorites();
    news = NodeByText(tree, QStringLiteral("News"));
    ASSERT_NE(news, nullptr);
    EXPECT_FALSE(news->isExpanded());
}
