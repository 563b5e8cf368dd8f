// The writer of the program's text files on a real file system with no space or little space
// left, and the reader's line ends.
#include "platform/TextFile.h"
#include "platform/SaveTemporaries.h"

#include "../support/FileBytes.h"
#include "../support/FullFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList Lines(int count, int width)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString::number(i).rightJustified(width, QLatin1Char('x'));
    return lines;
}

QStringList FolderEntries(const QString &path)
{
    return QDir(path).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

class TextFileOnFullDisk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!disk.Mounted())
            GTEST_SKIP() << disk.Why().toStdString();
    }

    FullFileSystem disk{64};
};

} // namespace

TEST_F(TextFileOnFullDisk, NoSpaceLeftKeepsTheOldFileWholeAndReportsFailure)
{
    const QString path = disk.FilePath(QStringLiteral("Settings.dat"));
    const QByteArray old = "WindowTop=1200\r\nDaysInHistory=20\r\n";
    WriteFile(path, old);
    ASSERT_TRUE(disk.LeaveFree(0));

    EXPECT_FALSE(TextFile::WriteLines(path, Lines(17, 18)));
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(FolderEntries(disk.Path()), QStringList({QStringLiteral("Settings.dat"), QStringLiteral("filler")}));
}

TEST_F(TextFileOnFullDisk, AFewKibibytesLeftKeepsTheOldFileWholeAndReportsFailure)
{
    const QString path = disk.FilePath(QStringLiteral("History.dat"));
    const QByteArray old = "12/8/2026|http://www.example.com/\r\n";
    WriteFile(path, old);
    ASSERT_TRUE(disk.LeaveFree(12 * 1024));

    EXPECT_FALSE(TextFile::WriteLines(path, Lines(1000, 20))); // 22 KiB
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(FolderEntries(disk.Path()), QStringList({QStringLiteral("History.dat"), QStringLiteral("filler")}));
}

// A file with a second name is written in place, so that both names show the new content. The
// new content fits once beside the file, but not twice: the space it needs in place is reserved
// before any of the old content is overwritten, and the save fails with the old content whole.
TEST_F(TextFileOnFullDisk, AFileWithASecondNameThatNoLongerFitsKeepsItsOldContentUnderBoth)
{
    const QString path = disk.FilePath(QStringLiteral("History.dat"));
    const QString secondName = disk.FilePath(QStringLiteral("History.old"));
    const QByteArray old = "12/8/2026|http://www.example.com/\r\n";
    WriteFile(path, old);
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(secondName).constData()), 0);
    ASSERT_TRUE(disk.LeaveFree(24 * 1024));

    EXPECT_FALSE(TextFile::WriteLines(path, Lines(1000, 18))); // 20,000 bytes
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(ReadFile(secondName), old);
    EXPECT_EQ(FolderEntries(disk.Path()),
              QStringList({QStringLiteral("History.dat"), QStringLiteral("History.old"), QStringLiteral("filler")}));
}

TEST_F(TextFileOnFullDisk, AFileThatFitsIsWrittenWhole)
{
    const QString path = disk.FilePath(QStringLiteral("Url.dat"));
    ASSERT_TRUE(disk.LeaveFree(12 * 1024));

    const QStringList lines = Lines(100, 20);
    EXPECT_TRUE(TextFile::WriteLines(path, lines));
    QStringList read;
    ASSERT_TRUE(TextFile::ReadLines(path, read));
    EXPECT_EQ(read, lines);
}

TEST(TextFileLines, LinesEndAtCrLfLfOrALoneCr)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("History.dat"));
    WriteFile(path, "a\rb\r\nc\nd\r\re\n\rf");
    QStringList lines;
    ASSERT_TRUE(TextFile::ReadLines(path, lines));
    EXPECT_EQ(lines, QStringList({"a", "b", "c", "d", "", "e", ""}));
}

TEST(TextFileLines, AFileOfLoneCrLineEndsIsReadLineByLineAndWrittenBackWithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Url.dat"));
    WriteFile(path, "http://one/\rhttp://two/\r");
    QStringList lines;
    ASSERT_TRUE(TextFile::ReadLines(path, lines));
    EXPECT_EQ(lines, QStringList({"http://one/", "http://two/"}));
    ASSERT_TRUE(TextFile::WriteLines(path, lines));
    EXPECT_EQ(ReadFile(path), QByteArray("http://one/\r\nhttp://two/\r\n"));
}

TEST(TextFileTemporaries, OnlyTheSaveTemporariesOfTheNamedFilesThatNoSaveHoldsAreRemoved)
{
    QTemporaryDir dir;
    const QString held = QStringLiteral("Url.dat.kestrelvue-save-Run123");
    const QStringList kept = {QStringLiteral("AutoComplete2.dat"), QStringLiteral("Url.dat"),
                              QStringLiteral("Url.dat.backup"), QStringLiteral("Url.dat.Ab3xYz"),
                              QStringLiteral("Url.dat.kestrelvue-save-Ab3xY"),
                              QStringLiteral("notes.txt.kestrelvue-save-Ab3xYz"), held};
    for (const QString &name : kept)
        WriteFile(dir.filePath(name), "keep\r\n");
    WriteFile(dir.filePath(QStringLiteral("AutoComplete2.dat.kestrelvue-save-Ab3xYz")), QByteArray(8192, 'x'));
    WriteFile(dir.filePath(QStringLiteral("Url.dat.kestrelvue-save-q1W2e3")), "cut short");
    // A save still running holds its temporary locked.
    const int save = ::open(QFile::encodeName(dir.filePath(held)).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(save, 0);
    ASSERT_EQ(::flock(save, LOCK_EX), 0);

    for (const QString &name : {QStringLiteral("AutoComplete2.dat"), QStringLiteral("Url.dat")})
        SaveTemporaries::RemoveStray(dir.filePath(name));
    ::close(save);

    EXPECT_EQ(FileNames(dir.path()), SortedNames(kept));
}

// A save replaces the file a link names, not the link, and the file keeps who may read it.
TEST(TextFileSave, AFileReachedThroughALinkIsReplacedWithItsPermissions)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("kept/Url.dat"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
    WriteFile(file, "old\r\n");
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
    const QString link = dir.filePath(QStringLiteral("Url.dat"));
    ASSERT_TRUE(QFile::link(file, link));

    ASSERT_TRUE(TextFile::WriteLines(link, {QStringLiteral("new")}));

    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadFile(file), QByteArray("new\r\n"));
    struct stat status = {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    EXPECT_EQ(FileNames(QFileInfo(file).path()), "Url.dat");
}

// A file without any write bit is one the user made read-only: no save replaces it, also not
// one run by root, who may write anything.
TEST(TextFileSave, AReadOnlyFileIsNotReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Url.dat"));
    WriteFile(path, "http://kept/\r\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    EXPECT_FALSE(TextFile::WriteLines(path, {QStringLiteral("http://new/")}));

    EXPECT_EQ(ReadFile(path), QByteArray("http://kept/\r\n"));
    EXPECT_EQ(FileNames(dir.path()), "Url.dat");
}
