#include "app/CommandIds.h"
#include "browsingdata/FavoritesNode.h"
#include "browsingdata/FormAddToFavorites.h"
#include "browsingdata/FormSelectSearch.h"
#include "controls/TransparentCloseButton.h"
#include "controls/UCTVHistory.h"
#include "mainwindow/FormMain.h"
#include "platform/CommandBars.h"
#include "platform/Forms.h"
#include "platform/HtmlDocument.h"
#include "platform/WebBrowser.h"
#include "tests/platform/WebBrowserTestSupport.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/SideBarPanes.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/TreeNodes.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

FormMain *startMainWindow()
{
    auto *form = Forms::Default<FormMain>();
    Forms::Show(form);
    return form;
}

CommandBarControl *mainControl(FormMain *form, int id)
{
    return form->CommandBarsMain->FindControl(CommandBarControlType::Any, id, false, true);
}

CommandBarControl *sideControl(FormMain *form, int id)
{
    return form->CommandBarsSideBar->FindControl(CommandBarControlType::Any, id, false, true);
}

CommandBar *favoritesPopupMenu(FormMain *form)
{
    for (CommandBar *bar : form->CommandBarsSideBar->PopupBars()) {
        if (bar->Title() == QLatin1String("Popup Menu"))
            return bar;
    }
    return nullptr;
}

// Which of the three side-bar buttons 4000-4002 show, as "100" for the first.
QString sideButtonsShown(FormMain *form)
{
    QString shown;
    for (int id : {CommandId::SearchSettings, CommandId::SideBarAddToFavorites, CommandId::ClearHistory})
        shown += sideControl(form, id)->Visible() ? QLatin1Char('1') : QLatin1Char('0');
    return shown;
}

QString checks(FormMain *form, const QList<int> &ids)
{
    QString checked;
    for (int id : ids)
        checked += mainControl(form, id)->Checked() ? QLatin1Char('1') : QLatin1Char('0');
    return checked;
}

void writeFavorite(const TempProgramFolder &folder, const QString &relativePath, const QString &url)
{
    folder.WriteFile(QStringLiteral("Favorites/") + relativePath,
                     "[InternetShortcut]\r\nURL=" + url.toUtf8() + "\r\n");
}

// A right-button click on the node, then the entry of the favorites menu that it opened.
void runFromFavoritesMenu(FormMain *form, QTreeWidgetItem *node, int id)
{
    ClickNode(form->TreeViewFavorites, node, Qt::RightButton);
    CommandBar *menu = favoritesPopupMenu(form);
    ASSERT_TRUE(menu->Widget()->isVisible()) << "the menu opens on the release";
    menu->FindControl(id)->Execute();
    menu->Widget()->hide();
}

// Runs action, which opens a modal dialog, and closes the dialog once it shows; returns the
// dialog that was shown.
QWidget *closeModalOpenedBy(const std::function<void()> &action)
{
    const auto shown = std::make_shared<QWidget *>(nullptr);
    AnswerNextModal([shown](QWidget *modal) {
        *shown = modal;
        modal->hide();
    });
    action();
    return *shown;
}

bool waitForMainAddress(FormMain *form, const QString &url)
{
    return WaitUntil([&] { return form->WebBrowserMain->LocationURL() == url; });
}

} // namespace

