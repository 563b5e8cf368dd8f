#pragma once

// Geometry of the drawn controls, in twips as the controls define it (15 twips make a pixel).
// Pure functions so that the shapes are checked without a window.
#include <QLineF>
#include <QRectF>
#include <QVector>

namespace DrawnControlGeometry {

inline constexpr double TwipsPerPixel = 15.0;

// A twip measure as the nearest whole number of pixels, and back.
int twipsToPixels(double twips);
double pixelsToTwips(int pixels);

// Heights (and the close button's width) that each control keeps whatever its host asks.
inline constexpr double LabelHeight = 300;
inline constexpr double StatusBarPanelHeight = 300;
inline constexpr double ProgressBarHeight = 185;
inline constexpr double CloseButtonSize = 260;

// The label's drawing surface inside the control, and where its text starts on that surface (pixels).
QRectF labelSurface(double innerWidth);
inline constexpr int LabelTextLeftPixels = 2;
inline constexpr int LabelTextTopPixels = 4;

// The four lines of a status-bar panel's frame on a surface of width w and height h.
QVector<QLineF> statusBarPanelFrame(double w, double h);

// Width of the progress fill for a control of the given inner width. Progress below 1 shows
// nothing and 100 or more fills the width; the result never exceeds the inner width.
double progressFillWidth(double innerWidth, qint32 progress);

// The cross of the close button: two doubled strokes on its 260 x 260 surface.
QVector<QLineF> closeButtonCross();

} // namespace DrawnControlGeometry
