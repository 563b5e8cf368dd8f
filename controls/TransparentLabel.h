#pragma once

// A text label that shows only the strokes of its text, in black, over what lies behind it.
#include "controls/DrawnControl.h"

#include <QString>

class TransparentLabel : public DrawnControl
{
    Q_OBJECT
    Q_PROPERTY(QString LabelText READ LabelText WRITE setLabelText)
public:
    explicit TransparentLabel(QWidget *parent = nullptr);

    QString LabelText() const { return m_labelText; }
    void setLabelText(const QString &text);
    // The width, in twips, that shows the whole text in the label's font.
    double TextWidthTwips() const;

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void drawText();

    QString m_labelText;
};
