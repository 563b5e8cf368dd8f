#include "fullscreen/FormFullScreen.h"

#include "controls/XPStyleImageTextBox.h"
#include "ftp/CFtpClient.h"
#include "mainwindow/FtpPaneSession.h"
#include "mainwindow/FtpPaneView.h"
#include "mainwindow/RemoteFileImages.h"

#include <QFrame>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

// The full-screen window's FTP pane: a list of the remote directory over a log of the protocol
// dialogue, driven by the window's own FTP client, with downloads shown in the download dialog.

namespace {

constexpr double ColumnMarginTwips = 25;

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
    m_ftpDownload.ResetClock();
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
    FtpPaneSession::ShowLogin(this, m_strFtpAddress);
}

void FormFullScreen::HideFTPPane()
{
    PictureFTP->hide();
}

void FormFullScreen::ReleaseFtpClient()
{
    FtpPaneSession::Release(this, m_objFtpClient);
    m_ftpDownload.Close();
}

void FormFullScreen::FTPConnect()
{
    if (m_objFtpClient)
        FtpPaneSession::Connect(this, m_objFtpClient, m_strFtpAddress, RichTextBoxFTP);
}

void FormFullScreen::m_objFtpClient_OnConnect(qint32 AsyncResultStatus)
{
    m_strStartDirectory = m_objFtpClient->CurrentDirectory();
    FtpPaneSession::Connected(m_objFtpClient, AsyncResultStatus, RichTextBoxFTP);
}

void FormFullScreen::m_objFtpClient_OnSetCurrentDirectory(qint32 AsyncResultStatus)
{
    FtpPaneSession::ReadDirectory(m_objFtpClient, AsyncResultStatus, RichTextBoxFTP);
}

void FormFullScreen::m_objFtpClient_OnGetCurrentDirectory(qint32 AsyncResultStatus)
{
    Q_UNUSED(AsyncResultStatus);
    FtpPaneSession::ListDirectory(m_objFtpClient, RichTextBoxFTP);
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
    FtpPaneSession::OpenSelectedEntry(m_objFtpClient, ListViewFTP, RichTextBoxFTP,
                                      [this](QTreeWidgetItem *entry) { StartFtpDownload(entry); });
}

void FormFullScreen::StartFtpDownload(QTreeWidgetItem *entry)
{
    const QString remoteName = entry->text(0);
    const qint64 listedSize = entry->text(1).toLongLong();
    const QString localPath = FtpPaneSession::AskSavePath(this, remoteName);
    // The session may have been replaced while the save dialog was open.
    if (localPath.isEmpty() || !m_objFtpClient || m_objFtpClient->Busy())
        return;
    m_ftpDownload.Start(this, m_objFtpClient, remoteName, listedSize, localPath);
    Timer1->start();
}

void FormFullScreen::m_objFtpClient_OnDataTransferProgress(qint64 lngBytesTransferred)
{
    m_ftpDownload.Transferred(m_objFtpClient, lngBytesTransferred);
}

void FormFullScreen::Timer1_Timer()
{
    m_ftpDownload.Tick(m_objFtpClient);
}

void FormFullScreen::m_objFtpClient_OnDownloadFile(qint32 AsyncResultStatus)
{
    Timer1->stop();
    m_ftpDownload.Finished(AsyncResultStatus);
}

void FormFullScreen::CancelFTPDownload()
{
    FtpPaneSession::CancelDownload(m_objFtpClient, RichTextBoxFTP);
}
