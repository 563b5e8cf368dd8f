#pragma once

#include "platform/Forms.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the user name and password before an FTP connection is opened. One shared
// instance (Forms::Default): the FTP pane sets the server, gives it the window whose
// "FTPConnect" (a slot or Q_INVOKABLE, called by name) runs on OK, and shows it over that window;
// the window reads TextUserName and TextPassword there, and the dialog unloads itself when the
// call returns.
class FormFTPLogin : public QWidget, public Form
{
    Q_OBJECT

public:
    // The password of an anonymous login, shaped like an e-mail address.
    static inline const QString AnonymousPassword = QStringLiteral("a@b.com");

    explicit FormFTPLogin(QWidget *parent = nullptr);

    QLabel *LabelInstructions = nullptr;
    QLabel *LabelServer = nullptr;
    QLabel *LabelServerName = nullptr;
    QLabel *LabelUserName = nullptr;
    QLineEdit *TextUserName = nullptr;
    QLabel *LabelPassword = nullptr;
    QLineEdit *TextPassword = nullptr;
    QCheckBox *CheckUseAnonymous = nullptr;
    QPushButton *CommandOK = nullptr;
    QPushButton *CommandCancel = nullptr;

    // The server's address less its first six characters (the "ftp://" of a committed
    // address); a shorter address is refused with error 5.
    QString FTPServerName() const { return m_serverName; }
    void SetFTPServerName(const QString &address);
    // The window whose "FTPConnect" OK calls; shown without an owner, the dialog comes up over it.
    void SetParentWindow(QObject *parent);

    void Form_Load() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void CheckUseAnonymous_Click();
    void CommandOK_Click();
    void CommandCancel_Click();

    QString m_serverName;
    QPointer<QObject> m_parentWindow;
};
