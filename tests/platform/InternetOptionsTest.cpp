#include "platform/InternetOptions.h"
#include "platform/ProgramFolder.h"
#include "tests/support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

// The program folder is the one windows open "blank.html" from, also where start-up chose one
// other than the executable's (the data files' folder, where the program's own is not writable).
TEST(InternetOptions, HomePageIsTheProgramFoldersBlankPageUntilOneIsSet)
{
    QTemporaryDir folder;
    QTemporaryDir programFolder;
    ProgramFolder::SetAppPath(programFolder.path());
    InternetOptions options(folder.path());
    const std::string blank =
        QUrl::fromLocalFile(QDir(programFolder.path()).filePath("blank.html")).toString().toStdString();
    EXPECT_EQ(options.HomePage().toStdString(), blank);

    ASSERT_TRUE(options.SetHomePage("http://127.0.0.1/start.html"));
    EXPECT_EQ(ReadFile(folder.filePath("HomePage.dat")), "http://127.0.0.1/start.html\r\n");
    EXPECT_EQ(InternetOptions(folder.path()).HomePage(), "http://127.0.0.1/start.html");

    ASSERT_TRUE(options.SetHomePage("  "));
    EXPECT_EQ(options.HomePage().toStdString(), blank);
    ProgramFolder::SetAppPath(QString());
}

TEST(InternetOptions, OnlyAWholeLineCountsAndLineBreaksCannotSplitTheAddress)
{
    QTemporaryDir folder;
    InternetOptions options(folder.path());
    const QString file = folder.filePath("HomePage.dat");

    WriteFile(file, "http://127.0.0.1/lf.html\n");
    EXPECT_EQ(options.HomePage(), "http://127.0.0.1/lf.html");
    // A line without its end was cut short when written: it is not used.
    WriteFile(file, "http://127.0.0.1/cut");
    EXPECT_EQ(options.HomePage(), InternetOptions::DefaultHomePage());

    ASSERT_TRUE(options.SetHomePage("http://127.0.0.1/a\r\nb.html"));
    EXPECT_EQ(ReadFile(file), "http://127.0.0.1/ab.html\r\n");
}

TEST(InternetOptions, ASetterMakesTheDataFolder)
{
    QTemporaryDir folder;
    InternetOptions options(QDir(folder.path()).filePath("new/data"));
    ASSERT_TRUE(options.SetHomePage("http://127.0.0.1/"));
    EXPECT_EQ(options.HomePage(), "http://127.0.0.1/");
}
