#include "mainwindow/UpDownArrows.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

UpDownArrows::UpDownArrows(QLineEdit *buddy, int max, QWidget *parent)
    : QWidget(parent), m_buddy(buddy), m_max(max), m_up(new QToolButton(this)),
      m_down(new QToolButton(this))
{
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton *button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDownArrows::Step(int delta)
{
    bool ok = false;
    const int value = m_buddy->text().trimmed().toInt(&ok);
    const int from = ok ? std::clamp(value, 0, m_max) : 0;
    m_buddy->setText(QString::number(std::clamp(from + delta, 0, m_max)));
}
