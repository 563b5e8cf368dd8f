#include "FavoritesFixture.h"
#include "FavoritesTestWindow.h"

#include "browsingdata/FavoritesNode.h"
#include "browsingdata/FormAddToFavorites.h"
#include "browsingdata/FormCreateNewFolder.h"
#include "tests/platform/WebBrowserTestSupport.h"
#include "tests/support/FullFileSystem.h"
#include "platform/Forms.h"
#include "platform/WebBrowser.h"
#include "tests/support/WaitFor.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include <functional>

namespace {

// The user's hands: clicks on tree nodes and buttons, typing over a box's text.
void TypeOver(QLineEdit *box, const QString &text)
{
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

class FavoritesDialogs : public FavoritesFixture
{
protected:
    void SetUp() override
    {
        FavoritesFixture::SetUp();
        WebBrowserTest::DataFolder();
        MakeFolder(u"Sub/Deeper"_qs);
        MakeFolder(u"Other"_qs);
        MakeShortcut(u"Sub/kept.url"_qs, "http://kept/");
        Main = new FormMain(true);
        Forms::Load(Main);
        ModManageFavFile::LoadFavoritesTree(Main->TreeViewFavorites);
        // The user has opened "Sub" in the main window's favorites tree.
        QTreeWidgetItem *sub = MainNode(u"Sub"_qs);
        ModManageFavFile::ExpandFavoritesNode(Main->TreeViewFavorites, Path(u"Sub"_qs), sub);
        Main->FavoritesFolderKey = Path(u"Sub"_qs);
        // A dialog still open at the deadline is closed, so that a failing test cannot hang.
        m_watchdog.setSingleShot(true);
        m_watchdog.setInterval(30000);
        QObject::connect(&m_watchdog, &QTimer::timeout, [] {
            for (QWidget *form : Forms::LoadedForms()) {
                if (form->inherits("FormCreateNewFolder") || form->inherits("FormAddToFavorites"))
                    Forms::Unload(form);
            }
        });
        m_watchdog.start();
    }
    void TearDown() override
    {
        Forms::Unload(Main);
        EXPECT_TRUE(WaitUntil([&] { return Main.isNull(); }));
        FavoritesFixture::TearDown();
    }

    void ShowPage(const QString &title)
    {
        QFile page(WebBrowserTest::DataFolder().filePath(u"page.html"_qs));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly | QIODevice::Truncate));
        page.write("<html><head><title>" + title.toUtf8() + "</title></head><body>x</body></html>");
        page.close();
        PageUrl = QUrl::fromLocalFile(page.fileName()).toString();
        Main->WebBrowserMain->Navigate(PageUrl);
        ASSERT_TRUE(WaitUntil([&] { return Main->WebBrowserMain->LocationName() == title; }));
        PageUrl = Main->WebBrowserMain->LocationURL();
    }

    QTreeWidgetItem *MainNode(const QString &text, const QTreeWidgetItem *parent = nullptr)
    {
        return NodeByText(Main->TreeViewFavorites, text, parent);
    }

    // Opens Add To Favorites modally; actions run as the user once it is up.
    void AddToFavorites(const std::function<void(FormAddToFavorites *)> &actions)
    {
        QPointer<FormAddToFavorites> dialog = Forms::Default<FormAddToFavorites>();
        QTimer::singleShot(0, dialog, [dialog, actions] {
            ASSERT_TRUE(WaitUntil([&] { return Exposed(dialog); }));
            actions(dialog);
        });
        dialog->ShowModal(Main);
        EXPECT_TRUE(WaitUntil([&] { return dialog.isNull(); }));
    }

    // Clicks a folder just below the dialog's top level, as the user does, and gives its node.
    static QTreeWidgetItem *ClickTopFolder(FormAddToFavorites *dialog, const QString &name)
    {
        QTreeWidget *tree = dialog->TVAddToFavorites2;
        QTreeWidgetItem *folder = NodeByText(tree, name, tree->topLevelItem(0));
        ClickNode(tree, folder);
        return folder;
    }