TEST(SideBar, EachPaneOpensAloneWithItsButtonAndTheCloseButtonHidesTheSideBar)
{
    TempProgramFolder folder;
    FormMain *form = startMainWindow();
    EXPECT_FALSE(form->PictureSideBar->isVisible());
    EXPECT_EQ(sideButtonsShown(form), QStringLiteral("000"));

    form->ShowSearch();
    EXPECT_TRUE(form->PictureSideBar->isVisible());
    EXPECT_EQ(PanesShown(form), QStringLiteral("100"));
    EXPECT_EQ(SideBarFlags(form), QStringLiteral("100"));
    EXPECT_EQ(sideButtonsShown(form), QStringLiteral("100"));

    form->ShowFavorites();
    EXPECT_EQ(PanesShown(form), QStringLiteral("010"));
    EXPECT_EQ(SideBarFlags(form), QStringLiteral("010"));
    EXPECT_EQ(sideButtonsShown(form), QStringLiteral("010"));

    form->ShowHistory();
    EXPECT_EQ(PanesShown(form), QStringLiteral("001"));
    EXPECT_EQ(SideBarFlags(form), QStringLiteral("001"));
    EXPECT_EQ(sideButtonsShown(form), QStringLiteral("001"));

    // The split bar stands at the side bar's right edge, the page 40 twips beyond it.
    EXPECT_TRUE(form->ImageSplitBar->isVisible());
    const QRectF side = FormMain::RectTwips(form->PictureSideBar);
    const QRectF split = FormMain::RectTwips(form->ImageSplitBar);
    EXPECT_NEAR(side.width(), 3600, 15);
    EXPECT_NEAR(split.left(), side.width(), 15);
    EXPECT_NEAR(split.top(), side.top(), 15);
    EXPECT_NEAR(split.height(), side.height(), 15);
    EXPECT_NEAR(FormMain::RectTwips(form->PictureBrowser).left(), 3600 + 40, 15);

    for (int id : {CommandId::SearchButton, CommandId::FavoritesButton, CommandId::HistoryButton,
                   CommandId::SideBarSearch, CommandId::SideBarFavorites, CommandId::SideBarHistory})
        mainControl(form, id)->SetChecked(true);
    // Clicked where it shows: the window hands the click to what lies there, the side bar's own bar too.
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                      form->TransparentCloseButton1->mapTo(form, form->TransparentCloseButton1->rect().center()));
    EXPECT_FALSE(form->PictureSideBar->isVisible());
    EXPECT_FALSE(form->ImageSplitBar->isVisible());
    EXPECT_EQ(SideBarFlags(form), QStringLiteral("000"));
    EXPECT_EQ(checks(form, {CommandId::SearchButton, CommandId::FavoritesButton, CommandId::HistoryButton,
                            CommandId::SideBarSearch, CommandId::SideBarFavorites, CommandId::SideBarHistory}),
              QStringLiteral("000000"));
    EXPECT_EQ(sideButtonsShown(form), QStringLiteral("001")) << "the side bar's own buttons stay as they were";
    const QRectF client = form->CommandBarsMain->ClientRectTwips();
    EXPECT_NEAR(FormMain::RectTwips(form->PictureBrowser).left(), client.left(), 15) << "the page takes the width";

    form->BuildSideBar(QStringLiteral("Unknown"));
    EXPECT_TRUE(form->PictureSideBar->isVisible()) << "an unknown pane still shows the side bar";
    EXPECT_EQ(SideBarFlags(form), QStringLiteral("000"));
    Forms::Unload(form);
}

TEST(SideBar, ToolbarButtonsAndSideBarsMenuItemsOpenAndCloseThePanes)
{
    TempProgramFolder folder;
    FormMain *form = startMainWindow();
    const QList<int> toggles = {CommandId::SearchButton, CommandId::FavoritesButton, CommandId::HistoryButton,
                                CommandId::SideBarSearch, CommandId::SideBarFavorites, CommandId::SideBarHistory};

    mainControl(form, CommandId::SearchButton)->Execute();
    EXPECT_EQ(PanesShown(form), QStringLiteral("100"));
    EXPECT_EQ(checks(form, toggles), QStringLiteral("100100"));
    EXPECT_EQ(sideButtonsShown(form), QStringLiteral("100"));

    mainControl(form, CommandId::FavoritesButton)->Execute();
    EXPECT_EQ(PanesShown(form), QStringLiteral("010"));
    EXPECT_EQ(checks(form, toggles), QStringLiteral("010010"));
    EXPECT_EQ(SideBarFlags(form), QStringLiteral("010"));

    mainControl(form, CommandId::SideBarHistory)->Execute();
    EXPECT_EQ(PanesShown(form), QStringLiteral("001"));
    EXPECT_EQ(checks(form, toggles), QStringLiteral("001001"));
    EXPECT_EQ(sideButtonsShown(form), QStringLiteral("001"));
    EXPECT_TRUE(form->ImageSplitBar->isVisible());

    mainControl(form, CommandId::HistoryButton)->Execute();
    EXPECT_FALSE(form->PictureSideBar->isVisible());
    EXPECT_FALSE(form->ImageSplitBar->isVisible());
    EXPECT_EQ(checks(form, toggles), QStringLiteral("000000"));
    EXPECT_EQ(SideBarFlags(form), QStringLiteral("000"));

    mainControl(form, CommandId::SideBarSearch)->Execute();
    EXPECT_EQ(PanesShown(form), QStringLiteral("100"));
    Forms::Unload(form);
    EXPECT_TRUE(folder.ReadFile(QStringLiteral("Settings.dat")).contains("ShowSearch=True\r\n"))
        << "the open pane is saved";
}

