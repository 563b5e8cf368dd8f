#include "app/ModStartUp.h"
#include "browsingdata/ModManageFavFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/HelperProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Another copy of the program in the middle of saving "Url.dat": it holds its temporary
// locked until the new file is in place.
class SaveInProgress
{
public:
    explicit SaveInProgress(const QString &temporary)
    {
        StartHelper(m_writer, QStringLiteral("flock"),
                    {QStringLiteral("--exclusive"), temporary, QStringLiteral("-c"), QStringLiteral("echo locked; exec cat")});
    }
    // The writer ends at the end of its input.
    ~SaveInProgress()
    {
        m_writer.closeWriteChannel();
        AwaitEnd(m_writer);
    }
    bool Holding() { return NextLine(m_writer) == "locked"; }

private:
    QProcess m_writer;
};

} // namespace

// A save cut short by a kill leaves its temporary beside the data file; the next start removes
// it. Everything else stays: files a user named after a data file, and the temporary of a save
// that another copy of the program, running from the same folder, has not finished.
TEST(StraySaves, OnlyTheTemporariesOfSavesCutShortGoAtStart)
{
    QTemporaryDir dir;
    const QString inProgress = QStringLiteral("Url.dat.kestrelvue-save-Xy12ab");
    const QStringList kept = {QStringLiteral("AutoComplete2.dat"), QStringLiteral("History.dat"),
                              QStringLiteral("History.dat.backup"), QStringLiteral("History.dat.2024v1"),
                              QStringLiteral("Url.dat.bak001"), QStringLiteral("Settings.dat.0aZ9kq"),
                              QStringLiteral("blank.html"), QStringLiteral("Help.html.kestrelvue-save-Ab3xYz"),
                              inProgress};
    const QStringList stray = {QStringLiteral("AutoComplete2.dat.kestrelvue-save-Ab3xYz"),
                               QStringLiteral("Settings.dat.kestrelvue-save-0aZ9kq"),
                               QStringLiteral("Url.dat.kestrelvue-save-QQwe12"),
                               QStringLiteral("History.dat.kestrelvue-save-x1y2z3"),
                               QStringLiteral("SearchConfig.dat.kestrelvue-save-AAAAAA")};
    for (const QString &name : kept + stray)
        WriteFile(dir.filePath(name), "data\r\n");
    SaveInProgress otherCopy(dir.filePath(inProgress));
    ASSERT_TRUE(otherCopy.Holding());

    ModStartUp::RemoveStraySaves(dir.path());

    EXPECT_EQ(FileNames(dir.path()), SortedNames(kept));
}

// The program saves into more folders than its own: "HomePage.dat" in its data folder, a data
// file the user replaced by a link in the folder the link leads to, favorites anywhere in the
// Favorites tree. A start cleans each of them by the same rule.
TEST(StraySaves, EveryFolderTheProgramSavesIntoIsCleaned)
{
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    const QString favorites = dir.filePath(QStringLiteral("Favorites"));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("Profile"))));
    ASSERT_TRUE(QDir().mkpath(favorites + QStringLiteral("/News/Local")));
    WriteFile(elsewhere.filePath(QStringLiteral("History.dat")), "data\r\n");
    ASSERT_TRUE(QFile::link(elsewhere.filePath(QStringLiteral("History.dat")), dir.filePath(QStringLiteral("History.dat"))));
    const QStringList keptHere = {QStringLiteral("Profile/HomePage.dat"), QStringLiteral("Profile/notes.kestrelvue-save-Ab3xYz"),
                                  QStringLiteral("Favorites/a.url"), QStringLiteral("Favorites/News/b.url"),
                                  QStringLiteral("Favorites/News/Local/c.url"), QStringLiteral("Favorites/News/b.url.backup")};
    const QStringList strayHere = {QStringLiteral("Profile/HomePage.dat.kestrelvue-save-Ab3xYz"),
                                   QStringLiteral("Favorites/a.url.kestrelvue-save-Q1w2E3"),
                                   QStringLiteral("Favorites/News/b.url.kestrelvue-save-Zz9Yy8"),
                                   QStringLiteral("Favorites/News/Local/Long title cut short.kestrelvue-save-0aZ9kq")};
    for (const QString &name : keptHere + strayHere)
        WriteFile(dir.filePath(name), "data\r\n");
    const QString inProgress = QStringLiteral("Favorites/News/c.url.kestrelvue-save-Xy12ab");
    WriteFile(dir.filePath(inProgress), "data\r\n");
    SaveInProgress otherCopy(dir.filePath(inProgress));
    ASSERT_TRUE(otherCopy.Holding());
    WriteFile(elsewhere.filePath(QStringLiteral("History.dat.kestrelvue-save-x1y2z3")), "data\r\n");
    ModManageFavFile::SetFavoritesFolder(favorites);

    ModStartUp::RemoveStraySaves(dir.path());
    ModManageFavFile::SetFavoritesFolder({});

    for (const QString &name : keptHere + QStringList{inProgress})
        EXPECT_TRUE(QFile::exists(dir.filePath(name))) << name.toStdString();
    for (const QString &name : strayHere)
        EXPECT_FALSE(QFile::exists(dir.filePath(name))) << name.toStdString();
    EXPECT_EQ(FileNames(elsewhere.path()), "History.dat");
}
