#pragma once

#include <QColor>
#include <QWidget>

// The flat box of the address box: window background and a one-line border, with a
// separator before the drop-down button. The border takes the highlight colour while the
// mouse is over the box or a list is open.
class AddressBoxFrame : public QWidget
{
    Q_OBJECT
public:
    explicit AddressBoxFrame(QWidget *parent = nullptr);

    void SetBorderHighlighted(bool highlighted);
    bool BorderHighlighted() const { return m_highlighted; }
    QColor BorderColor() const;
    // Where the separator stands: the drop-down button's left edge, in twips.
    void SetFlatButtonLeft(double twips);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_highlighted = false;
    double m_flatButtonLeft = 0;
};
