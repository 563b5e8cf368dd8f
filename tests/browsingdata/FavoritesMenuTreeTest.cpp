#include "FavoritesFixture.h"
#include "FavoritesTestWindow.h"

#include "app/CommandIds.h"
#include "browsingdata/FavoritesImages.h"
#include "browsingdata/FavoritesNode.h"
#include "platform/Forms.h"

#include <QPointer>
#include <cstddef>
#include <cstring>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>

namespace {

struct MenuEntry
{
    CommandBarControlType Type;
    int Id;
    QString Caption;
    QString Parameter;
    bool operator==(const MenuEntry &) const = default;
};

void PrintTo(const MenuEntry &e, std::ostream *os)
{
    *os << int(e.Type) << ' ' << e.Id << " \"" << e.Caption.toStdString() << "\" "
        << e.Parameter.toStdString();
}

QList<MenuEntry> Entries(const CommandBar *bar, int from = 1)
{
    QList<MenuEntry> entries;
    for (int i = from; i <= bar->Controls().Count(); ++i) {
        const CommandBarControl *c = bar->Controls().Item(i);
        entries.append({c->Type(), c->Id(), c->Caption(), c->Parameter()});
    }
    return entries;
}

class FavoritesMenuTree : public FavoritesFixture
{
protected:
    void SetUp() override
    {
        FavoritesFixture::SetUp();
        Main = new FormMain();
        Forms::Load(Main);
    }
    void TearDown() override
    {
        Forms::Unload(Main);
        FavoritesFixture::TearDown();
    }

    CommandBar *Menu() const { return Main->MenuFavorites->CommandBar(); }

    QPointer<FormMain> Main;
};

// A window whose memory is spoilt when it is deleted, and kept so that nothing else moves in: a
// look at the window after its close crashes instead of finding its old menu.
class SpoiltWhenDeleted : public FormMain
{
public:
    static void *operator new(std::size_t size);
    static void operator delete(void *memory, std::size_t size);
};

alignas(SpoiltWhenDeleted) std::byte SpoiltWindowMemory[sizeof(SpoiltWhenDeleted)];

void *SpoiltWhenDeleted::operator new(std::size_t size)
{
    Q_ASSERT(size == sizeof(SpoiltWindowMemory));
    return SpoiltWindowMemory;
}

void SpoiltWhenDeleted::operator delete(void *memory, std::size_t size)
{
    std::memset(memory, 0xff, size);
}

constexpr auto Submenu = CommandBarControlType::Submenu;
constexpr auto Button = CommandBarControlType::Button;

} // namespace

