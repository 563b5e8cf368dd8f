#pragma once

// The page-load progress bar: a fill from the left edge in blue; the rest is transparent.
#include "controls/DrawnControl.h"

class XPStyleProgressBar : public DrawnControl
{
    Q_OBJECT
    Q_PROPERTY(qint16 Progress READ Progress WRITE setProgress)
    Q_PROPERTY(QColor ParentBackColor READ ParentBackColor WRITE setParentBackColor)
public:
    explicit XPStyleProgressBar(QWidget *parent = nullptr);

    qint16 Progress() const { return m_progress; }
    // Draws the fill for the current width; a later resize keeps it until the next value.
    void setProgress(qint16 progress);
    // Kept for the hosts that set it: the parent's own background shows where there is no fill.
    QColor ParentBackColor() const { return m_parentBackColor; }
    void setParentBackColor(const QColor &color);

private:
    qint16 m_progress = 0;
    QColor m_parentBackColor;
};
