#include "platform/ScreenPlacement.h"

#include <gtest/gtest.h>

namespace {

const QRect kScreen(0, 0, 1280, 1024);

} // namespace

TEST(ScreenPlacement, WindowIsKeptWholeOnTheScreenWhenItFits)
{
    EXPECT_EQ(ScreenPlacement::KeptInside(QRect(5000, 5000, 320, 240), kScreen), QPoint(960, 784));
    EXPECT_EQ(ScreenPlacement::KeptInside(QRect(-50, -60, 320, 240), kScreen), QPoint(0, 0));
    EXPECT_EQ(ScreenPlacement::KeptInside(QRect(100, 200, 320, 240), kScreen), QPoint(100, 200));
    EXPECT_EQ(ScreenPlacement::KeptInside(QRect(1100, 20, 320, 240), QRect(0, 30, 1280, 994)), QPoint(960, 30));
}

TEST(ScreenPlacement, WindowLargerThanTheScreenKeepsItsCornerOnIt)
{
    EXPECT_EQ(ScreenPlacement::KeptInside(QRect(300, 300, 2000, 1500), kScreen), QPoint(0, 0));
    EXPECT_EQ(ScreenPlacement::KeptInside(QRect(300, 300, 2000, 500), kScreen), QPoint(0, 300));
}

TEST(ScreenPlacement, DialogStaysCentredOverItsOwnerWhereItFits)
{
    EXPECT_EQ(ScreenPlacement::CentredOver(QSize(342, 120), QRect(100, 100, 1002, 722), kScreen), QPoint(430, 401));
}

TEST(ScreenPlacement, DialogOfAnOwnerPartlyOffTheScreenMovesJustInside)
{
    // The owner's left edge at 702 on a 1280-wide screen: Find and Open end at the right edge.
    EXPECT_EQ(ScreenPlacement::CentredOver(QSize(342, 120), QRect(702, 100, 1002, 722), kScreen), QPoint(938, 401));
    EXPECT_EQ(ScreenPlacement::CentredOver(QSize(282, 124), QRect(702, 100, 1002, 722), kScreen), QPoint(998, 399));
    // Past each corner.
    EXPECT_EQ(ScreenPlacement::CentredOver(QSize(342, 120), QRect(-900, -600, 1002, 722), kScreen), QPoint(0, 0));
    EXPECT_EQ(ScreenPlacement::CentredOver(QSize(342, 120), QRect(900, -600, 1002, 722), kScreen), QPoint(938, 0));
    EXPECT_EQ(ScreenPlacement::CentredOver(QSize(342, 120), QRect(-900, 900, 1002, 722), kScreen), QPoint(0, 904));
    EXPECT_EQ(ScreenPlacement::CentredOver(QSize(342, 120), QRect(900, 900, 1002, 722), kScreen), QPoint(938, 904));
}