TEST_F(FavoritesMenuTree, MenuListsFoldersThenFavoritesSortedAndNested)
{
    MakeFolder(u"Zeta"_qs);
    MakeFolder(u"alpha/Inner"_qs);
    MakeFolder(u"alpha/Bare"_qs);
    MakeFolder(u"Empty"_qs);
    MakeShortcut(u"alpha/Inner/deep.url"_qs, "http://deep/");
    MakeShortcut(u"alpha/a.url"_qs, "http://a/");
    MakeShortcut(u"News.url"_qs, "http://news/?q=100%25");
    MakeShortcut(u"R&D.url"_qs, "http://rd/");

    ModManageFavFile::LoadFavoritesMenu(Main);

    EXPECT_EQ(Entries(Menu()),
              (QList<MenuEntry>{
                  {Button, CommandId::AddToFavorites, u"&Add To Favorites"_qs, {}},
                  {Submenu, CommandId::FavoritesFolder, u"alpha"_qs, Path(u"alpha"_qs)},
                  {Submenu, CommandId::FavoritesFolder, u"Empty"_qs, Path(u"Empty"_qs)},
                  {Submenu, CommandId::FavoritesFolder, u"Zeta"_qs, Path(u"Zeta"_qs)},
                  {Button, CommandId::Favorite, u"News"_qs, FavoriteKeyOf(u"News.url"_qs, u"http://news/?q=100%25"_qs)},
                  {Button, CommandId::Favorite, u"R&&D"_qs, FavoriteKeyOf(u"R&D.url"_qs, u"http://rd/"_qs)},
              }));
    const CommandBar *alpha = Menu()->Controls().Item(2)->CommandBar();
    EXPECT_EQ(Entries(alpha),
              (QList<MenuEntry>{
                  {Button, CommandId::FavoritesFolder, u"Bare"_qs, Path(u"alpha/Bare"_qs)},
                  {Submenu, CommandId::FavoritesFolder, u"Inner"_qs, Path(u"alpha/Inner"_qs)},
                  {Button, CommandId::Favorite, u"a"_qs, FavoriteKeyOf(u"alpha/a.url"_qs, u"http://a/"_qs)},
              }));
    EXPECT_EQ(Entries(alpha->Controls().Item(2)->CommandBar()),
              (QList<MenuEntry>{{Button, CommandId::Favorite, u"deep"_qs,
                                 FavoriteKeyOf(u"alpha/Inner/deep.url"_qs, u"http://deep/"_qs)}}));
    EXPECT_EQ(Menu()->Controls().Item(3)->CommandBar()->Controls().Count(), 0);

    // Choosing a favorite hands the window its key through the command bars' Execute.
    QSignalSpy executed(Main->CommandBarsMain, &CommandBars::Execute);
    alpha->Controls().Item(3)->Execute();
    ASSERT_EQ(executed.size(), 1);
    const auto *chosen = executed.at(0).at(0).value<CommandBarControl *>();
    EXPECT_EQ(chosen->Id(), CommandId::Favorite);
    EXPECT_EQ(ModManageFavFile::UrlOfFavoriteKey(chosen->Parameter()), u"http://a/"_qs);
}

TEST_F(FavoritesMenuTree, EmptyFolderGivesEmptyMenuAndTree)
{
    ModManageFavFile::LoadFavoritesMenu(Main);
    EXPECT_EQ(Menu()->Controls().Count(), 1);
    ModManageFavFile::LoadFavoritesTree(Main->TreeViewFavorites);
    EXPECT_EQ(Main->TreeViewFavorites->topLevelItemCount(), 0);
}

TEST_F(FavoritesMenuTree, TreeShowsTheTopLevelAndOpensOneLevelAtATime)
{
    MakeFolder(u"Work/Projects/Old"_qs);
    MakeFolder(u"100% Fun"_qs);
    MakeShortcut(u"100% Fun/game.url"_qs, "http://game/");
    MakeShortcut(u"Work/wiki.url"_qs, "http://wiki/");
    MakeShortcut(u"start.url"_qs, "http://start/");
    QTreeWidget *tree = Main->TreeViewFavorites;

    ModManageFavFile::LoadFavoritesTree(tree);
    ASSERT_EQ(NodeTexts(tree), (QStringList{u"100% Fun"_qs, u"Work"_qs, u"start"_qs}));
    QTreeWidgetItem *work = tree->topLevelItem(1);
    EXPECT_EQ(FavoritesNode::Key(work), Path(u"Work"_qs));
    EXPECT_EQ(FavoritesNode::Tag(work), u"Folder"_qs);
    EXPECT_EQ(FavoritesNode::Image(work), FavoritesImages::FolderImage);
    EXPECT_EQ(work->childCount(), 0);
    const QTreeWidgetItem *start = tree->topLevelItem(2);
    EXPECT_EQ(FavoritesNode::Key(start), FavoriteKeyOf(u"start.url"_qs, u"http://start/"_qs));
    EXPECT_EQ(FavoritesNode::Tag(start), u"File"_qs);
    EXPECT_EQ(FavoritesNode::Image(start), FavoritesImages::FavoriteImage);
    EXPECT_FALSE(start->icon(0).isNull());

    ModManageFavFile::ExpandFavoritesNode(tree, FavoritesNode::Key(work), work);
    EXPECT_EQ(NodeTexts(tree, work), (QStringList{u"Projects"_qs, u"wiki"_qs}));
    EXPECT_EQ(work->child(0)->childCount(), 0);
    EXPECT_EQ(FavoritesNode::Tag(work->child(1)), u"File"_qs);

    // A "%" in a folder's name is part of its path.
    QTreeWidgetItem *fun = tree->topLevelItem(0);
    ModManageFavFile::ExpandFavoritesNode(tree, FavoritesNode::Key(fun), fun);
    ASSERT_EQ(NodeTexts(tree, fun), (QStringList{u"game"_qs}));
    EXPECT_EQ(ModManageFavFile::UrlOfFavoriteKey(FavoritesNode::Key(fun->child(0))),
              u"http://game/"_qs);
}

