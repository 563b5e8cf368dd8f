#include "mainwindow/FtpPaneSession.h"

#include "app/ApplicationTitle.h"
#include "ftp/CFtpClient.h"
#include "ftp/FormFTPLogin.h"
#include "mainwindow/FtpPaneTexts.h"
#include "mainwindow/FtpPaneView.h"
#include "mainwindow/FtpServerAddress.h"
#include "platform/Forms.h"
#include "platform/NumberedError.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTreeWidget>

namespace FtpPaneSession {

namespace {

constexpr int LoginTimeOutSeconds = 20;

// A refusal by the server (16000 and its reply code), which the log already shows in its words.
bool isServerReplyError(int number)
{
    return number >= 16100 && number < 16600;
}

void logError(QTextEdit *log, const QString &message)
{
    FtpPaneView::AppendLogLine(log, message, FtpPaneView::ErrorColor());
}

} // namespace

void ShowLogin(QWidget *window, const QString &address)
{
    auto *login = Forms::Default<FormFTPLogin>();
    login->LabelServerName->setTextFormat(Qt::PlainText);
    try {
        login->SetFTPServerName(address);
    } catch (const NumberedError &) {
        // Too short to name a server: the dialog shows none, and OK asks for one.
        login->SetFTPServerName(QStringLiteral("ftp://"));
    }
    // Given its host first, the dialog comes up over it.
    login->SetParentWindow(window);
    Forms::Show(login);
}

void Connect(QWidget *window, CFtpClient *client, const QString &address, QTextEdit *log)
{
    const FtpServerAddress server = FtpServerAddress::Parse(address);
    if (!server.IsValid()) {
        QMessageBox box(QMessageBox::Warning, ApplicationTitle,
                        QStringLiteral("Please specify the FTP server to connect to."), QMessageBox::Ok, window);
        box.exec();
        return;
    }
    client->setFtpServer(server.Host);
    client->setRemotePort(server.Port);

    auto *login = Forms::Default<FormFTPLogin>();
    QString userName = login->TextUserName->text();
    if (!userName.isEmpty()) {
        // The dialog's "Anonymous" is the anonymous login, which servers know in lower case.
        if (userName.compare(QLatin1String("anonymous"), Qt::CaseInsensitive) == 0)
            userName = QStringLiteral("anonymous");
        client->setUserName(userName);
        client->setPassword(login->TextPassword->text());
    }
    client->setTimeOut(LoginTimeOutSeconds);
    try {
        client->Connect();
    } catch (const NumberedError &error) {
        logError(log, error.Description());
    }
}

void Connected(CFtpClient *client, qint32 result, QTextEdit *log)
{
    // A refused login stands in the log as the server's reply; a connection that failed below
    // FTP, or a server that never answered, is told there too.
    if (result == CFtpClient::arStatusTimeOut) {
        logError(log, QStringLiteral("The server did not answer in time."));
    } else if (result == CFtpClient::arStatusError) {
        const CFtpError &error = client->LastFtpError();
        if (!isServerReplyError(error.Number()) && !error.Description().isEmpty())
            logError(log, error.Description());
    }
    try {
        client->EnumFiles();
    } catch (const NumberedError &) {
        // Without a connection there is nothing to list; the pane waits for the next address.
    }
}

void ReadDirectory(CFtpClient *client, qint32 result, QTextEdit *log)
{
    if (result != CFtpClient::arStatusOk)
        return;
    try {
        client->GetCurrentDirectory();
    } catch (const NumberedError &error) {
        logError(log, error.Description());
    }
}

void ListDirectory(CFtpClient *client, QTextEdit *log)
{
    try {
        client->EnumFiles();
    } catch (const NumberedError &error) {
        logError(log, error.Description());
    }
}

void OpenSelectedEntry(CFtpClient *client, QTreeWidget *list, QTextEdit *log,
                       const std::function<void(QTreeWidgetItem *)> &download)
{
    const QList<QTreeWidgetItem *> selected = list->selectedItems();
    if (selected.isEmpty() || !client || client->Busy())
        return;
    QTreeWidgetItem *entry = selected.first();
    try {
        switch (FtpPaneView::EntryIcon(entry)) {
        case FtpPaneTexts::IconParent:
            client->SetCurrentDirectory(FtpPaneTexts::ParentDirectory(client->CurrentDirectory()));
            list->clear();
            break;
        case FtpPaneTexts::IconDirectory:
            client->SetCurrentDirectory(entry->text(0));
            list->clear();
            break;
        case FtpPaneTexts::IconTextFile:
        case FtpPaneTexts::IconOtherFile:
            download(entry);
            break;
        default:
            break;
        }
    } catch (const NumberedError &error) {
        // Refused while another request is still pending.
        logError(log, error.Description());
    }
}

void CancelDownload(CFtpClient *client, QTextEdit *log)
{
    if (!client || !client->Busy() || client->CurrentMethod() != CFtpClient::ftpDownloadFile)
        return;
    try {
        client->CancelAsyncMethod();
    } catch (const NumberedError &error) {
        logError(log, error.Description());
    }
}

void Release(QObject *window, CFtpClient *&client)
{
    if (!client)
        return;
    QObject::disconnect(client, nullptr, window, nullptr);
    client->deleteLater();
    client = nullptr;
}

QString AskSavePath(QWidget *window, const QString &remoteName)
{
    QFileDialog CommonDialog1(window, QStringLiteral("Download file and save as..."));
    CommonDialog1.setAcceptMode(QFileDialog::AcceptSave);
    // Every file, also one without an extension.
    CommonDialog1.setNameFilter(QStringLiteral("All Files (*)"));
    // The name alone, in the folder the dialog shows anyway: a server's name never picks the
    // folder, neither for this download nor as the dialog's default for the next ones.
    const QString name = FtpPaneTexts::SaveFileName(remoteName);
    if (!name.isEmpty())
        CommonDialog1.selectFile(name);
    if (CommonDialog1.exec() != QDialog::Accepted)
        return QString();
    return CommonDialog1.selectedFiles().value(0);
}

} // namespace FtpPaneSession
