#include "mainwindow/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

const QRect kScreen(0, 0, 1280, 1024);

} // namespace

TEST(WindowPlacement, NewWindowStandsDownAndRightOfItsOpener)
{
    EXPECT_EQ(WindowPlacement::BesideOpener(QRect(80, 80, 1000, 700), QSize(1000, 700), kScreen, 30), QPoint(110, 110));
    EXPECT_EQ(WindowPlacement::BesideOpener(QRect(1000, 600, 200, 150), QSize(200, 150), kScreen, 30),
              QPoint(1030, 630))
        << "a small window near the edge still fits beside its opener";
}

TEST(WindowPlacement, NewWindowThatWouldCrossTheRightOrBottomEdgeStartsAtTheScreensCorner)
{
    EXPECT_EQ(WindowPlacement::BesideOpener(QRect(1100, 80, 400, 300), QSize(400, 300), kScreen, 30), kScreen.topLeft());
    EXPECT_EQ(WindowPlacement::BesideOpener(QRect(80, 900, 400, 300), QSize(400, 300), kScreen, 30), kScreen.topLeft());
    // The opener in the bottom right corner, its new window as large as itself.
    EXPECT_EQ(WindowPlacement::BesideOpener(QRect(279, 302, 1001, 722), QSize(1001, 722), kScreen, 24), kScreen.topLeft());
}

TEST(WindowPlacement, NewWindowOfAnOpenerAboveTheScreenStillShowsItsTitleBar)
{
    EXPECT_EQ(WindowPlacement::BesideOpener(QRect(-200, -100, 400, 300), QSize(400, 300), QRect(0, 20, 1280, 1004), 30),
              QPoint(0, 20));
}

TEST(WindowPlacement, NewWindowLargerThanTheScreenStartsAtItsCorner)
{
    EXPECT_EQ(WindowPlacement::BesideOpener(QRect(80, 80, 1000, 700), QSize(2000, 700), QRect(0, 20, 1280, 1004), 30),
              QPoint(0, 20));
}
