#pragma once

#include <QColor>
#include <QImage>
#include <QMap>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

// A set of equally sized images, each under a text key; pixels of the mask colour are
// transparent. Command bars look up an entry's icon under its id written in decimal.
class ImageList
{
public:
    explicit ImageList(QSize imageSize = QSize(16, 16), QColor maskColor = QColor(255, 0, 255));

    QSize ImageSize() const { return m_imageSize; }
    QColor MaskColor() const { return m_maskColor; }

    // Adds or replaces the image under key; it is scaled to the list's size if it differs,
    // and the mask colour becomes transparent.
    void Add(const QString &key, const QImage &image);
    bool Contains(const QString &key) const { return m_images.contains(key); }
    QPixmap Pixmap(const QString &key) const { return m_images.value(key); }
    QStringList Keys() const { return m_images.keys(); }
    int Count() const { return int(m_images.size()); }

private:
    QSize m_imageSize;
    QColor m_maskColor;
    QMap<QString, QPixmap> m_images;
};
