#include "platform/ImageList.h"

ImageList::ImageList(QSize imageSize, QColor maskColor)
    : m_imageSize(imageSize), m_maskColor(maskColor)
{
}

void ImageList::Add(const QString &key, const QImage &image)
{
    QImage img = image.convertToFormat(QImage::Format_ARGB32);
    if (img.size() != m_imageSize)
        img = img.scaled(m_imageSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QRgb mask = m_maskColor.rgb() & 0xFFFFFF;
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == mask && qAlpha(line[x]) == 255)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    m_images.insert(key, QPixmap::fromImage(img));
}
