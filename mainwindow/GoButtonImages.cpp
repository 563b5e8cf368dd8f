#include "mainwindow/GoButtonImages.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QImage drawGoButton(bool pressed)
{
    QImage image(18, 18, QImage::Format_ARGB32);
    image.fill(QColor(255, 0, 255));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF offset = pressed ? QPointF(1, 1) : QPointF(0, 0);
    p.setPen(QPen(QColor(0, 100, 0), 1));
    p.setBrush(pressed ? QColor(40, 140, 40) : QColor(60, 180, 60));
    p.drawEllipse(QRectF(1, 1, 15, 15).translated(offset));
    QPainterPath arrow;
    arrow.moveTo(QPointF(5, 7) + offset);
    arrow.lineTo(QPointF(9, 7) + offset);
    arrow.lineTo(QPointF(9, 4.5) + offset);
    arrow.lineTo(QPointF(13, 8.5) + offset);
    arrow.lineTo(QPointF(9, 12.5) + offset);
    arrow.lineTo(QPointF(9, 10) + offset);
    arrow.lineTo(QPointF(5, 10) + offset);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    return image;
}

} // namespace

ImageList MakeGoButtonImages()
{
    ImageList images(QSize(18, 18));
    images.Add(QStringLiteral("1"), drawGoButton(false));
    images.Add(QStringLiteral("2"), drawGoButton(true));
    return images;
}
