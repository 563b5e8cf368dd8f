#include "mainwindow/FormMain.h"

#include "ftp/CFtpClient.h"
#include "ftp/FormFTPLogin.h"
#include "ftp/FormFileDownload.h"
#include "mainwindow/FtpPaneTexts.h"
#include "mainwindow/FtpPaneView.h"
#include "mainwindow/FtpServerAddress.h"
#include "mainwindow/RemoteFileImages.h"
#include "platform/NumberedError.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

// The FTP pane: a list of the remote directory over a log of the protocol dialogue, driven by
// the window's own FTP client.

namespace {

constexpr int LoginTimeOutSeconds = 20;
constexpr double ColumnMarginTwips = 20;

// A refusal by the server (16000 and its reply code), which the log already shows in its words.
bool isServerReplyError(int number)
{
    return number >= 16100 && number < 16600;
}

} // namespace

void FormMain::ConnectFtpPane()
{
    ImageListRemoteFiles = MakeRemoteFileImages();
    connect(ListViewFTP, &QTreeWidget::itemDoubleClicked, this, [this] { ListViewFTP_DblClick(); });
    connect(Timer1, &QTimer::timeout, this, &FormMain::Timer1_Timer);
    m_ftpLogColor = RichTextBoxFTP->palette().color(QPalette::Text);
}

void FormMain::InitFTPPane(const QString &address)
{
    PictureFTP->show();
    PictureFTP->raise();

    m_lngTransferSeconds = 0;
    Timer1->stop();

    ReleaseFtpPane();
    m_objFtpClient = new CFtpClient();
    connect(m_objFtpClient, &CFtpClient::OnConnect, this, &FormMain::m_objFtpClient_OnConnect);
    connect(m_objFtpClient, &CFtpClient::OnGetCurrentDirectory, this, &FormMain::m_objFtpClient_OnGetCurrentDirectory);
    connect(m_objFtpClient, &CFtpClient::OnSetCurrentDirectory, this, &FormMain::m_objFtpClient_OnSetCurrentDirectory);
    connect(m_objFtpClient, &CFtpClient::OnEnumFiles, this, &FormMain::m_objFtpClient_OnEnumFiles);
    connect(m_objFtpClient, &CFtpClient::SessionProtocolMessage, this,
            &FormMain::m_objFtpClient_SessionProtocolMessage);
    connect(m_objFtpClient, &CFtpClient::OnStateChange, this, &FormMain::m_objFtpClient_OnStateChange);
    connect(m_objFtpClient, &CFtpClient::OnQuitSession, this, &FormMain::m_objFtpClient_OnQuitSession);
    connect(m_objFtpClient, &CFtpClient::OnDataTransferProgress, this,
            &FormMain::m_objFtpClient_OnDataTransferProgress);
    connect(m_objFtpClient, &CFtpClient::OnDownloadFile, this, &FormMain::m_objFtpClient_OnDownloadFile);

    FtpPaneView::PrepareList(ListViewFTP, ImageListRemoteFiles, RectTwips(ListViewFTP).width(), ColumnMarginTwips);

    // The pane connects to the server that the login dialog names, whatever the address box
    // holds by the time the user confirms it.
    m_strFtpAddress = address;
    auto *login = Forms::Default<FormFTPLogin>();
    login->LabelServerName->setTextFormat(Qt::PlainText);
    try {
        login->SetFTPServerName(address);
    } catch (const NumberedError &) {
        // Too short to name a server: the dialog shows none, and OK asks for one.
        login->SetFTPServerName(QStringLiteral("ftp://"));
    }
    Forms::Show(login);
    login->SetParentWindow(this);
}

void FormMain::HideFTPPane()
{
    PictureFTP->hide();
}

// The client goes with its connection; it may be inside one of its own waits, so it is
// deleted once control is back in the event loop, and it tells this window nothing more.
void FormMain::ReleaseFtpPane()
{
    if (m_objFtpClient) {
        disconnect(m_objFtpClient, nullptr, this, nullptr);
        m_objFtpClient->deleteLater();
        m_objFtpClient = nullptr;
    }
    if (m_objFileDownload)
        Forms::Unload(m_objFileDownload);
    m_objFileDownload = nullptr;
}

