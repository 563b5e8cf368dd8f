#pragma once

#include "platform/Forms.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class UpDownArrows;

// "Application Settings": edits the default main window's days of history, addresses kept in
// the address bar and popup depth limit, and empties the history and the typed-address list at
// once. The text boxes are its only values; OK stores them, Cancel or the close box drops them.
class FormApplicationSettings : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit FormApplicationSettings(QWidget *parent = nullptr);

    QGroupBox *FrameHistory = nullptr;
    QLabel *LabelHistory = nullptr;
    QLabel *LabeNumberOfDaysInHistory = nullptr;
    QLineEdit *TextDaysInHistory = nullptr;
    UpDownArrows *UpDown1 = nullptr;
    QPushButton *CommandClearHistory = nullptr;
    QGroupBox *FrameAddressBar = nullptr;
    QLabel *LabelAddressBar = nullptr;
    QLabel *LabelItemsInAddressBar = nullptr;
    QLineEdit *TextItemsInAddressBar = nullptr;
    UpDownArrows *UpDown2 = nullptr;
    QPushButton *CommandClearAddressBar = nullptr;
    QGroupBox *FramePopups = nullptr;
    QLabel *LabelChildPopups = nullptr;
    QLabel *LabelPopupsToAllow = nullptr;
    QLineEdit *TextNumberOfChildWindowsAllowed = nullptr;
    UpDownArrows *UpDown3 = nullptr;
    QPushButton *CommandOK = nullptr;
    QPushButton *CommandCancel = nullptr;

    void Form_Load() override;

    // Shows the dialog modal, owned by owner, and returns once it is closed (Tools menu).
    void ShowModal(QWidget *owner);

    // A box's text as the 16-bit whole number OK stores (a fraction rounds half to even);
    // false for text that is no number or does not fit.
    static bool ToInteger16(const QString &text, int &value);

private:
    void CommandOK_Click();
    void CommandCancel_Click();
    void CommandClearHistory_Click();
    void CommandClearAddressBar_Click();
};
