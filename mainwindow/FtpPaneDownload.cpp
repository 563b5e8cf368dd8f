#include "mainwindow/FtpPaneDownload.h"

#include "ftp/CFtpClient.h"
#include "ftp/FormFileDownload.h"
#include "mainwindow/FtpPaneTexts.h"
#include "mainwindow/FtpPaneView.h"
#include "platform/Forms.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>

void FtpPaneDownload::Start(QWidget *window, CFtpClient *client, const QString &remoteName, qint64 listedSize,
                            const QString &localPath)
{
    m_strRemoteFileName = remoteName;
    m_lngRemoteFileSize = listedSize;
    m_lngTransferSeconds = 0;
    m_lngBytesTransferred = 0;
    // The save dialog has asked before an existing file is chosen: the download replaces it once
    // the whole file has arrived, instead of adding the remote bytes to its end.
    client->DownloadFile(m_strRemoteFileName, localPath, true);
    m_strLocalFilePath = localPath;
    m_strServer = client->FtpServer();

    // Each download starts from the dialog's design texts.
    Close();
    m_objFileDownload = new FormFileDownload();
    // Given its host first, the dialog comes up over it.
    m_objFileDownload->SetParentWindow(window);
    Forms::Show(m_objFileDownload);
    m_objFileDownload->SetDownloadedFilePath(localPath);
    m_objFileDownload->SetDownloadedFileName(QFileInfo(localPath).fileName());
}

void FtpPaneDownload::Transferred(const CFtpClient *client, qint64 bytes)
{
    m_lngBytesTransferred = bytes;
    if (client->FtpSessionState() != CFtpClient::stListing && m_objFileDownload)
        m_objFileDownload->ProgressBar1->setValue(FtpPaneTexts::PercentCompleted(m_lngRemoteFileSize, bytes));
}

void FtpPaneDownload::Tick(const CFtpClient *client)
{
    ++m_lngTransferSeconds;
    if (!m_objFileDownload || !client)
        return;
    FtpPaneView::ShowDownloadProgress(m_objFileDownload, m_strLocalFilePath, m_strRemoteFileName,
                                      client->FtpServer(), m_lngRemoteFileSize, m_lngBytesTransferred,
                                      m_lngTransferSeconds);
    m_objFileDownload->setWindowTitle(
        FtpPaneTexts::PercentCaption(m_lngRemoteFileSize, m_lngBytesTransferred, m_strRemoteFileName));
}

void FtpPaneDownload::Finished(qint32 result)
{
    QApplication::beep();
    FormFileDownload *dialog = m_objFileDownload;
    if (!dialog)
        return;
    FtpPaneView::ShowDownloadSource(dialog, m_strLocalFilePath, m_strRemoteFileName, m_strServer);
    FtpPaneView::ShowDownloadFinished(dialog, result, m_lngRemoteFileSize, m_lngBytesTransferred,
                                      m_lngTransferSeconds);
    if (dialog->CheckCloseDialogOnFinish->isChecked())
        dialog->close();
    if (Forms::IsLoaded(dialog))
        dialog->CommandCancel->setText(QStringLiteral("Close"));
}

void FtpPaneDownload::ResetClock()
{
    m_lngTransferSeconds = 0;
}

void FtpPaneDownload::Close()
{
    if (m_objFileDownload)
        Forms::Unload(m_objFileDownload);
    m_objFileDownload = nullptr;
}
