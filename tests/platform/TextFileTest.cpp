// The writer of the program's text files on a real file system with no space or little space
// left, and the reader's line ends.
#include "platform/TextFile.h"

#include "../support/FullFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

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
    WriteRaw(path, old);
    ASSERT_TRUE(disk.LeaveFree(0));

    EXPECT_FALSE(TextFile::WriteLines(path, Lines(17, 18)));
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(FolderEntries(disk.Path()), QStringList({QStringLiteral("Settings.dat"), QStringLiteral("filler")}));
}

TEST_F(TextFileOnFullDisk, AFewKibibytesLeftKeepsTheOldFileWholeAndReportsFailure)
{
    const QString path = disk.FilePath(QStringLiteral("History.dat"));
    const QByteArray old = "12/8/2026|http://www.example.com/\r\n";
    WriteRaw(path, old);
    ASSERT_TRUE(disk.LeaveFree(12 * 1024));

    EXPECT_FALSE(TextFile::WriteLines(path, Lines(1000, 20))); // 22 KiB
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(FolderEntries(disk.Path()), QStringList({QStringLiteral("History.dat"), QStringLiteral("filler")}));
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
    WriteRaw(path, "a\rb\r\nc\nd\r\re\n\rf");
    QStringList lines;
    ASSERT_TRUE(TextFile::ReadLines(path, lines));
    EXPECT_EQ(lines, QStringList({"a", "b", "c", "d", "", "e", ""}));
}

TEST(TextFileLines, AFileOfLoneCrLineEndsIsReadLineByLineAndWrittenBackWithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Url.dat"));
    WriteRaw(path, "http://one/\rhttp://two/\r");
    QStringList lines;
    ASSERT_TRUE(TextFile::ReadLines(path, lines));
    EXPECT_EQ(lines, QStringList({"http://one/", "http://two/"}));
    ASSERT_TRUE(TextFile::WriteLines(path, lines));
    EXPECT_EQ(ReadAll(path), QByteArray("http://one/\r\nhttp://two/\r\n"));
}

TEST(TextFileTemporaries, StrayTemporariesOfTheNamedFilesAreRemovedAndNothingElse)
{
    QTemporaryDir dir;
    const QStringList kept = {QStringLiteral("AutoComplete2.dat"), QStringLiteral("Url.dat"),
                              QStringLiteral("Url.dat.backup"), QStringLiteral("Url.dat.Ab3xY"),
                              QStringLiteral("notes.txt.Ab3xYz")};
    for (const QString &name : kept)
        WriteRaw(dir.filePath(name), "keep\r\n");
    WriteRaw(dir.filePath(QStringLiteral("AutoComplete2.dat.Ab3xYz")), QByteArray(8192, 'x'));
    WriteRaw(dir.filePath(QStringLiteral("Url.dat.q1W2e3")), "cut short");

    TextFile::RemoveStrayTemporaries(dir.path(), {QStringLiteral("AutoComplete2.dat"), QStringLiteral("Url.dat")});

    QStringList expected = kept;
    expected.sort();
    EXPECT_EQ(FolderEntries(dir.path()), expected);
}
