#include "controls/TransparentLabel.h"

#include "controls/DrawnControlGeometry.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

using namespace DrawnControlGeometry;

TransparentLabel::TransparentLabel(QWidget *parent) : DrawnControl(Qt::black, parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedHeight(twipsToPixels(LabelHeight));
    // The window's own font, unsmoothed: every pixel the text touches becomes solid. A smaller
    // size would set the glyphs so close that a colon merges into the letter before it.
    QFont unsmoothed = font();
    unsmoothed.setStyleStrategy(QFont::NoAntialias);
    setFont(unsmoothed);
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
        // A font taller than the design's moves up until its whole cell, descenders included,
        // lies on the surface.
        const int top = std::max(0, std::min(LabelTextTopPixels, surface.height() - metrics.height()));
        painter.drawText(QPoint(LabelTextLeftPixels, top + metrics.ascent()), m_labelText);
    }
    takeShapeMask(surface, QPoint(twipsToPixels(surfaceTwips.left()), twipsToPixels(surfaceTwips.top())));
}
