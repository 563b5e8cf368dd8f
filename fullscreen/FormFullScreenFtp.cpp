#include "fullscreen/FormFullScreen.h"

#include "controls/XPStyleImageTextBox.h"
#include "ftp/CFtpClient.h"
#include "ftp/FormFTPLogin.h"
#include "ftp/FormFileDownload.h"
#include "mainwindow/FtpPaneTexts.h"
#include "mainwindow/FtpPaneView.h"
#include "mainwindow/FtpServerAddress.h"
#include "mainwindow/RemoteFileImages.h"
#include "platform/NumberedError.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

// The full-screen window's FTP pane: a list of the remote directory over a log of the protocol
// dialogue, driven by the window's own FTP client, with downloads shown in the download dialog.

namespace {

constexpr int LoginTimeOutSeconds = 20;
constexpr qint32 ListingInProgress = 13;
constexpr double ColumnMarginTwips = 25;

bool isServerReplyError(int number)
{
    return number > 16000 && number < 17000;
}

} // namespace

void FormFullScreen::ConnectFtpPane()
{
    ImageListRemoteFiles = MakeRemoteFileImages();
    connect(Timer1, &QTimer::timeout, this, &FormFullScreen::Timer1_Timer);
    connect(ListViewFTP, &QTreeWidget::itemDoubleClicked, this, [this] { ListViewFTP_DblClick(); });
    m_ftpLogColor = RichTextBoxFTP->palette().color(QPalette::Text);
}

void FormFullScreen::InitFTPPane()
{
    PictureFTP->show();
    PictureFTP->raise();
    m_lngElapsedSeconds = 0;
    Timer1->stop();

    ReleaseFtpClient();
    m_objFtpClient = new CFtpClient(this);
    connect(m_objFtpClient, &CFtpClient::OnConnect, this, &FormFullScreen::m_objFtpClient_OnConnect);
    connect(m_objFtpClient, &CFtpClient::OnSetCurrentDirectory, this,
            &FormFullScreen::m_objFtpClient_OnSetCurrentDirectory);
    connect(m_objFtpClient, &CFtpClient::OnGetCurrentDirectory, this,
            &FormFullScreen::m_objFtpClient_OnGetCurrentDirectory);
    connect(m_objFtpClient, &CFtpClient::OnEnumFiles, this, &FormFullScreen::m_objFtpClient_OnEnumFiles);
    connect(m_objFtpClient, &CFtpClient::OnDataTransferProgress, this,
            &FormFullScreen::m_objFtpClient_OnDataTransferProgress);
    connect(m_objFtpClient, &CFtpClient::OnDownloadFile, this, &FormFullScreen::m_objFtpClient_OnDownloadFile);
    connect(m_objFtpClient, &CFtpClient::SessionProtocolMessage, this,
            &FormFullScreen::m_objFtpClient_SessionProtocolMessage);
    connect(m_objFtpClient, &CFtpClient::OnStateChange, this, &FormFullScreen::m_objFtpClient_OnStateChange);
    connect(m_objFtpClient, &CFtpClient::OnQuitSession, this, &FormFullScreen::m_objFtpClient_OnQuitSession);

    FtpPaneView::PrepareList(ListViewFTP, ImageListRemoteFiles, RectTwips(ListViewFTP).width(), ColumnMarginTwips);

    // The pane connects to the server that the login dialog names, whatever the address box
    // holds by the time the user confirms it.
    m_strFtpAddress = XPStyleImageTextBox1->Text();
    auto *login = Forms::Default<FormFTPLogin>();
    login->LabelServerName->setTextFormat(Qt::PlainText);
    try {
        login->SetFTPServerName(m_strFtpAddress);
    } catch (const NumberedError &) {
        // Too short to name a server: the dialog shows none, and OK asks for one.
        login->SetFTPServerName(QStringLiteral("ftp://"));
    }
    Forms::Show(login);
    login->SetParentWindow(this);
}

void FormFullScreen::HideFTPPane()
{
    PictureFTP->hide();
}

// The client may be inside one of its own waits: it is deleted once control is back in the
// event loop, and it tells this window nothing more. The last session's dialog goes with it.
void FormFullScreen::ReleaseFtpClient()
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

void FormFullScreen::FTPConnect()
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

