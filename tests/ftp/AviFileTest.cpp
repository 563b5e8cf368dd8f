#include "platform/Animation.h"
#include "platform/AviFile.h"
#include "platform/NumberedError.h"
#include "tests/support/WaitFor.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

const QString DownloadClip = QStringLiteral(KV_SOURCE_DIR "/resources/Download.avi");

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray chunk(const char *fourcc, const QByteArray &data)
{
    QByteArray c = QByteArray(fourcc, 4) + le32(quint32(data.size())) + data;
    if (data.size() % 2)
        c.append('\0');
    return c;
}

QByteArray list(const char *kind, const char *type, const QByteArray &children)
{
    const QByteArray body = QByteArray(type, 4) + children;
    return QByteArray(kind, 4) + le32(quint32(body.size())) + body;
}

// Writes a one-stream clip as the animation control's clips are laid out.
struct ClipWriter
{
    qint32 width = 2;
    qint32 height = 2;
    quint16 bitCount = 8;
    quint32 compression = 0;
    quint32 scale = 1;
    quint32 rate = 10;
    QList<QRgb> palette{qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    QList<QByteArray> frames;
    const char *frameId = "00db";

    QByteArray Bytes() const
    {
        const QByteArray avih = le32(1000000 * scale / rate) + le32(0) + le32(0) + le32(0x10)
                                + le32(quint32(frames.size())) + le32(0) + le32(1) + le32(0)
                                + le32(quint32(width)) + le32(quint32(qAbs(height)))
                                + QByteArray(16, '\0');
        const QByteArray strh = QByteArray("vids") + QByteArray(4, '\0') + le32(0) + le16(0)
                                + le16(0) + le32(0) + le32(scale) + le32(rate) + le32(0)
                                + le32(quint32(frames.size())) + le32(0) + le32(0xFFFFFFFF)
                                + le32(0) + QByteArray(8, '\0');
        QByteArray strf = le32(40) + le32(quint32(width)) + le32(quint32(height)) + le16(1)
                          + le16(bitCount) + le32(compression) + le32(0) + le32(0) + le32(0)
                          + le32(bitCount == 8 ? quint32(palette.size()) : 0) + le32(0);
        if (bitCount == 8) {
            for (QRgb c : palette)
                strf += QByteArray(1, char(qBlue(c))) + char(qGreen(c)) + char(qRed(c)) + '\0';
        }
        QByteArray movi;
        for (const QByteArray &f : frames)
            movi += chunk(frameId, f);
        const QByteArray hdrl = chunk("avih", avih)
                                + list("LIST", "strl", chunk("strh", strh) + chunk("strf", strf));
        return list("RIFF", "AVI ", list("LIST", "hdrl", hdrl) + list("LIST", "movi", movi));
    }
};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

QByteArray ReadClip()
{
    QFile file(DownloadClip);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

} // namespace

TEST(AviFile, ReadsTheGeneratedDownloadClip)
{
    const AviFile clip = AviFile::Read(DownloadClip);
    ASSERT_TRUE(clip.IsValid()) << clip.ErrorText().toStdString();
    EXPECT_EQ(clip.FrameSize(), QSize(272, 60));
    EXPECT_EQ(clip.FrameCount(), 20);
    EXPECT_EQ(clip.MillisecondsPerFrame(), 100);
    EXPECT_EQ(clip.Frame(0).pixel(0, 0), qRgb(240, 240, 240));
    EXPECT_NE(clip.Frame(0), clip.Frame(10));
    // Both folders stay put while the document flies: the bottom rows hold folder colours.
    EXPECT_EQ(clip.Frame(0).pixel(16, 50), clip.Frame(10).pixel(16, 50));
    EXPECT_NE(clip.Frame(0).pixel(16, 50), qRgb(240, 240, 240));
}

TEST(AviFile, UncompressedFramesRunBottomUpWithRowsPaddedToFourBytes)
{
    ClipWriter eight;
    eight.width = 3;
    // Bottom row first: 1 2 4, then the top row 0 1 2; each row padded by one byte.
    eight.frames = {bytes({1, 2, 4, 0, 0, 1, 2, 0})};
    eight.palette.append(qRgb(9, 9, 9));
    const AviFile a = AviFile::Parse(eight.Bytes());
    ASSERT_TRUE(a.IsValid()) << a.ErrorText().toStdString();
    EXPECT_EQ(a.Frame(0).pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(a.Frame(0).pixel(2, 0), qRgb(0, 255, 0));
    EXPECT_EQ(a.Frame(0).pixel(0, 1), qRgb(255, 0, 0));
    EXPECT_EQ(a.Frame(0).pixel(2, 1), qRgb(9, 9, 9));

    ClipWriter rgb;
    rgb.bitCount = 24;
    rgb.height = -2; // top-down
    rgb.frames = {bytes({1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}), QByteArray()};
    const AviFile b = AviFile::Parse(rgb.Bytes());
    ASSERT_TRUE(b.IsValid()) << b.ErrorText().toStdString();
    EXPECT_EQ(b.Frame(0).pixel(0, 0), qRgb(3, 2, 1));
    EXPECT_EQ(b.Frame(0).pixel(1, 1), qRgb(12, 11, 10));
    // An empty chunk repeats the frame before it.
    EXPECT_EQ(b.FrameCount(), 2);
    EXPECT_EQ(b.Frame(1), b.Frame(0));
}

TEST(AviFile, Rle8FramesDrawOverThePreviousFrame)
{
    ClipWriter rle;
    rle.width = 4;
    rle.height = 2;
    rle.compression = 1;
    rle.frameId = "00dc";
    rle.frames = {
        // Bottom row: a run of four 1s; top row: absolute 3 pixels (padded) and one 2.
        bytes({4, 1, 0, 0, 0, 3, 2, 3, 1, 0, 1, 2, 0, 1}),
        // Skip one pixel right and one row up, then paint one pixel 3 there.
        bytes({0, 2, 1, 1, 1, 3, 0, 1}),
        // A run past the right edge, a delta far outside, an absolute run that overruns.
        bytes({200, 2, 0, 2, 255, 255, 1, 1, 0, 9, 1}),
    };
    const AviFile clip = AviFile::Parse(rle.Bytes());
    ASSERT_TRUE(clip.IsValid()) << clip.ErrorText().toStdString();
    ASSERT_EQ(clip.FrameCount(), 3);
    const QImage &first = clip.Frame(0);
    EXPECT_EQ(first.pixelIndex(0, 1), 1);
    EXPECT_EQ(first.pixelIndex(3, 1), 1);
    EXPECT_EQ(first.pixelIndex(0, 0), 2);
    EXPECT_EQ(first.pixelIndex(2, 0), 1);
    EXPECT_EQ(first.pixelIndex(3, 0), 2);
    const QImage &second = clip.Frame(1);
    EXPECT_EQ(second.pixelIndex(1, 0), 3);
    for (QPoint kept : {QPoint(0, 0), QPoint(2, 0), QPoint(3, 0), QPoint(0, 1), QPoint(3, 1)})
        EXPECT_EQ(second.pixelIndex(kept), first.pixelIndex(kept));
    const QImage &third = clip.Frame(2);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(third.pixelIndex(x, 1), 2);
}

TEST(AviFile, RefusesFilesItCannotPlay)
{
    const auto refused = [](const ClipWriter &w) { return !AviFile::Parse(w.Bytes()).IsValid(); };
    ClipWriter ok;
    ok.frames = {QByteArray(8, '\1')};
    ASSERT_FALSE(refused(ok));

    ClipWriter w = ok;
    w.width = 100000;
    EXPECT_TRUE(refused(w)) << "huge width";
    w = ok;
    w.height = 0;
    EXPECT_TRUE(refused(w)) << "no height";
    w = ok;
    w.bitCount = 16;
    EXPECT_TRUE(refused(w)) << "16-bit frames";
    w = ok;
    w.compression = 2;
    EXPECT_TRUE(refused(w)) << "RLE4 frames";
    w = ok;
    w.compression = 1;
    w.height = -2;
    EXPECT_TRUE(refused(w)) << "top-down RLE8";
    w = ok;
    w.frames = {QByteArray(3, '\1')};
    EXPECT_TRUE(refused(w)) << "frame cut short";
    w = ok;
    w.frames.clear();
    EXPECT_TRUE(refused(w)) << "no frames";
    w = ok;
    w.frameId = "01db";
    EXPECT_TRUE(refused(w)) << "frames of another stream only";
    w = ok;
    w.palette = QList<QRgb>(300, qRgb(1, 2, 3));
    EXPECT_TRUE(refused(w)) << "palette over 256 colours";
    w = ok;
    w.width = 4096;
    w.height = 4096;
    w.bitCount = 24;
    w.frames = QList<QByteArray>(3, QByteArray(1, 1));
    EXPECT_TRUE(refused(w)) << "too large to decode";
    w = ok;
    w.frames += QList<QByteArray>(AviFile::MaxFrames, QByteArray());
    EXPECT_TRUE(refused(w)) << "too many frames";

    EXPECT_FALSE(AviFile::Parse(QByteArray("RIFF\4\0\0\0WAVE")).IsValid());
    EXPECT_FALSE(AviFile::Read(QStringLiteral("/nonexistent/Download.avi")).IsValid());
}

TEST(AviFile, RefusesTheDownloadClipCutShortAtAnyLength)
{
    const QByteArray whole = ReadClip();
    ASSERT_TRUE(AviFile::Parse(whole).IsValid());
    for (qsizetype length = 0; length < whole.size(); length += 7) {
        QByteArray cut = whole.left(length);
        EXPECT_FALSE(AviFile::Parse(cut).IsValid()) << "cut at " << length;
        // Also with a RIFF size that claims only what is there, so the lists inside overrun.
        if (length >= 8) {
            qToLittleEndian(quint32(length - 8), cut.data() + 4);
            const AviFile clip = AviFile::Parse(cut);
            if (clip.IsValid()) {
                EXPECT_EQ(clip.FrameSize(), QSize(272, 60)) << "cut at " << length;
            }
        }
    }
}

TEST(AviFile, SurvivesCorruptedBytesAndHostileSizes)
{
    const QByteArray whole = ReadClip();
    QRandomGenerator random(20261209);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bad = whole;
        const int changes = 1 + random.bounded(8);
        for (int i = 0; i < changes; ++i) {
            const int at = random.bounded(int(bad.size()));
            // Sizes and counts live near the start; hit them as often as the frames.
            const int where = round % 2 ? at : at % 256;
            bad[where] = char(random.bounded(256));
        }
        const AviFile clip = AviFile::Parse(bad);
        if (clip.IsValid()) {
            ASSERT_GT(clip.FrameCount(), 0);
            ASSERT_EQ(clip.Frame(0).size(), clip.FrameSize());
        }
    }
    // Every size field set to its largest value in turn.
    for (int at = 4; at + 4 <= 0x100; at += 4) {
        QByteArray bad = whole;
        qToLittleEndian(quint32(0xFFFFFFFF), bad.data() + at);
        const AviFile clip = AviFile::Parse(bad);
        if (clip.IsValid())
            EXPECT_EQ(clip.Frame(0).size(), clip.FrameSize());
    }
}

TEST(Animation, PlaysTheDownloadClipFrameByFrameAndStops)
{
    Animation animation;
    animation.resize(300, 70);
    animation.show();
    animation.Open(DownloadClip);
    EXPECT_EQ(animation.FrameCount(), 20);
    EXPECT_EQ(animation.CurrentFrame(), 0);
    EXPECT_FALSE(animation.IsPlaying());

    QList<int> shown;
    QObject::connect(&animation, &Animation::FrameChanged, [&](int frame) { shown << frame; });
    animation.Play();
    ASSERT_TRUE(WaitUntil([&] { return shown.size() >= 4; }));
    EXPECT_EQ(shown.mid(0, 4), (QList<int>{0, 1, 2, 3}));
    animation.Stop();
    const int stoppedAt = animation.CurrentFrame();
    EXPECT_FALSE(animation.IsPlaying());

    // Once over frames 18 and 19, then it rests on the last of them.
    shown.clear();
    animation.Play(1, 18, 19);
    ASSERT_TRUE(WaitUntil([&] { return !animation.IsPlaying(); }));
    EXPECT_EQ(shown, (QList<int>{18, 19}));
    EXPECT_EQ(animation.CurrentFrame(), 19);
    EXPECT_NE(stoppedAt, 19);

    // A repeating clip comes back to its first frame.
    shown.clear();
    animation.Play(-1, 17, 19);
    ASSERT_TRUE(WaitUntil([&] { return shown.size() >= 5; }));
    EXPECT_EQ(shown.mid(0, 5), (QList<int>{17, 18, 19, 17, 18}));
    animation.Close();
    EXPECT_FALSE(animation.IsPlaying());
    EXPECT_FALSE(animation.IsOpen());
}

TEST(Animation, RefusesAFileItCannotPlayAndBadRanges)
{
    Animation animation;
    try {
        animation.Open(QStringLiteral(KV_SOURCE_DIR "/resources/make_download_avi.py"));
        FAIL() << "a script was taken for a clip";
    } catch (const NumberedError &error) {
        EXPECT_EQ(error.Number(), 35752);
    }
    EXPECT_FALSE(animation.IsOpen());
    animation.Play(); // nothing to play: no effect
    EXPECT_FALSE(animation.IsPlaying());

    animation.Open(DownloadClip);
    EXPECT_THROW(animation.Play(-1, 5, 2), NumberedError);
    EXPECT_THROW(animation.Play(-1, 0, 20), NumberedError);
    EXPECT_THROW(animation.Play(0), NumberedError);
    EXPECT_FALSE(animation.IsPlaying());
}
