// The main window's data files when it closes: on a full disk, where the folder cannot be synced
// (this binary stands between the program and its system calls), with a bad "Settings.dat" and
// with foreign line ends, no stored entry is lost and the user is told what each file holds.
#include "DialogsTestSupport.h"

#include "app/CommandIds.h"
#include "app/ModSettings.h"
#include "browsingdata/SaveFailureMessage.h"
#include "controls/TypedAddressList.h"
#include "controls/XPStyleImageTextBox.h"
#include "fullscreen/FormFullScreen.h"
#include "mainwindow/FormApplicationSettings.h"
#include "platform/CommandBars.h"
#include "platform/ProgramFolder.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FullFileSystem.h"
#include "tests/support/InterposedCalls.h"
#include "tests/support/TempProgramFolder.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cerrno>

using namespace DialogsTest;

namespace {

const QStringList SavedFiles = {QStringLiteral("Settings.dat"), QStringLiteral("Url.dat"),
                               QStringLiteral("AutoComplete2.dat"), QStringLiteral("History.dat")};

QString DayKey(int daysAgo)
{
    return QDate::currentDate().addDays(-daysAgo).toString(QStringLiteral("M/d/yyyy"));
}

QByteArray UrlLines(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += "http://www.site" + QByteArray::number(i) + ".test/\r\n";
    return bytes;
}

// The default main window over a program folder; closed at the end when still open.
class DataFiles : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (main && Forms::IsLoaded(main))
            Forms::Unload(main);
        SaveFailureMessage::SetHandler({});
        InterposedCalls::Reset();
    }

    void CloseMainWindow()
    {
        Forms::Unload(main);
        ASSERT_FALSE(Forms::IsLoaded(main));
    }

    void CatchMessages()
    {
        SaveFailureMessage::SetHandler([this](const QString &text) { messages << text; });
    }

    // The small disk becomes the program folder, with the files a window needs to start.
    void SeedProgramFolder(const FullFileSystem &disk)
    {
        for (const QString &name : {QStringLiteral("blank.html"), QStringLiteral("SearchConfig.dat")})
            ASSERT_TRUE(QFile::copy(folder.FilePath(name), disk.FilePath(name)));
        ASSERT_TRUE(QFile::copy(QStringLiteral(KV_SOURCE_DIR "/resources/Settings.dat"),
                                disk.FilePath(QStringLiteral("Settings.dat"))));
        ProgramFolder::SetAppPath(disk.Path());
    }

    TempProgramFolder folder;
    FormMain *main = nullptr;
    QStringList messages;
};

} // namespace

TEST_F(DataFiles, ClosingOnAFullDiskKeepsEveryDataFileByteForByteAndNamesThem)
{
    FullFileSystem disk(1024);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why().toStdString();
    ASSERT_NO_FATAL_FAILURE(SeedProgramFolder(disk));
    WriteFile(disk.FilePath(QStringLiteral("Url.dat")), UrlLines(5));
    WriteFile(disk.FilePath(QStringLiteral("AutoComplete2.dat")),
              (DayKey(3) + QStringLiteral("|http://www.site1.test/|site1.test/|1\r\n")).toUtf8());
    WriteFile(disk.FilePath(QStringLiteral("History.dat")),
              (DayKey(1) + QStringLiteral("|http://www.site1.test/\r\n")).toUtf8());

    main = StartMainWindow();
    main->XPStyleImageTextBox1->AddItem(QStringLiteral("http://www.new.test/"));
    QMap<QString, QByteArray> before;
    for (const QString &name : SavedFiles)
        before.insert(name, ReadFile(disk.FilePath(name)));
    ASSERT_TRUE(disk.LeaveFree(0));
    CatchMessages();

    CloseMainWindow();

    for (const QString &name : SavedFiles)
        EXPECT_EQ(ReadFile(disk.FilePath(name)), before.value(name)) << name.toStdString();
    ASSERT_EQ(messages.size(), 1) << "one message on closing";
    for (const QString &name : SavedFiles)
        EXPECT_TRUE(messages.first().contains(QLatin1Char('"') + name + QLatin1Char('"'))) << messages.first().toStdString();
    EXPECT_EQ(QDir(disk.Path()).entryList({QStringLiteral("*.dat.*")}, QDir::Files | QDir::Hidden), QStringList())
        << "no temporary is left";
}

