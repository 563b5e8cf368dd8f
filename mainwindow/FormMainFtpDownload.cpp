#include "mainwindow/FormMain.h"

#include "ftp/CFtpClient.h"
#include "ftp/FormFileDownload.h"
#include "mainwindow/FtpPaneTexts.h"
#include "platform/Animation.h"
#include "platform/NumberedError.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

// Downloads of the FTP pane: the save dialog, the transfer clock and the download dialog's texts.

namespace {

constexpr qint32 ListingInProgress = 13;

QString incompleteCaption(qint32 result)
{
    switch (result) {
    case CFtpClient::arStatusTimeOut:
        return QStringLiteral("Download Timed Out");
    case CFtpClient::arStatusCancel:
        return QStringLiteral("Download Cancelled");
    default:
        return QStringLiteral("Download Failed");
    }
}

} // namespace

void FormMain::StartFtpDownload(QTreeWidgetItem *entry)
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
    if (m_objFileDownload)
        Forms::Unload(m_objFileDownload);
    m_objFileDownload = new FormFileDownload();
    for (QLabel *label : {m_objFileDownload->LabelRemoteFilePath, m_objFileDownload->LabelDownloadToData,
                          m_objFileDownload->LabelTimeRemainingData, m_objFileDownload->LabelTransferRateData})
        label->setTextFormat(Qt::PlainText);
    Forms::Show(m_objFileDownload);
    m_objFileDownload->SetParentWindow(this);
    m_objFileDownload->SetDownloadedFilePath(localPath);
    m_objFileDownload->SetDownloadedFileName(QFileInfo(localPath).fileName());
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
    UpdateTransferProgressText(m_lngRemoteFileSize, m_lngBytesTransferred);
    ShowPercentCompleted(m_lngRemoteFileSize, m_lngBytesTransferred);
}

void FormMain::UpdateTransferProgressText(qint64 size, qint64 done)
{
    if (!m_objFileDownload || !m_objFtpClient)
        return;
    m_objFileDownload->LabelDownloadToData->setText(FtpPaneTexts::ShortenedPath(m_strLocalFilePath));
    m_objFileDownload->LabelRemoteFilePath->setText(m_strRemoteFileName + QStringLiteral(" from ")
                                                    + m_objFtpClient->FtpServer());
    m_objFileDownload->LabelTimeRemainingData->setText(
        FtpPaneTexts::TimeRemainingText(size, done, m_lngTransferSeconds));
    m_objFileDownload->LabelTransferRateData->setText(
        FtpPaneTexts::TransferRateText(FtpPaneTexts::TransferRate(done, m_lngTransferSeconds)));
}

void FormMain::ShowPercentCompleted(qint64 size, qint64 done)
{
    if (m_objFileDownload)
        m_objFileDownload->setWindowTitle(FtpPaneTexts::PercentCaption(size, done, m_strRemoteFileName));
}

void FormMain::m_objFtpClient_OnDownloadFile(qint32 result)
{
    const bool complete = result == CFtpClient::arStatusOk;
    FormFileDownload *dialog = m_objFileDownload;
    if (dialog) {
        // A download that did not end with the whole file says so, and shows what did arrive.
        dialog->setWindowTitle(complete ? QStringLiteral("Download Complete") : incompleteCaption(result));
        dialog->LabelDownloading->setText(complete ? QStringLiteral("Finished Downloading:")
                                                   : QStringLiteral("Stopped Downloading:"));
        dialog->LabelTimeRemaining->setText(QStringLiteral("Downloaded:"));
        dialog->LabelTimeRemainingData->setText(FtpPaneTexts::CompletedSizeText(
            complete ? m_lngRemoteFileSize : m_lngBytesTransferred, m_lngTransferSeconds));
        if (complete)
            dialog->ProgressBar1->setValue(100);
    }
    Timer1->stop();
    QApplication::beep();
    if (!dialog)
        return;
    dialog->Animation1->Stop();
    // Only a whole file is there to open.
    dialog->CommandOpen->setEnabled(complete);
    dialog->CommandOpenFolder->setEnabled(complete);
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
        WriteFtpLog(error.Description(), QColor(255, 0, 0));
    }
}
