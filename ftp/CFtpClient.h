#pragma once

#include "ftp/CFtpError.h"
#include "ftp/CFtpFiles.h"
#include "ftp/FtpOwedReplies.h"
#include "ftp/FtpReplyReader.h"
#include "ftp/FtpServerNames.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class CSocket;
class CTimeout;
class FileSave;
class QFile;
class QTimer;

// An asynchronous FTP client. A host creates one per session, sets its properties, calls Connect
// and then starts one operation at a time; every method returns at once and the operation ends
// with exactly one completion event carrying an FtpResult. Errors seen at call time are thrown
// as NumberedError; failures that arrive later are kept in LastFtpError and reported with
// arStatusError. Everything runs on the user-interface thread.
class CFtpClient : public QObject
{
    Q_OBJECT

public:
    enum FtpResult : qint32 {
        arStatusOk = 0,
        arStatusError = 1,
        arStatusTimeOut = 2,
        arStatusCancel = 3,
    };

    // The operation in progress (CurrentMethod).
    enum FtpMethod : qint32 {
        ftpNone = 0,
        ftpConnect = 1,
        ftpGetCurrentDirectory = 2,
        ftpSetCurrentDirectory = 3,
        ftpCreateDirectory = 4,
        ftpRemoveDirectory = 5,
        ftpRenameFile = 6,
        ftpDeleteFile = 7,
        ftpDownloadFile = 8,
        ftpUploadFile = 9,
        ftpEnumFiles = 10,
        ftpQuitSession = 11,
    };

    // The session state (FtpSessionState), reported by OnStateChange. Each command sent announces
    // one (FtpCommands); the "done" states and stDataConnectionEstablished are never set.
    enum FtpState : qint32 {
        stReady = 0,
        stConnectionClosed = 1,
        stConnecting = 2,
        stConnected = 3,
        stAuthenticating = 4,
        stLoggedIn = 5,
        stChangingDirectory = 6,
        stDeletingFile = 7,
        stRemovingDirectory = 8,
        stCreatingDirectory = 9,
        stRenaming = 10,
        stEstablishingDataConnection = 11,
        stDataConnectionEstablished = 12,
        stListing = 13,
        stListingDone = 14,
        stDownloading = 15,
        stDownloadDone = 16,
        stUploading = 17,
        stUploadDone = 18,
        stQuitting = 19,
    };

    explicit CFtpClient(QObject *parent = nullptr);
    ~CFtpClient() override;

    void Connect();
    void SetCurrentDirectory(const QString &strDirectoryPath);
    void GetCurrentDirectory();
    void CreateDirectory(const QString &strDirectoryPath);
    void RemoveDirectory(const QString &strDirectoryPath);
    void DeleteFile(const QString &strFilePath);
    void RenameFile(const QString &strOldFileName, const QString &strNewFileName);
    // Replaces the local file only once the whole file has arrived when OverWrite is True or the
    // local file does not exist; with OverWrite False an existing local file is continued (REST).
    void DownloadFile(const QString &strRemoteFilePath, const QString &strLocalFilePath, bool OverWrite);
    void EnumFiles();
    void UploadFile(const QString &strLocalFile, const QString &strRemoteFile, qint64 lngStartPosition = 0);
    void QuitSession();
    // Ends the pending operation without telling the server; its completion event with
    // arStatusCancel is raised before this returns.
    void CancelAsyncMethod();
    // Ends the current operation without a completion event and closes the control connection.
    void CloseControlConnection();

    qint32 CurrentMethod() const { return m_currentMethod; }
    // "Returns True, if the data connection is opened."
    bool DataTransferInProgress() const;
    // "Indicates availability of the connection for a new operation."
    bool Busy() const;
    // The records of the last listing; null before the first listing and after one that failed
    // to parse.
    CFtpFiles *CurrentDirectoryFiles() const { return m_currentDirectoryFiles.get(); }
    // "Returns the current directory listing as row text data."
    const QString &CurrentDirectoryListing() const { return m_currentDirectoryListing; }
    // "Returns path to the current (working) directory."
    const QString &CurrentDirectory() const { return m_currentDirectory; }
    // The continuation text of the last multi-line reply; reading it empties it.
    QString FtpServerMessage();

    // "Sets or returns the address of FTP server."
    const QString &FtpServer() const { return m_ftpServer; }
    void setFtpServer(const QString &value) { m_ftpServer = value; }
    const QString &Password() const { return m_password; }
    void setPassword(const QString &value) { m_password = value; }
    const QString &UserName() const { return m_userName; }
    void setUserName(const QString &value) { m_userName = value; }
    bool PassiveMode() const { return m_passiveMode; }
    void setPassiveMode(bool value) { m_passiveMode = value; }
    // Upload block size, 512 to 8192 bytes; another value throws 380.
    qint32 SendBufferLenght() const { return m_sendBufferLenght; }
    void setSendBufferLenght(qint32 value);
    // 1 to 65535; any other value stores 21.
    qint32 RemotePort() const { return m_remotePort; }
    void setRemotePort(qint32 value);
    // 0 ASCII, any other value binary.
    qint32 TransferMode() const { return m_transferMode; }
    void setTransferMode(qint32 value) { m_transferMode = value; }
    // Seconds without server activity before a pending operation ends with arStatusTimeOut.
    qint32 TimeOut() const;
    void setTimeOut(qint32 intSeconds);
    FtpState FtpSessionState() const { return m_ftpSessionState; }
    const QString &LastServerResponse() const { return m_lastServerResponse; }
    const CFtpError &LastFtpError() const { return m_lastFtpError; }

signals:
    void OnConnect(qint32 AsyncResultStatus);
    void OnCreateDirectory(qint32 AsyncResultStatus);
    void OnDeleteFile(qint32 AsyncResultStatus);
    void OnGetCurrentDirectory(qint32 AsyncResultStatus);
    void OnSetCurrentDirectory(qint32 AsyncResultStatus);
    void OnRemoveDirectory(qint32 AsyncResultStatus);
    void OnRenameFile(qint32 AsyncResultStatus);
    void OnDownloadFile(qint32 AsyncResultStatus);
    void OnUploadFile(qint32 AsyncResultStatus);
    void OnEnumFiles(qint32 AsyncResultStatus);
    // Bytes of a download (the local file's size so far) or of an upload, characters of a listing.
    void OnDataTransferProgress(qint64 lngBytesTransferred);
    // MessageType 0 for a command sent, 1 for a reply below 400, 2 for a reply of 400 or more.
    void SessionProtocolMessage(const QString &strMessage, qint32 MessageType);
    void OnStateChange(qint32 SessionState);
    void OnQuitSession(qint32 AsyncResultStatus);

private:
    // Interface and state (CFtpClient.cpp).
    void SetCurrentMethod(qint32 method);
    void ResetCurrentMethod();
    void SetSessionState(FtpState state);
    void RaiseCompletion(qint32 method, qint32 result);
    void ProcessMethodFailure(qint32 method);
    void FailOperation(const QString &source, int number, const QString &description);
    void AbandonOperation(qint32 method);
    template <typename Body> void RunOperation(const char *name, qint32 method, Body body);
    void CheckNotBusy(const char *name) const;
    void CheckArgument(const char *name, const QString &argument) const;
    void m_objTimeOut_TimeOut();

