#include "browsingdata/FavoritesImages.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <cmath>
#include <numbers>

namespace FavoritesImages {

namespace {

const QColor FolderFace(240, 200, 80);
const QColor FolderEdge(160, 120, 30);

QImage Blank()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QImage ClosedFolder()
{
    QImage image = Blank();
    QPainter p(&image);
    p.setPen(FolderEdge);
    p.setBrush(FolderFace);
    p.drawPolygon(QPolygon({{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}}));
    p.drawLine(1, 6, 14, 6);
    return image;
}

QImage OpenFolder()
{
    QImage image = Blank();
    QPainter p(&image);
    p.setPen(FolderEdge);
    p.setBrush(FolderFace.darker(115));
    p.drawPolygon(QPolygon({{1, 3}, {6, 3}, {7, 5}, {13, 5}, {13, 13}, {1, 13}}));
    p.setBrush(FolderFace);
    p.drawPolygon(QPolygon({{1, 13}, {4, 7}, {15, 7}, {12, 13}}));
    return image;
}

QImage Favorite()
{
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(30, 80, 160));
    p.setBrush(QColor(90, 150, 230));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(QColor(230, 240, 255), 1));
    p.drawLine(QPointF(2, 8), QPointF(14, 8));
    p.drawEllipse(QRectF(5, 1.5, 6, 13));
    p.setPen(QColor(200, 150, 0));
    p.setBrush(QColor(255, 215, 0));
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 ? 1.8 : 4.2;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << QPointF(11 + radius * std::cos(angle), 11.5 + radius * std::sin(angle));
    }
    p.drawPolygon(star);
    return image;
}

} // namespace

const ImageList &ImageListFavorites()
{
    static const ImageList images = [] {
        ImageList list;
        list.Add(QString::number(FolderImage), ClosedFolder());
        list.Add(QString::number(OpenFolderImage), OpenFolder());
        list.Add(QString::number(FavoriteImage), Favorite());
        return list;
    }();
    return images;
}

QIcon Icon(int image)
{
    const QString key = QString::number(image);
    if (!ImageListFavorites().Contains(key))
        return {};
    return QIcon(ImageListFavorites().Pixmap(key));
}

} // namespace FavoritesImages
