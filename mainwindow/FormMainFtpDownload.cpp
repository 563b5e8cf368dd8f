#include "mainwindow/FormMain.h"

#include "mainwindow/FtpPaneSession.h"

#include <QTimer>
#include <QTreeWidget>

// Downloads of the FTP pane: the save dialog, the transfer clock and the download dialog.

void FormMain::StartFtpDownload(QTreeWidgetItem *entry)
{
    const QString remoteName = entry->text(0);
    const qint64 listedSize = entry->text(1).toLongLong();
    const QString localPath = FtpPaneSession::AskSavePath(this, remoteName);
    if (localPath.isEmpty() || !m_objFtpClient)
        return;
    m_ftpDownload.Start(this, m_objFtpClient, remoteName, listedSize, localPath);
    Timer1->start();
}

void FormMain::m_objFtpClient_OnDataTransferProgress(qint64 bytes)
{
    m_ftpDownload.Transferred(m_objFtpClient, bytes);
}

void FormMain::Timer1_Timer()
{
    m_ftpDownload.Tick(m_objFtpClient);
}

void FormMain::m_objFtpClient_OnDownloadFile(qint32 result)
{
    Timer1->stop();
    m_ftpDownload.Finished(result);
}

void FormMain::CancelFTPDownload()
{
    FtpPaneSession::CancelDownload(m_objFtpClient, RichTextBoxFTP);
}
