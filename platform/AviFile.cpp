#include "platform/AviFile.h"

#include <QFile>
#include <QtEndian>

#include <cstring>
#include <optional>

namespace {

// Thrown inside the parser only, to give up with a reason from any depth.
struct Refusal
{
    QString reason;
};

[[noreturn]] void refuse(const char *reason)
{
    throw Refusal{QString::fromLatin1(reason)};
}

constexpr quint32 BI_RGB = 0;
constexpr quint32 BI_RLE8 = 1;

struct Range
{
    qint64 begin = 0;
    qint64 end = 0;
    qint64 size() const { return end - begin; }
};

struct VideoFormat
{
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    quint32 compression = 0;
    QList<QRgb> palette;
};

} // namespace

// Walks the RIFF tree of one AVI file held in memory; every offset is checked against the
// chunk that holds it before it is read.
class AviParser
{
public:
    explicit AviParser(const QByteArray &bytes) : m_bytes(bytes) {}

    AviFile Run()
    {
        AviFile avi;
        try {
            parse(avi);
        } catch (const Refusal &refusal) {
            avi = AviFile();
            avi.m_error = refusal.reason;
        }
        return avi;
    }

private:
    const uchar *at(qint64 offset) const
    {
        return reinterpret_cast<const uchar *>(m_bytes.constData()) + offset;
    }
    quint32 u32(qint64 offset) const { return qFromLittleEndian<quint32>(at(offset)); }
    qint32 i32(qint64 offset) const { return qFromLittleEndian<qint32>(at(offset)); }
    quint16 u16(qint64 offset) const { return qFromLittleEndian<quint16>(at(offset)); }
    bool is(qint64 offset, const char *fourcc) const
    {
        return std::memcmp(at(offset), fourcc, 4) == 0;
    }

    // Calls visit(chunk start, data range) for each chunk between begin and end.
    template <class Visit>
    void forEachChunk(Range range, Visit visit) const
    {
        qint64 pos = range.begin;
        while (pos + 8 <= range.end) {
            const Range data{pos + 8, pos + 8 + qint64(u32(pos + 4))};
            if (data.end > range.end)
                refuse("The file is truncated or a chunk overruns its list.");
            visit(pos, data);
            pos = data.end + (data.size() & 1);
        }
    }

    void parse(AviFile &avi)
    {
        if (m_bytes.size() < 12 || !is(0, "RIFF") || !is(8, "AVI "))
            refuse("Not an AVI file.");
        const qint64 riffEnd = 8 + qint64(u32(4));
        if (riffEnd > m_bytes.size())
            refuse("The file is truncated.");
        forEachChunk({12, riffEnd}, [&](qint64 pos, Range data) {
            if (!is(pos, "LIST") || data.size() < 4)
                return;
            if (is(data.begin, "hdrl"))
                parseHeaders({data.begin + 4, data.end});
            else if (is(data.begin, "movi"))
                collectFrames({data.begin + 4, data.end}, true);
        });
        if (!m_format)
            refuse("The file holds no video stream.");
        if (m_frameChunks.isEmpty())
            refuse("The file holds no frames.");
        const qint64 frameBytes =
            qint64(m_format->width) * m_format->height * (m_format->bitCount == 24 ? 4 : 1);
        if (frameBytes * m_frameChunks.size() > AviFile::MaxDecodedBytes)
            refuse("The clip is too large.");

        avi.m_size = QSize(m_format->width, m_format->height);
        avi.m_millisecondsPerFrame = m_millisecondsPerFrame;
        decodeFrames(avi.m_frames);
    }

    void parseHeaders(Range hdrl)
    {
        int streamIndex = 0;
        forEachChunk(hdrl, [&](qint64 pos, Range data) {
            if (is(pos, "avih") && data.size() >= 4) {
                m_mainMicroseconds = u32(data.begin);
            } else if (is(pos, "LIST") && data.size() >= 4 && is(data.begin, "strl")) {
                if (!m_format)
                    parseStream({data.begin + 4, data.end}, streamIndex);
                ++streamIndex;
            }
        });
        settleFrameTime();
    }

