#include "controls/AddressBoxLayout.h"

#include <algorithm>

namespace AddressBoxLayout {

Parts Arrange(double innerWidth)
{
    Parts p;
    const double w = std::max(0.0, innerWidth);
    p.Box = QRectF(0, 0, w, ClosedHeight);
    p.FlatButton = QRectF(w - 215, 20, 200, 275);
    p.KindIcon = QRectF(40, 30, 320, 240);
    const double textLeft = p.KindIcon.width() + 60;
    const double textWidth = std::max(0.0, w - p.KindIcon.width() - p.FlatButton.width() - 80);
    p.TextField = QRectF(textLeft, 40, textWidth, 185);
    p.List = QRectF(p.Box.left(), p.Box.height() + ListGap, w, ListHeight);
    return p;
}

BorderLines Lines(double width, double height, double flatButtonLeft)
{
    BorderLines l;
    const double x = flatButtonLeft - 10;
    l.Center = QLineF(x, 0, x, height);
    l.Left = QLineF(0, 0, 0, height);
    l.Right = QLineF(width - 10, 0, width - 10, height);
    l.Top = QLineF(0, 0, width, 0);
    l.Bottom = QLineF(0, height - 20, width, height - 20);
    return l;
}

QRect ToPixels(const QRectF &twips)
{
    const int left = ToPixels(twips.left());
    const int top = ToPixels(twips.top());
    return QRect(left, top, ToPixels(twips.right()) - left, ToPixels(twips.bottom()) - top);
}

} // namespace AddressBoxLayout