TEST_F(DataFiles, ClearingOnAReadOnlyDiskKeepsTheFilesAndSaysWhichCouldNotBeEmptied)
{
    FullFileSystem disk(1024);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why().toStdString();
    ASSERT_NO_FATAL_FAILURE(SeedProgramFolder(disk));
    WriteFile(disk.FilePath(QStringLiteral("Url.dat")), UrlLines(2));
    WriteFile(disk.FilePath(QStringLiteral("History.dat")), (DayKey(1) + QStringLiteral("|http://www.site1.test/\r\n")).toUtf8());
    main = StartMainWindow();
    QMap<QString, QByteArray> before;
    for (const QString &name : SavedFiles)
        before.insert(name, ReadFile(disk.FilePath(name)));
    ASSERT_TRUE(disk.MakeReadOnly());
    CatchMessages();

    auto *dialog = Forms::Default<FormApplicationSettings>();
    QTest::mouseClick(dialog->CommandClearHistory, Qt::LeftButton);
    QTest::mouseClick(dialog->CommandClearAddressBar, Qt::LeftButton);
    Forms::Unload(dialog);

    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages.at(0).contains(QStringLiteral("\"History.dat\""))) << messages.at(0).toStdString();
    EXPECT_TRUE(messages.at(1).contains(QStringLiteral("\"Url.dat\"")) && messages.at(1).contains(QStringLiteral("\"AutoComplete2.dat\"")))
        << messages.at(1).toStdString();
    for (const QString &name : SavedFiles)
        EXPECT_EQ(ReadFile(disk.FilePath(name)), before.value(name)) << name.toStdString();

    messages.clear();
    CloseMainWindow();
    ASSERT_EQ(messages.size(), 1) << "closing tells too";
    for (const QString &name : SavedFiles)
        EXPECT_TRUE(messages.first().contains(QLatin1Char('"') + name + QLatin1Char('"'))) << messages.first().toStdString();
    for (const QString &name : SavedFiles)
        EXPECT_EQ(ReadFile(disk.FilePath(name)), before.value(name)) << name.toStdString();
}

// The user made "Url.dat" read-only: closing keeps it byte for byte and says which file could not
// be saved, as for a full disk; the other files are saved.
TEST_F(DataFiles, ClosingKeepsAReadOnlyDataFileAndNamesIt)
{
    folder.WriteFile(QStringLiteral("Url.dat"), UrlLines(2));
    const QString path = folder.FilePath(QStringLiteral("Url.dat"));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    main = StartMainWindow();
    main->XPStyleImageTextBox1->AddItem(QStringLiteral("http://www.new.test/"));
    CatchMessages();

    CloseMainWindow();

    EXPECT_EQ(folder.ReadFile(QStringLiteral("Url.dat")), UrlLines(2));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.first(), SaveFailureMessage::Text({QStringLiteral("Url.dat")}));
    EXPECT_TRUE(folder.ReadFile(QStringLiteral("AutoComplete2.dat")).contains("www.new.test"));
    EXPECT_EQ(QDir(folder.Path()).entryList({QStringLiteral("*.kestrelvue-save-*")}, QDir::Files | QDir::Hidden), QStringList());
}

