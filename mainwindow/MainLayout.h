#pragma once

#include <QRectF>

#include <optional>

// The main window's geometry rules, in twips (a pixel is 15 twips), single precision, no
// rounding. Rectangles are Left, Top, Width, Height.
namespace MainLayout {

constexpr double TwipsPerPixel = 15.0;
constexpr double SplitBarWidth = 40.0;
constexpr double FtpLogHeight = 1200.0;

struct ClientRect
{
    double L = 0, T = 0, R = 0, B = 0;
};

// Screen coordinates (twips) of a bar to window coordinates.
double WindowX(double screenXTwips, double windowLeft);
double WindowY(double screenYTwips, double windowTop, double captionTwips);

// The page container (and the FTP pane over it); none while minimized (state 1).
std::optional<QRectF> PaneRect(int windowState, bool sideBarShown, double splitLeft, const ClientRect &c);
QRectF FtpLogRect(double browserWidth, double browserHeight);
QRectF FtpListRect(double browserWidth, double browserHeight);
QRectF BrowserInContainer(double containerWidth, double containerHeight);
QRectF SideBarRect(double browserTop, double browserHeight, double splitLeft);
QRectF SidePaneRect(const ClientRect &sideBarClient);
// The close button's Left and Top at the right end of the side bar's own bar.
QPointF CloseButtonPos(double barWidthTwips, double barHeightTwips);
QRectF SplitBarRect(double sideBarTop, double sideBarWidth, double sideBarHeight);

struct BarControls
{
    QRectF animation;
    QPointF label; // Left, Top of the "Address:" label (its size is kept)
    double addressBoxLeft = 0, addressBoxTop = 0, addressBoxWidth = 0;
    QPointF go;
    QRectF panel1, panel2, panel3; // heights are kept: 0 here
    QRectF statusText, popupStatus, progress;
};

// Placement of the controls laid over the bars, from the bars' window coordinates. The label
// starts 100 twips into the Address bar, or past its grip where the grip reaches further; the
// address box follows the label's width.
BarControls PlaceBarControls(double windowWidth, double menuTop, double menuHeight, double addressLeft,
                             double addressTop, double statusLeft, double statusTop,
                             double labelWidth = 735.0, double addressGripWidth = 0);

} // namespace MainLayout
