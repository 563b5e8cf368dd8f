#include "mainwindow/FormMain.h"

#include "ftp/CFtpClient.h"
#include "ftp/FormFileDownload.h"
#include "mainwindow/FtpPaneSession.h"
#include "mainwindow/FtpPaneTexts.h"
#include "mainwindow/FtpPaneView.h"
#include "platform/NumberedError.h"

#include <QApplication>
#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

// Downloads of the FTP pane: the save dialog, the transfer clock and the download dialog's texts.

namespace {

constexpr qint32 ListingInProgress = 13;

} // namespace

void FormMain::StartFtpDownload(QTreeWidgetItem *entry)
{
    const QString remoteName = entry->text(0);
    const qint64 listedSize = entry->text(1).toLongLong();

    const QString localPath = FtpPaneSession::AskSavePath(this, remoteName);
    if (localPath.isEmpty() || !m_objFtpClient)
        return;

    m_strRemoteFileName = remoteName;
    m_lngRemoteFileSize = listedSize;
    m_lngTransferSeconds = 0;
    m_lngBytesTransferred = 0;
    // The save dialog has asked before an existing file is chosen: the download replaces it
    // once the whole file has arrived, instead of adding the remote bytes to its end.
    m_objFtpClient->DownloadFile(m_strRemoteFileName, localPath, true);
    Timer1->start();
    m_strLocalFilePath = localPath;

    // Each download starts from the dialog's design texts.
    FtpPaneSession::OpenDownloadDialog(this, m_objFileDownload, localPath);
}

void FormMain::m_objFtpClient_OnDataTransferProgress(qint64 bytes)
{
    m_lngBytesTransferred = bytes;
    if (m_objFtpClient->FtpSessionState() != ListingInProgress && m_objFileDownload)
        m_objFileDownload->ProgressBar1->setValue(FtpPaneTexts::PercentCompleted(m_lngRemoteFileSize, bytes));
}

void FormMain::Timer1_Timer()
{
    ++m_lngTransferSeconds;
    if (!m_objFileDownload || !m_objFtpClient)
        return;
    FtpPaneView::ShowDownloadProgress(m_objFileDownload, m_strLocalFilePath, m_strRemoteFileName,
                                      m_objFtpClient->FtpServer(), m_lngRemoteFileSize, m_lngBytesTransferred,
                                      m_lngTransferSeconds);
    m_objFileDownload->setWindowTitle(
        FtpPaneTexts::PercentCaption(m_lngRemoteFileSize, m_lngBytesTransferred, m_strRemoteFileName));
}

void FormMain::m_objFtpClient_OnDownloadFile(qint32 result)
{
    Timer1->stop();
    QApplication::beep();
    FormFileDownload *dialog = m_objFileDownload;
    if (!dialog)
        return;
    FtpPaneView::ShowDownloadFinished(dialog, result, m_lngRemoteFileSize, m_lngBytesTransferred,
                                      m_lngTransferSeconds);
    if (dialog->CheckCloseDialogOnFinish->isChecked())
        dialog->close();
    if (Forms::IsLoaded(dialog))
        dialog->CommandCancel->setText(QStringLiteral("Close"));
}

void FormMain::CancelFTPDownload()
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
