#include "controls/TransparentLabel.h"

#include "controls/DrawnControlGeometry.h"

#include <QEvent>
#include <QPainter>

using namespace DrawnControlGeometry;

TransparentLabel::TransparentLabel(QWidget *parent) : DrawnControl(Qt::black, parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedHeight(twipsToPixels(LabelHeight));
    // Small enough that the whole text cell fits the surface below the 4-pixel top margin,
    // and unsmoothed: every pixel the text touches becomes solid.
    QFont small = font();
    small.setPixelSize(11);
    small.setStyleStrategy(QFont::NoAntialias);
    setFont(small);
}

void TransparentLabel::setLabelText(const QString &text)
{
    m_labelText = text;
    drawText();
}

double TransparentLabel::TextWidthTwips() const
{
    return pixelsToTwips(LabelTextLeftPixels + QFontMetrics(font()).horizontalAdvance(m_labelText) + 1);
}

void TransparentLabel::changeEvent(QEvent *event)
{
    DrawnControl::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        drawText();
}

void TransparentLabel::resizeEvent(QResizeEvent *)
{
    // Redrawn at the new width, so a widened label shows what a narrower one had to cut.
    drawText();
}

void TransparentLabel::drawText()
{
    const QRectF surfaceTwips = labelSurface(pixelsToTwips(width()));
    QImage surface = blankSurface(QSize(width(), twipsToPixels(surfaceTwips.height())));
    if (!m_labelText.isEmpty()) {
        QPainter painter(&surface);
        painter.setFont(font());
        painter.setPen(Qt::black);
        const QFontMetrics metrics(font());
        painter.drawText(QPoint(LabelTextLeftPixels, LabelTextTopPixels + metrics.ascent()),
                         m_labelText);
    }
    takeShapeMask(surface, QPoint(twipsToPixels(surfaceTwips.left()), twipsToPixels(surfaceTwips.top())));
}