    // Control connection and replies (CFtpClientControl.cpp).
    void SendFtpCommand(const QString &command, const QString &argument = QString());
    void SendCommandLine(const QString &command, const QByteArray &line, const QString &message);
    void HoldCommandLine(const QByteArray &line, const QString &message);
    void SendHeldCommand();
    void ForgetOwedReplies();
    void m_objReplyGrace_TimeOut();
    void RaiseFtpError(int code);
    void HandleReply(const FtpReply &reply);
    void HandleControlReply(int code, const FtpReply &reply);
    bool GetDirFromResponse(const QString &reply);
    void LoggedIn();
    void GiveUpControlConnection(const QString &why, qint32 result, const CFtpError &error);
    void m_objControlSocket_OnConnect();
    void m_objControlSocket_OnClose();
    void m_objControlSocket_OnDataArrival(qint32 bytesTotal);
    void m_objControlSocket_OnError(int number, const QString &description);

    // Data connections and transfers (CFtpClientTransfer.cpp).
    void HandleDataReply(int code, const FtpReply &reply);
    void SendPORTCommand();
    void EstablishPasvDataConnection(const QString &reply);
    void StartTransferCommand();
    void OpenLocalFile();
    void OpenLocalFileForUpload();
    void UploadData();
    void StartActiveUploadWhenReady();
    void CloseDataConnection();
    void CloseLocalFile();
    void EndOfTransferSignal();
    void ProcessOnDownloadFileEvent();
    void ProcessOnEnumFilesEvent();
    void m_objDataSocket_OnConnect();
    void m_objDataSocket_OnConnectionRequest(qint32 requestID);
    void m_objDataSocket_OnDataArrival(qint32 bytesTotal);
    void m_objDataSocket_OnSendComplete();
    void m_objDataSocket_OnClose();
    void m_objDataSocket_OnError(int number, const QString &description, const QString &source);

    qint32 m_currentMethod = ftpNone;
    FtpReplyReader m_replyReader;
    // The commands whose final replies are still owed. While an abandoned command's reply is
    // owed, the next command waits here, so that no operation ever reads the reply of an earlier
    // one. The wait has a bound: after a grace a NOOP asks the server where its replies stand,
    // and once its reply is known for its own the command goes; a server that answers nothing,
    // or whose replies cannot be told apart, is left.
    FtpOwedReplies m_owedReplies;
    QByteArray m_heldCommandLine;
    QString m_heldCommandMessage;
    QTimer *m_objReplyGrace = nullptr;
    QString m_newFileName;
    QString m_remoteFile;
    QString m_localFile;
    bool m_overWrite = false;
    std::unique_ptr<FileSave> m_downloadFile;
    std::unique_ptr<QFile> m_uploadFile;
    QString m_userName;
    QString m_password;
    QString m_ftpServer;
    qint32 m_remotePort = 21;
    QString m_currentDirectory;
    bool m_passiveMode = false;
    QString m_ftpServerMessage;
    QString m_lastCommand;
    qint32 m_transferMode = 1;
    qint64 m_bytesReceived = 0;
    qint64 m_bytesSent = 0;
    QByteArray m_listingBuffer;
    // Names the server sent that are not UTF-8, to send back as its bytes.
    FtpServerNames m_serverNames;
    std::unique_ptr<CFtpFiles> m_currentDirectoryFiles;
    QString m_currentDirectoryListing;
    qint64 m_startPosition = 0;
    qint64 m_localFileLength = 0;
    FtpState m_ftpSessionState = stConnectionClosed;
    QString m_lastServerResponse;
    qint32 m_sendBufferLenght = 1460;
    bool m_completionFlag = false;
    // A passive data connection is on its way; only its connect starts the transfer command.
    bool m_passiveConnectPending = false;
    // Active mode: the server's data connection was taken; an upload's data starts once STOR is
    // sent too, whichever comes first (some servers connect as soon as they read PORT).
    bool m_activeDataAccepted = false;
    bool m_uploadStarted = false;
    QByteArray m_uploadBlock;
    CFtpError m_lastFtpError;
    CTimeout *m_objTimeOut = nullptr;
    CSocket *m_objControlSocket = nullptr;
    CSocket *m_objDataSocket = nullptr;
};
