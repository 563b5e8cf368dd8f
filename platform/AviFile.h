#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// The frames of a small AVI clip: the first video stream, uncompressed 8-bit or 24-bit
// device-independent bitmaps or RLE8, which is all the animation control plays. Anything else,
// and any file whose chunks overrun it, is refused with a reason; nothing in the file is trusted.
class AviFile
{
public:
    // Larger files and clips are refused rather than decoded.
    static constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;
    static constexpr qint64 MaxDecodedBytes = 128 * 1024 * 1024;
    static constexpr int MaxDimension = 4096;
    static constexpr int MaxFrames = 100000;

    static AviFile Read(const QString &path);
    static AviFile Parse(const QByteArray &bytes);

    bool IsValid() const { return m_error.isEmpty() && !m_frames.isEmpty(); }
    const QString &ErrorText() const { return m_error; }

    QSize FrameSize() const { return m_size; }
    int FrameCount() const { return int(m_frames.size()); }
    const QImage &Frame(int index) const { return m_frames.at(index); }
    // The time each frame stays on screen.
    int MillisecondsPerFrame() const { return m_millisecondsPerFrame; }

private:
    friend class AviParser;

    QSize m_size;
    QList<QImage> m_frames;
    int m_millisecondsPerFrame = 100;
    QString m_error;
};
