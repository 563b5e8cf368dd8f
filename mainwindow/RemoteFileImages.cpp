#include "mainwindow/RemoteFileImages.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QImage blankIcon()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(QColor(255, 0, 255));
    return image;
}

void drawFolder(QPainter &p)
{
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(QRectF(1.5, 4.5, 13, 9));
    p.drawRect(QRectF(1.5, 2.5, 5, 2));
}

QImage parentIcon()
{
    QImage image = blankIcon();
    QPainter p(&image);
    drawFolder(p);
    QPainterPath arrow;
    arrow.moveTo(8, 5);
    arrow.lineTo(12, 9);
    arrow.lineTo(10, 9);
    arrow.lineTo(10, 12);
    arrow.lineTo(6, 12);
    arrow.lineTo(6, 9);
    arrow.lineTo(4, 9);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 110, 0));
    p.drawPath(arrow);
    return image;
}

QImage folderIcon()
{
    QImage image = blankIcon();
    QPainter p(&image);
    drawFolder(p);
    return image;
}

QImage pageIcon(bool withLines)
{
    QImage image = blankIcon();
    QPainter p(&image);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
    if (withLines) {
        p.setPen(QColor(40, 70, 160));
        for (int y = 4; y <= 12; y += 2)
            p.drawLine(5, y, 11, y);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(QRectF(5, 6, 6, 5));
    }
    return image;
}

} // namespace

ImageList MakeRemoteFileImages()
{
    ImageList images;
    images.Add(QStringLiteral("1"), parentIcon());
    images.Add(QStringLiteral("2"), folderIcon());
    images.Add(QStringLiteral("3"), pageIcon(true));
    images.Add(QStringLiteral("4"), pageIcon(false));
    return images;
}