TEST(SideBar, OnlyTheFirstSavedPaneOpensAtLoadAndOnlyItsMenuItemIsChecked)
{
    TempProgramFolder folder;
    QByteArray settings = folder.ReadFile(QStringLiteral("Settings.dat"));
    settings.replace("ShowSearch=False", "ShowSearch=True").replace("ShowFavorites=False", "ShowFavorites=True");
    folder.WriteFile(QStringLiteral("Settings.dat"), settings);
    FormMain *form = startMainWindow();
    EXPECT_TRUE(form->PictureSideBar->isVisible());
    EXPECT_EQ(PanesShown(form), QStringLiteral("100"));
    EXPECT_EQ(SideBarFlags(form), QStringLiteral("100"));
    EXPECT_EQ(checks(form, {CommandId::SideBarSearch, CommandId::SideBarFavorites, CommandId::SideBarHistory}),
              QStringLiteral("100"));
    EXPECT_EQ(checks(form, {CommandId::SearchButton, CommandId::FavoritesButton, CommandId::HistoryButton}),
              QStringLiteral("000"));
    Forms::Unload(form);
    EXPECT_TRUE(folder.ReadFile(QStringLiteral("Settings.dat")).contains("ShowFavorites=False\r\n"));
}

TEST(SideBar, FavoritesTreeOpensFavoritesInTheMainBrowserAndFoldersLikeAnAccordion)
{
    TempProgramFolder folder;
    QDir favorites(folder.FilePath(QStringLiteral("Favorites")));
    favorites.mkpath(QStringLiteral("News/Local"));
    favorites.mkpath(QStringLiteral("Other/Deep"));
    // The address holds a "%" of its own: the favorite opens the whole of it.
    const QString helpUrl = folder.FileUrl(QStringLiteral("Help.html")) + QStringLiteral("?a=100%25");
    writeFavorite(folder, QStringLiteral("News/Help.url"), helpUrl);
    writeFavorite(folder, QStringLiteral("Blank.url"), folder.FileUrl(QStringLiteral("blank.html")));
    FormMain *form = startMainWindow();
    form->ShowFavorites();
    QTreeWidget *tree = form->TreeViewFavorites;
    ASSERT_EQ(NodeTexts(tree), QStringList({"News", "Other", "Blank"}));

    QTreeWidgetItem *other = NodeByText(tree, "Other");
    ClickNode(tree, other);
    EXPECT_TRUE(other->isExpanded());
    EXPECT_EQ(NodeTexts(tree, other), QStringList({"Deep"}));
    EXPECT_EQ(form->FavoritesFolderKey, FavoritesNode::Key(other));
    EXPECT_EQ(form->FavoritesTreeView, tree);

    QTreeWidgetItem *news = NodeByText(tree, "News");
    ClickNode(tree, news);
    EXPECT_TRUE(news->isExpanded());
    EXPECT_FALSE(other->isExpanded()) << "only the path to the clicked folder stays open";
    EXPECT_EQ(NodeTexts(tree, news), QStringList({"Local", "Help"}));

    // A folder shows what is on the disk at each click.
    writeFavorite(folder, QStringLiteral("News/Later.url"), folder.FileUrl(QStringLiteral("blank.html")));
    ClickNode(tree, news);
    EXPECT_EQ(NodeTexts(tree, news), QStringList({"Local", "Help", "Later"}));

    QTreeWidgetItem *help = NodeByText(tree, "Help", news);
    ClickNode(tree, help);
    EXPECT_TRUE(waitForMainAddress(form, helpUrl)) << form->WebBrowserMain->LocationURL().toStdString();
    EXPECT_TRUE(news->isExpanded());
    EXPECT_TRUE(form->FavoritesFolderKey.endsWith(QStringLiteral("%") + helpUrl));

    // Showing the pane again reads the top level anew: every folder closed and empty.
    form->ShowFavorites();
    news = NodeByText(tree, "News");
    ASSERT_NE(news, nullptr);
    EXPECT_EQ(news->childCount(), 0);
    Forms::Unload(form);
}