// Reading a folder lets pending events run first; those may close the window or rebuild the
// tree, and the reading then adds nothing where they took things away.
TEST_F(FavoritesMenuTree, WindowClosedBeforeTheMenuIsReadGetsNoMenu)
{
    MakeFolder(u"Work"_qs);
    MakeShortcut(u"start.url"_qs, "http://start/");
    QPointer<FormMain> closing = new SpoiltWhenDeleted;
    Forms::Load(closing);
    QTimer::singleShot(0, closing, [&closing] {
        Forms::Unload(closing);
        delete closing;
    });
    ModManageFavFile::LoadFavoritesMenu(closing);
    EXPECT_TRUE(closing.isNull());
}

TEST_F(FavoritesMenuTree, FolderReadAgainWhileItsSubFolderIsReadShowsEachEntryOnce)
{
    MakeFolder(u"Work/Projects/Old"_qs);
    MakeShortcut(u"Work/Projects/plan.url"_qs, "http://plan/");
    MakeShortcut(u"Work/wiki.url"_qs, "http://wiki/");
    QTreeWidget *tree = Main->TreeViewFavorites;
    ModManageFavFile::LoadFavoritesTree(tree);
    QTreeWidgetItem *work = NodeByText(tree, u"Work"_qs);
    ModManageFavFile::ExpandFavoritesNode(tree, FavoritesNode::Key(work), work);
    QTreeWidgetItem *projects = NodeByText(tree, u"Projects"_qs, work);
    ASSERT_NE(projects, nullptr);

    // A click on "Work" queued meanwhile reads "Work" again, which replaces "Projects".
    QTimer::singleShot(0, tree, [tree, work] {
        FavoritesNode::RemoveChildren(work);
        ModManageFavFile::ExpandFavoritesNode(tree, FavoritesNode::Key(work), work);
    });
    ModManageFavFile::ExpandFavoritesNode(tree, FavoritesNode::Key(projects), projects);

    ASSERT_EQ(NodeTexts(tree, work), (QStringList{u"Projects"_qs, u"wiki"_qs}));
    EXPECT_EQ(work->child(0)->childCount(), 0) << "read last, the folder above leaves it unread";

    // The pane shown again meanwhile: the tree is cleared and its top level read anew.
    ModManageFavFile::ExpandFavoritesNode(tree, FavoritesNode::Key(work), work);
    projects = NodeByText(tree, u"Projects"_qs, work);
    QTimer::singleShot(0, tree, [tree] {
        tree->clear();
        ModManageFavFile::LoadFavoritesTree(tree);
    });
    ModManageFavFile::ExpandFavoritesNode(tree, FavoritesNode::Key(projects), projects);
    EXPECT_EQ(NodeTexts(tree), QStringList{u"Work"_qs});
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);
}

TEST_F(FavoritesMenuTree, NothingOutsideTheFavoritesFolderIsListed)
{
    QTemporaryDir outside;
    QFile file(outside.filePath(u"secret.url"_qs));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("URL=http://secret/\r\n");
    file.close();
    QTreeWidget *tree = Main->TreeViewFavorites;
    auto *node = FavoritesNode::Add(tree, nullptr, outside.path(), u"x"_qs, 1);
    ModManageFavFile::ExpandFavoritesNode(tree, outside.path(), node);
    ModManageFavFile::ExpandFavoritesNode(tree, Root + u"/.."_qs, node);
    EXPECT_EQ(node->childCount(), 0);
}
