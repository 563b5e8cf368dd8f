#pragma once

// The one-pixel frame of a status-bar panel, drawn in the panel's dark border colour.
#include "controls/DrawnControl.h"

class XPStyleStatusBarPanel : public DrawnControl
{
    Q_OBJECT
    Q_PROPERTY(QColor BorderColorDark READ BorderColorDark WRITE setBorderColorDark)
    Q_PROPERTY(QColor BorderColorLight READ BorderColorLight WRITE setBorderColorLight)
public:
    explicit XPStyleStatusBarPanel(QWidget *parent = nullptr);

    QColor BorderColorDark() const { return m_borderColorDark; }
    void setBorderColorDark(const QColor &color);
    // Kept for the hosts that set it; the frame is drawn in the dark colour only.
    QColor BorderColorLight() const { return m_borderColorLight; }
    void setBorderColorLight(const QColor &color);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void drawFrame();

    QColor m_borderColorDark;
    QColor m_borderColorLight;
};