// A folder's click lets pending events run before it reads the folder. A click on the folder
// above, queued while the window is busy, reads that one again and replaces the sub-folder's
// node: the end is as if the two clicks had come one after the other.
TEST(SideBar, FavoritesFolderClickedWhileItsSubFolderIsReadEndsAsTheLastClickLeavesIt)
{
    TempProgramFolder folder;
    QDir favorites(folder.FilePath(QStringLiteral("Favorites")));
    favorites.mkpath(QStringLiteral("News/Local/Inner"));
    writeFavorite(folder, QStringLiteral("News/Local/Town.url"), folder.FileUrl(QStringLiteral("blank.html")));
    writeFavorite(folder, QStringLiteral("News/Help.url"), folder.FileUrl(QStringLiteral("Help.html")));
    FormMain *form = startMainWindow();
    form->ShowFavorites();
    QTreeWidget *tree = form->TreeViewFavorites;
    QTreeWidgetItem *news = NodeByText(tree, "News");
    ClickNode(tree, news);
    QTreeWidgetItem *local = NodeByText(tree, "Local", news);
    ASSERT_NE(local, nullptr);

    tree->scrollToItem(local);
    ASSERT_TRUE(WaitForQueuedCalls());
    const QPoint onNews = tree->visualItemRect(news).center();
    const QPoint onLocal = tree->visualItemRect(local).center();
    const QPoint global = tree->viewport()->mapToGlobal(onNews);
    QCoreApplication::postEvent(tree->viewport(), new QMouseEvent(QEvent::MouseButtonPress, onNews, global,
                                                                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(tree->viewport(), new QMouseEvent(QEvent::MouseButtonRelease, onNews, global,
                                                                  Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, onLocal);

    news = NodeByText(tree, "News");
    EXPECT_TRUE(news->isExpanded());
    ASSERT_EQ(NodeTexts(tree, news), QStringList({"Local", "Help"})) << "each entry once";
    local = NodeByText(tree, "Local", news);
    EXPECT_FALSE(local->isExpanded());
    EXPECT_EQ(local->childCount(), 0) << "the folder above was read last: its sub-folders are not read";
    EXPECT_EQ(form->FavoritesFolderKey, FavoritesNode::Key(news));
    Forms::Unload(form);
}

TEST(SideBar, RightClickShowsTheMenuAndNeitherOpensNorExpands)
{
    TempProgramFolder folder;
    QDir(folder.FilePath(QStringLiteral("Favorites"))).mkpath(QStringLiteral("News/Sub"));
    writeFavorite(folder, QStringLiteral("Help.url"), folder.FileUrl(QStringLiteral("Help.html")));
    FormMain *form = startMainWindow();
    form->ShowFavorites();
    QTreeWidget *tree = form->TreeViewFavorites;
    int mainNavigations = 0; // to the favorite
    QObject::connect(form->WebBrowserMain, &WebBrowser::BeforeNavigate2, form,
                     [&](WebBrowser *, const QString &url, bool &) { mainNavigations += url.endsWith("Help.html"); });

    QTreeWidgetItem *help = NodeByText(tree, "Help");
    ClickNode(tree, help, Qt::RightButton);
    EXPECT_TRUE(favoritesPopupMenu(form)->Widget()->isVisible());
    favoritesPopupMenu(form)->Widget()->hide();
    ASSERT_TRUE(WebBrowserTest::NavigationsStarted(form->WebBrowserMain));
    EXPECT_EQ(mainNavigations, 0);
    EXPECT_EQ(form->FavoritesFolderKey, FavoritesNode::Key(help));

    QTreeWidgetItem *news = NodeByText(tree, "News");
    ClickNode(tree, news, Qt::RightButton);
    favoritesPopupMenu(form)->Widget()->hide();
    EXPECT_FALSE(news->isExpanded());
    EXPECT_EQ(NodeTexts(tree, news), QStringList({"Sub"})) << "a folder reloads whatever the button";

    // A right-button press on empty space: the next node click neither opens nor expands.
    const QPoint empty(5, tree->viewport()->height() - 5);
    ASSERT_EQ(tree->itemAt(empty), nullptr);
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, empty);
    favoritesPopupMenu(form)->Widget()->hide();
    ClickNode(tree, help);
    ASSERT_TRUE(WebBrowserTest::NavigationsStarted(form->WebBrowserMain));
    EXPECT_EQ(mainNavigations, 0);
    ClickNode(tree, help);
    EXPECT_TRUE(waitForMainAddress(form, folder.FileUrl(QStringLiteral("Help.html"))));

    // After a right-button press, a folder that the user opens by its arrow closes again.
    ClickNode(tree, news);
    ASSERT_TRUE(news->isExpanded());
    const QRect row = tree->visualItemRect(news);
    const QPoint arrow(row.left() - tree->indentation() / 2, row.center().y());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, arrow);
    ASSERT_FALSE(news->isExpanded());
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, empty);
    favoritesPopupMenu(form)->Widget()->hide();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, arrow);
    EXPECT_FALSE(news->isExpanded());
    EXPECT_EQ(FavoritesNode::ExpandedImage(news), 2);
    Forms::Unload(form);
}

