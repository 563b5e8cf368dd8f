#include "app/ModSettings.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeRaw(const QString &folder, const QByteArray &bytes)
{
    QFile f(ModSettings::SettingsFilePath(folder));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readRaw(const QString &folder)
{
    QFile f(ModSettings::SettingsFilePath(folder));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

class SettingsFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ModSettings::LoadSettings(dir.path()); // no file yet: empties the key table of earlier cases
        ModSettings::Settings() = ModSettings::SettingsValues();
    }
    QTemporaryDir dir;
};

} // namespace

// A first run in a folder without the file, or a file the user deleted: every value is the
// shipped one, whatever was held before, and nothing counts as read.
TEST_F(SettingsFile, MissingFileTakesTheShippedValuesAndEmptiesTable)
{
    ModSettings::Settings().DaysInHistory = 9;
    ModSettings::LoadSettings(dir.path());
    const auto &s = ModSettings::Settings();
    EXPECT_EQ(s.DaysInHistory, 20);
    EXPECT_EQ(s.ItemsInAddressBar, 25);
    EXPECT_EQ(s.NumberOfChildWindowsAllowed, 3);
    EXPECT_EQ(s.WindowWidth, 15000);
    EXPECT_EQ(s.WindowState, 0);
    EXPECT_TRUE(s.KillPopups);
    EXPECT_TRUE(s.ShowToolBarStandard);
    EXPECT_TRUE(s.ShowAddressBar);
    EXPECT_TRUE(s.TextNormal);
    EXPECT_FALSE(s.FullScreen);
    EXPECT_FALSE(s.ShowHistory);
    EXPECT_EQ(s.TextSize, 4);
    EXPECT_TRUE(ModSettings::SettingsTable().isEmpty());
}

TEST_F(SettingsFile, WritesSeventeenLinesInOrderAndReadsThemBack)
{
    ModSettings::Options o;
    o.FullScreen = false;
    o.ShowHistoryFlag = true;
    o.DaysInHistory = 20;
    o.ItemsInAddressBar = 25;
    o.KillPopups = true;
    o.ShowToolBarStandard = true;
    o.ShowAddressBar = true;
    o.TextNormal = true;
    o.TextSize = 4;
    ASSERT_TRUE(ModSettings::WriteSettings(dir.path(), {QRectF(1500, 900, 12000, 9000), 0}, o));
    EXPECT_EQ(readRaw(dir.path()),
              QByteArray("WindowTop=900\r\nWindowLeft=1500\r\nWindowHeight=9000\r\nWindowWidth=12000\r\n"
                         "WindowState=0\r\nFullScreen=False\r\nShowSearch=False\r\nShowHistory=True\r\n"
                         "ShowFavorites=False\r\nDaysInHistory=20\r\nItemsInAddressBar=25\r\n"
                         "NumberOfChildWindowsAllowed=0\r\nKillPopups=True\r\nShowToolBarStandard=True\r\n"
                         "ShowAddressBar=True\r\nTextNormal=True\r\nTextSize=4\r\n"));
    ModSettings::LoadSettings(dir.path());
    const auto &s = ModSettings::Settings();
    EXPECT_EQ(s.WindowTop, 900);
    EXPECT_EQ(s.WindowLeft, 1500);
    EXPECT_EQ(s.WindowHeight, 9000);
    EXPECT_EQ(s.WindowWidth, 12000);
    EXPECT_TRUE(s.ShowHistory);
    EXPECT_TRUE(s.KillPopups);
    EXPECT_EQ(s.DaysInHistory, 20);
    EXPECT_EQ(s.ItemsInAddressBar, 25);
    EXPECT_EQ(s.TextSize, 4);
}

TEST_F(SettingsFile, ConversionsTakeCaseNumbersAndRoundHalvesToEven)
{
    writeRaw(dir.path(), "KillPopups=true\r\nShowSearch=-1\r\nShowHistory=0\r\nTextSize=2.5\r\n"
                         "DaysInHistory=3.5\r\nWindowTop=7\n");
    ModSettings::LoadSettings(dir.path());
    const auto &s = ModSettings::Settings();
    EXPECT_TRUE(s.KillPopups);
    EXPECT_TRUE(s.ShowSearch);
    EXPECT_FALSE(s.ShowHistory);
    EXPECT_EQ(s.TextSize, 2);
    EXPECT_EQ(s.DaysInHistory, 4);
    EXPECT_EQ(s.WindowTop, 7) << "an LF-only line end is a line end";
}

TEST_F(SettingsFile, LastLineWithoutLineEndIsLost)
{
    writeRaw(dir.path(), "DaysInHistory=5\r\nItemsInAddressBar=9");
    ModSettings::LoadSettings(dir.path());
    EXPECT_EQ(ModSettings::Settings().DaysInHistory, 5);
    EXPECT_EQ(ModSettings::Settings().ItemsInAddressBar, 25) << "the lost line reads as the shipped value";
}

