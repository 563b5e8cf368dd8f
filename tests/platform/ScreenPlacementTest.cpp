#include "platform/ScreenPlacement.h"

#include <QList>

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

// Two screens side by side, the left one primary and taller: below the right one lies a gap.
const QList<QRect> kTwoScreens{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1024, 768)};

TEST(ScreenPlacement, WindowIsOnTheScreenThatHoldsItsCentre)
{
    EXPECT_EQ(ScreenPlacement::ScreenOf(QRect(100, 100, 800, 600), kTwoScreens), 0);
    EXPECT_EQ(ScreenPlacement::ScreenOf(QRect(1500, 100, 400, 300), kTwoScreens), 1);
    // More of it lies on the taller left screen, but its centre is on the right one.
    EXPECT_EQ(ScreenPlacement::ScreenOf(QRect(1000, 0, 601, 1200), kTwoScreens), 1);
}

TEST(ScreenPlacement, WindowWhoseCentreIsOnNoScreenIsOnTheOneItOverlapsMost)
{
    // Past the right screen's bottom-right corner, as the user may drag it.
    EXPECT_EQ(ScreenPlacement::ScreenOf(QRect(2000, 600, 1000, 700), kTwoScreens), 1);
    // Its centre in the gap below the right screen, more of it on the left screen, then less.
    EXPECT_EQ(ScreenPlacement::ScreenOf(QRect(800, 700, 1000, 400), kTwoScreens), 0);
    EXPECT_EQ(ScreenPlacement::ScreenOf(QRect(1250, 600, 1000, 400), kTwoScreens), 1);
}

TEST(ScreenPlacement, WindowOnNoScreenIsOnTheNearest)
{
    EXPECT_EQ(ScreenPlacement::ScreenOf(QRect(5000, 5000, 320, 240), kTwoScreens), 1);
    EXPECT_EQ(ScreenPlacement::ScreenOf(QRect(1500, 800, 320, 240), kTwoScreens), 1) << "in the gap, nearer the right";
    EXPECT_EQ(ScreenPlacement::ScreenOf(QRect(1320, 1000, 320, 240), kTwoScreens), 0) << "in the gap, nearer the left";
    EXPECT_EQ(ScreenPlacement::ScreenOf(QRect(-3000, -3000, 320, 240), kTwoScreens), 0);
    EXPECT_EQ(ScreenPlacement::ScreenOf(QRect(0, 0, 320, 240), {}), -1);
}
