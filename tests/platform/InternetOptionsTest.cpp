#include "platform/InternetOptions.h"
#include "platform/ProgramFolder.h"
#include "tests/support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// A program folder of the case's own, made the program's for the case and given back to the
// executable's folder after it, also when an assertion ends the case early.
class InternetOptionsInAProgramFolder : public ::testing::Test
{
protected:
    void SetUp() override { ProgramFolder::SetAppPath(programFolder.path()); }
    void TearDown() override { ProgramFolder::SetAppPath(QString()); }

    QTemporaryDir programFolder;
};

} // namespace

// The program folder is the one windows open "blank.html" from, also where start-up chose one
// other than the executable's (the data files' folder, where the program's own is not writable).
TEST_F(InternetOptionsInAProgramFolder, HomePageIsTheProgramFoldersBlankPageUntilOneIsSet)
{
    QTemporaryDir folder;
    InternetOptions options(folder.path());
    const std::string blank =
        QUrl::fromLocalFile(QDir(programFolder.path()).filePath("blank.html")).toString().toStdString();
    EXPECT_EQ(options.HomePage().toStdString(), blank);

    ASSERT_TRUE(options.SetHomePage("http://127.0.0.1/start.html"));
    EXPECT_EQ(ReadFile(folder.filePath("HomePage.dat")), "http://127.0.0.1/start.html\r\n");
    EXPECT_EQ(InternetOptions(folder.path()).HomePage(), "http://127.0.0.1/start.html");

    ASSERT_TRUE(options.SetHomePage("  "));
    EXPECT_EQ(options.HomePage().toStdString(), blank);
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
