#include "fullscreen/FullScreenLayout.h"

#include <algorithm>

namespace FullScreenLayout {

namespace {

double px(double pixels)
{
    return pixels * TwipsPerPixel;
}

} // namespace

QRectF BrowserInContainer(double containerWidth, double containerHeight)
{
    return QRectF(0, 0, containerWidth, containerHeight);
}

QRectF KeyPreviewRect()
{
    return QRectF(0, 200, 2, 2);
}

BarControls PlaceBarControls(int barLeft, int barTop, int barBottom, double windowLeft,
                             double windowTop, double windowWidth, double labelWidth,
                             double toolbarWindowWidth, double commandsWidth)
{
    BarControls b;
    b.label = QPointF(px(barLeft) - windowLeft + std::max(4200.0, commandsWidth), px(barTop) - windowTop + 60);
    b.addressBoxTop = b.label.y();
    b.addressBoxLeft = b.label.x() + labelWidth;
    b.addressBoxWidth = windowWidth - b.addressBoxLeft - toolbarWindowWidth - 320;
    b.toolbarWindowTop = barTop;
    b.toolbarWindowLeft = windowWidth - toolbarWindowWidth;
    b.toolbarWindowHeight = px(barBottom - barTop) - 40;
    return b;
}

} // namespace FullScreenLayout
