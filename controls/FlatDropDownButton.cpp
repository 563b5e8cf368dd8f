#include "controls/FlatDropDownButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

FlatDropDownButton::FlatDropDownButton(QWidget *parent)
    : QWidget(parent), m_backColor(palette().color(QPalette::Button))
{
    setFocusPolicy(Qt::NoFocus);
}

void FlatDropDownButton::SetBackColor(const QColor &color)
{
    m_backColor = color;
    update();
}

void FlatDropDownButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_backColor);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(QPalette::ButtonText));
    const QPointF c = QRectF(rect()).center();
    p.drawPolygon(QPolygonF({c + QPointF(-3.5, -1.5), c + QPointF(3.5, -1.5), c + QPointF(0, 2.5)}));
}

void FlatDropDownButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit Pressed();
}
