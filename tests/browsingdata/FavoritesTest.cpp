#include "browsingdata/FavoriteKey.h"
#include "browsingdata/FavoritesFolder.h"
#include "browsingdata/InternetShortcutFile.h"
#include "browsingdata/ModManageFavFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FullFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A Favorites folder made by the test.
class FavoritesTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        Root = m_dir.filePath(u"Favorites"_qs);
        ASSERT_TRUE(QDir().mkpath(Root));
    }

    QString Path(const QString &relative) const { return Root + u'/' + relative; }
    void MakeFolder(const QString &relative) { ASSERT_TRUE(QDir().mkpath(Path(relative))); }
    void MakeShortcut(const QString &relative, const QByteArray &url)
    {
        WriteFile(Path(relative), "[InternetShortcut]\r\nURL=" + url + "\r\n");
    }

    QString Root;

private:
    QTemporaryDir m_dir;
};

QStringList Names(const QList<FavoritesEntry> &entries)
{
    QStringList names;
    for (const FavoritesEntry &entry : entries)
        names.append(entry.Name);
    return names;
}

} // namespace

TEST_F(FavoritesTree, ShortcutWrittenAsOtherProgramsReadIt)
{
    QString name = u"News"_qs;
    ASSERT_TRUE(ModManageFavFile::CreateUrlFile(u"http://news.example/"_qs, name, Root, Root));
    EXPECT_EQ(name, u"News.url"_qs);
    EXPECT_EQ(ReadFile(Path(name)), QByteArray("[InternetShortcut]\r\nURL=http://news.example/\r\n"));
    EXPECT_EQ(ModManageFavFile::GetUrlFromShortcut(Path(name)), u"http://news.example/"_qs);
}

TEST_F(FavoritesTree, FileNamesFollowTheTitleRules)
{
    const QList<std::pair<QString, QString>> cases = {
        {u"Home: Start/Page"_qs, u"Home- Start-Page.url"_qs},
        {u"  Report  "_qs, u"Report.url"_qs},
        {u"Report.URL"_qs, u"Report.URL"_qs},
        {u" a.url"_qs, u" a.url"_qs},
        {u"back\\slash"_qs, u"back-slash.url"_qs},
        {u"../../etc/passwd"_qs, u"..-..-etc-passwd.url"_qs},
        {u"two\r\nlines\t"_qs, u"two  lines.url"_qs},
        {u".."_qs, u"...url"_qs},
    };
    for (const auto &[title, expected] : cases) {
        QString name = title;
        ASSERT_TRUE(ModManageFavFile::CreateUrlFile(u"http://x/"_qs, name, Root, Root))
            << title.toStdString();
        EXPECT_EQ(name, expected);
        EXPECT_TRUE(QFile::exists(Path(expected))) << expected.toStdString();
    }
    EXPECT_EQ(QDir(Root).entryList(QDir::Files | QDir::Hidden).size(), cases.size());
}