    // Clicks New Folder; actions run as the user in Create New Folder once it is up.
    static void NewFolder(FormAddToFavorites *dialog,
                          const std::function<void(FormCreateNewFolder *)> &actions)
    {
        QTimer::singleShot(0, dialog, [dialog, actions] {
            QPointer<FormCreateNewFolder> inner = dialog->findChild<FormCreateNewFolder *>();
            ASSERT_TRUE(inner);
            ASSERT_TRUE(WaitUntil([&] { return Exposed(inner); }));
            actions(inner);
        });
        QTest::mouseClick(dialog->cmdNewFolder, Qt::LeftButton);
    }

    QPointer<FormMain> Main;
    QString PageUrl;

private:
    QTimer m_watchdog;
};

} // namespace

TEST_F(FavoritesDialogs, AddsThePageUnderTheEditedNameInTheChosenFolder)
{
    ShowPage(u"T"_qs);
    AddToFavorites([&](FormAddToFavorites *dialog) {
        EXPECT_EQ(dialog->windowTitle(), u"Add To Favorites"_qs);
        EXPECT_EQ(dialog->LabelAddToFavorites->text(),
                  u"This item will be added to your favorites."_qs);
        EXPECT_EQ(dialog->TextName->text(), u"T"_qs);
        QTreeWidget *tree = dialog->TVAddToFavorites2;
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        QTreeWidgetItem *root = tree->topLevelItem(0);
        EXPECT_EQ(root->text(0), u"Favorites"_qs);
        EXPECT_TRUE(root->isExpanded());
        EXPECT_EQ(NodeTexts(tree, root), (QStringList{u"Other"_qs, u"Sub"_qs}));
        QTreeWidgetItem *sub = NodeByText(tree, u"Sub"_qs, root);
        EXPECT_EQ(NodeTexts(tree, sub), QStringList{u"Deeper"_qs});
        EXPECT_EQ(FavoritesNode::Key(sub), Path(u"Sub"_qs));

        ClickNode(tree, sub);
        TypeOver(dialog->TextName, u"U"_qs);
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    });

    EXPECT_EQ(ModManageFavFile::GetUrlFromShortcut(Path(u"Sub/U.url"_qs)), PageUrl);
    EXPECT_FALSE(QFile::exists(Path(u"Sub/T.url"_qs)));
    QTreeWidgetItem *sub = MainNode(u"Sub"_qs);
    EXPECT_EQ(NodeTexts(Main->TreeViewFavorites, sub),
              (QStringList{u"Deeper"_qs, u"kept"_qs, u"U"_qs}));
    const QTreeWidgetItem *added = MainNode(u"U"_qs, sub);
    ASSERT_TRUE(added);
    EXPECT_EQ(FavoritesNode::Key(added), FavoriteKeyOf(u"Sub/U.url"_qs, PageUrl));
    EXPECT_EQ(FavoritesNode::Tag(added), u"File"_qs);
    EXPECT_EQ(FavoritesNode::Image(added), 3);
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(FavoritesDialogs, TitleSavedWithSafeCharactersAtTheTopLevel)
{
    MakeFolder(u"Favorites"_qs);
    Main->TreeViewFavorites->clear();
    ModManageFavFile::LoadFavoritesTree(Main->TreeViewFavorites);
    ShowPage(u"Home: Start/Page"_qs);
    AddToFavorites([](FormAddToFavorites *dialog) {
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    });
    EXPECT_EQ(ModManageFavFile::GetUrlFromShortcut(Path(u"Home- Start-Page.url"_qs)), PageUrl);
    EXPECT_EQ(NodeTexts(Main->TreeViewFavorites),
              (QStringList{u"Favorites"_qs, u"Other"_qs, u"Sub"_qs, u"Home- Start-Page"_qs}));

    // A sub-folder that happens to be called "Favorites" is not the top level.
    AddToFavorites([](FormAddToFavorites *dialog) {
        ClickTopFolder(dialog, u"Favorites"_qs);
        TypeOver(dialog->TextName, u"../Inside"_qs);
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    });
    EXPECT_TRUE(QFile::exists(Path(u"Favorites/..-Inside.url"_qs)));
    EXPECT_EQ(Main->TreeViewFavorites->topLevelItemCount(), 4);
}

TEST_F(FavoritesDialogs, NameThatCannotBeSavedKeepsTheDialogOpen)
{
    ShowPage(u"T"_qs);
    AddToFavorites([&](FormAddToFavorites *dialog) {
        TypeOver(dialog->TextName, u"   "_qs);
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
        EXPECT_EQ(Messages.size(), 1);
        EXPECT_TRUE(Messages.value(0).startsWith(u"Add To Favorites|"_qs));
        EXPECT_TRUE(dialog->isVisible());
        QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    });
    EXPECT_EQ(QDir(Root).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

TEST_F(FavoritesDialogs, AFavoriteThatCannotBeWrittenNamesItsFileAndKeepsTheDialogOpen)
{
    FullFileSystem disk(64);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why().toStdString();
    ModManageFavFile::SetFavoritesFolder(disk.Path());
    ASSERT_TRUE(disk.LeaveFree(0));
    ShowPage(u"T"_qs);
    AddToFavorites([&](FormAddToFavorites *dialog) {
        TypeOver(dialog->TextName, u"Kept"_qs);
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
        ASSERT_EQ(Messages.size(), 1);
        EXPECT_TRUE(Messages.value(0).startsWith(u"Add To Favorites|"_qs));
        EXPECT_TRUE(Messages.value(0).contains(u"\"Kept.url\""_qs)) << Messages.value(0).toStdString();
        EXPECT_TRUE(dialog->isVisible());
        QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    });
    EXPECT_EQ(QDir(disk.Path()).entryList(QDir::Files), QStringList{u"filler"_qs});
    ModManageFavFile::SetFavoritesFolder(Root);
}

TEST_F(FavoritesDialogs, NewFolderChecksTheNameAndShowsTheFolder)
{
    ShowPage(u"T"_qs);
    AddToFavorites([&](FormAddToFavorites *dialog) {
        QTreeWidget *tree = dialog->TVAddToFavorites2;
        QTreeWidgetItem *sub = ClickTopFolder(dialog, u"Sub"_qs);
        NewFolder(dialog, [&](FormCreateNewFolder *inner) {
            EXPECT_EQ(inner->windowTitle(), u"Create New Folder"_qs);
            QTest::mouseClick(inner->cmdOK, Qt::LeftButton);
            TypeOver(inner->TextFolderName, u".."_qs);
            QTest::mouseClick(inner->cmdOK, Qt::LeftButton);
            TypeOver(inner->TextFolderName, u"Deeper"_qs);
            QTest::mouseClick(inner->cmdOK, Qt::LeftButton);
            EXPECT_EQ(Messages,
                      (QStringList{
                          u"Create New Folder|Please enter a name for the new folder"_qs,
                          u"Create New Folder|Please enter a name for the new folder"_qs,
                          u"Kestrelvue3|A folder of the same name already exists in the selected location."_qs,
                      }));
            EXPECT_TRUE(inner->isVisible());
            TypeOver(inner->TextFolderName, u"a/b"_qs);
            QTest::mouseClick(inner->cmdOK, Qt::LeftButton);
        });
        EXPECT_TRUE(WaitUntil(
            [&] { return dialog->findChildren<FormCreateNewFolder *>().isEmpty(); }))
            << "the folder dialog closes after OK";
        EXPECT_TRUE(QFileInfo(Path(u"Sub/a-b"_qs)).isDir());
        const QTreeWidgetItem *made = NodeByText(tree, u"a-b"_qs, sub);
        ASSERT_TRUE(made);
        EXPECT_EQ(FavoritesNode::Key(made), Path(u"Sub/a-b"_qs));
        EXPECT_EQ(FavoritesNode::Tag(made), u"Folder"_qs);
        QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    });
    EXPECT_FALSE(QFileInfo::exists(Root + u"/../.."_qs + u"/Deeper"_qs));
    // "Sub" is the folder last clicked in the main tree: the new folder shows there too,
    // among the folders.
    EXPECT_EQ(NodeTexts(Main->TreeViewFavorites, MainNode(u"Sub"_qs)),
              (QStringList{u"Deeper"_qs, u"a-b"_qs, u"kept"_qs}));
}

TEST_F(FavoritesDialogs, NewFolderElsewhereLeavesTheMainTreeAlone)
{
    ShowPage(u"T"_qs);
    AddToFavorites([&](FormAddToFavorites *dialog) {
        QTreeWidget *tree = dialog->TVAddToFavorites2;
        ClickTopFolder(dialog, u"Other"_qs);
        NewFolder(dialog, [](FormCreateNewFolder *inner) {
            TypeOver(inner->TextFolderName, u"Fresh"_qs);
            QTest::mouseClick(inner->cmdOK, Qt::LeftButton);
        });
        // The new folder is a target like any other.
        QTreeWidgetItem *other = NodeByText(tree, u"Other"_qs, tree->topLevelItem(0));
        QTest::keyClick(tree, Qt::Key_Right);
        ClickNode(tree, NodeByText(tree, u"Fresh"_qs, other));
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    });
    EXPECT_TRUE(QFile::exists(Path(u"Other/Fresh/T.url"_qs)));
    EXPECT_EQ(MainNode(u"Other"_qs)->childCount(), 0);
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(FavoritesDialogs, ExpandingAFolderReadsItAgain)
{
    ShowPage(u"T"_qs);
    AddToFavorites([&](FormAddToFavorites *dialog) {
        QTreeWidget *tree = dialog->TVAddToFavorites2;
        QTreeWidgetItem *sub = ClickTopFolder(dialog, u"Sub"_qs);
        QTest::keyClick(tree, Qt::Key_Right);
        EXPECT_TRUE(sub->isExpanded());
        EXPECT_EQ(FavoritesNode::ExpandedImage(sub), 2);
        MakeFolder(u"Sub/Made Outside"_qs);
        MakeFolder(u"Sub/Deeper/Below"_qs);
        QTest::keyClick(tree, Qt::Key_Left);
        QTest::keyClick(tree, Qt::Key_Right);
        sub = NodeByText(tree, u"Sub"_qs, tree->topLevelItem(0));
        EXPECT_EQ(NodeTexts(tree, sub), (QStringList{u"Deeper"_qs, u"Made Outside"_qs}));
        EXPECT_EQ(NodeTexts(tree, sub->child(0)), QStringList{u"Below"_qs});
        EXPECT_EQ(FavoritesNode::Tag(sub->child(1)), u"Folder"_qs);
        QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    });
}

// Expanding a folder lets pending events run before it reads the folder. The folder above,
// closed and opened again meanwhile, is read again and replaces the node being filled.
TEST_F(FavoritesDialogs, FolderReadAgainWhileItsSubFolderIsReadShowsEachFolderOnce)
{
    MakeFolder(u"Sub/Deeper/Below/Lowest"_qs);
    ShowPage(u"T"_qs);
    AddToFavorites([&](FormAddToFavorites *dialog) {
        QTreeWidget *tree = dialog->TVAddToFavorites2;
        QTreeWidgetItem *sub = ClickTopFolder(dialog, u"Sub"_qs);
        QTest::keyClick(tree, Qt::Key_Right);
        QTreeWidgetItem *deeper = NodeByText(tree, u"Deeper"_qs, sub);
        ASSERT_NE(deeper, nullptr);
        tree->scrollToItem(deeper);
        const QRect row = tree->visualItemRect(deeper);
        const QPoint expandButton(row.left() - tree->indentation() / 2, row.center().y());

        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right})
            QCoreApplication::postEvent(tree, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, expandButton);

        sub = NodeByText(tree, u"Sub"_qs, tree->topLevelItem(0));
        EXPECT_TRUE(sub->isExpanded());
        ASSERT_EQ(NodeTexts(tree, sub), QStringList{u"Deeper"_qs});
        EXPECT_EQ(NodeTexts(tree, sub->child(0)), QStringList{u"Below"_qs});
        EXPECT_FALSE(sub->child(0)->isExpanded());
        QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    });
}
