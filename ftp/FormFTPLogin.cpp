#include "ftp/FormFTPLogin.h"

#include "ftp/FormDialogTools.h"
#include "platform/CaptionFit.h"
#include "platform/NumberedError.h"
#include "platform/ScreenPlacement.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

using FormDialogTools::PlaceTwips;

namespace {

// The "ftp://" that the pane's address carries before the server.
constexpr int SchemeLength = 6;

QLabel *makeLabel(QWidget *form, const char *name, const QString &caption)
{
    auto *label = new QLabel(caption, form);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

FormFTPLogin::FormFTPLogin(QWidget *parent) : QWidget(parent)
{
    // The design's caption was never given a text of its own.
    setWindowTitle(QStringLiteral("FTP Login"));
    FormDialogTools::MakeFixedDialog(this, 4305, 2820);

    LabelInstructions = makeLabel(
        this, "LabelInstructions",
        QStringLiteral("Enter a user name and password to log in to the server."));
    LabelInstructions->setWordWrap(true);
    PlaceTwips(LabelInstructions, 120, 120, 4065, 435);
    LabelServer = makeLabel(this, "LabelServer", QStringLiteral("Server:"));
    PlaceTwips(LabelServer, 120, 690, 1095, 255);
    LabelServerName = makeLabel(this, "LabelServerName", QString());
    PlaceTwips(LabelServerName, 1260, 690, 2925, 255);
    LabelUserName = makeLabel(this, "LabelUserName", QStringLiteral("User Name:"));
    PlaceTwips(LabelUserName, 120, 1110, 1095, 255);
    TextUserName = new QLineEdit(this);
    TextUserName->setObjectName(QStringLiteral("TextUserName"));
    PlaceTwips(TextUserName, 1260, 1065, 2925, 315);
    LabelPassword = makeLabel(this, "LabelPassword", QStringLiteral("Password:"));
    PlaceTwips(LabelPassword, 120, 1530, 1095, 255);
    TextPassword = new QLineEdit(this);
    TextPassword->setObjectName(QStringLiteral("TextPassword"));
    TextPassword->setEchoMode(QLineEdit::Password);
    TextPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // "*"
    PlaceTwips(TextPassword, 1260, 1485, 2925, 315);
    CheckUseAnonymous = new QCheckBox(QStringLiteral("Use Anonymous Login"), this);
    CheckUseAnonymous->setObjectName(QStringLiteral("CheckUseAnonymous"));
    CheckUseAnonymous->setChecked(true);
    PlaceTwips(CheckUseAnonymous, 1260, 1920, 2925, 255);
    CommandOK = new QPushButton(QStringLiteral("OK"), this);
    CommandOK->setObjectName(QStringLiteral("CommandOK"));
    PlaceTwips(CommandOK, 1920, 2310, 1095, 375);
    CommandCancel = new QPushButton(QStringLiteral("Cancel"), this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));
    PlaceTwips(CommandCancel, 3090, 2310, 1095, 375);
    CaptionFit::WidenBeside({LabelServer, LabelUserName, LabelPassword},
                            {LabelServerName, TextUserName, TextPassword, CheckUseAnonymous});
    // Enter on a focused button presses it, as in any dialog.
    CommandOK->setAutoDefault(true);
    CommandCancel->setAutoDefault(true);

    setTabOrder(CommandOK, CommandCancel);
    setTabOrder(CommandCancel, TextUserName);
    setTabOrder(TextUserName, TextPassword);
    setTabOrder(TextPassword, CheckUseAnonymous);

    connect(CheckUseAnonymous, &QCheckBox::stateChanged, this,
            &FormFTPLogin::CheckUseAnonymous_Click);
    connect(CommandOK, &QPushButton::clicked, this, &FormFTPLogin::CommandOK_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &FormFTPLogin::CommandCancel_Click);
}

void FormFTPLogin::SetFTPServerName(const QString &address)
{
    if (address.size() < SchemeLength)
        throw NumberedError(5, QStringLiteral("Invalid procedure call or argument"),
                            QStringLiteral("FormFTPLogin.FTPServerName"));
    m_serverName = address.mid(SchemeLength);
    // The shared instance is loaded before the pane names the server: show it at once.
    LabelServerName->setText(m_serverName);
}

void FormFTPLogin::SetParentWindow(QObject *parent)
{
    m_parentWindow = parent;
}

void FormFTPLogin::Form_Load()
{
    LabelServerName->setText(m_serverName);
    CheckUseAnonymous_Click();
}

void FormFTPLogin::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ScreenPlacement::CentreOverOwnerOr(this, qobject_cast<const QWidget *>(m_parentWindow.data()));
    CommandOK->setFocus();
}

void FormFTPLogin::CheckUseAnonymous_Click()
{
    switch (CheckUseAnonymous->checkState()) {
    case Qt::Checked:
        TextUserName->setText(QStringLiteral("Anonymous"));
        TextPassword->setText(AnonymousPassword);
        break;
    case Qt::Unchecked:
        TextUserName->clear();
        TextPassword->clear();
        break;
    case Qt::PartiallyChecked:
        break;
    }
}

void FormFTPLogin::CommandOK_Click()
{
    QPointer<FormFTPLogin> self(this);
    FormDialogTools::CallHostByName(this, m_parentWindow, "FTPConnect");
    if (self)
        close();
}

void FormFTPLogin::CommandCancel_Click()
{
    close();
}
