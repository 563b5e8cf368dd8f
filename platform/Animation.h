#pragma once

#include "platform/AviFile.h"

#include <QTimer>
#include <QWidget>

// The animation control: plays the frames of a small AVI clip (uncompressed or RLE8) in a
// window of its own, frame by frame on a timer, without sound.
class Animation : public QWidget
{
    Q_OBJECT

public:
    explicit Animation(QWidget *parent = nullptr);

    // Loads a clip and shows its first frame; a file that cannot be played is refused with
    // a numbered error and the control keeps no clip.
    void Open(const QString &File);
    // Plays frames Start to End (-1: the last) Repeat times (-1: until stopped).
    void Play(int Repeat = -1, int Start = 0, int End = -1);
    // Stops on the frame shown.
    void Stop();
    // Drops the clip and shows nothing.
    void Close();

    bool IsOpen() const { return m_clip.IsValid(); }
    bool IsPlaying() const { return m_timer.isActive(); }
    int FrameCount() const { return m_clip.IsValid() ? m_clip.FrameCount() : 0; }
    int CurrentFrame() const { return m_frame; }

    // Draw the clip in the middle of the control rather than at its top left.
    bool Center() const { return m_center; }
    void SetCenter(bool center);
    // Transparent: the clip's background colour (its first frame's top-left pixel) lets
    // the control's parent show through.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);

    QSize sizeHint() const override;

signals:
    void FrameChanged(int frame);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void ShowFrame(int frame);
    void NextFrame();
    QImage Picture(int frame) const;

    AviFile m_clip;
    QTimer m_timer;
    int m_frame = 0;
    int m_start = 0;
    int m_end = 0;
    int m_repeatsLeft = 0;
    bool m_center = true;
    bool m_transparent = false;
};
