#include "FavoritesFixture.h"

#include "browsingdata/FavoritesMessage.h"
#include "browsingdata/FavoritesNode.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

// A favorites tree as the main window shows it: the top level, with "Links" and "News" opened.
class FavoritesClipboard : public FavoritesFixture
{
protected:
    void SetUp() override
    {
        FavoritesFixture::SetUp();
        MakeFolder(u"Links"_qs);
        MakeFolder(u"News"_qs);
        MakeFolder(u"News/Local"_qs);
        MakeShortcut(u"top.url"_qs, "http://top/");
        MakeShortcut(u"Links/page.url"_qs, "http://page/");
        MakeShortcut(u"News/page.url"_qs, "http://other-page/");
        Tree.setHeaderHidden(true);
        ModManageFavFile::LoadFavoritesTree(&Tree);
        for (const QString &folder : {u"Links"_qs, u"News"_qs}) {
            QTreeWidgetItem *node = NodeByText(&Tree, folder);
            ModManageFavFile::ExpandFavoritesNode(&Tree, FavoritesNode::Key(node), node);
        }
    }

    QTreeWidgetItem *Node(const QString &folder, const QString &text = {})
    {
        QTreeWidgetItem *parent = NodeByText(&Tree, folder);
        return text.isEmpty() ? parent : NodeByText(&Tree, text, parent);
    }
    void Select(QTreeWidgetItem *node) { Tree.setCurrentItem(node); }
    void Take(const QString &operation, QTreeWidgetItem *node)
    {
        Select(node);
        ModManageFavFile::ClipboardOperation = operation;
        ModManageFavFile::SetFavoritesClipboard(&Tree);
    }
    void PasteInto(QTreeWidgetItem *folder)
    {
        Select(folder);
        ModManageFavFile::PasteFavorite();
    }

    QTreeWidget Tree;
};

} // namespace

TEST_F(FavoritesClipboard, CutAndPasteMovesTheFavoriteAndItsNode)
{
    Take(u"Cut"_qs, NodeByText(&Tree, u"top"_qs));
    EXPECT_EQ(ModManageFavFile::GetClipboardTree(), &Tree);
    PasteInto(Node(u"Links"_qs));

    EXPECT_FALSE(QFile::exists(Path(u"top.url"_qs)));
    EXPECT_TRUE(QFile::exists(Path(u"Links/top.url"_qs)));
    EXPECT_EQ(NodeTexts(&Tree), (QStringList{u"Links"_qs, u"News"_qs}));
    EXPECT_EQ(NodeTexts(&Tree, Node(u"Links"_qs)), (QStringList{u"page"_qs, u"top"_qs}));
    const QTreeWidgetItem *moved = Node(u"Links"_qs, u"top"_qs);
    EXPECT_EQ(FavoritesNode::Key(moved), FavoriteKeyOf(u"Links/top.url"_qs, u"http://top/"_qs));
    EXPECT_EQ(FavoritesNode::Tag(moved), u"File"_qs);
    EXPECT_EQ(FavoritesNode::Image(moved), 3);

    // The cut favorite is gone from where it was: a second paste has nothing to move.
    PasteInto(Node(u"News"_qs, u"Local"_qs));
    EXPECT_EQ(Node(u"News"_qs, u"Local"_qs)->childCount(), 0);
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(FavoritesClipboard, CopyPastesAgainAndNeverReplacesAFileOfTheSameName)
{
    Take(u"Copy"_qs, Node(u"Links"_qs, u"page"_qs));
    PasteInto(Node(u"News"_qs, u"Local"_qs));
    EXPECT_TRUE(QFile::exists(Path(u"Links/page.url"_qs)));
    EXPECT_EQ(ModManageFavFile::GetUrlFromShortcut(Path(u"News/Local/page.url"_qs)),
              u"http://page/"_qs);
    EXPECT_EQ(NodeTexts(&Tree, Node(u"News"_qs, u"Local"_qs)), QStringList{u"page"_qs});

    PasteInto(Node(u"News"_qs));
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages.at(0), u"File Exists|The file already exists at the specified location "_qs
                                  + Path(u"News/page.url"_qs));
    EXPECT_EQ(ModManageFavFile::GetUrlFromShortcut(Path(u"News/page.url"_qs)),
              u"http://other-page/"_qs);
    EXPECT_EQ(NodeTexts(&Tree, Node(u"News"_qs)), (QStringList{u"Local"_qs, u"page"_qs}));
}

TEST_F(FavoritesClipboard, OnlyTheExactOperationTextsPaste)
{
    for (const QString &operation : {u"cut"_qs, u"COPY"_qs, QString()}) {
        Take(operation, NodeByText(&Tree, u"top"_qs));
        PasteInto(Node(u"Links"_qs));
    }
    EXPECT_TRUE(QFile::exists(Path(u"top.url"_qs)));
    EXPECT_FALSE(QFile::exists(Path(u"Links/top.url"_qs)));
    EXPECT_EQ(Node(u"Links"_qs)->childCount(), 1);
}