void FormMain::FTPConnect()
{
    if (!m_objFtpClient)
        return;
    const FtpServerAddress server = FtpServerAddress::Parse(m_strFtpAddress);
    if (!server.IsValid()) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Kestrelvue3"),
                        QStringLiteral("Please specify the FTP server to connect to."), QMessageBox::Ok, this);
        box.exec();
        return;
    }
    m_objFtpClient->setFtpServer(server.Host);
    m_objFtpClient->setRemotePort(server.Port);

    auto *login = Forms::Default<FormFTPLogin>();
    QString userName = login->TextUserName->text();
    if (!userName.isEmpty()) {
        // The dialog's "Anonymous" is the anonymous login, which servers know in lower case.
        if (userName.compare(QLatin1String("anonymous"), Qt::CaseInsensitive) == 0)
            userName = QStringLiteral("anonymous");
        m_objFtpClient->setUserName(userName);
        m_objFtpClient->setPassword(login->TextPassword->text());
    }
    m_objFtpClient->setTimeOut(LoginTimeOutSeconds);
    try {
        m_objFtpClient->Connect();
    } catch (const NumberedError &error) {
        FtpPaneView::AppendLogLine(RichTextBoxFTP, error.Description(), FtpPaneView::ErrorColor());
    }
}

void FormMain::m_objFtpClient_OnConnect(qint32 result)
{
    m_strLoginDirectory = m_objFtpClient->CurrentDirectory();
    // A refused login stands in the log as the server's reply; a connection that failed
    // below FTP, or a server that never answered, is told there too.
    if (result == CFtpClient::arStatusTimeOut) {
        FtpPaneView::AppendLogLine(RichTextBoxFTP, QStringLiteral("The server did not answer in time."),
                                   FtpPaneView::ErrorColor());
    } else if (result == CFtpClient::arStatusError) {
        const CFtpError &error = m_objFtpClient->LastFtpError();
        if (!isServerReplyError(error.Number()) && !error.Description().isEmpty())
            FtpPaneView::AppendLogLine(RichTextBoxFTP, error.Description(), FtpPaneView::ErrorColor());
    }
    try {
        m_objFtpClient->EnumFiles();
    } catch (const NumberedError &) {
        // Without a connection there is nothing to list; the pane waits for the next address.
    }
}

void FormMain::m_objFtpClient_OnSetCurrentDirectory(qint32 result)
{
    if (result != CFtpClient::arStatusOk)
        return;
    try {
        m_objFtpClient->GetCurrentDirectory();
    } catch (const NumberedError &error) {
        FtpPaneView::AppendLogLine(RichTextBoxFTP, error.Description(), FtpPaneView::ErrorColor());
    }
}

void FormMain::m_objFtpClient_OnGetCurrentDirectory(qint32 result)
{
    Q_UNUSED(result);
    try {
        m_objFtpClient->EnumFiles();
    } catch (const NumberedError &error) {
        FtpPaneView::AppendLogLine(RichTextBoxFTP, error.Description(), FtpPaneView::ErrorColor());
    }
}

void FormMain::m_objFtpClient_OnEnumFiles(qint32 result)
{
    if (result == CFtpClient::arStatusOk)
        FtpPaneView::AddDirectoryEntries(ListViewFTP, ImageListRemoteFiles, *m_objFtpClient, m_strLoginDirectory);
}

void FormMain::m_objFtpClient_OnStateChange(qint32 state)
{
    Q_UNUSED(state);
}

void FormMain::m_objFtpClient_OnQuitSession(qint32 result)
{
    Q_UNUSED(result);
}

void FormMain::ListViewFTP_DblClick()
{
    const QList<QTreeWidgetItem *> selected = ListViewFTP->selectedItems();
    if (selected.isEmpty() || !m_objFtpClient || m_objFtpClient->Busy())
        return;
    QTreeWidgetItem *entry = selected.first();
    try {
        switch (FtpPaneView::EntryIcon(entry)) {
        case FtpPaneTexts::IconParent:
            m_objFtpClient->SetCurrentDirectory(FtpPaneTexts::ParentDirectory(m_objFtpClient->CurrentDirectory()));
            ListViewFTP->clear();
            break;
        case FtpPaneTexts::IconDirectory:
            m_objFtpClient->SetCurrentDirectory(entry->text(0));
            ListViewFTP->clear();
            break;
        case FtpPaneTexts::IconTextFile:
        case FtpPaneTexts::IconOtherFile:
            StartFtpDownload(entry);
            break;
        default:
            break;
        }
    } catch (const NumberedError &error) {
        // Refused while another request is still pending: the list stays as it is.
        FtpPaneView::AppendLogLine(RichTextBoxFTP, error.Description(), FtpPaneView::ErrorColor());
    }
}

void FormMain::m_objFtpClient_SessionProtocolMessage(const QString &message, qint32 type)
{
    m_ftpLogColor = FtpPaneView::LogColor(type, m_ftpLogColor, RichTextBoxFTP);
    FtpPaneView::AppendLogLine(RichTextBoxFTP, message, m_ftpLogColor);
}
