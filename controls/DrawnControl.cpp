#include "controls/DrawnControl.h"

#include "controls/DrawnControlGeometry.h"

#include <QPainter>

using namespace DrawnControlGeometry;

DrawnControl::DrawnControl(const QColor &designColor, QWidget *parent)
    : QWidget(parent), m_shapeColor(designColor)
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_NoSystemBackground);
}

WId DrawnControl::WindowHandle() const
{
    return effectiveWinId();
}

void DrawnControl::setShapeColor(const QColor &color)
{
    if (m_shapeColor == color)
        return;
    m_shapeColor = color;
    update();
}

void DrawnControl::takeShapeMask(const QImage &surface, const QPoint &origin)
{
    const QImage pixels = surface.convertToFormat(QImage::Format_RGB32);
    const QRgb white = QColor(Qt::white).rgb();
    // One-pixel rows scanned top to bottom, left to right: already in the banded order a
    // region is built from in one step.
    QVector<QRect> runs;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        int x = 0;
        while (x < pixels.width()) {
            while (x < pixels.width() && row[x] == white)
                ++x;
            const int start = x;
            while (x < pixels.width() && row[x] != white)
                ++x;
            if (x > start)
                runs.append(QRect(start + origin.x(), y + origin.y(), x - start, 1));
        }
    }
    m_shape = QRegion();
    m_shape.setRects(runs.constData(), int(runs.size()));
    update();
}

void DrawnControl::clearShapeMask()
{
    m_shape = QRegion();
    update();
}

QImage DrawnControl::blankSurface(const QSize &size)
{
    QImage surface(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    surface.fill(Qt::white);
    return surface;
}

void DrawnControl::drawTwipLines(QImage &surface, const QVector<QLineF> &lines)
{
    QPainter painter(&surface);
    painter.setPen(QPen(Qt::black, 0));
    for (const QLineF &line : lines)
        painter.drawLine(QPoint(twipsToPixels(line.x1()), twipsToPixels(line.y1())),
                         QPoint(twipsToPixels(line.x2()), twipsToPixels(line.y2())));
}

void DrawnControl::paintEvent(QPaintEvent *)
{
    if (m_shape.isEmpty())
        return;
    QPainter painter(this);
    painter.setClipRegion(m_shape);
    painter.fillRect(rect(), m_shapeColor);
}
