#pragma once

#include <QPointer>
#include <QString>

class CFtpClient;
class FormFileDownload;
class QWidget;

// The download of an FTP pane, whichever window hosts the pane: what goes where, how much has
// arrived after how many seconds of the transfer clock, and the download dialog that shows it.
class FtpPaneDownload
{
public:
    // Starts client's download of remoteName, listed at listedSize bytes, to localPath, and shows
    // it in a new download dialog that calls window back by name.
    void Start(QWidget *window, CFtpClient *client, const QString &remoteName, qint64 listedSize,
               const QString &localPath);
    // bytes have arrived: the progress bar follows, unless client is listing a directory.
    void Transferred(const CFtpClient *client, qint64 bytes);
    // A second of the transfer clock: the dialog's path, source, time left, rate and caption.
    void Tick(const CFtpClient *client);
    // The download ended with result: the dialog says how, and closes when the user asked so. It
    // names the file and where it went even when the transfer ended before the clock's first
    // second; the rate, which needs a second, stays unwritten then.
    void Finished(qint32 result);
    // A new session's clock starts from nought.
    void ResetClock();
    // The dialog goes.
    void Close();

private:
    QString m_strRemoteFileName;
    qint64 m_lngRemoteFileSize = 0;
    QString m_strLocalFilePath;
    QString m_strServer;
    QPointer<FormFileDownload> m_objFileDownload;
    qint64 m_lngTransferSeconds = 0;
    qint64 m_lngBytesTransferred = 0;
};
