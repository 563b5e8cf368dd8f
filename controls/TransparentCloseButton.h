#pragma once

// The cross that closes the side bar. It shows BackColorLight, and BackColorDark while the
// pointer is over it; every button release over it raises ButtonClick.
#include "controls/DrawnControl.h"

class TransparentCloseButton : public DrawnControl
{
    Q_OBJECT
    Q_PROPERTY(QColor BackColorDark READ BackColorDark WRITE setBackColorDark)
    Q_PROPERTY(QColor BackColorLight READ BackColorLight WRITE setBackColorLight)
public:
    explicit TransparentCloseButton(QWidget *parent = nullptr);

    QColor BackColorDark() const { return m_backColorDark; }
    void setBackColorDark(const QColor &color);
    QColor BackColorLight() const { return m_backColorLight; }
    void setBackColorLight(const QColor &color);

    bool isHovered() const { return m_hovered; }

signals:
    void ButtonClick();
    void MouseEnter();
    void MouseLeave();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void drawCross();
    // Follows the pointer: entering shows the hover colour and raises MouseEnter once,
    // leaving restores the normal colour and raises MouseLeave once.
    void trackHover(const QPoint &point);
    void showHoverColor();

    QColor m_backColorDark;
    QColor m_backColorLight;
    bool m_hovered = false;
};
