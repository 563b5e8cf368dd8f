#include "controls/AddressBoxFrame.h"

#include "controls/AddressBoxLayout.h"

#include <QPainter>

AddressBoxFrame::AddressBoxFrame(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void AddressBoxFrame::SetBorderHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    update();
}

QColor AddressBoxFrame::BorderColor() const
{
    return palette().color(m_highlighted ? QPalette::Highlight : QPalette::HighlightedText);
}

void AddressBoxFrame::SetFlatButtonLeft(double twips)
{
    m_flatButtonLeft = twips;
    update();
}

void AddressBoxFrame::paintEvent(QPaintEvent *)
{
    using namespace AddressBoxLayout;
    const BorderLines lines =
        Lines(ToTwips(width()), ToTwips(height()), m_flatButtonLeft);
    QPainter p(this);
    p.setPen(QPen(BorderColor(), 1));
    const auto toPixels = [](const QLineF &l) {
        return QLine(ToPixels(l.x1()), ToPixels(l.y1()), ToPixels(l.x2()), ToPixels(l.y2()));
    };
    for (const QLineF &line : {lines.Left, lines.Right, lines.Top, lines.Bottom, lines.Center})
        p.drawLine(toPixels(line));
}
