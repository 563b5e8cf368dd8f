#include "app/ModuleWin32API.h"

#include <QFileInfo>
#include <gtest/gtest.h>

TEST(OSVersionName, NamesEachBranchOfTheVersionTable)
{
    using ModuleWin32API::OSVersionName;
    EXPECT_EQ(OSVersionName(1, 4, 0), "Win95");
    EXPECT_EQ(OSVersionName(1, 4, 10), "Win98");
    EXPECT_EQ(OSVersionName(1, 4, 90), "WinME");
    EXPECT_EQ(OSVersionName(1, 4, 3), "");
    EXPECT_EQ(OSVersionName(2, 3, 51), "WinNT351");
    EXPECT_EQ(OSVersionName(2, 4, 0), "WinNT40");
    EXPECT_EQ(OSVersionName(2, 5, 0), "Win2K");
    EXPECT_EQ(OSVersionName(2, 5, 1), "WinXP");
    EXPECT_EQ(OSVersionName(2, 5, 2), "Win2K3");
    EXPECT_EQ(OSVersionName(2, 5, 3), "");
    EXPECT_EQ(OSVersionName(2, 6, 1), "");
    EXPECT_EQ(OSVersionName(0, 0, 0), "Failed");
    EXPECT_EQ(OSVersionName(3, 5, 1), "Failed");
}

TEST(OSVersionName, ThisPlatformIsACurrentSystem)
{
    EXPECT_EQ(ModuleWin32API::GetOSVersionName(), "");
    EXPECT_GT(ModuleWin32API::GetCaptionHeight(), 0);
}

TEST(SpecialFolder, FavoritesFolderExistsAfterTheCall)
{
    const QString path = ModuleWin32API::GetSpecialFolderPath(nullptr, 6);
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_TRUE(ModuleWin32API::GetSpecialFolderPath(nullptr, 5).isEmpty());
}
