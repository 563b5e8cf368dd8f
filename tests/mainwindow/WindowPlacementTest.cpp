#include "mainwindow/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

const QRect kScreen(0, 0, 1280, 1024);

} // namespace

TEST(WindowPlacement, NewWindowStandsDownAndRightOfItsOpener)
{
    EXPECT_EQ(WindowPlacement::BesideOpener(QRect(80, 80, 1000, 700), kScreen, 30), QPoint(110, 110));
}

TEST(WindowPlacement, NewWindowNearTheRightOrBottomEdgeStartsAtTheScreensCorner)
{
    EXPECT_EQ(WindowPlacement::BesideOpener(QRect(1100, 80, 400, 300), kScreen, 30), kScreen.topLeft());
    EXPECT_EQ(WindowPlacement::BesideOpener(QRect(80, 900, 400, 300), kScreen, 30), kScreen.topLeft());
}

TEST(WindowPlacement, NewWindowOfAnOpenerAboveTheScreenStillShowsItsTitleBar)
{
    EXPECT_EQ(WindowPlacement::BesideOpener(QRect(-200, -100, 400, 300), QRect(0, 20, 1280, 1004), 30),
              QPoint(0, 20));
}

TEST(WindowPlacement, MovedWindowIsKeptWholeOnTheScreenWhenItFits)
{
    EXPECT_EQ(WindowPlacement::KeptOnScreen(QRect(5000, 5000, 320, 240), kScreen), QPoint(960, 784));
    EXPECT_EQ(WindowPlacement::KeptOnScreen(QRect(-50, -60, 320, 240), kScreen), QPoint(0, 0));
    EXPECT_EQ(WindowPlacement::KeptOnScreen(QRect(100, 200, 320, 240), kScreen), QPoint(100, 200));
}

TEST(WindowPlacement, WindowLargerThanTheScreenKeepsItsCornerOnIt)
{
    EXPECT_EQ(WindowPlacement::KeptOnScreen(QRect(300, 300, 2000, 1500), kScreen), QPoint(0, 0));
}
