#include "mainwindow/MainLayout.h"

#include <algorithm>

namespace MainLayout {

double WindowX(double screenXTwips, double windowLeft)
{
    return screenXTwips - windowLeft;
}

double WindowY(double screenYTwips, double windowTop, double captionTwips)
{
    return screenYTwips - windowTop - captionTwips;
}

std::optional<QRectF> PaneRect(int windowState, bool sideBarShown, double S, const ClientRect &c)
{
    const double w = c.R - c.L;
    const double h = (c.B - c.T) + 10;
    if (windowState == 1)
        return std::nullopt;
    if (windowState == 2) {
        if (sideBarShown)
            return QRectF(S + SplitBarWidth, c.T, w - S - SplitBarWidth, h);
        return QRectF(c.L + SplitBarWidth, c.T, w - SplitBarWidth, h);
    }
    if (sideBarShown)
        return QRectF(S + SplitBarWidth, c.T, w - S, h);
    return QRectF(c.L, c.T, w, h);
}

QRectF FtpLogRect(double browserWidth, double browserHeight)
{
    return QRectF(-40, browserHeight - FtpLogHeight, browserWidth, FtpLogHeight);
}

QRectF FtpListRect(double browserWidth, double browserHeight)
{
    return QRectF(-40, -40, browserWidth, browserHeight - FtpLogHeight + 40);
}

QRectF BrowserInContainer(double containerWidth, double containerHeight)
{
    return QRectF(-20, -20, containerWidth - 20, containerHeight - 20);
}

QRectF SideBarRect(double browserTop, double browserHeight, double splitLeft)
{
    return QRectF(0, browserTop, splitLeft, browserHeight);
}

QRectF SidePaneRect(const ClientRect &c)
{
    return QRectF(c.L + 40, c.T + 40, (c.R - c.L) - 40, (c.B - c.T) - 40);
}

QPointF CloseButtonPos(double barWidthTwips, double barHeightTwips)
{
    return QPointF(barWidthTwips - 300, barHeightTwips - 300);
}

QRectF SplitBarRect(double sideBarTop, double sideBarWidth, double sideBarHeight)
{
    return QRectF(sideBarWidth, sideBarTop, SplitBarWidth, sideBarHeight);
}

BarControls PlaceBarControls(double windowWidth, double menuTop, double menuHeight, double addressLeft,
                             double addressTop, double statusLeft, double statusTop, double labelWidth,
                             double addressGripWidth)
{
    BarControls b;
    const double side = menuHeight - 40;
    b.animation = QRectF(windowWidth - side - 150, menuTop - 20, side, side);

    b.label = QPointF(addressLeft + std::max(100.0, addressGripWidth), addressTop);
    b.addressBoxTop = b.label.y();
    b.addressBoxLeft = b.label.x() + labelWidth;
    b.addressBoxWidth = windowWidth / 3;
    b.go = QPointF(b.addressBoxLeft + b.addressBoxWidth + 80, b.addressBoxTop + 20);

    const double panelTop = statusTop - 10;
    const double panelWidth = windowWidth / 3 - 110;
    b.panel1 = QRectF(statusLeft, panelTop, panelWidth, 0);
    b.panel2 = QRectF(b.panel1.left() + b.panel1.width() + 40, panelTop, panelWidth, 0);
    b.panel3 = QRectF(b.panel2.left() + b.panel2.width() + 50, panelTop, panelWidth, 0);
    b.statusText = QRectF(b.panel1.left() + 60, b.panel1.top() - 20, b.panel1.width() - 100, 0);
    b.popupStatus = QRectF(b.panel3.left() + 60, b.panel3.top() - 20, b.panel3.width() - 100, 0);
    b.progress = QRectF(b.panel2.left() + 80, b.panel2.top() + 50, b.panel2.width() - 160, 0);
    return b;
}

} // namespace MainLayout
