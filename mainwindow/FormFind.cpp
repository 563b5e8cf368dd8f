#include "mainwindow/FormFind.h"

#include "app/ApplicationTitle.h"
#include "mainwindow/DialogTools.h"
#include "mainwindow/FormMain.h"
#include "platform/CaptionFit.h"
#include "platform/HtmlTextRange.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

using DialogTools::PlaceTwips;

const QString FormFind::NotFoundText =
    QStringLiteral("The search is complete.       \nNo matches were found.       ");

FormFind::FormFind(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Find"));
    DialogTools::SetClientSizeTwips(this, 5115, 1725);

    LabelFind = new QLabel(QStringLiteral("Find:"), this);
    PlaceTwips(LabelFind, 240, 360, 495, 255);
    TextFind = new QLineEdit(this);
    PlaceTwips(TextFind, 720, 240, 2895, 340);
    CommandFind = new QPushButton(QStringLiteral("Find"), this);
    PlaceTwips(CommandFind, 3840, 240, 1095, 375);
    CommandCancel = new QPushButton(QStringLiteral("Cancel"), this);
    PlaceTwips(CommandCancel, 3840, 720, 1095, 375);
    CheckCaseSensitive = new QCheckBox(QStringLiteral("Case Sensitive"), this);
    PlaceTwips(CheckCaseSensitive, 480, 840, 1935, 255);
    CheckExludePartialMatches = new QCheckBox(QStringLiteral("Exlude Partial Matches"), this);
    PlaceTwips(CheckExludePartialMatches, 480, 1200, 1935, 255);
    OptionUp = new QRadioButton(QStringLiteral("Up"), this);
    PlaceTwips(OptionUp, 2640, 840, 855, 255);
    OptionDown = new QRadioButton(QStringLiteral("Down"), this);
    PlaceTwips(OptionDown, 2640, 1200, 855, 255);
    OptionDown->setChecked(true);
    FitCaptions();

    setTabOrder(TextFind, CommandFind);
    setTabOrder(CommandFind, CheckCaseSensitive);
    setTabOrder(CheckCaseSensitive, CheckExludePartialMatches);
    setTabOrder(CheckExludePartialMatches, CommandCancel);
    setTabOrder(CommandCancel, OptionUp);
    setTabOrder(OptionUp, OptionDown);
    // Neither button answers Enter or Esc.
    CommandFind->setAutoDefault(false);
    CommandCancel->setAutoDefault(false);

    connect(CommandFind, &QPushButton::clicked, this, &FormFind::CommandFind_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &FormFind::CommandCancel_Click);
    connect(OptionDown, &QRadioButton::clicked, this, &FormFind::OptionDown_Click);
    connect(OptionUp, &QRadioButton::clicked, this, &FormFind::OptionUp_Click);
    connect(CheckCaseSensitive, &QCheckBox::clicked, this, &FormFind::CheckCaseSensitive_Click);
    connect(CheckExludePartialMatches, &QCheckBox::clicked, this,
            &FormFind::CheckExludePartialMatches_Click);
}

FormFind::~FormFind() = default;

// The design was measured for a narrower font. A caption that needs more room gets it, and
// what stands to its right moves along, every gap kept: the options to the right of the widened
// check boxes, the buttons to the right of the options, the window's edge with them.
void FormFind::FitCaptions()
{
    CaptionFit::WidenBeside({LabelFind}, {TextFind});
    const int optionsGap = OptionUp->x() - (CheckExludePartialMatches->x() + CheckExludePartialMatches->width());
    const int buttonsGap = CommandFind->x() - (OptionUp->x() + OptionUp->width());
    int checksRight = 0;
    for (QAbstractButton *box : {CheckCaseSensitive, CheckExludePartialMatches}) {
        CaptionFit::Widen(box);
        checksRight = std::max(checksRight, box->x() + box->width());
    }
    int optionsRight = 0;
    for (QAbstractButton *option : {OptionUp, OptionDown}) {
        option->move(std::max(option->x(), checksRight + optionsGap), option->y());
        CaptionFit::Widen(option);
        optionsRight = std::max(optionsRight, option->x() + option->width());
    }
    const int push = optionsRight + buttonsGap - CommandFind->x();
    if (push <= 0)
        return;
    for (QWidget *button : {CommandFind, CommandCancel})
        button->move(button->x() + push, button->y());
    TextFind->resize(TextFind->width() + push, TextFind->height());
    resize(width() + push, height());
}

void FormFind::Form_Load()
{
    if (FormMain *main = Forms::Existing<FormMain>())
        SearchIn(main->docMain);
    m_Flags = 0;
    OptionDown_Click();
}

// Before the window has shown a page there is no document to search: every step then finds
// nothing.
void FormFind::SearchIn(HtmlDocument *document)
{
    m_Range.reset();
    if (document)
        m_Range = std::make_unique<HtmlTextRange>(document);
}

void FormFind::Form_Unload(int &Cancel)
{
    Q_UNUSED(Cancel);
    m_Range.reset();
}

void FormFind::ShowModal(QWidget *owner)
{
    DialogTools::ShowModal(this, owner);
}

void FormFind::CommandFind_Click()
{
    if (m_Down && !FindStep(1, QStringLiteral("StartToEnd")))
        return;
    if (m_Up)
        FindStep(-1, QStringLiteral("EndToStart"));
}

bool FormFind::FindStep(int count, const QString &collapseTo)
{
    // The page's answer and the message let other events run: the dialog may be gone after them.
    QPointer<FormFind> self(this);
    const bool found = m_Range && m_Range->findText(TextFind->text(), count, m_Flags);
    if (!self)
        return false;
    if (found && m_Range) {
        m_Range->select();
        m_Range->setEndPoint(collapseTo, m_Range.get());
        m_Range->scrollIntoView(true);
    } else {
        ShowNotFound();
    }
    return !self.isNull();
}

void FormFind::CommandCancel_Click()
{
    Forms::Unload(this);
}

void FormFind::OptionDown_Click()
{
    if (OptionDown->isChecked()) {
        m_Up = false;
        m_Down = true;
    }
}

void FormFind::OptionUp_Click()
{
    if (OptionUp->isChecked()) {
        m_Up = true;
        m_Down = false;
    }
}

void FormFind::CheckCaseSensitive_Click()
{
    m_Flags += CheckCaseSensitive->isChecked() ? HtmlTextRange::MatchCase : -HtmlTextRange::MatchCase;
}

void FormFind::CheckExludePartialMatches_Click()
{
    m_Flags += CheckExludePartialMatches->isChecked() ? HtmlTextRange::MatchWholeWord
                                                      : -HtmlTextRange::MatchWholeWord;
}

void FormFind::ShowNotFound()
{
    QMessageBox::information(this, ApplicationTitle, NotFoundText);
}

void FormFind::ShowModeless(const QWidget *over)
{
    DialogTools::ShowModeless(this, over);
}
