#include "controls/TransparentCloseButton.h"

#include "controls/DrawnControlGeometry.h"

#include <QEnterEvent>
#include <QMouseEvent>

using namespace DrawnControlGeometry;

TransparentCloseButton::TransparentCloseButton(QWidget *parent)
    : DrawnControl(Qt::black, parent), m_backColorDark(Qt::black), m_backColorLight(Qt::black)
{
    setMouseTracking(true);
    const int side = twipsToPixels(CloseButtonSize);
    setFixedSize(side, side);
    drawCross();
}

void TransparentCloseButton::setBackColorDark(const QColor &color)
{
    m_backColorDark = color;
    showHoverColor();
}

void TransparentCloseButton::setBackColorLight(const QColor &color)
{
    m_backColorLight = color;
    showHoverColor();
}

void TransparentCloseButton::resizeEvent(QResizeEvent *)
{
    drawCross();
}

void TransparentCloseButton::enterEvent(QEnterEvent *event)
{
    trackHover(event->position().toPoint());
}

void TransparentCloseButton::leaveEvent(QEvent *)
{
    trackHover(QPoint(-1, -1));
}

void TransparentCloseButton::mouseMoveEvent(QMouseEvent *event)
{
    // While a button is held the moves outside arrive here as well.
    trackHover(event->position().toPoint());
}

void TransparentCloseButton::mouseReleaseEvent(QMouseEvent *event)
{
    // A press dragged off the button and released elsewhere is no click.
    if (!rect().contains(event->position().toPoint()))
        return;
    setShapeColor(m_backColorLight);
    emit ButtonClick();
}

void TransparentCloseButton::drawCross()
{
    QImage surface = blankSurface(size());
    drawTwipLines(surface, closeButtonCross());
    takeShapeMask(surface, QPoint(0, 0));
}

void TransparentCloseButton::trackHover(const QPoint &point)
{
    const bool inside = rect().contains(point);
    if (inside == m_hovered)
        return;
    m_hovered = inside;
    showHoverColor();
    if (inside)
        emit MouseEnter();
    else
        emit MouseLeave();
}

void TransparentCloseButton::showHoverColor()
{
    setShapeColor(m_hovered ? m_backColorDark : m_backColorLight);
}
