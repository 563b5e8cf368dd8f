#include "controls/DrawnControlGeometry.h"

#include <cmath>

namespace DrawnControlGeometry {

int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

double pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

QRectF labelSurface(double innerWidth)
{
    return QRectF(0, 40, innerWidth, 260);
}

QVector<QLineF> statusBarPanelFrame(double w, double h)
{
    return { QLineF(0, 0, w, 0), QLineF(0, h - 10, w, h - 10), QLineF(0, 0, 0, h),
             QLineF(w - 10, 0, w - 10, h) };
}

double progressFillWidth(double innerWidth, qint32 progress)
{
    if (progress < 1 || innerWidth <= 0)
        return 0;
    if (progress >= 100)
        return innerWidth;
    // Halves go to the even neighbour, as the bar has always rounded.
    return std::nearbyint(innerWidth / 100.0 * progress);
}

QVector<QLineF> closeButtonCross()
{
    return { QLineF(80, 80, 190, 190), QLineF(90, 80, 210, 190), QLineF(180, 80, 60, 190),
             QLineF(190, 80, 80, 190) };
}

} // namespace DrawnControlGeometry
