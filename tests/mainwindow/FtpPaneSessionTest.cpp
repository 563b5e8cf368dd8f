#include "ftp/CFtpClient.h"
#include "mainwindow/FtpPaneSession.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/WaitFor.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A control connection that logs any user in and answers PWD with pwdReply; it never opens a
// data connection.
class ScriptedFtpServer : public QObject
{
public:
    explicit ScriptedFtpServer(QString pwdReply, QString passReply = QStringLiteral("230 Logged in."))
        : m_pwdReply(std::move(pwdReply)), m_passReply(std::move(passReply))
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *socket = m_server.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            socket->write("220 Ready.\r\n");
        });
    }
    bool Listen() { return m_server.listen(QHostAddress::LocalHost); }
    quint16 Port() const { return m_server.serverPort(); }

private:
    void answer(QTcpSocket *socket)
    {
        while (socket->canReadLine()) {
            const QString command = QString::fromLatin1(socket->readLine()).section(QLatin1Char(' '), 0, 0).trimmed();
            QString reply = QStringLiteral("502 Not implemented.");
            if (command == QLatin1String("USER"))
                reply = QStringLiteral("331 Send password.");
            else if (command == QLatin1String("PASS"))
                reply = m_passReply;
            else if (command == QLatin1String("PWD"))
                reply = m_pwdReply;
            socket->write((reply + QStringLiteral("\r\n")).toLatin1());
        }
    }

    QTcpServer m_server;
    QString m_pwdReply;
    QString m_passReply;
};

// Connects a client to server and hands the end of the connection to the session helper, as
// the FTP panes do; returns the connection's result.
qint32 connectAndReport(ScriptedFtpServer &server, QTextEdit &log)
{
    CFtpClient client;
    client.setFtpServer(QStringLiteral("127.0.0.1"));
    client.setRemotePort(server.Port());
    client.setUserName(QStringLiteral("tester"));
    client.setPassword(QStringLiteral("secret"));
    client.setTimeOut(10);
    std::unique_ptr<qint32> result;
    QObject::connect(&client, &CFtpClient::OnConnect, [&](qint32 status) {
        FtpPaneSession::Connected(&client, status, &log);
        result = std::make_unique<qint32>(status);
    });
    client.Connect();
    return WaitUntil([&] { return result != nullptr; }) ? *result : -1;
}

} // namespace

// A login the client cannot complete for a reason of its own is told in the log in red; a login
// the server refuses is left to the server's reply line, which the protocol log already shows.
TEST(FtpPaneSession, ConnectionFailuresOfTheClientAreLoggedAndServerRefusalsAreNot)
{
    ScriptedFtpServer noDirectory(QStringLiteral("257 no directory named here"));
    ASSERT_TRUE(noDirectory.Listen());
    QTextEdit log;
    EXPECT_EQ(connectAndReport(noDirectory, log), CFtpClient::arStatusError);
    EXPECT_TRUE(log.toPlainText().contains(QStringLiteral("Cannot retrieve the current directory path")))
        << log.toPlainText().toStdString();
    log.selectAll();
    EXPECT_EQ(log.textCursor().charFormat().foreground().color(), QColor(255, 0, 0));

    ScriptedFtpServer refusing(QStringLiteral("257 \"/\""), QStringLiteral("530 Login incorrect."));
    ASSERT_TRUE(refusing.Listen());
    QTextEdit quietLog;
    EXPECT_EQ(connectAndReport(refusing, quietLog), CFtpClient::arStatusError);
    EXPECT_TRUE(quietLog.toPlainText().isEmpty()) << quietLog.toPlainText().toStdString();
}

// A server's file name cannot choose where a download goes: the save dialog opens on the folder
// it would show anyway and suggests only the last part of the name, with whatever the dialog
// would read as a path replaced.
TEST(FtpPaneSession, SaveDialogSuggestsOnlyAFileNameInTheFolderItShowsAnyway)
{
    QWidget window;
    ModalAnswerer answerer;
    QString shownFolder;
    QString suggestion;
    answerer.onFileDialog = [&](QFileDialog *dialog) {
        shownFolder = dialog->directory().absolutePath();
        suggestion = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
        if (suggestion.isEmpty())
            dialog->reject();
        else
            static_cast<QDialog *>(dialog)->accept();
    };
    const auto ask = [&](const QString &remoteName) {
        shownFolder.clear();
        suggestion = QStringLiteral("<no dialog>");
        return FtpPaneSession::AskSavePath(&window, remoteName);
    };

    const QString plain = ask(QStringLiteral("kv_plain.txt"));
    const QString folder = shownFolder;
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_EQ(plain, QDir(folder).filePath(QStringLiteral("kv_plain.txt")));

    const QList<QPair<QString, QString>> names {
        {QStringLiteral("../../kv_escape.txt"), QStringLiteral("kv_escape.txt")},
        {QStringLiteral("/etc/kv_abs.txt"), QStringLiteral("kv_abs.txt")},
        {QStringLiteral("C:\\temp\\kv_back.txt"), QStringLiteral("C:_temp_kv_back.txt")},
        {QStringLiteral("~root"), QStringLiteral("_root")},
        {QStringLiteral("kv_a\" \"~root\" b"), QStringLiteral("kv_a_ _~root_ b")},
        {QStringLiteral("pub/.."), QString()},
        {QStringLiteral("pub/"), QString()},
    };
    for (const auto &[remoteName, expected] : names) {
        const QString chosen = ask(remoteName);
        EXPECT_EQ(shownFolder.toStdString(), folder.toStdString()) << remoteName.toStdString();
        EXPECT_EQ(suggestion.toStdString(), expected.toStdString()) << remoteName.toStdString();
        EXPECT_EQ(chosen.toStdString(), expected.isEmpty() ? std::string() : QDir(folder).filePath(expected).toStdString())
            << remoteName.toStdString();
    }
    // No server name has moved the dialog's default folder.
    ask(QStringLiteral("kv_plain.txt"));
    EXPECT_EQ(shownFolder.toStdString(), folder.toStdString());
}
