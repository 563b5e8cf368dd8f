#include "tests/support/CaptionCheck.h"

#include "controls/DrawnControl.h"
#include "controls/TransparentLabel.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace CaptionCheck {

namespace {

QString Name(const QWidget *w)
{
    const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                    : w->objectName();
    return w->window()->windowTitle() + QStringLiteral(" / ") + name;
}

// The text as drawn: a mnemonic "&" is underlined, not shown.
QString Shown(const QString &text, bool mnemonic)
{
    if (!mnemonic)
        return text;
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

QSize TextSize(const QFontMetrics &metrics, const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    int width = 0;
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return QSize(width, metrics.height() + int(lines.size() - 1) * metrics.lineSpacing());
}

// The part of area (in the control's coordinates) that its containers up to the window leave in
// sight.
QRect InSightOf(const QWidget *w, const QRect &area)
{
    QRect r = area;
    const QWidget *window = w->window();
    const QPoint origin = w->mapTo(window, QPoint(0, 0));
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        const QPoint at = p == window ? QPoint(0, 0) : p->mapTo(window, QPoint(0, 0));
        r = r.intersected(QRect(at - origin, p->size()));
        if (p == window)
            break;
    }
    return r;
}

QString Text(const QRect &r)
{
    return QStringLiteral("%1,%2 %3 x %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

void Need(QStringList &faults, const QWidget *w, const QString &text, const QSize &need, const QRect &room)
{
    const QRect seen = InSightOf(w, room);
    if (need.width() > seen.width() || need.height() > seen.height())
        faults << QStringLiteral("%1: \"%2\" needs %3 x %4 px, has %5 x %6")
                      .arg(Name(w), text)
                      .arg(need.width())
                      .arg(need.height())
                      .arg(seen.width())
                      .arg(seen.height());
}

void CheckLabel(QStringList &faults, const QLabel *label)
{
    if (label->text().isEmpty())
        return;
    const QFontMetrics metrics(label->font());
    QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                                -label->margin());
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0)
        indent = metrics.horizontalAdvance(QLatin1Char('x')) / 2;
    if (indent > 0)
        room.adjust(label->alignment() & Qt::AlignLeft ? indent : 0, 0,
                    label->alignment() & Qt::AlignRight ? -indent : 0, 0);
    const bool rich = label->textFormat() == Qt::RichText
                      || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
    QString text = label->text();
    if (rich) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    text = Shown(text, label->buddy() != nullptr);
    if (!label->wordWrap()) {
        Need(faults, label, text, TextSize(metrics, text), room);
        return;
    }
    // Wrapped: every word fits a line, and the lines fit the height.
    int widest = 0;
    for (const QString &word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    const int extra = label->height() - room.height();
    Need(faults, label, text, QSize(widest, label->heightForWidth(label->width()) - extra), room);
}

// The room is the style's contents element of the button (contents), drawn with features.
void CheckButton(QStringList &faults, const QAbstractButton *button, QStyle::SubElement contents,
                 QStyleOptionButton::ButtonFeatures features = QStyleOptionButton::None)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    option.features = features;
    const QRect room = button->style()->subElementRect(contents, &option, button);
    const QString text = Shown(button->text(), true);
    QSize need = TextSize(QFontMetrics(button->font()), text);
    if (!button->icon().isNull())
        need.rwidth() += button->iconSize().width() + 4;
    Need(faults, button, text, need, room);
}

void CheckPushButton(QStringList &faults, const QPushButton *button)
{
    QStyleOptionButton::ButtonFeatures features;
    if (button->isDefault() || button->autoDefault())
        features |= QStyleOptionButton::AutoDefaultButton;
    if (button->isFlat())
        features |= QStyleOptionButton::Flat;
    CheckButton(faults, button, QStyle::SE_PushButtonContents, features);
}

void CheckGroupBox(QStringList &faults, const QGroupBox *box)
{
    if (box->title().isEmpty())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = Qt::Alignment(box->alignment());
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (box->isCheckable())
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    const QString text = Shown(box->title(), true);
    const QSize need = TextSize(QFontMetrics(box->font()), text);
    // The style places the title at its full width: what matters is how much of it the box shows.
    Need(faults, box, text, need, label.intersected(box->rect()));
}

void CheckToolButton(QStringList &faults, const QToolButton *button)
{
    if (button->text().isEmpty() || button->toolButtonStyle() == Qt::ToolButtonIconOnly)
        return;
    Need(faults, button, Shown(button->text(), true), button->sizeHint(), button->rect());
}

void CheckDrawnLabel(QStringList &faults, const TransparentLabel *label)
{
    if (label->LabelText().isEmpty())
        return;
    const int need = qRound(label->TextWidthTwips() / 15.0);
    const QRect seen = InSightOf(label, label->rect());
    if (need > seen.width())
        faults << QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                      .arg(Name(label), label->LabelText())
                      .arg(need)
                      .arg(seen.width());
}

void CheckCaption(QStringList &faults, const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w))
        CheckLabel(faults, label);
    else if (const auto *box = qobject_cast<const QCheckBox *>(w))
        CheckButton(faults, box, QStyle::SE_CheckBoxContents);
    else if (const auto *option = qobject_cast<const QRadioButton *>(w))
        CheckButton(faults, option, QStyle::SE_RadioButtonContents);
    else if (const auto *button = qobject_cast<const QPushButton *>(w))
        CheckPushButton(faults, button);
    else if (const auto *tool = qobject_cast<const QToolButton *>(w))
        CheckToolButton(faults, tool);
    else if (const auto *group = qobject_cast<const QGroupBox *>(w))
        CheckGroupBox(faults, group);
    else if (const auto *drawn = qobject_cast<const TransparentLabel *>(w))
        CheckDrawnLabel(faults, drawn);
}

