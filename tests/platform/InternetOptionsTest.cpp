#include "platform/InternetOptions.h"
#include "tests/support/FileBytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

TEST(InternetOptions, HomePageIsTheProgramFoldersBlankPageUntilOneIsSet)
{
    QTemporaryDir folder;
    InternetOptions options(folder.path());
    const QString blank = QUrl::fromLocalFile(QDir(QCoreApplication::applicationDirPath()).filePath("blank.html")).toString();
    EXPECT_EQ(options.HomePage(), blank);

    ASSERT_TRUE(options.SetHomePage("http://127.0.0.1/start.html"));
    EXPECT_EQ(ReadFile(folder.filePath("HomePage.dat")), "http://127.0.0.1/start.html\r\n");
    EXPECT_EQ(InternetOptions(folder.path()).HomePage(), "http://127.0.0.1/start.html");

    ASSERT_TRUE(options.SetHomePage("  "));
    EXPECT_EQ(options.HomePage(), blank);
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
