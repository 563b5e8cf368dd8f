#include "app/DataFiles.h"
#include "tests/support/FileBytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// Where the program folder is not writable, the user's data folder gets the program's own
// files from it: its data files and the pages it reads there, never a file the user put beside
// them, and never one the data folder already has.
TEST(DataFiles, TheDataFolderIsSeededWithTheProgramsOwnFilesOnly)
{
    QTemporaryDir program;
    QTemporaryDir data;
    const QStringList own = {QStringLiteral("AutoComplete2.dat"), QStringLiteral("Help.html"),
                             QStringLiteral("History.dat"), QStringLiteral("SearchConfig.dat"),
                             QStringLiteral("Settings.dat"), QStringLiteral("Url.dat"), QStringLiteral("blank.html")};
    const QStringList users = {QStringLiteral("Url.dat.bak001"), QStringLiteral("History.dat.2024v1"),
                               QStringLiteral("notes.txt"), QStringLiteral("Settings.dat.kestrelvue-save-Ab3xYz")};
    for (const QString &name : own + users)
        WriteFile(program.filePath(name), "program's\r\n");
    WriteFile(data.filePath(QStringLiteral("Settings.dat")), "user's\r\n");

    DataFiles::Seed(program.path(), data.path());

    EXPECT_EQ(FileNames(data.path()), SortedNames(own));
    EXPECT_EQ(ReadFile(data.filePath(QStringLiteral("Settings.dat"))), QByteArray("user's\r\n"));
    EXPECT_EQ(ReadFile(data.filePath(QStringLiteral("Url.dat"))), QByteArray("program's\r\n"));
}
