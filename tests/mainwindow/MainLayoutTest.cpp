#include "mainwindow/BrowserEventRules.h"
#include "mainwindow/MainLayout.h"

#include <gtest/gtest.h>

using namespace MainLayout;

TEST(MainLayout, PageContainerByWindowStateAndSideBar)
{
    const ClientRect c{0, 1200, 12000, 8000};
    EXPECT_EQ(*PaneRect(0, true, 3600, c), QRectF(3640, 1200, 8400, 6810))
        << "normal, side bar shown: right edge 40 twips beyond the client's";
    EXPECT_EQ(*PaneRect(0, false, 3600, c), QRectF(0, 1200, 12000, 6810));
    EXPECT_EQ(*PaneRect(2, true, 3600, c), QRectF(3640, 1200, 8360, 6810)) << "maximized meets the edge";
    EXPECT_EQ(*PaneRect(2, false, 3600, c), QRectF(40, 1200, 11960, 6810));
    EXPECT_FALSE(PaneRect(1, true, 3600, c).has_value()) << "a minimized window keeps its layout";
}

TEST(MainLayout, FtpPaneAndBrowserFitTheirContainer)
{
    EXPECT_EQ(FtpLogRect(9000, 6000), QRectF(-40, 4800, 9000, 1200));
    EXPECT_EQ(FtpListRect(9000, 6000), QRectF(-40, -40, 9000, 4840));
    const QRectF list = FtpListRect(9000, 6000);
    EXPECT_EQ(list.top() + list.height(), FtpLogRect(9000, 6000).top()) << "the list ends where the log begins";
    EXPECT_EQ(BrowserInContainer(9000, 6000), QRectF(-20, -20, 8980, 5980));
}

TEST(MainLayout, SideBarPanesCloseButtonAndSplitBar)
{
    EXPECT_EQ(SideBarRect(1200, 6810, 3600), QRectF(0, 1200, 3600, 6810));
    EXPECT_EQ(SidePaneRect({0, 450, 3600, 6810}), QRectF(40, 490, 3560, 6320));
    EXPECT_EQ(CloseButtonPos(3600, 450), QPointF(3300, 150));
    EXPECT_EQ(SplitBarRect(1200, 3600, 6810), QRectF(3600, 1200, 40, 6810));
}

TEST(MainLayout, ControlsOverTheBars)
{
    const BarControls b = PlaceBarControls(12000, 0, 330, 0, 1200, 0, 8000);
    EXPECT_EQ(b.animation, QRectF(12000 - 290 - 150, -20, 290, 290)) << "square throbber";
    EXPECT_EQ(b.label, QPointF(100, 1200));
    EXPECT_EQ(b.addressBoxLeft, 835);
    EXPECT_EQ(b.addressBoxWidth, 4000);
    EXPECT_EQ(b.go, QPointF(835 + 4000 + 80, 1220));
    EXPECT_EQ(b.panel1.width(), 12000 / 3.0 - 110);
    EXPECT_EQ(b.panel1.top(), 7990);
    EXPECT_EQ(b.panel2.left(), b.panel1.left() + b.panel1.width() + 40);
    EXPECT_EQ(b.panel3.left(), b.panel2.left() + b.panel2.width() + 50);
    EXPECT_EQ(b.statusText, QRectF(60, 7970, b.panel1.width() - 100, 0));
    EXPECT_EQ(b.progress, QRectF(b.panel2.left() + 80, 8040, b.panel2.width() - 160, 0));

    // A label wider than designed pushes the box along; a grip reaching past 100 twips, the label.
    const BarControls wide = PlaceBarControls(12000, 0, 330, 0, 1200, 0, 8000, 825, 180);
    EXPECT_EQ(wide.label, QPointF(180, 1200));
    EXPECT_EQ(wide.addressBoxLeft, 180 + 825);
    EXPECT_EQ(PlaceBarControls(12000, 0, 330, 0, 1200, 0, 8000, 735, 60).label, QPointF(100, 1200));
}

TEST(MainLayout, ScreenToWindowCoordinates)
{
    EXPECT_EQ(WindowX(3000, 1500), 1500);
    EXPECT_EQ(WindowY(3000, 1500, 300), 1200);
}

TEST(BrowserEventRules, ProgressNeverShowsAHundred)
{
    using BrowserEventRules::ProgressValue;
    EXPECT_EQ(ProgressValue(50, 100), 50);
    EXPECT_EQ(ProgressValue(1, 3), 33);
    EXPECT_EQ(ProgressValue(1, 8), 12) << "12.5 rounds to the even 12";
    EXPECT_EQ(ProgressValue(3, 8), 38);
    EXPECT_FALSE(ProgressValue(100, 100).has_value());
    EXPECT_EQ(ProgressValue(-1, 100), 0);
    EXPECT_EQ(ProgressValue(0, 100), 0);
    EXPECT_EQ(ProgressValue(5, 0), 0);
    EXPECT_EQ(ProgressValue(7, 5), 0);
    EXPECT_EQ(ProgressValue(3'000'000'000LL, 6'000'000'000LL), 50) << "no 32-bit overflow";
}

TEST(BrowserEventRules, CaptionAndGeometryRequests)
{
    EXPECT_EQ(BrowserEventRules::Caption(QStringLiteral("Page")), " Kestrelvue - Page");
    EXPECT_EQ(BrowserEventRules::Caption(QString()), " Kestrelvue - ");
    EXPECT_EQ(BrowserEventRules::PageHeightToWindowTwips(10), 850);
    EXPECT_EQ(BrowserEventRules::PixelsToTwips(30), 450);
    EXPECT_EQ(BrowserEventRules::PixelsToTwips(1LL << 40), std::numeric_limits<int>::max());
}
