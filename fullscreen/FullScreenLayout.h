#pragma once

#include <QPointF>
#include <QRectF>

// The full-screen window's own geometry rules, in twips (a pixel is 15 twips). The page area,
// the FTP pane, the side bar and its panes follow the main window's rules (MainLayout); what
// differs is below.
namespace FullScreenLayout {

constexpr double TwipsPerPixel = 15.0;

// The page browser fills its container from the corner.
QRectF BrowserInContainer(double containerWidth, double containerHeight);

// The focus-catching picture: 2 by 2 twips at the left edge, 200 down.
QRectF KeyPreviewRect();

// The address label, the address box and the window-control toolbar laid over the Standard
// bar. Label and box keep their heights and the toolbar its width.
struct BarControls
{
    QPointF label;                 // Left, Top of the "Address:" label
    double addressBoxLeft = 0;
    double addressBoxTop = 0;
    double addressBoxWidth = 0;
    double toolbarWindowLeft = 0;
    double toolbarWindowTop = 0;
    double toolbarWindowHeight = 0;
};

// From the Standard bar's window rectangle in screen pixels (barLeft, barTop, barBottom), the
// window's Left, Top and Width in twips, the current widths of the label and of the
// window-control toolbar, and how far the bar's own commands reach from its left edge. The label
// stands 4200 twips into the bar, or where the commands end when they reach further, so that it
// never covers one. The toolbar's Top is the bar's top pixel number taken as twips.
BarControls PlaceBarControls(int barLeft, int barTop, int barBottom, double windowLeft,
                             double windowTop, double windowWidth, double labelWidth,
                             double toolbarWindowWidth, double commandsWidth);

} // namespace FullScreenLayout
