#include "controls/XPStyleProgressBar.h"

#include "controls/DrawnControlGeometry.h"

using namespace DrawnControlGeometry;

XPStyleProgressBar::XPStyleProgressBar(QWidget *parent) : DrawnControl(QColor(0, 0, 0xC0), parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedHeight(twipsToPixels(ProgressBarHeight));
}

void XPStyleProgressBar::setProgress(qint16 progress)
{
    m_progress = progress;
    const int fillPixels =
        qMin(width(), twipsToPixels(progressFillWidth(pixelsToTwips(width()), progress)));
    if (fillPixels <= 0) {
        clearShapeMask();
        return;
    }
    QImage surface = blankSurface(QSize(fillPixels, height()));
    surface.fill(Qt::black);
    takeShapeMask(surface, QPoint(0, 0));
}

void XPStyleProgressBar::setParentBackColor(const QColor &color)
{
    m_parentBackColor = color;
}