// Once a file has taken the old one's place, a folder that cannot be synced leaves its new content
// there, not known to be on the disk: the message says so, and tells apart the read-only file
// that kept what it held.
TEST_F(DataFiles, ClosingWhereTheFolderCannotBeSyncedSaysWhichFilesHoldTheNewContent)
{
    folder.WriteFile(QStringLiteral("Url.dat"), UrlLines(2));
    ASSERT_TRUE(QFile::setPermissions(folder.FilePath(QStringLiteral("Url.dat")),
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    main = StartMainWindow();
    main->XPStyleImageTextBox1->AddItem(QStringLiteral("http://www.new.test/"));
    CatchMessages();
    InterposedCalls::FailWith(QStringLiteral("fsync folder"), EIO);

    CloseMainWindow();

    EXPECT_TRUE(folder.ReadFile(QStringLiteral("AutoComplete2.dat")).contains("www.new.test"));
    EXPECT_EQ(folder.ReadFile(QStringLiteral("Url.dat")), UrlLines(2));
    ASSERT_EQ(messages.size(), 1);
    const QStringList parts = messages.first().split(QStringLiteral("\n\n"));
    ASSERT_EQ(parts.size(), 2) << messages.first().toStdString();
    EXPECT_TRUE(parts.at(0).contains(QStringLiteral("\"Url.dat\"")) && parts.at(0).contains(QStringLiteral("keeps what it held before")))
        << parts.at(0).toStdString();
    for (const QString &name : {QStringLiteral("Settings.dat"), QStringLiteral("AutoComplete2.dat"), QStringLiteral("History.dat")})
        EXPECT_TRUE(parts.at(1).contains(QLatin1Char('"') + name + QLatin1Char('"'))) << parts.at(1).toStdString();
    EXPECT_TRUE(parts.at(1).contains(QStringLiteral("holds the new content, which may not be on the disk yet")))
        << parts.at(1).toStdString();
}

TEST_F(DataFiles, ClosingTheFullScreenWindowOnAFullDiskNamesTheSettingsFile)
{
    FullFileSystem disk(1024);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why().toStdString();
    ASSERT_NO_FATAL_FAILURE(SeedProgramFolder(disk));
    main = StartMainWindow();
    main->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::Fullscreen, false, true)->Execute();
    auto *fullScreen = Forms::Default<FormFullScreen>();
    ASSERT_TRUE(WaitUntil([&] { return fullScreen->isVisible(); }));
    const QByteArray before = ReadFile(disk.FilePath(QStringLiteral("Settings.dat")));
    ASSERT_TRUE(disk.LeaveFree(0));
    CatchMessages();

    // No bar of the full-screen window carries Close: an entry added to its Standard bar stands in.
    fullScreen->ToolBarStandard->Controls()
        .Add(CommandBarControlType::Button, CommandId::Close, QStringLiteral("Close"))
        ->Execute();
    ASSERT_TRUE(WaitUntil([] { return Forms::LoadedForms().isEmpty(); }));

    EXPECT_EQ(ReadFile(disk.FilePath(QStringLiteral("Settings.dat"))), before);
    ASSERT_EQ(messages.size(), 2) << "the full-screen window's save, then the main window's";
    EXPECT_EQ(messages.first(), SaveFailureMessage::Text({QStringLiteral("Settings.dat")}));
}

TEST_F(DataFiles, ANumberThatDoesNotReadInSettingsLosesNoAddressAndNoHistory)
{
    folder.WriteFile(QStringLiteral("Settings.dat"), "ItemsInAddressBar=25 items\r\nDaysInHistory=twenty\r\n"
                                                     "KillPopups=True\r\nShowAddressBar=True\r\n");
    folder.WriteFile(QStringLiteral("Url.dat"), UrlLines(5));
    const QByteArray history = (DayKey(5) + QStringLiteral("|http://www.site1.test/\r\n")).toUtf8();
    folder.WriteFile(QStringLiteral("History.dat"), history);
    CatchMessages();

    main = StartMainWindow();
    CloseMainWindow();

    EXPECT_EQ(folder.ReadFile(QStringLiteral("Url.dat")), UrlLines(5));
    EXPECT_EQ(folder.ReadFile(QStringLiteral("History.dat")), history);
    EXPECT_TRUE(messages.isEmpty());
}

// A first run in a folder without "Settings.dat", or a user who deleted it: the program starts
// with nothing read yet, and the limits must not empty the stored addresses and history.
TEST_F(DataFiles, WithoutSettingsFileNoAddressAndNoHistoryIsLost)
{
    ASSERT_TRUE(QFile::remove(folder.FilePath(QStringLiteral("Settings.dat"))));
    folder.WriteFile(QStringLiteral("Url.dat"), UrlLines(5));
    const QByteArray history = (DayKey(1) + QStringLiteral("|http://www.site1.test/\r\n") + DayKey(5)
                                + QStringLiteral("|http://www.site2.test/\r\n"))
                                   .toUtf8();
    folder.WriteFile(QStringLiteral("History.dat"), history);
    ModSettings::Settings() = ModSettings::SettingsValues();
    CatchMessages();

    main = StartMainWindow();
    EXPECT_EQ(main->XPStyleImageTextBox1->AddressList()->Count(), 5);
    CloseMainWindow();

    EXPECT_EQ(folder.ReadFile(QStringLiteral("Url.dat")), UrlLines(5));
    EXPECT_EQ(folder.ReadFile(QStringLiteral("History.dat")), history);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DataFiles, FilesWithLoneCrLineEndsLoadWholeAndSaveBackWithCrLf)
{
    const QByteArray urls = "http://www.site1.test/\rhttp://www.site2.test/\r";
    folder.WriteFile(QStringLiteral("Url.dat"), urls);
    const QString day = DayKey(1);
    folder.WriteFile(QStringLiteral("History.dat"),
                     (day + QStringLiteral("|http://www.site1.test/\r") + day + QStringLiteral("|http://www.site2.test/\r")).toUtf8());

    main = StartMainWindow();
    EXPECT_EQ(main->XPStyleImageTextBox1->AddressList()->Count(), 2);
    CloseMainWindow();

    EXPECT_EQ(folder.ReadFile(QStringLiteral("Url.dat")), QByteArray("http://www.site1.test/\r\nhttp://www.site2.test/\r\n"));
    EXPECT_EQ(folder.ReadFile(QStringLiteral("History.dat")),
              (day + QStringLiteral("|http://www.site1.test/\r\n") + day + QStringLiteral("|http://www.site2.test/\r\n")).toUtf8());
}