TEST_F(SettingsFile, BadLinesAndValuesCountAsMissing)
{
    static const char bytes[] = "garbage line\r\n\r\nDaysInHistory=\r\nItemsInAddressBar=abc\r\n"
                                "TextSize=70000\r\nKillPopups=maybe\r\nShowSearch=True\r\n"
                                "ShowSearch=True\r\nUnknownKey=1\r\nNumberOfChildWindowsAllowed=3=4\r\n"
                                "ShowAddressBar=\x01\x02\0\xff\r\nShowHistory=True\r\n";
    writeRaw(dir.path(), QByteArray(bytes, sizeof(bytes) - 1));
    ModSettings::LoadSettings(dir.path());
    const auto &s = ModSettings::Settings();
    EXPECT_EQ(s.DaysInHistory, 20) << "an empty number reads as the shipped one";
    EXPECT_EQ(s.ItemsInAddressBar, 25);
    EXPECT_EQ(s.TextSize, 4) << "a number beyond sixteen bits reads as the shipped one";
    EXPECT_FALSE(s.KillPopups);
    EXPECT_FALSE(s.ShowSearch) << "a repeated key counts as missing";
    EXPECT_FALSE(s.ShowAddressBar);
    EXPECT_EQ(s.NumberOfChildWindowsAllowed, 3) << "text after a second = is ignored";
    EXPECT_TRUE(s.ShowHistory) << "the lines after bad ones still load";
    EXPECT_TRUE(ModSettings::SettingsTable().contains(QStringLiteral("UnknownKey")));
}

// A limit that read as 0 would empty "Url.dat" and the history when they next load or save.
TEST_F(SettingsFile, AMissingOrUnreadableNumberTakesTheShippedValue)
{
    writeRaw(dir.path(), "ItemsInAddressBar=25 items\r\nNumberOfChildWindowsAllowed=\r\nWindowWidth=wide\r\n"
                         "KillPopups=False\r\n");
    ModSettings::LoadSettings(dir.path());
    const auto &s = ModSettings::Settings();
    EXPECT_EQ(s.ItemsInAddressBar, 25);
    EXPECT_EQ(s.DaysInHistory, 20);
    EXPECT_EQ(s.NumberOfChildWindowsAllowed, 3);
    EXPECT_EQ(s.WindowWidth, 15000);
    EXPECT_EQ(s.WindowTop, 1200);
    EXPECT_EQ(s.WindowState, 0);
    EXPECT_FALSE(s.KillPopups);
    EXPECT_EQ(ModSettings::SettingsTable().value(QStringLiteral("ItemsInAddressBar")), QStringLiteral("25 items"))
        << "the key table keeps the text as read";
}

TEST_F(SettingsFile, WindowRectangleBeyondSixteenBitsSavesAndRestores)
{
    ASSERT_TRUE(ModSettings::WriteSettings(dir.path(), {QRectF(40000, 35000, 60000, 50000), 0}, {}));
    ModSettings::LoadSettings(dir.path());
    EXPECT_EQ(ModSettings::Settings().WindowLeft, 40000);
    EXPECT_EQ(ModSettings::Settings().WindowTop, 35000);
    EXPECT_EQ(ModSettings::Settings().WindowWidth, 60000);
    EXPECT_EQ(ModSettings::Settings().WindowHeight, 50000);
}

TEST_F(SettingsFile, MaximizedKeepsRectangleLastReadOrWritesItsNormalOne)
{
    ASSERT_TRUE(ModSettings::WriteSettings(dir.path(), {QRectF(100, 200, 3000, 4000), 2}, {}));
    ModSettings::LoadSettings(dir.path());
    EXPECT_EQ(ModSettings::Settings().WindowWidth, 3000) << "first run: the normal rectangle is written";
    EXPECT_EQ(ModSettings::Settings().WindowState, 2);

    ASSERT_TRUE(ModSettings::WriteSettings(dir.path(), {QRectF(0, 0, 99999, 99999), 2}, {}));
    ModSettings::LoadSettings(dir.path());
    EXPECT_EQ(ModSettings::Settings().WindowWidth, 3000) << "the rectangle last read is kept";
    EXPECT_EQ(ModSettings::Settings().WindowLeft, 100);
}

TEST_F(SettingsFile, MinimizedWritesNoStateAndComesBackNormal)
{
    ASSERT_TRUE(ModSettings::WriteSettings(dir.path(), {QRectF(1, 2, 3, 4), 1}, {}));
    QStringList lines;
    ASSERT_TRUE(TextFile::ReadLines(ModSettings::SettingsFilePath(dir.path()), lines));
    EXPECT_EQ(lines.size(), 16);
    EXPECT_FALSE(lines.join('\n').contains(QStringLiteral("WindowState")));
    ModSettings::LoadSettings(dir.path());
    EXPECT_EQ(ModSettings::Settings().WindowState, 0);
}