void FormFullScreen::m_objFtpClient_OnConnect(qint32 AsyncResultStatus)
{
    m_strStartDirectory = m_objFtpClient->CurrentDirectory();
    // A refused login stands in the log as the server's reply; a connection that failed below
    // FTP, or a server that never answered, is told there too.
    if (AsyncResultStatus == CFtpClient::arStatusTimeOut) {
        FtpPaneView::AppendLogLine(RichTextBoxFTP, QStringLiteral("The server did not answer in time."),
                                   FtpPaneView::ErrorColor());
    } else if (AsyncResultStatus == CFtpClient::arStatusError) {
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

void FormFullScreen::m_objFtpClient_OnSetCurrentDirectory(qint32 AsyncResultStatus)
{
    if (AsyncResultStatus != CFtpClient::arStatusOk)
        return;
    try {
        m_objFtpClient->GetCurrentDirectory();
    } catch (const NumberedError &error) {
        FtpPaneView::AppendLogLine(RichTextBoxFTP, error.Description(), FtpPaneView::ErrorColor());
    }
}

void FormFullScreen::m_objFtpClient_OnGetCurrentDirectory(qint32 AsyncResultStatus)
{
    Q_UNUSED(AsyncResultStatus);
    try {
        m_objFtpClient->EnumFiles();
    } catch (const NumberedError &error) {
        FtpPaneView::AppendLogLine(RichTextBoxFTP, error.Description(), FtpPaneView::ErrorColor());
    }
}

void FormFullScreen::m_objFtpClient_OnEnumFiles(qint32 AsyncResultStatus)
{
    if (AsyncResultStatus == CFtpClient::arStatusOk)
        FtpPaneView::AddDirectoryEntries(ListViewFTP, ImageListRemoteFiles, *m_objFtpClient, m_strStartDirectory);
}

void FormFullScreen::m_objFtpClient_SessionProtocolMessage(const QString &strMessage, qint32 lngMessageType)
{
    m_ftpLogColor = FtpPaneView::LogColor(lngMessageType, m_ftpLogColor, RichTextBoxFTP);
    FtpPaneView::AppendLogLine(RichTextBoxFTP, strMessage, m_ftpLogColor);
}

void FormFullScreen::m_objFtpClient_OnStateChange(qint32 State)
{
    Q_UNUSED(State);
}

void FormFullScreen::m_objFtpClient_OnQuitSession(qint32 AsyncResultStatus)
{
    Q_UNUSED(AsyncResultStatus);
}

void FormFullScreen::ListViewFTP_DblClick()
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

void FormFullScreen::StartFtpDownload(QTreeWidgetItem *entry)
{
    const QString remoteName = entry->text(0);
    const qint64 listedSize = entry->text(1).toLongLong();

    QFileDialog CommonDialog1(this, QStringLiteral("Download file and save as..."));
    CommonDialog1.setAcceptMode(QFileDialog::AcceptSave);
    // Every file, also one without an extension.
    CommonDialog1.setNameFilter(QStringLiteral("All Files (*)"));
    CommonDialog1.selectFile(remoteName);
    if (CommonDialog1.exec() != QDialog::Accepted)
        return;
    const QString localPath = CommonDialog1.selectedFiles().value(0);
    // The session may have been replaced while the save dialog was open.
    if (localPath.isEmpty() || !m_objFtpClient || m_objFtpClient->Busy())
        return;

    m_strRemoteFileName = remoteName;
    m_lngRemoteFileSize = listedSize;
    m_lngElapsedSeconds = 0;
    m_lngBytesSoFar = 0;
    // The save dialog has asked before an existing file is chosen: the download replaces it once
    // the whole file has arrived, instead of adding the remote bytes to its end.
    m_objFtpClient->DownloadFile(m_strRemoteFileName, localPath, true);
    Timer1->start();
    m_strLocalFilePath = localPath;

    // Each download starts from the dialog's design texts.
    if (m_objFileDownload)
        Forms::Unload(m_objFileDownload);
    m_objFileDownload = new FormFileDownload();
    Forms::Show(m_objFileDownload);
    m_objFileDownload->SetParentWindow(this);
    m_objFileDownload->SetDownloadedFilePath(localPath);
    m_objFileDownload->SetDownloadedFileName(QFileInfo(localPath).fileName());
}

void FormFullScreen::m_objFtpClient_OnDataTransferProgress(qint64 lngBytesTransferred)
{
    m_lngBytesSoFar = lngBytesTransferred;
    if (m_objFtpClient->FtpSessionState() != ListingInProgress && m_objFileDownload)
        m_objFileDownload->ProgressBar1->setValue(FtpPaneTexts::PercentCompleted(m_lngRemoteFileSize, m_lngBytesSoFar));
}

void FormFullScreen::Timer1_Timer()
{
    ++m_lngElapsedSeconds;
    if (!m_objFileDownload || !m_objFtpClient)
        return;
    FtpPaneView::ShowDownloadProgress(m_objFileDownload, m_strLocalFilePath, m_strRemoteFileName,
                                      m_objFtpClient->FtpServer(), m_lngRemoteFileSize, m_lngBytesSoFar,
                                      m_lngElapsedSeconds);
    m_objFileDownload->setWindowTitle(
        FtpPaneTexts::PercentCaption(m_lngRemoteFileSize, m_lngBytesSoFar, m_strRemoteFileName));
}

void FormFullScreen::m_objFtpClient_OnDownloadFile(qint32 AsyncResultStatus)
{
    Timer1->stop();
    QApplication::beep();
    FormFileDownload *dialog = m_objFileDownload;
    if (!dialog)
        return;
    FtpPaneView::ShowDownloadFinished(dialog, AsyncResultStatus, m_lngRemoteFileSize, m_lngBytesSoFar,
                                      m_lngElapsedSeconds);
    if (dialog->CheckCloseDialogOnFinish->isChecked())
        dialog->close();
    if (Forms::IsLoaded(dialog))
        dialog->CommandCancel->setText(QStringLiteral("Close"));
}

void FormFullScreen::CancelFTPDownload()
{
    // Only a running download is cancelled: the dialog's Close after the end must not stop a
    // listing the user has started since.
    if (!m_objFtpClient || !m_objFtpClient->Busy() || m_objFtpClient->CurrentMethod() != CFtpClient::ftpDownloadFile)
        return;
    try {
        m_objFtpClient->CancelAsyncMethod();
    } catch (const NumberedError &error) {
        FtpPaneView::AppendLogLine(RichTextBoxFTP, error.Description(), FtpPaneView::ErrorColor());
    }
}
