#include "controls/HistoryTreeImages.h"

#include <QPainter>
#include <QPixmap>

namespace HistoryTreeImages {

namespace {

void drawDay(QPainter &p)
{
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    p.drawRect(3, 2, 13, 12);
    p.fillRect(4, 3, 12, 3, QColor(0xC0, 0x30, 0x30));
    p.setPen(QColor(0x60, 0x60, 0x60));
    for (int y = 8; y <= 12; y += 2)
        p.drawLine(6, y, 13, y);
}

void drawFolder(QPainter &p, bool open)
{
    const QColor edge(0x9A, 0x7A, 0x20);
    p.setPen(edge);
    p.setBrush(QColor(0xF0, 0xD0, 0x60));
    p.drawRect(2, 4, 6, 2);
    if (open) {
        p.drawRect(2, 5, 14, 9);
        p.setBrush(QColor(0xFA, 0xE6, 0x96));
        const QPointF flap[] = {{4, 8}, {18, 8}, {16, 14}, {2, 14}};
        p.drawPolygon(flap, 4);
    } else {
        p.drawRect(2, 5, 15, 9);
    }
}

void drawPage(QPainter &p)
{
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 11, 14);
    p.setPen(QColor(0x30, 0x60, 0xC0));
    for (int y = 4; y <= 12; y += 2)
        p.drawLine(6, y, 13, y);
}

} // namespace

QIcon Icon(Image image)
{
    QPixmap pixmap(Width, Height);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    switch (image) {
    case Day:
        drawDay(painter);
        break;
    case SiteClosed:
        drawFolder(painter, false);
        break;
    case SiteOpen:
        drawFolder(painter, true);
        break;
    case Page:
        drawPage(painter);
        break;
    }
    return QIcon(pixmap);
}

} // namespace HistoryTreeImages
