#include "platform/Animation.h"

#include "platform/NumberedError.h"

#include <QPainter>

namespace {

constexpr int ErrorCannotOpen = 35752;
constexpr int ErrorInvalidArgument = 5;

} // namespace

Animation::Animation(QWidget *parent) : QWidget(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &Animation::NextFrame);
}

void Animation::Open(const QString &File)
{
    Close();
    AviFile clip = AviFile::Read(File);
    if (!clip.IsValid())
        throw NumberedError(ErrorCannotOpen,
                            QStringLiteral("Unable to open AVI file. ") + clip.ErrorText(),
                            QStringLiteral("Animation.Open"));
    m_clip = std::move(clip);
    m_timer.setInterval(m_clip.MillisecondsPerFrame());
    ShowFrame(0);
}

void Animation::Play(int Repeat, int Start, int End)
{
    if (!IsOpen())
        return;
    const int last = m_clip.FrameCount() - 1;
    if (End == -1)
        End = last;
    if (Repeat < -1 || Repeat == 0 || Start < 0 || Start > last || End < Start || End > last)
        throw NumberedError(ErrorInvalidArgument,
                            QStringLiteral("Invalid procedure call or argument"),
                            QStringLiteral("Animation.Play"));
    m_start = Start;
    m_end = End;
    m_repeatsLeft = Repeat;
    ShowFrame(Start);
    m_timer.start();
}

void Animation::Stop()
{
    m_timer.stop();
}

void Animation::Close()
{
    m_timer.stop();
    m_clip = AviFile();
    m_frame = 0;
    update();
}

void Animation::SetCenter(bool center)
{
    m_center = center;
    update();
}

void Animation::SetTransparent(bool transparent)
{
    m_transparent = transparent;
    update();
}

QSize Animation::sizeHint() const
{
    return IsOpen() ? m_clip.FrameSize() : QSize(32, 32);
}

void Animation::ShowFrame(int frame)
{
    m_frame = frame;
    update();
    emit FrameChanged(frame);
}

void Animation::NextFrame()
{
    if (m_frame < m_end) {
        ShowFrame(m_frame + 1);
        return;
    }
    if (m_repeatsLeft > 0 && --m_repeatsLeft == 0) {
        m_timer.stop();
        return;
    }
    ShowFrame(m_start);
}

QImage Animation::Picture(int frame) const
{
    const QImage &image = m_clip.Frame(frame);
    if (!m_transparent)
        return image;
    const QRgb key = m_clip.Frame(0).pixel(0, 0);
    QImage picture = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if ((line[x] & RGB_MASK) == (key & RGB_MASK))
                line[x] = 0;
        }
    }
    return picture;
}

void Animation::paintEvent(QPaintEvent *)
{
    if (!IsOpen())
        return;
    QPainter painter(this);
    const QImage picture = Picture(m_frame);
    QPoint origin(0, 0);
    if (m_center)
        origin = QPoint((width() - picture.width()) / 2, (height() - picture.height()) / 2);
    painter.drawImage(origin, picture);
}