TEST(SideBar, FavoritesMenuCutsCopiesPastesAndDeletes)
{
    TempProgramFolder folder;
    QDir favorites(folder.FilePath(QStringLiteral("Favorites")));
    favorites.mkpath(QStringLiteral("News"));
    favorites.mkpath(QStringLiteral("Work"));
    writeFavorite(folder, QStringLiteral("Help.url"), folder.FileUrl(QStringLiteral("Help.html")));
    writeFavorite(folder, QStringLiteral("Blank.url"), folder.FileUrl(QStringLiteral("blank.html")));
    FormMain *form = startMainWindow();
    form->ShowFavorites();
    QTreeWidget *tree = form->TreeViewFavorites;

    runFromFavoritesMenu(form, NodeByText(tree, "Help"), CommandId::FavoritesCut);
    runFromFavoritesMenu(form, NodeByText(tree, "News"), CommandId::FavoritesPaste);
    EXPECT_TRUE(QFile::exists(favorites.filePath("News/Help.url")));
    EXPECT_FALSE(QFile::exists(favorites.filePath("Help.url")));
    EXPECT_EQ(NodeTexts(tree), QStringList({"News", "Work", "Blank"}));
    EXPECT_EQ(NodeTexts(tree, NodeByText(tree, "News")), QStringList({"Help"}));

    // Copy, then another folder clicked: the paste goes where the selection is at that time.
    runFromFavoritesMenu(form, NodeByText(tree, "Blank"), CommandId::FavoritesCopy);
    ClickNode(tree, NodeByText(tree, "News"));
    runFromFavoritesMenu(form, NodeByText(tree, "Work"), CommandId::FavoritesPaste);
    EXPECT_TRUE(QFile::exists(favorites.filePath("Work/Blank.url")));
    EXPECT_TRUE(QFile::exists(favorites.filePath("Blank.url")));
    EXPECT_FALSE(QFile::exists(favorites.filePath("News/Blank.url")));
    EXPECT_EQ(NodeTexts(tree, NodeByText(tree, "Work")), QStringList({"Blank"}));

    runFromFavoritesMenu(form, NodeByText(tree, "Blank"), CommandId::FavoritesDelete);
    EXPECT_FALSE(QFile::exists(favorites.filePath("Blank.url")));
    EXPECT_EQ(NodeTexts(tree), QStringList({"News", "Work"}));
    Forms::Unload(form);
}

TEST(SideBar, ClearHistoryEmptiesTheTreeAndTheFile)
{
    TempProgramFolder folder;
    const QString today = QDate::currentDate().toString(QStringLiteral("M/d/yyyy"));
    folder.WriteFile(QStringLiteral("History.dat"),
                     (today + QStringLiteral("|http://127.0.0.1/visited.html\r\n")).toUtf8());
    FormMain *form = startMainWindow();
    form->ShowHistory();
    ASSERT_GT(form->TreeViewHistory->TreeView1()->topLevelItemCount(), 0);

    CommandBarControl *clear = sideControl(form, CommandId::ClearHistory);
    ASSERT_TRUE(clear->Visible());
    clear->Execute();
    EXPECT_EQ(form->TreeViewHistory->TreeView1()->topLevelItemCount(), 0);
    EXPECT_TRUE(QFile::exists(folder.FilePath(QStringLiteral("History.dat"))));
    EXPECT_TRUE(folder.ReadFile(QStringLiteral("History.dat")).isEmpty());
    Forms::Unload(form);
}

