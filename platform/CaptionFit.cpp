#include "platform/CaptionFit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <limits>

namespace CaptionFit {

namespace {

// The widest line of the text as drawn: a mnemonic "&" is underlined, not shown.
int TextWidth(const QFontMetrics &metrics, QString text, bool mnemonic)
{
    if (mnemonic)
        text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
    int width = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        width = std::max(width, metrics.horizontalAdvance(line));
    return width;
}

int LabelWidth(const QLabel *label)
{
    const QFontMetrics metrics(label->font());
    int indent = label->indent();
    if (indent < 0)
        indent = label->frameWidth() > 0 ? metrics.horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    return TextWidth(metrics, label->text(), label->buddy() != nullptr) + 2 * label->margin() + indent
           + label->width() - label->contentsRect().width();
}

// Room for the indicator, its spacing and the style's margins around the text.
int IndicatorButtonWidth(const QAbstractButton *button, QStyle::SubElement contents)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.rect = QRect(0, 0, 10000, button->height());
    const QRect text = button->style()->subElementRect(contents, &option, button);
    int width = option.rect.width() - text.width() + TextWidth(QFontMetrics(button->font()), button->text(), true);
    if (!button->icon().isNull())
        width += button->iconSize().width() + 4;
    return width;
}

// The width that shows the whole caption of a label, check box or option button in its own
// font, with its margins or its indicator.
int CaptionWidth(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return LabelWidth(label);
    if (const auto *box = qobject_cast<const QCheckBox *>(control))
        return IndicatorButtonWidth(box, QStyle::SE_CheckBoxContents);
    if (const auto *option = qobject_cast<const QRadioButton *>(control))
        return IndicatorButtonWidth(option, QStyle::SE_RadioButtonContents);
    return control->sizeHint().width();
}

} // namespace

int Widen(QWidget *control)
{
    const int added = CaptionWidth(control) - control->width();
    if (added <= 0)
        return 0;
    control->resize(control->width() + added, control->height());
    return added;
}

void WidenBeside(std::initializer_list<QWidget *> captions, std::initializer_list<QWidget *> beside)
{
    int right = 0, need = 0, besideLeft = std::numeric_limits<int>::max();
    for (const QWidget *caption : captions) {
        right = std::max(right, caption->x() + caption->width());
        need = std::max(need, caption->x() + CaptionWidth(caption));
    }
    for (const QWidget *control : beside)
        besideLeft = std::min(besideLeft, control->x());
    for (QWidget *caption : captions)
        caption->resize(std::max(caption->width(), need - caption->x()), caption->height());
    if (need <= right)
        return;
    const int left = need + std::max(0, besideLeft - right);
    for (QWidget *control : beside)
        if (left > control->x())
            control->setGeometry(left, control->y(), control->x() + control->width() - left, control->height());
}

} // namespace CaptionFit
