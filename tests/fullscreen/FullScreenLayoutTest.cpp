#include "fullscreen/FullScreenLayout.h"
#include "mainwindow/MainLayout.h"

#include <gtest/gtest.h>

namespace {

const MainLayout::ClientRect kClient{0, 450, 19200, 14400};

} // namespace

TEST(FullScreenLayout, MaximizedWithTheSideBarThePagePaneAndSideBarShareTheClientArea)
{
    const auto page = MainLayout::PaneRect(2, true, 3600, kClient);
    ASSERT_TRUE(page);
    EXPECT_EQ(*page, QRectF(3640, 450, 15560, 13960));
    EXPECT_EQ(MainLayout::FtpLogRect(page->width(), page->height()), QRectF(-40, 12760, 15560, 1200));
    EXPECT_EQ(MainLayout::FtpListRect(page->width(), page->height()), QRectF(-40, -40, 15560, 12800));
    EXPECT_EQ(FullScreenLayout::BrowserInContainer(page->width(), page->height()), QRectF(0, 0, 15560, 13960));
    EXPECT_EQ(MainLayout::SideBarRect(page->top(), page->height(), 3600), QRectF(0, 450, 3600, 13960));
}

TEST(FullScreenLayout, PageAreaByWindowStateAndSideBar)
{
    EXPECT_EQ(*MainLayout::PaneRect(2, false, 3600, kClient), QRectF(40, 450, 19160, 13960));
    EXPECT_EQ(*MainLayout::PaneRect(0, true, 3600, kClient), QRectF(3640, 450, 15600, 13960));
    EXPECT_EQ(*MainLayout::PaneRect(0, false, 3600, kClient), QRectF(0, 450, 19200, 13960));
    EXPECT_FALSE(MainLayout::PaneRect(1, true, 3600, kClient));
    EXPECT_FALSE(MainLayout::PaneRect(1, false, 3600, kClient));
}

TEST(FullScreenLayout, SidePanesFillTheSideBarBelowItsBarAndTheCloseButtonSitsAtTheBarsEnd)
{
    EXPECT_EQ(MainLayout::SidePaneRect({0, 390, 3600, 13960}), QRectF(40, 430, 3560, 13530));
    EXPECT_EQ(MainLayout::CloseButtonPos(3600, 390), QPointF(3300, 90));
}

TEST(FullScreenLayout, BarControlsLieOverTheStandardBar)
{
    // Standard bar at the top of the screen, window at (0, 0), 1280 pixels wide.
    const auto b = FullScreenLayout::PlaceBarControls(0, 0, 26, 0, 0, 19200, 735, 1050, 3900);
    EXPECT_EQ(b.label, QPointF(4200, 60));
    EXPECT_EQ(b.addressBoxTop, 60);
    EXPECT_EQ(b.addressBoxLeft, 4935);
    EXPECT_EQ(b.addressBoxWidth, 19200 - 4935 - 1050 - 320);
    EXPECT_EQ(b.toolbarWindowTop, 0);
    EXPECT_EQ(b.toolbarWindowLeft, 19200 - 1050);
    EXPECT_EQ(b.toolbarWindowHeight, 26 * 15 - 40);
}

TEST(FullScreenLayout, BarControlsFollowTheBarsScreenPlaceAgainstTheWindow)
{
    // Bar 30 pixels below and 10 right of a window standing at (150, 300) twips.
    const auto b = FullScreenLayout::PlaceBarControls(20, 50, 76, 150, 300, 15000, 735, 1050, 3900);
    EXPECT_EQ(b.label, QPointF(20 * 15 - 150 + 4200, 50 * 15 - 300 + 60));
    // The window buttons' top is the bar's top pixel number, taken as twips.
    EXPECT_EQ(b.toolbarWindowTop, 50);
    // A window too narrow gives the address box a negative width, which the box refuses.
    EXPECT_LT(FullScreenLayout::PlaceBarControls(0, 0, 26, 0, 0, 5000, 735, 1050, 3900).addressBoxWidth, 0);
}

TEST(FullScreenLayout, TheLabelStandsAfterTheBarsCommandsWhenTheyReachBeyond4200Twips)
{
    const auto b = FullScreenLayout::PlaceBarControls(0, 0, 26, 0, 0, 19200, 780, 1050, 4380);
    EXPECT_EQ(b.label, QPointF(4380, 60));
    EXPECT_EQ(b.addressBoxLeft, 4380 + 780);
    EXPECT_EQ(b.addressBoxWidth, 19200 - (4380 + 780) - 1050 - 320);
}

TEST(FullScreenLayout, KeyPreviewIsATinyPictureAtTheLeftEdge)
{
    EXPECT_EQ(FullScreenLayout::KeyPreviewRect(), QRectF(0, 200, 2, 2));
}
