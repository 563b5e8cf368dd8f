#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// Up and down arrows beside a text box that step the number in it by one, between 0 and a
// maximum. The box stays free text: what is typed into it is not limited by the arrows.
class UpDownArrows : public QWidget
{
    Q_OBJECT
public:
    UpDownArrows(QLineEdit *buddy, int max, QWidget *parent = nullptr);

    int Max() const { return m_max; }
    QToolButton *UpButton() const { return m_up; }
    QToolButton *DownButton() const { return m_down; }

private:
    void Step(int delta);

    QLineEdit *m_buddy;
    int m_max;
    QToolButton *m_up;
    QToolButton *m_down;
};