    void parseStream(Range strl, int streamIndex)
    {
        std::optional<Range> strh, strf;
        forEachChunk(strl, [&](qint64 pos, Range data) {
            if (is(pos, "strh"))
                strh = data;
            else if (is(pos, "strf"))
                strf = data;
        });
        if (!strh || strh->size() < 28 || !is(strh->begin, "vids"))
            return;
        if (!strf)
            refuse("The video stream has no format.");
        m_format = readFormat(*strf);
        m_streamId = QByteArray::number(streamIndex).rightJustified(2, '0');
        if (m_streamId.size() != 2)
            refuse("The video stream has no valid number.");
        const quint32 scale = u32(strh->begin + 20);
        const quint32 rate = u32(strh->begin + 24);
        if (scale > 0 && rate > 0)
            m_streamMilliseconds = double(scale) * 1000.0 / double(rate);
    }

    VideoFormat readFormat(Range strf) const
    {
        if (strf.size() < 40)
            refuse("The video format is cut short.");
        VideoFormat format;
        const quint32 headerSize = u32(strf.begin);
        const qint32 width = i32(strf.begin + 4);
        const qint32 height = i32(strf.begin + 8);
        format.bitCount = u16(strf.begin + 14);
        format.compression = u32(strf.begin + 16);
        const quint32 colorsUsed = u32(strf.begin + 32);

        const bool uncompressed = format.compression == BI_RGB
                                  && (format.bitCount == 8 || format.bitCount == 24);
        const bool rle8 = format.compression == BI_RLE8 && format.bitCount == 8;
        if (!uncompressed && !rle8)
            refuse("Only uncompressed 8-bit and 24-bit frames and RLE8 frames are played.");
        if (width < 1 || width > AviFile::MaxDimension || height == 0
            || height < -AviFile::MaxDimension || height > AviFile::MaxDimension)
            refuse("The frame size is not valid.");
        if (height < 0 && !uncompressed)
            refuse("Compressed frames cannot run top-down.");
        format.width = width;
        format.height = height < 0 ? -height : height;
        format.topDown = height < 0;

        if (format.bitCount == 8) {
            const quint32 count = colorsUsed ? colorsUsed : 256;
            if (headerSize < 40 || count > 256)
                refuse("The palette is not valid.");
            const qint64 paletteBegin = strf.begin + headerSize;
            if (paletteBegin + qint64(count) * 4 > strf.end)
                refuse("The palette is cut short.");
            for (quint32 i = 0; i < count; ++i) {
                const uchar *entry = at(paletteBegin + i * 4);
                format.palette.append(qRgb(entry[2], entry[1], entry[0]));
            }
            // Every index a frame may hold has a colour.
            while (format.palette.size() < 256)
                format.palette.append(qRgb(0, 0, 0));
        }
        return format;
    }

    void settleFrameTime()
    {
        double ms = m_streamMilliseconds > 0 ? m_streamMilliseconds : m_mainMicroseconds / 1000.0;
        if (ms <= 0)
            ms = 100;
        m_millisecondsPerFrame = int(qBound(10.0, ms, 10000.0) + 0.5);
    }

    void collectFrames(Range movi, bool enterRecords)
    {
        // Frames are told by their stream's number, which the headers before them give.
        if (m_streamId.size() != 2)
            return;
        forEachChunk(movi, [&](qint64 pos, Range data) {
            if (enterRecords && is(pos, "LIST") && data.size() >= 4 && is(data.begin, "rec ")) {
                collectFrames({data.begin + 4, data.end}, false);
                return;
            }
            if (std::memcmp(at(pos), m_streamId.constData(), 2) != 0)
                return;
            if (std::memcmp(at(pos + 2), "db", 2) != 0 && std::memcmp(at(pos + 2), "dc", 2) != 0)
                return;
            if (m_frameChunks.size() == AviFile::MaxFrames)
                refuse("The clip has too many frames.");
            m_frameChunks.append(data);
        });
    }

