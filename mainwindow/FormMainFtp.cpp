#include "mainwindow/FormMain.h"

#include "ftp/CFtpClient.h"
#include "mainwindow/FtpPaneSession.h"
#include "mainwindow/FtpPaneView.h"
#include "mainwindow/RemoteFileImages.h"

#include <QFrame>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

// The FTP pane: a list of the remote directory over a log of the protocol dialogue, driven by
// the window's own FTP client.

namespace {

constexpr double ColumnMarginTwips = 20;

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

    m_ftpDownload.ResetClock();
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
    FtpPaneSession::ShowLogin(this, address);
}

void FormMain::HideFTPPane()
{
    PictureFTP->hide();
}

void FormMain::ReleaseFtpPane()
{
    FtpPaneSession::Release(this, m_objFtpClient);
    m_ftpDownload.Close();
}

void FormMain::FTPConnect()
{
    if (m_objFtpClient)
        FtpPaneSession::Connect(this, m_objFtpClient, m_strFtpAddress, RichTextBoxFTP);
}

void FormMain::m_objFtpClient_OnConnect(qint32 result)
{
    m_strLoginDirectory = m_objFtpClient->CurrentDirectory();
    FtpPaneSession::Connected(m_objFtpClient, result, RichTextBoxFTP);
}

void FormMain::m_objFtpClient_OnSetCurrentDirectory(qint32 result)
{
    FtpPaneSession::ReadDirectory(m_objFtpClient, result, RichTextBoxFTP);
}

void FormMain::m_objFtpClient_OnGetCurrentDirectory(qint32 result)
{
    Q_UNUSED(result);
    FtpPaneSession::ListDirectory(m_objFtpClient, RichTextBoxFTP);
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
    FtpPaneSession::OpenSelectedEntry(m_objFtpClient, ListViewFTP, RichTextBoxFTP,
                                      [this](QTreeWidgetItem *entry) { StartFtpDownload(entry); });
}

void FormMain::m_objFtpClient_SessionProtocolMessage(const QString &message, qint32 type)
{
    m_ftpLogColor = FtpPaneView::LogColor(type, m_ftpLogColor, RichTextBoxFTP);
    FtpPaneView::AppendLogLine(RichTextBoxFTP, message, m_ftpLogColor);
}
