#include "controls/XPStyleStatusBarPanel.h"

#include "controls/DrawnControlGeometry.h"

using namespace DrawnControlGeometry;

XPStyleStatusBarPanel::XPStyleStatusBarPanel(QWidget *parent)
    : DrawnControl(QColor(0x80, 0x80, 0x80), parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedHeight(twipsToPixels(StatusBarPanelHeight));
    drawFrame();
}

void XPStyleStatusBarPanel::setBorderColorDark(const QColor &color)
{
    m_borderColorDark = color;
    setShapeColor(color);
}

void XPStyleStatusBarPanel::setBorderColorLight(const QColor &color)
{
    m_borderColorLight = color;
}

void XPStyleStatusBarPanel::resizeEvent(QResizeEvent *)
{
    drawFrame();
}

void XPStyleStatusBarPanel::drawFrame()
{
    QImage surface = blankSurface(size());
    drawTwipLines(surface, statusBarPanelFrame(pixelsToTwips(width()), pixelsToTwips(height())));
    takeShapeMask(surface, QPoint(0, 0));
}
