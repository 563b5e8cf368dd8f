#include "mainwindow/FormApplicationSettings.h"

#include "app/ModSettings.h"
#include "browsingdata/SaveFailureMessage.h"
#include "controls/AutoCompleteStore.h"
#include "controls/HistoryStore.h"
#include "controls/TypedAddressList.h"
#include "controls/XPStyleImageTextBox.h"
#include "mainwindow/DialogTools.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/UpDownArrows.h"
#include "platform/ProgramFolder.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

// A frame: its explanation across the top, then the value's label, box and arrows, and an
// optional button below the box.
QGroupBox *MakeFrame(QWidget *parent, const QString &caption, QLabel *explanation, QLabel *label,
                     QLineEdit *box, UpDownArrows *arrows, QPushButton *button)
{
    auto *frame = new QGroupBox(caption, parent);
    auto *column = new QVBoxLayout(frame);
    explanation->setWordWrap(true);
    column->addWidget(explanation);
    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(label);
    row->addSpacing(6);
    row->addWidget(box);
    row->addWidget(arrows);
    row->addSpacing(12);
    row->addStretch(1);
    if (button)
        row->addWidget(button);
    column->addLayout(row);
    box->setFixedWidth(60);
    arrows->setFixedHeight(box->sizeHint().height());
    return frame;
}

} // namespace

FormApplicationSettings::FormApplicationSettings(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Application Settings"));

    LabelHistory = new QLabel(QStringLiteral("The history list contains links to pages you've visited. You can set "
                                             "the number of days to keep items in the list here."));
    LabeNumberOfDaysInHistory = new QLabel(QStringLiteral("Days to keep items in history:"));
    TextDaysInHistory = new QLineEdit;
    UpDown1 = new UpDownArrows(TextDaysInHistory, 365);
    CommandClearHistory = new QPushButton(QStringLiteral("Clear History"));
    FrameHistory = MakeFrame(this, QStringLiteral("History"), LabelHistory, LabeNumberOfDaysInHistory,
                             TextDaysInHistory, UpDown1, CommandClearHistory);

    LabelAddressBar = new QLabel(QStringLiteral("The address bar contains a list of web addresses you've entered. You "
                                                "can set the number of items to keep in the list here."));
    LabelItemsInAddressBar = new QLabel(QStringLiteral("Items to keep in the address bar:"));
    TextItemsInAddressBar = new QLineEdit;
    UpDown2 = new UpDownArrows(TextItemsInAddressBar, 100);
    CommandClearAddressBar = new QPushButton(QStringLiteral("Clear Address Bar"));
    FrameAddressBar = MakeFrame(this, QStringLiteral("Address Bar"), LabelAddressBar, LabelItemsInAddressBar,
                                TextItemsInAddressBar, UpDown2, CommandClearAddressBar);

    LabelChildPopups = new QLabel(QStringLiteral("Some links you click may open popup windows which in turn may open "
                                                 "still more popups. You can set the maximum number of child "
                                                 "windows here."));
    LabelPopupsToAllow = new QLabel(QStringLiteral("Number of child windows to allow:"));
    TextNumberOfChildWindowsAllowed = new QLineEdit;
    UpDown3 = new UpDownArrows(TextNumberOfChildWindowsAllowed, 100);
    FramePopups = MakeFrame(this, QStringLiteral("Popups"), LabelChildPopups, LabelPopupsToAllow,
                            TextNumberOfChildWindowsAllowed, UpDown3, nullptr);

    CommandOK = new QPushButton(QStringLiteral("OK"));
    CommandCancel = new QPushButton(QStringLiteral("Cancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CommandOK);
    buttons->addWidget(CommandCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FrameHistory);
    layout->addWidget(FrameAddressBar);
    layout->addWidget(FramePopups);
    layout->addLayout(buttons);
    // Wider only where a larger font needs it for a whole row.
    setFixedWidth(std::max(480, layout->minimumSize().width()));

    for (QPushButton *button : {CommandClearHistory, CommandClearAddressBar, CommandOK, CommandCancel})
        button->setAutoDefault(false);
    connect(CommandOK, &QPushButton::clicked, this, &FormApplicationSettings::CommandOK_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &FormApplicationSettings::CommandCancel_Click);
    connect(CommandClearHistory, &QPushButton::clicked, this,
            &FormApplicationSettings::CommandClearHistory_Click);
    connect(CommandClearAddressBar, &QPushButton::clicked, this,
            &FormApplicationSettings::CommandClearAddressBar_Click);
}

void FormApplicationSettings::Form_Load()
{
    const ModSettings::Options &options = ModSettings::ProgramOptions();
    TextDaysInHistory->setText(QString::number(options.DaysInHistory));
    TextItemsInAddressBar->setText(QString::number(options.ItemsInAddressBar));
    TextNumberOfChildWindowsAllowed->setText(QString::number(options.NumberOfChildWindowsAllowed));
}

void FormApplicationSettings::ShowModal(QWidget *owner)
{
    DialogTools::ShowModal(this, owner);
}

bool FormApplicationSettings::ToInteger16(const QString &text, int &value)
{
    qint64 number = 0;
    if (!ModSettings::ToInteger(text.trimmed(), number) || number < std::numeric_limits<qint16>::min()
        || number > std::numeric_limits<qint16>::max())
        return false;
    value = static_cast<int>(number);
    return true;
}

void FormApplicationSettings::CommandOK_Click()
{
    // A box that holds no 16-bit number keeps the program's value, so every option stays set.
    ModSettings::Options &options = ModSettings::ProgramOptions();
    ToInteger16(TextDaysInHistory->text(), options.DaysInHistory);
    ToInteger16(TextItemsInAddressBar->text(), options.ItemsInAddressBar);
    ToInteger16(TextNumberOfChildWindowsAllowed->text(), options.NumberOfChildWindowsAllowed);
    Forms::Unload(this);
}

void FormApplicationSettings::CommandCancel_Click()
{
    Forms::Unload(this);
}

void FormApplicationSettings::CommandClearHistory_Click()
{
    // The main windows share one history store and one typed-address list, which the clears
    // empty whichever windows are open.
    if (!HistoryStore::ForFolder(ProgramFolder::AppPath())->ClearHistory2())
        SaveFailureMessage::Show(this, {QString::fromLatin1(HistoryStore::FileName)});
    FormMain::ClearFullScreenHistory();
}

void FormApplicationSettings::CommandClearAddressBar_Click()
{
    const QString appPath = ProgramFolder::AppPath();
    QStringList failed = XPStyleImageTextBox::ClearAddressData(*TypedAddressList::ForFolder(appPath),
                                                               *AutoCompleteStore::ForFolder(appPath));
    failed += FormMain::ClearFullScreenAddressList();
    SaveFailureMessage::Show(this, failed);
}
