#pragma once

#include <QLineF>
#include <QRectF>

// Where the parts of the address box sit, in twips (15 twips make a pixel). All values are
// computed in double, so a box as wide as any screen never wraps a 16-bit twips count.
namespace AddressBoxLayout {

constexpr double TwipsPerPixel = 15.0;
constexpr double ClosedHeight = 300.0;   // the box alone
constexpr double ListGap = 20.0;         // between the box and an open list
constexpr double ListHeight = 3480.0;

struct Parts {
    QRectF Box;         // Picture1
    QRectF FlatButton;  // PictureFlatButton
    QRectF KindIcon;    // Picture2
    QRectF TextField;   // Text1
    QRectF List;        // TreeView1 and TreeVeiwAutoComplete, below the box
};

struct BorderLines {
    QLineF Center, Left, Right, Top, Bottom;
};

// The closed layout for a control whose inner width is innerWidth twips.
Parts Arrange(double innerWidth);

// The five border lines of a box of width and height (twips), with the separator before the
// drop-down button that starts at flatButtonLeft.
BorderLines Lines(double width, double height, double flatButtonLeft);

inline int ToPixels(double twips) { return qRound(twips / TwipsPerPixel); }
inline double ToTwips(int pixels) { return pixels * TwipsPerPixel; }
QRect ToPixels(const QRectF &twips);

} // namespace AddressBoxLayout
