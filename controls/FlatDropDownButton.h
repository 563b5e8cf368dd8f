#pragma once

#include <QColor>
#include <QWidget>

// The address box's flat drop-down button: a small arrow on its own back colour. Any mouse
// button pressed on it opens the typed-address list.
class FlatDropDownButton : public QWidget
{
    Q_OBJECT
public:
    explicit FlatDropDownButton(QWidget *parent = nullptr);

    void SetBackColor(const QColor &color);
    QColor BackColor() const { return m_backColor; }

signals:
    void Pressed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QColor m_backColor;
};