TEST_F(FavoritesClipboard, PasteNeedsAFavoriteAndATargetFolderInside)
{
    // Before any cut or copy; a folder as the source; a favorite as the target.
    PasteInto(Node(u"Links"_qs));
    Take(u"Copy"_qs, Node(u"News"_qs, u"Local"_qs));
    PasteInto(Node(u"Links"_qs));
    Take(u"Copy"_qs, NodeByText(&Tree, u"top"_qs));
    PasteInto(Node(u"Links"_qs, u"page"_qs));
    // A target folder outside the Favorites folder.
    QTemporaryDir outside;
    QTreeWidgetItem *away = FavoritesNode::Add(&Tree, nullptr, outside.path(), u"away"_qs, 1);
    PasteInto(away);
    QTreeWidgetItem *parentStep = FavoritesNode::Add(&Tree, nullptr, Root + u"/.."_qs, u".."_qs, 1);
    PasteInto(parentStep);

    EXPECT_TRUE(QDir(outside.path()).isEmpty());
    EXPECT_FALSE(QFile::exists(Root + u"/../top.url"_qs));
    EXPECT_FALSE(QFile::exists(Path(u"Links/Local"_qs)));
    EXPECT_EQ(away->childCount() + parentStep->childCount(), 0);
    EXPECT_EQ(Node(u"Links"_qs)->childCount(), 1);
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(FavoritesClipboard, DeleteRemovesTheFileAndItsNode)
{
    Select(Node(u"Links"_qs, u"page"_qs));
    ModManageFavFile::DeleteFavorite(&Tree);
    EXPECT_FALSE(QFile::exists(Path(u"Links/page.url"_qs)));
    EXPECT_EQ(Node(u"Links"_qs)->childCount(), 0);

    // A read-only favorite stays, and so does its node; a folder is not deleted.
    ASSERT_TRUE(QFile::setPermissions(Path(u"top.url"_qs), QFileDevice::ReadOwner));
    Select(NodeByText(&Tree, u"top"_qs));
    ModManageFavFile::DeleteFavorite(&Tree);
    EXPECT_TRUE(QFile::exists(Path(u"top.url"_qs)));
    EXPECT_NE(NodeByText(&Tree, u"top"_qs), nullptr);
    ASSERT_EQ(Messages.size(), 1) << "the user is told that the favorite stays";
    EXPECT_TRUE(Messages.first().contains(u"\"top\""_qs)) << Messages.first().toStdString();
    EXPECT_TRUE(Messages.first().contains(QDir::toNativeSeparators(Path(u"top.url"_qs))));
    Messages.clear();
    Select(Node(u"News"_qs));
    ModManageFavFile::DeleteFavorite(&Tree);
    EXPECT_TRUE(QFileInfo(Path(u"News"_qs)).isDir());
    EXPECT_NE(Node(u"News"_qs), nullptr);

    // A favorite deleted outside the program leaves only its node to remove.
    ASSERT_TRUE(QFile::remove(Path(u"News/page.url"_qs)));
    Select(Node(u"News"_qs, u"page"_qs));
    ModManageFavFile::DeleteFavorite(&Tree);
    EXPECT_EQ(NodeTexts(&Tree, Node(u"News"_qs)), QStringList{u"Local"_qs});
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(FavoritesClipboard, DeleteNeverReachesOutsideTheFavoritesFolder)
{
    QTemporaryDir outside;
    const QString victim = outside.filePath(u"victim.url"_qs);
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    Select(FavoritesNode::Add(&Tree, nullptr, victim + u"%http://x/"_qs, u"victim"_qs, 3));
    ModManageFavFile::DeleteFavorite(&Tree);
    Select(FavoritesNode::Add(&Tree, nullptr, Path(u"../../"_qs) + victim.mid(1) + u'%',
                              u"dots"_qs, 3));
    ModManageFavFile::DeleteFavorite(&Tree);
    EXPECT_TRUE(QFile::exists(victim));
}

TEST_F(FavoritesClipboard, FileExistsShowsAWarningBoxTheUserCloses)
{
    FavoritesMessage::SetHandler({});
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    // Looks for the box until it is up, then reads it and clicks its OK as the user would.
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    poll.start();
    Take(u"Copy"_qs, Node(u"Links"_qs, u"page"_qs));
    PasteInto(Node(u"Links"_qs));
    EXPECT_EQ(title, u"File Exists"_qs);
    EXPECT_EQ(text, u"The file already exists at the specified location "_qs
                        + Path(u"Links/page.url"_qs));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(Node(u"Links"_qs)->childCount(), 1);
}