TEST_F(FavoritesTree, UnusableNamesAndFoldersOutsideAreRefused)
{
    QString blank = u"   "_qs;
    EXPECT_FALSE(ModManageFavFile::CreateUrlFile(u"http://x/"_qs, blank, Root, Root));
    QString dotUrl = u".url"_qs;
    EXPECT_FALSE(ModManageFavFile::CreateUrlFile(u"http://x/"_qs, dotUrl, Root, Root));
    QString name = u"Page"_qs;
    EXPECT_FALSE(ModManageFavFile::CreateUrlFile(u"http://x/"_qs, name, Root + u"/.."_qs, Root));
    EXPECT_FALSE(ModManageFavFile::CreateUrlFile(u"http://x/"_qs, name, Path(u"missing"_qs), Root));
    EXPECT_EQ(name, u"Page"_qs);
    EXPECT_TRUE(QDir(Root).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    EXPECT_FALSE(QFile::exists(Root + u"/../Page.url"_qs));
}

TEST_F(FavoritesTree, LinkFollowedByParentStepStaysInside)
{
    QTemporaryDir outside;
    const QString away = outside.filePath(u"deep/away"_qs);
    ASSERT_TRUE(QDir().mkpath(away));
    ASSERT_TRUE(QFile::link(away, Path(u"link"_qs)));
    QString name = u"Linked"_qs;
    ASSERT_TRUE(ModManageFavFile::CreateUrlFile(u"http://x/"_qs, name, Path(u"link/.."_qs), Root));
    EXPECT_TRUE(QFile::exists(Path(u"Linked.url"_qs)));
    EXPECT_FALSE(QFile::exists(outside.filePath(u"deep/Linked.url"_qs)));
    QString inLink = u"InLink"_qs;
    ASSERT_TRUE(ModManageFavFile::CreateUrlFile(u"http://x/"_qs, inLink, Path(u"link"_qs), Root))
        << "a folder the user linked into the Favorites folder is part of it";
    EXPECT_TRUE(QFile::exists(away + u"/InLink.url"_qs));
}

TEST_F(FavoritesTree, LongNamesShortenedToTheFileSystemLimit)
{
    QString name = QString(300, QChar(0x00E9)) + u"/tail"_qs;
    ASSERT_TRUE(ModManageFavFile::CreateUrlFile(u"http://x/"_qs, name, Root, Root));
    EXPECT_LE(name.toUtf8().size(), 255);
    EXPECT_TRUE(name.endsWith(u".url"_qs));
    EXPECT_TRUE(QFile::exists(Path(name)));

    QString emoji;
    for (int i = 0; i < 100; ++i)
        emoji += QString::fromUtf8("\xF0\x9F\x98\x80");
    ASSERT_TRUE(ModManageFavFile::CreateUrlFile(u"http://x/"_qs, emoji, Root, Root));
    EXPECT_LE(emoji.toUtf8().size(), 255);
    EXPECT_FALSE(emoji.chopped(4).back().isHighSurrogate());
}

TEST_F(FavoritesTree, AddressWithLineBreaksStaysOneLine)
{
    QString name = u"Inject"_qs;
    ASSERT_TRUE(ModManageFavFile::CreateUrlFile(u"http://x/\r\nURL=http://evil/"_qs, name, Root, Root));
    EXPECT_EQ(ModManageFavFile::GetUrlFromShortcut(Path(name)), u"http://x/URL=http://evil/"_qs);
}

TEST_F(FavoritesTree, ReadingTakesTheLastExactUrlLine)
{
    WriteFile(Path(u"a.url"_qs), "[Other]\r\nURL=http://a/\r\n[InternetShortcut]\r\nurl=http://lower/\r\n"
                                 "URL=http://b/\r\nIconFile=x.ico\r\n");
    EXPECT_EQ(ModManageFavFile::GetUrlFromShortcut(Path(u"a.url"_qs)), u"http://b/"_qs);
    WriteFile(Path(u"lf.url"_qs), "[InternetShortcut]\nURL=http://lf/");
    EXPECT_EQ(ModManageFavFile::GetUrlFromShortcut(Path(u"lf.url"_qs)), u"http://lf/"_qs);
    WriteFile(Path(u"none.url"_qs), "[InternetShortcut]\r\n");
    EXPECT_EQ(ModManageFavFile::GetUrlFromShortcut(Path(u"none.url"_qs)), QString());
    WriteFile(Path(u"ansi.url"_qs), "URL=http://x/caf\xE9\r\n");
    EXPECT_EQ(ModManageFavFile::GetUrlFromShortcut(Path(u"ansi.url"_qs)), u"http://x/caf\u00e9"_qs);
    WriteFile(Path(u"cr.url"_qs), "[InternetShortcut]\rURL=http://cr/\rIconFile=x.ico\r");
    EXPECT_EQ(ModManageFavFile::GetUrlFromShortcut(Path(u"cr.url"_qs)), u"http://cr/"_qs)
        << "a lone CR ends a line too";
}

TEST_F(FavoritesTree, ListsFoldersFirstSortedWithKeys)
{
    MakeFolder(u"zeta"_qs);
    MakeFolder(u"Alpha"_qs);
    MakeShortcut(u"News.url"_qs, "http://news/");
    MakeShortcut(u"apple.url"_qs, "http://apple/");
    WriteFile(Path(u"desktop.ini"_qs), "[.ShellClassInfo]\r\n");
    WriteFile(Path(u"ab"_qs), "URL=http://short/\r\n");

    const QList<FavoritesEntry> entries = FavoritesFolder::List(Root);
    EXPECT_EQ(Names(entries), (QStringList{u"Alpha"_qs, u"zeta"_qs, u"ab"_qs, u"apple"_qs,
                                          u"desktop"_qs, u"News"_qs}));
    EXPECT_EQ(entries.at(0).EntryKind, FavoritesEntry::Folder);
    EXPECT_EQ(entries.at(0).Key, Path(u"Alpha"_qs));
    EXPECT_EQ(entries.at(5).EntryKind, FavoritesEntry::File);
    EXPECT_EQ(entries.at(5).Key, Path(u"News.url"_qs) + u"%http://news/"_qs);
    EXPECT_EQ(entries.at(4).Key, Path(u"desktop.ini"_qs) + u'%');
    EXPECT_TRUE(FavoritesFolder::List(Path(u"Alpha"_qs)).isEmpty());
}

TEST_F(FavoritesTree, TreeReadsEveryLevel)
{
    MakeFolder(u"Top/Empty"_qs);
    MakeFolder(u"Top/Full"_qs);
    MakeShortcut(u"Top/Full/deep.url"_qs, "http://deep/");
    MakeFolder(u"EmptyTop"_qs);
    const FavoritesTreeFolder tree = FavoritesFolder::ReadTree(Root);
    ASSERT_EQ(tree.Folders.size(), 2);
    EXPECT_EQ(tree.Folders.at(0).Entry.Name, u"EmptyTop"_qs);
    EXPECT_FALSE(tree.Folders.at(0).HasEntries());
    const FavoritesTreeFolder &top = tree.Folders.at(1);
    ASSERT_EQ(top.Folders.size(), 2);
    EXPECT_FALSE(top.Folders.at(0).HasEntries());
    ASSERT_EQ(top.Folders.at(1).Files.size(), 1);
    EXPECT_EQ(top.Folders.at(1).Files.at(0).URL, u"http://deep/"_qs);
}

// A save writes a favorite beside it under a name of its own before renaming it in place; such
// a temporary, of a save in progress or of one cut short, is no favorite.
TEST_F(FavoritesTree, SaveTemporariesAreNotListed)
{
    MakeFolder(u"News"_qs);
    MakeShortcut(u"a.url"_qs, "http://a/");
    MakeShortcut(u"a.url.kestrelvue-save-Ab3xYz"_qs, "http://a/");
    MakeShortcut(u"News/b.url.kestrelvue-save-Q1w2E3"_qs, "http://b/");
    MakeShortcut(u"News/b.url.kestrelvue-save"_qs, "http://b/");

    EXPECT_EQ(Names(FavoritesFolder::List(Root)).join(u'|').toStdString(), "News|a");
    const FavoritesTreeFolder tree = FavoritesFolder::ReadTree(Root);
    ASSERT_EQ(tree.Folders.size(), 1);
    EXPECT_EQ(Names(tree.Folders.at(0).Files).join(u'|').toStdString(), "b.url.kestrelvue-");
}

TEST_F(FavoritesTree, SymlinkLoopsEndTheWalk)
{
    MakeFolder(u"A/B"_qs);
    MakeShortcut(u"A/B/page.url"_qs, "http://page/");
    ASSERT_TRUE(QFile::link(Root, Path(u"A/B/toRoot"_qs)));
    ASSERT_TRUE(QFile::link(Path(u"A"_qs), Path(u"A/self"_qs)));
    MakeFolder(u"Other"_qs);
    ASSERT_TRUE(QFile::link(Path(u"Cross"_qs), Path(u"Other/toCross"_qs)));
    MakeFolder(u"Cross"_qs);
    ASSERT_TRUE(QFile::link(Path(u"Other"_qs), Path(u"Cross/toOther"_qs)));
    ASSERT_TRUE(QFile::link(Path(u"gone"_qs), Path(u"dangling.url"_qs)));

    EXPECT_EQ(Names(FavoritesFolder::List(Path(u"A"_qs))), QStringList{u"B"_qs});
    EXPECT_EQ(Names(FavoritesFolder::List(Path(u"A/B"_qs))), QStringList{u"page"_qs});
    const FavoritesTreeFolder tree = FavoritesFolder::ReadTree(Root);
    EXPECT_EQ(Names(FavoritesFolder::List(Root)), (QStringList{u"A"_qs, u"Cross"_qs, u"Other"_qs}));
    const FavoritesTreeFolder &cross = tree.Folders.at(1);
    ASSERT_EQ(cross.Folders.size(), 1);
    const FavoritesTreeFolder &viaLink = cross.Folders.at(0);
    ASSERT_EQ(viaLink.Folders.size(), 1);
    EXPECT_FALSE(viaLink.Folders.at(0).HasEntries()) << "the walk is not entered again";
}

TEST_F(FavoritesTree, PercentInFolderNamesAndAddressesSplitsRight)
{
    MakeFolder(u"100% sure"_qs);
    MakeShortcut(u"100% sure/q.url"_qs, "http://s/?q=%41%42");
    // A file named like the part before the folder's "%" does not capture the key.
    WriteFile(Path(u"100"_qs), "");
    const QList<FavoritesEntry> entries = FavoritesFolder::List(Path(u"100% sure"_qs));
    ASSERT_EQ(entries.size(), 1);
    const QString key = entries.at(0).Key;
    EXPECT_EQ(key, Path(u"100% sure/q.url"_qs) + u"%http://s/?q=%41%42"_qs);

    const FavoriteKey::Parts parts = FavoriteKey::Split(key);
    EXPECT_TRUE(parts.IsFavorite);
    EXPECT_EQ(parts.Path, Path(u"100% sure/q.url"_qs));
    EXPECT_EQ(parts.URL, u"http://s/?q=%41%42"_qs);
    EXPECT_EQ(ModManageFavFile::UrlOfFavoriteKey(key), u"http://s/?q=%41%42"_qs);

    const FavoriteKey::Parts folder = FavoriteKey::Split(Path(u"100% sure"_qs));
    EXPECT_FALSE(folder.IsFavorite);
    EXPECT_EQ(ModManageFavFile::UrlOfFavoriteKey(Path(u"100% sure"_qs)), QString());

    ASSERT_TRUE(ModManageFavFile::DeleteFavoriteFile(key, Root));
    EXPECT_FALSE(QFile::exists(parts.Path));
    EXPECT_TRUE(QDir(Path(u"100% sure"_qs)).exists());
}

TEST_F(FavoritesTree, SplitPrefersTheShortcutHoldingTheAddress)
{
    // "a" is a file and "a%b" a folder: the key of a%b/x.url must not split after "a".
    WriteFile(Path(u"a"_qs), "URL=http://wrong/\r\n");
    MakeFolder(u"a%b"_qs);
    MakeShortcut(u"a%b/x.url"_qs, "http://right/%20");
    const QString key = Path(u"a%b/x.url"_qs) + u"%http://right/%20"_qs;
    EXPECT_EQ(FavoriteKey::Split(key).Path, Path(u"a%b/x.url"_qs));
    EXPECT_EQ(FavoriteKey::Split(key).URL, u"http://right/%20"_qs);

    // The file changed since the key was made: the longest path that is a file still wins.
    MakeShortcut(u"a%b/x.url"_qs, "http://changed/");
    EXPECT_EQ(FavoriteKey::Split(key).Path, Path(u"a%b/x.url"_qs));

    // Gone from the disk: the "%" after the ".url" name.
    const QString gone = Path(u"f%1/gone.url"_qs) + u"%http://g/%7E"_qs;
    EXPECT_EQ(FavoriteKey::Split(gone).URL, u"http://g/%7E"_qs);
}

TEST_F(FavoritesTree, DeleteOnlyInsideAndOnlyFiles)
{
    MakeShortcut(u"keep.url"_qs, "http://k/");
    MakeFolder(u"Folder"_qs);
    EXPECT_FALSE(ModManageFavFile::DeleteFavoriteFile(Path(u"Folder"_qs), Root));
    EXPECT_TRUE(QDir(Path(u"Folder"_qs)).exists());

    QTemporaryDir outside;
    const QString victim = outside.filePath(u"victim.url"_qs);
    WriteFile(victim, "URL=http://v/\r\n");
    EXPECT_FALSE(ModManageFavFile::DeleteFavoriteFile(victim + u"%http://v/"_qs, Root));
    EXPECT_FALSE(ModManageFavFile::DeleteFavoriteFile(Root + u"/../"_qs + QDir(Root).relativeFilePath(victim) + u"%http://v/"_qs, Root));
    EXPECT_TRUE(QFile::exists(victim));
    EXPECT_TRUE(ModManageFavFile::DeleteFavoriteFile(Path(u"keep.url"_qs) + u"%http://k/"_qs, Root));
}

TEST_F(FavoritesTree, NewFolderNamesStayInside)
{
    EXPECT_EQ(ModManageFavFile::CreateFavoritesFolder(Root, u"News"_qs, Root), Path(u"News"_qs));
    EXPECT_EQ(ModManageFavFile::CreateFavoritesFolder(Root, u"News"_qs, Root), QString());
    EXPECT_EQ(ModManageFavFile::CreateFavoritesFolder(Root, u".."_qs, Root), QString());
    EXPECT_EQ(ModManageFavFile::CreateFavoritesFolder(Root, u"  "_qs, Root), QString());
    EXPECT_EQ(ModManageFavFile::CreateFavoritesFolder(Root, u"../escape"_qs, Root),
              Path(u"..-escape"_qs));
    EXPECT_EQ(ModManageFavFile::CreateFavoritesFolder(Path(u"News"_qs), u"a\\b\nc"_qs, Root),
              Path(u"News/a-b c"_qs));
    EXPECT_EQ(ModManageFavFile::CreateFavoritesFolder(Root + u"/.."_qs, u"x"_qs, Root), QString());
    EXPECT_LE(QFileInfo(ModManageFavFile::CreateFavoritesFolder(Root, QString(400, u'x'), Root))
                  .fileName()
                  .size(),
              255);
}

// A name beginning with ":" is a name like any other, not a resource path: the folder is made
// inside the Favorites folder, never in the current one.
TEST_F(FavoritesTree, FolderNamesBeginningWithAColonStayInside)
{
    QTemporaryDir current;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(current.path()));

    EXPECT_EQ(ModManageFavFile::CreateFavoritesFolder(Root, u":New folder"_qs, Root), Path(u":New folder"_qs));
    EXPECT_EQ(ModManageFavFile::CreateFavoritesFolder(Root, u":.."_qs, Root), Path(u":.."_qs));
    EXPECT_EQ(ModManageFavFile::CreateFavoritesFolder(Root, u":New folder"_qs, Root), QString())
        << "the folder made first is found again";
    MakeFolder(u"News"_qs);
    EXPECT_EQ(ModManageFavFile::CreateFavoritesFolder(Path(u"News"_qs), u":/x"_qs, Root), Path(u"News/:-x"_qs));

    EXPECT_TRUE(QFileInfo(Path(u":New folder"_qs)).isDir());
    EXPECT_TRUE(QFileInfo(Path(u":.."_qs)).isDir());
    EXPECT_EQ(QDir(current.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    ASSERT_TRUE(QDir::setCurrent(before));
}

// A favorite goes through the program's writer: on a full disk the favorite of that name keeps
// its address and the caller learns that nothing was saved.
TEST(FavoritesOnFullDisk, AFavoriteThatCannotBeWrittenKeepsTheOldOne)
{
    FullFileSystem disk(64);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why().toStdString();
    WriteFile(disk.FilePath(u"News.url"_qs), "[InternetShortcut]\r\nURL=http://old/\r\n");
    ASSERT_TRUE(disk.LeaveFree(0));

    QString name = u"News"_qs;
    EXPECT_FALSE(ModManageFavFile::CreateUrlFile(u"http://new/"_qs, name, disk.Path(), disk.Path()));
    EXPECT_EQ(ReadFile(disk.FilePath(u"News.url"_qs)), QByteArray("[InternetShortcut]\r\nURL=http://old/\r\n"));
    EXPECT_EQ(QDir(disk.Path()).entryList(QDir::Files), (QStringList{u"filler"_qs, u"News.url"_qs}));
}