// Widgets that only hold others: their children are checked, they themselves take no room.
bool IsHolder(const QWidget *w)
{
    const char *name = w->metaObject()->className();
    for (const char *holder : {"QWidget", "QFrame", "QMainWindow", "QDialog", "QToolBar", "QMenuBar", "QStatusBar",
                               "QDialogButtonBox", "QStackedWidget", "QMessageBox"})
        if (qstrcmp(name, holder) == 0)
            return true;
    return false;
}

struct Piece
{
    QString name;
    QRegion region; // in the parent's coordinates
};

// What a label draws: its text or picture where its alignment puts it; nothing when empty.
QRegion LabelDrawn(const QLabel *label)
{
    QSize size;
    if (!label->pixmap().isNull())
        size = label->pixmap().deviceIndependentSize().toSize();
    else if (!label->text().isEmpty())
        size = label->wordWrap() ? QSize(label->contentsRect().width(), label->heightForWidth(label->width()))
                                 : TextSize(QFontMetrics(label->font()), Shown(label->text(), label->buddy()));
    if (size.isEmpty())
        return QRegion();
    const QRect drawn = QStyle::alignedRect(label->layoutDirection(), label->alignment(), size, label->contentsRect());
    return QRegion(drawn.intersected(label->rect()).translated(label->pos()));
}

// What a control draws over its siblings: a drawn control its shape, a label its text, any other
// control its whole rectangle.
QRegion Drawn(const QWidget *w)
{
    if (const auto *drawn = qobject_cast<const DrawnControl *>(w))
        return drawn->shape().translated(w->pos());
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return LabelDrawn(label);
    return QRegion(w->geometry());
}

