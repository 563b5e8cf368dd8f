#pragma once

#include "platform/Forms.h"

#include <QWidget>

#include <memory>

class HtmlDocument;
class HtmlTextRange;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Find": finds text in the page of the window it was opened from, step by step from the edge of the
// last match, up or down, and makes each match the page's selection. One shared dialog; it
// stays open across searches until it is closed, and each showing after that starts over.
class FormFind : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit FormFind(QWidget *parent = nullptr);
    ~FormFind() override;

    QLabel *LabelFind = nullptr;
    QLineEdit *TextFind = nullptr;
    QPushButton *CommandFind = nullptr;
    QPushButton *CommandCancel = nullptr;
    QCheckBox *CheckCaseSensitive = nullptr;
    QCheckBox *CheckExludePartialMatches = nullptr;
    QRadioButton *OptionUp = nullptr;
    QRadioButton *OptionDown = nullptr;

    void Form_Load() override;
    // Form_QueryUnload: releases the text range; the unload is never refused.
    void Form_Unload(int &Cancel) override;

    // Shows the dialog modal, owned by owner, and returns once it is closed (Edit, Find).
    void ShowModal(QWidget *owner);
    // Shows it modeless, centred over the window that asked for it when given; when it is open
    // already it comes forward where it stands.
    void ShowModeless(const QWidget *over = nullptr);
    // The page to search: the one on screen in the window the user opened the dialog from
    // (null before that window has shown a page). Until it is given, the default main window's.
    void SearchIn(HtmlDocument *document);

    // The message when nothing more is found.
    static const QString NotFoundText;

private:
    void CommandFind_Click();
    // One search step towards the end (count 1) or the start (count -1) of the page; a match
    // leaves the range empty at its edge named by collapseTo. False when the dialog is gone.
    bool FindStep(int count, const QString &collapseTo);
    void CommandCancel_Click();
    void OptionDown_Click();
    void OptionUp_Click();
    void CheckCaseSensitive_Click();
    void CheckExludePartialMatches_Click();
    void ShowNotFound();
    void FitCaptions();

    std::unique_ptr<HtmlTextRange> m_Range;
    bool m_Up = false;
    bool m_Down = false;
    qint16 m_Flags = 0;
};
