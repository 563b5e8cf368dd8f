#include "controls/AddressBoxImages.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace {

// A globe for a web address, a folder for an FTP one, in a square of side s at (x, y).
void DrawKind(QPainter &p, int kind, const QRectF &square)
{
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == 2) {
        const QRectF r = square.adjusted(1, 3, -1, -2);
        QPainterPath folder;
        folder.moveTo(r.left(), r.top());
        folder.lineTo(r.left() + r.width() * 0.4, r.top());
        folder.lineTo(r.left() + r.width() * 0.5, r.top() + 2);
        folder.lineTo(r.right(), r.top() + 2);
        folder.lineTo(r.right(), r.bottom());
        folder.lineTo(r.left(), r.bottom());
        folder.closeSubpath();
        p.setPen(QPen(QColor(150, 110, 20), 1));
        p.setBrush(QColor(240, 200, 80));
        p.drawPath(folder);
        return;
    }
    const QRectF r = square.adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(QPen(QColor(30, 90, 170), 1));
    p.setBrush(QColor(120, 180, 240));
    p.drawEllipse(r);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r.adjusted(r.width() * 0.3, 0, -r.width() * 0.3, 0));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
}

QPixmap Draw(int kind, QSize size, QRectF square)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    DrawKind(p, kind, square);
    return pixmap;
}

QPixmap Cached(QHash<int, QPixmap> &cache, int kind, QSize size, QRectF square)
{
    auto it = cache.find(kind);
    if (it == cache.end())
        it = cache.insert(kind, Draw(kind, size, square));
    return *it;
}

} // namespace

namespace AddressBoxImages {

QPixmap EntryImage(int kind)
{
    static QHash<int, QPixmap> cache;
    return Cached(cache, kind == 2 ? 2 : 1, QSize(20, 17), QRectF(2, 0.5, 16, 16));
}

QPixmap KindIcon(int kind)
{
    static QHash<int, QPixmap> cache;
    return Cached(cache, kind == 2 ? 2 : 1, QSize(16, 16), QRectF(0, 0, 16, 16));
}

QIcon PopupIcon(const QString &key)
{
    static const QHash<QString, QString> themeNames = {
        {QStringLiteral("6000"), QStringLiteral("edit-cut")},
        {QStringLiteral("6001"), QStringLiteral("edit-copy")},
        {QStringLiteral("6002"), QStringLiteral("edit-paste")},
        {QStringLiteral("7000"), QStringLiteral("edit-copy")},
        {QStringLiteral("7001"), QStringLiteral("document-edit")},
        {QStringLiteral("7002"), QStringLiteral("edit-delete")},
    };
    return QIcon::fromTheme(themeNames.value(key));
}

} // namespace AddressBoxImages
