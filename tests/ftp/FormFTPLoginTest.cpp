#include "ftp/FormFTPLogin.h"
#include "platform/NumberedError.h"
#include "tests/ftp/FtpDialogsTestSupport.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/WaitFor.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Opens the shared login dialog as the FTP pane does: server name, show, parent.
FormFTPLogin *OpenLogin(const QString &address, HostWindow &host)
{
    FormFTPLogin *login = Forms::Default<FormFTPLogin>();
    login->SetFTPServerName(address);
    Forms::Show(login);
    login->SetParentWindow(&host);
    EXPECT_TRUE(WaitUntil([&] { return Exposed(login); }));
    return login;
}

bool WaitUntilUnloaded(const QPointer<FormFTPLogin> &login)
{
    return WaitUntil([&] { return login.isNull(); })
           && !Forms::DefaultExists<FormFTPLogin>();
}

} // namespace

TEST(FormFTPLogin, ShowsTheServerAndFillsAnAnonymousLoginThatTheCheckBoxTurnsOnAndOff)
{
    HostWindow host;
    QPointer<FormFTPLogin> login = OpenLogin(QStringLiteral("ftp://ftp.example.org/pub"), host);

    EXPECT_EQ(login->LabelServerName->text(), QStringLiteral("ftp.example.org/pub"));
    EXPECT_EQ(login->FTPServerName(), QStringLiteral("ftp.example.org/pub"));
    EXPECT_EQ(login->TextUserName->text(), QStringLiteral("Anonymous"));
    const QString password = login->TextPassword->text();
    EXPECT_EQ(password.size(), 7);
    EXPECT_TRUE(password.contains(QLatin1Char('@')));
    EXPECT_EQ(login->TextPassword->echoMode(), QLineEdit::Password);

    QTest::mouseClick(login->CheckUseAnonymous, Qt::LeftButton, {},
                      QPoint(8, login->CheckUseAnonymous->height() / 2));
    EXPECT_FALSE(login->CheckUseAnonymous->isChecked());
    EXPECT_TRUE(login->TextUserName->text().isEmpty());
    EXPECT_TRUE(login->TextPassword->text().isEmpty());

    login->CheckUseAnonymous->setFocus();
    QTest::keyClick(login->CheckUseAnonymous, Qt::Key_Space);
    EXPECT_TRUE(login->CheckUseAnonymous->isChecked());
    EXPECT_EQ(login->TextUserName->text(), QStringLiteral("Anonymous"));
    EXPECT_EQ(login->TextPassword->text(), password);

    QTest::mouseClick(login->CommandCancel, Qt::LeftButton);
    EXPECT_TRUE(WaitUntilUnloaded(login));
}

TEST(FormFTPLogin, ServerAddressShorterThanItsSchemeIsRefusedWithError5)
{
    FormFTPLogin login;
    try {
        login.SetFTPServerName(QStringLiteral("ftp:/"));
        FAIL() << "a five-character address was taken";
    } catch (const NumberedError &error) {
        EXPECT_EQ(error.Number(), 5);
    }
    login.SetFTPServerName(QStringLiteral("ftp://"));
    EXPECT_TRUE(login.FTPServerName().isEmpty());
}

TEST(FormFTPLogin, OkCallsFTPConnectWhileTheDialogIsLoadedAndThenUnloadsIt)
{
    HostWindow host;
    QString seenUser, seenPassword;
    bool loadedDuringCall = false;
    host.onFtpConnect = [&] {
        loadedDuringCall = Forms::DefaultExists<FormFTPLogin>();
        FormFTPLogin *login = Forms::Default<FormFTPLogin>();
        seenUser = login->TextUserName->text();
        seenPassword = login->TextPassword->text();
    };
    QPointer<FormFTPLogin> login = OpenLogin(QStringLiteral("ftp://127.0.0.1"), host);

    QTest::mouseClick(login->CheckUseAnonymous, Qt::LeftButton, {},
                      QPoint(8, login->CheckUseAnonymous->height() / 2));
    QTest::keyClicks(login->TextUserName, QStringLiteral("alice"));
    QTest::keyClicks(login->TextPassword, QStringLiteral("s3cret"));
    QTest::mouseClick(login->CommandOK, Qt::LeftButton);

    EXPECT_EQ(host.ftpConnectCalls, 1);
    EXPECT_TRUE(loadedDuringCall);
    EXPECT_EQ(seenUser, QStringLiteral("alice"));
    EXPECT_EQ(seenPassword, QStringLiteral("s3cret"));
    EXPECT_TRUE(WaitUntilUnloaded(login));
}

TEST(FormFTPLogin, OkHasTheFocusFirstAndEnterConfirms)
{
    HostWindow host;
    QPointer<FormFTPLogin> login = OpenLogin(QStringLiteral("ftp://127.0.0.1"), host);
    login->activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return login->CommandOK->hasFocus(); }));

    QTest::keyClick(login->CommandOK, Qt::Key_Return);
    EXPECT_EQ(host.ftpConnectCalls, 1);
    EXPECT_TRUE(WaitUntilUnloaded(login));
}

TEST(FormFTPLogin, CancelClosesWithoutCallingBack)
{
    HostWindow host;
    QPointer<FormFTPLogin> login = OpenLogin(QStringLiteral("ftp://127.0.0.1"), host);
    QTest::mouseClick(login->CommandCancel, Qt::LeftButton);
    EXPECT_TRUE(WaitUntilUnloaded(login));
    EXPECT_EQ(host.ftpConnectCalls, 0);

    // The next use is a fresh dialog with its design values.
    login = OpenLogin(QStringLiteral("ftp://other.example"), host);
    EXPECT_EQ(login->LabelServerName->text(), QStringLiteral("other.example"));
    EXPECT_TRUE(login->CheckUseAnonymous->isChecked());
    login->close();
    EXPECT_TRUE(WaitUntilUnloaded(login));
    EXPECT_EQ(host.ftpConnectCalls, 0);
}

TEST(FormFTPLogin, AnErrorEscapingFTPConnectIsShownAndTheDialogStillCloses)
{
    HostWindow host;
    host.onFtpConnect = [] {
        throw NumberedError(380, QStringLiteral("Invalid property value."),
                            QStringLiteral("CFtpClient.Connect"));
    };
    QPointer<FormFTPLogin> login = OpenLogin(QStringLiteral("ftp://"), host);
    ModalAnswerer answerer;
    QTest::mouseClick(login->CommandOK, Qt::LeftButton);
    EXPECT_EQ(answerer.messages, QStringList{QStringLiteral("Error: 380 Invalid property value.")});
    EXPECT_TRUE(WaitUntilUnloaded(login));
}

TEST(FormFTPLogin, OkWithoutAParentWindowOnlyCloses)
{
    FormFTPLogin *login = Forms::Default<FormFTPLogin>();
    login->SetFTPServerName(QStringLiteral("ftp://127.0.0.1"));
    Forms::Show(login);
    QPointer<FormFTPLogin> guard(login);
    QTest::mouseClick(login->CommandOK, Qt::LeftButton);
    EXPECT_TRUE(WaitUntilUnloaded(guard));
}