TEST(SideBar, HistoryPaneOpenedFirstLiesBelowItsButtonRowAndTakesClicks)
{
    TempProgramFolder folder;
    const QString today = QDate::currentDate().toString(QStringLiteral("M/d/yyyy"));
    folder.WriteFile(QStringLiteral("History.dat"),
                     (today + QStringLiteral("|http://127.0.0.1/visited.html\r\n")).toUtf8());
    FormMain *form = startMainWindow();
    ASSERT_TRUE(WaitUntil([&] { return Exposed(form); }));
    mainControl(form, CommandId::SideBarHistory)->Execute();

    // The pane starts below the row that holds "Clear History".
    QTreeWidget *tree = form->TreeViewHistory->TreeView1();
    QWidget *row = nullptr;
    for (int i = 1; i <= form->CommandBarsSideBar->Count(); ++i)
        if (form->CommandBarsSideBar->Item(i)->Title() == QLatin1String("SideBar"))
            row = form->CommandBarsSideBar->Item(i)->Widget();
    ASSERT_NE(row, nullptr);
    const auto rowBottom = [&] { return row->mapTo(form, QPoint(0, row->height())).y(); };
    const auto treeTop = [&] { return tree->mapTo(form, QPoint(0, 0)).y(); };
    // Once the row holds its button at full height, the tree lies below it.
    QWidget *clear = sideControl(form, CommandId::ClearHistory)->Widget();
    ASSERT_NE(clear, nullptr);
    EXPECT_TRUE(WaitUntil([&] {
        return clear->isVisible() && row->height() >= clear->height() && treeTop() >= rowBottom();
    }))
        << "tree at " << treeTop() << ", button row ends at " << rowBottom() << ", row shown " << row->isVisible();

    // A click where today's entry shows reaches it.
    QTreeWidgetItem *day = tree->topLevelItem(0);
    ASSERT_NE(day, nullptr);
    QSignalSpy clicks(tree, &QTreeWidget::itemClicked);
    const QPoint onScreen = tree->viewport()->mapToGlobal(tree->visualItemRect(day).center());
    QWidget *under = QApplication::widgetAt(onScreen);
    ASSERT_NE(under, nullptr);
    QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFromGlobal(onScreen));
    ASSERT_EQ(clicks.size(), 1) << "the click went to " << under->metaObject()->className();
    EXPECT_EQ(clicks.first().first().value<QTreeWidgetItem *>(), day);
    Forms::Unload(form);
}

TEST(SideBar, SearchSettingsAndAddToFavoritesOpenTheirDialogsOverTheMainWindow)
{
    TempProgramFolder folder;
    FormMain *form = startMainWindow();
    form->ShowSearch();
    QWidget *shown = closeModalOpenedBy([&] { sideControl(form, CommandId::SearchSettings)->Execute(); });
    EXPECT_EQ(shown, Forms::Default<FormSelectSearch>());

    form->ShowFavorites();
    shown = closeModalOpenedBy([&] { sideControl(form, CommandId::SideBarAddToFavorites)->Execute(); });
    EXPECT_NE(qobject_cast<FormAddToFavorites *>(shown), nullptr);
    Forms::Unload(form);
}

