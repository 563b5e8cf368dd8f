#include "mainwindow/TwipsControls.h"

#include "mainwindow/MainLayout.h"

#include <cmath>

namespace TwipsControls {

int ToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / MainLayout::TwipsPerPixel));
}

void Move(QWidget *control, double left, double top, double width, double height)
{
    if (width < 0 || height < 0)
        return;
    control->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

QRectF Rect(const QWidget *control)
{
    const QRect g = control->geometry();
    const double k = MainLayout::TwipsPerPixel;
    return QRectF(g.x() * k, g.y() * k, g.width() * k, g.height() * k);
}

QFrame *MakeFrame(QWidget *container, const char *name, bool border, double left, double top, double width,
                  double height)
{
    auto *frame = Make<QFrame>(container, name, left, top, width, height);
    frame->setFrameShape(border ? QFrame::Box : QFrame::NoFrame);
    return frame;
}

} // namespace TwipsControls