// The grip of a movable bar, in the bar's parent's coordinates.
QRegion Grip(const QToolBar *bar)
{
    if (!bar->isMovable())
        return QRegion();
    QStyleOptionToolBar option;
    option.initFrom(bar);
    option.features = QStyleOptionToolBar::Movable;
    if (bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return QRegion(bar->style()->subElementRect(QStyle::SE_ToolBarHandle, &option, bar).translated(bar->pos()));
}

bool Opaque(const QWidget *w)
{
    return w->autoFillBackground() || w->testAttribute(Qt::WA_OpaquePaintEvent) || qobject_cast<const QToolBar *>(w)
           || qobject_cast<const QMenuBar *>(w) || qobject_cast<const QStatusBar *>(w)
           || qobject_cast<const QAbstractScrollArea *>(w);
}

QRect InWindow(const QWidget *w, const QWidget *window)
{
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

// Whether a control lies wholly under an opaque widget stacked above it: nobody sees it.
bool Hidden(const QWidget *w, const QWidget *window)
{
    const QRect area = InWindow(w, window).intersected(window->rect());
    for (const QWidget *level = w; level != window; level = level->parentWidget()) {
        const QObjectList &siblings = level->parentWidget()->children();
        for (qsizetype i = siblings.indexOf(const_cast<QWidget *>(level)) + 1; i < siblings.size(); ++i) {
            const auto *above = qobject_cast<const QWidget *>(siblings[i]);
            if (above && !above->isWindow() && above->isVisibleTo(window) && Opaque(above)
                && InWindow(above, window).contains(area))
                return true;
        }
    }
    return false;
}

// A bar stacked above a control that it covers takes the clicks meant for the control, whether
// or not it lets the control show through.
const QWidget *BarOver(const QWidget *w, const QWidget *window)
{
    const QRegion drawn = Drawn(w);
    const QObjectList &siblings = w->parentWidget()->children();
    for (qsizetype i = siblings.indexOf(const_cast<QWidget *>(w)) + 1; i < siblings.size(); ++i) {
        const auto *above = qobject_cast<const QWidget *>(siblings[i]);
        const bool bar = qobject_cast<const QToolBar *>(above) || qobject_cast<const QMenuBar *>(above)
                         || qobject_cast<const QStatusBar *>(above);
        if (bar && above->isVisibleTo(window) && drawn.intersects(above->geometry()))
            return above;
    }
    return nullptr;
}

void Walk(QStringList &faults, const QWidget *window, const QWidget *parent)
{
    QList<Piece> pieces;
    for (QObject *child : parent->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || w->isWindow() || !w->isVisibleTo(window))
            continue;
        if (const QWidget *bar = IsHolder(w) ? nullptr : BarOver(w, window))
            faults << QStringLiteral("%1 lies under %2 at %3")
                          .arg(Name(w), Name(bar), Text(Drawn(w).intersected(bar->geometry()).boundingRect()));
        if (Hidden(w, window))
            continue;
        CheckCaption(faults, w);
        if (const auto *bar = qobject_cast<const QToolBar *>(w); bar && !Grip(bar).isEmpty())
            pieces << Piece{Name(w) + QStringLiteral(" grip"), Grip(bar)};
        if (!IsHolder(w))
            pieces << Piece{Name(w), Drawn(w)};
        const bool inner = qobject_cast<const QAbstractScrollArea *>(w) || qobject_cast<const QAbstractSpinBox *>(w)
                           || qobject_cast<const QComboBox *>(w) || qobject_cast<const QLineEdit *>(w);
        if (!inner)
            Walk(faults, window, w);
    }
    for (qsizetype i = 0; i < pieces.size(); ++i)
        for (qsizetype j = i + 1; j < pieces.size(); ++j)
            if (pieces[i].region.intersects(pieces[j].region))
                faults << QStringLiteral("%1 lies over %2 at %3")
                              .arg(pieces[i].name, pieces[j].name,
                                   Text(pieces[i].region.intersected(pieces[j].region).boundingRect()));
}

} // namespace

QStringList Faults(const QWidget *window)
{
    QStringList faults;
    Walk(faults, window, window);
    return faults;
}

} // namespace CaptionCheck