TEST(SideBar, SearchesStayInThePaneAndTheirResultsOpenInTheMainBrowser)
{
    TempProgramFolder folder;
    LocalHttpServer server;
    ASSERT_TRUE(server.Start());
    server.AddPage("/pane.html", "<html><body><form action='/results.html'>"
                                 "<input id='q' name='q'><input type='submit' value='Go'></form></body></html>");
    server.AddPage("/results.html",
                   "<html><head><title>Results</title></head><body>"
                   "<p><a id='result' href='/target.html'>First result</a></p>"
                   "<p><a id='next' href='/results.html?page=2' target='_self'>Next</a></p>"
                   "<form action='/lucky.html'><input type='hidden' name='q' value='kestrel'>"
                   "<input id='lucky' type='submit' value=\"I'm Feeling Lucky\"></form>"
                   "<p id='text'>Plain text</p></body></html>");
    server.AddPage("/target.html", "<html><head><title>Target</title></head><body>t</body></html>");
    server.AddPage("/lucky.html", "<html><head><title>Lucky</title></head><body>l</body></html>");
    folder.WriteFile(QStringLiteral("SearchConfig.dat"),
                     ("Local|True|q|" + server.Url("/pane.html").toString() + "|" + server.Url("/results.html").toString()
                      + "\r\n")
                         .toUtf8());
    FormMain *form = startMainWindow();
    WebBrowser *pane = form->WebBrowserSearch;
    ASSERT_TRUE(waitForMainAddress(form, folder.FileUrl(QStringLiteral("blank.html"))))
        << form->WebBrowserMain->LocationURL().toStdString();
    EXPECT_TRUE(pane->LocationURL().isEmpty()) << "the pane loads its page when it first opens";

    int paneLoads = 0;
    QObject::connect(pane, &WebBrowser::DocumentComplete, form, [&](WebBrowser *, const QString &) { ++paneLoads; });
    form->ShowSearch();
    ASSERT_TRUE(WaitUntil([&] { return paneLoads == 1; }));
    EXPECT_EQ(pane->LocationURL(), server.Url("/pane.html").toString());

    // Typed into the engine's box and sent with Enter: the results come in the pane.
    WebBrowserTest::ClickElement(pane, "#q");
    QTest::keyClicks(WebBrowserTest::InputWidget(pane), QStringLiteral("kestrel"));
    QTest::keyClick(WebBrowserTest::InputWidget(pane), Qt::Key_Return);
    ASSERT_TRUE(WaitUntil([&] { return paneLoads == 2; }));
    EXPECT_EQ(pane->LocationURL(), server.Url("/results.html").toString() + "?q=kestrel");

    // A result link opens in the main browser; the results stay in the pane.
    WebBrowserTest::ClickElement(pane, "#result");
    ASSERT_TRUE(waitForMainAddress(form, server.Url("/target.html").toString()))
        << form->WebBrowserMain->LocationURL().toStdString();
    EXPECT_EQ(pane->LocationURL(), server.Url("/results.html").toString() + "?q=kestrel");

    // A link of the engine's own pages stays.
    WebBrowserTest::ClickElement(pane, "#next");
    ASSERT_TRUE(WaitUntil([&] { return paneLoads == 3; }));
    EXPECT_EQ(pane->LocationURL(), server.Url("/results.html").toString() + "?page=2");

    // A "feeling lucky" search goes to the main browser, as the bare address.
    WebBrowserTest::ClickElement(pane, "#lucky");
    ASSERT_TRUE(waitForMainAddress(form, server.Url("/lucky.html").toString() + "?q=kestrel"))
        << form->WebBrowserMain->LocationURL().toStdString();
    EXPECT_EQ(pane->LocationURL(), server.Url("/results.html").toString() + "?page=2");

    // After a mouse release on plain text, a navigation the page starts by itself goes too.
    QSignalSpy mouseUps(pane->Document(), &HtmlDocument::onmouseup);
    WebBrowserTest::ClickElement(pane, "#text");
    ASSERT_TRUE(WaitUntil([&] { return !mouseUps.isEmpty(); }));
    WebBrowserTest::RunScript(pane->Page(), QStringLiteral("location.href = '/target.html?by=script'"));
    ASSERT_TRUE(waitForMainAddress(form, server.Url("/target.html").toString() + "?by=script"));
    EXPECT_EQ(pane->LocationURL(), server.Url("/results.html").toString() + "?page=2");

    // Switching panes and back keeps the pane's page; it is not loaded again.
    int paneNavigations = 0;
    QObject::connect(pane, &WebBrowser::BeforeNavigate2, form,
                     [&](WebBrowser *, const QString &, bool &) { ++paneNavigations; });
    form->ShowHistory();
    form->ShowSearch();
    ASSERT_TRUE(WebBrowserTest::NavigationsStarted(pane));
    EXPECT_EQ(paneNavigations, 0);
    EXPECT_EQ(paneLoads, 3);
    EXPECT_EQ(pane->LocationURL(), server.Url("/results.html").toString() + "?page=2");
    Forms::Unload(form);
}