    void decodeFrames(QList<QImage> &frames) const
    {
        const VideoFormat &f = *m_format;
        const QImage::Format imageFormat =
            f.bitCount == 24 ? QImage::Format_RGB32 : QImage::Format_Indexed8;
        QImage previous(f.width, f.height, imageFormat);
        if (previous.isNull())
            refuse("Out of memory for the frames.");
        if (f.bitCount == 8) {
            previous.setColorTable(f.palette);
            previous.fill(0);
        } else {
            previous.fill(Qt::black);
        }
        frames.reserve(m_frameChunks.size());
        for (const Range &chunk : m_frameChunks) {
            // An empty chunk repeats the frame before it.
            if (chunk.size() > 0) {
                QImage frame = previous.copy();
                if (f.compression == BI_RLE8)
                    decodeRle8(chunk, frame);
                else
                    decodeUncompressed(chunk, frame);
                previous = frame;
            }
            frames.append(previous);
        }
    }

    void decodeUncompressed(Range chunk, QImage &frame) const
    {
        const VideoFormat &f = *m_format;
        const qint64 stride = ((qint64(f.width) * f.bitCount + 31) / 32) * 4;
        if (chunk.size() < stride * f.height)
            refuse("A frame is cut short.");
        for (int row = 0; row < f.height; ++row) {
            const uchar *src = at(chunk.begin + stride * row);
            const int y = f.topDown ? row : f.height - 1 - row;
            if (f.bitCount == 8) {
                std::memcpy(frame.scanLine(y), src, size_t(f.width));
            } else {
                auto *dst = reinterpret_cast<QRgb *>(frame.scanLine(y));
                for (int x = 0; x < f.width; ++x)
                    dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            }
        }
    }

    // Draws an RLE8 frame over the one before it: skipped pixels keep their colour. Runs that
    // leave the frame are clipped; a cut-short stream ends the frame where it stops.
    void decodeRle8(Range chunk, QImage &frame) const
    {
        const qint64 width = frame.width();
        const qint64 height = frame.height();
        qint64 x = 0;
        qint64 y = 0; // rows counted from the bottom
        auto put = [&](qint64 px, uchar index) {
            if (px < width && y < height)
                frame.scanLine(int(height - 1 - y))[px] = index;
        };
        qint64 p = chunk.begin;
        while (p + 2 <= chunk.end && y < height) {
            const uchar count = *at(p);
            const uchar value = *at(p + 1);
            p += 2;
            if (count > 0) {
                for (int i = 0; i < count && x + i < width; ++i)
                    put(x + i, value);
                x = qMin(x + count, width);
            } else if (value == 0) {
                x = 0;
                ++y;
            } else if (value == 1) {
                break;
            } else if (value == 2) {
                if (p + 2 > chunk.end)
                    break;
                x = qMin(x + *at(p), width);
                y += *at(p + 1);
                p += 2;
            } else {
                if (p + value > chunk.end)
                    break;
                for (int i = 0; i < value && x + i < width; ++i)
                    put(x + i, *at(p + i));
                x = qMin(x + value, width);
                p += value + (value & 1);
            }
        }
    }

    const QByteArray &m_bytes;
    std::optional<VideoFormat> m_format;
    QByteArray m_streamId;
    QList<Range> m_frameChunks;
    quint32 m_mainMicroseconds = 0;
    double m_streamMilliseconds = 0;
    int m_millisecondsPerFrame = 100;
};

AviFile AviFile::Parse(const QByteArray &bytes)
{
    return AviParser(bytes).Run();
}

AviFile AviFile::Read(const QString &path)
{
    AviFile avi;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        avi.m_error = QStringLiteral("The file cannot be opened.");
        return avi;
    }
    if (file.size() > MaxFileBytes) {
        avi.m_error = QStringLiteral("The file is too large for an animation.");
        return avi;
    }
    return Parse(file.readAll());
}
