#include "ftp/CFtpClient.h"

#include "ftp/CSocket.h"
#include "ftp/CTimeout.h"
#include "ftp/FtpProtocol.h"
#include "ftp/FtpSocketTools.h"
#include "platform/FileSave.h"
#include "platform/NumberedError.h"

#include <QFile>
#include <QTimer>

namespace
{
// Sent as the password of an anonymous login: twenty characters shaped like an e-mail address.
const QString kAnonymousPassword = QStringLiteral("anonymous@kestrelvue");

// How long a command waits for the reply an abandoned command still owes, and then for the
// answer to the NOOP that follows: a server answers the end of a transfer given up well within
// it, or never.
constexpr int kOwedReplyGraceMs = 3000;

QString Prefixed(const char *procedure, const QString &description)
{
    return QStringLiteral("CFtpClient.") + QLatin1String(procedure) + QStringLiteral(" failed: ")
           + description;
}
}

CFtpClient::CFtpClient(QObject *parent)
    : QObject(parent),
      m_objReplyGrace(new QTimer(this)),
      m_objTimeOut(new CTimeout(this)),
      m_objControlSocket(new CSocket(this)),
      m_objDataSocket(new CSocket(this))
{
    m_objTimeOut->setTimeOutValue(60);
    connect(m_objTimeOut, &CTimeout::TimeOut, this, &CFtpClient::m_objTimeOut_TimeOut);
    m_objReplyGrace->setSingleShot(true);
    m_objReplyGrace->setInterval(kOwedReplyGraceMs);
    connect(m_objReplyGrace, &QTimer::timeout, this, &CFtpClient::m_objReplyGrace_TimeOut);

    connect(m_objControlSocket, &CSocket::OnConnect, this, &CFtpClient::m_objControlSocket_OnConnect);
    connect(m_objControlSocket, &CSocket::OnClose, this, &CFtpClient::m_objControlSocket_OnClose);
    connect(m_objControlSocket, &CSocket::OnDataArrival, this,
            &CFtpClient::m_objControlSocket_OnDataArrival);
    connect(m_objControlSocket, &CSocket::OnError, this,
            [this](int number, const QString &description, qint32, const QString &, const QString &,
                   qint32, bool &) { m_objControlSocket_OnError(number, description); });

    connect(m_objDataSocket, &CSocket::OnConnect, this, &CFtpClient::m_objDataSocket_OnConnect);
    connect(m_objDataSocket, &CSocket::OnConnectionRequest, this,
            &CFtpClient::m_objDataSocket_OnConnectionRequest);
    connect(m_objDataSocket, &CSocket::OnDataArrival, this, &CFtpClient::m_objDataSocket_OnDataArrival);
    connect(m_objDataSocket, &CSocket::OnSendComplete, this, &CFtpClient::m_objDataSocket_OnSendComplete);
    connect(m_objDataSocket, &CSocket::OnClose, this, &CFtpClient::m_objDataSocket_OnClose);
    connect(m_objDataSocket, &CSocket::OnError, this,
            [this](int number, const QString &description, qint32, const QString &source,
                   const QString &, qint32, bool &) { m_objDataSocket_OnError(number, description, source); });
}

CFtpClient::~CFtpClient()
{
    m_objTimeOut->StopTimer();
    // The sockets go with this object; none of their events may reach a half-destroyed client.
    m_objControlSocket->disconnect(this);
    m_objDataSocket->disconnect(this);
    m_objTimeOut->disconnect(this);
    m_objReplyGrace->stop();
}

// Runs the body of an operation method: an error thrown inside ends the operation this call
// started (never one that was already running) and reaches the caller with the method's prefix.
template <typename Body>
void CFtpClient::RunOperation(const char *name, qint32 method, Body body)
{
    bool started = false;
    const CFtpError lastError = m_lastFtpError;
    try {
        body(started);
    } catch (const NumberedError &error) {
        if (started && m_currentMethod == method) {
            ResetCurrentMethod();
            m_lastFtpError = lastError;
        }
        throw NumberedError(error.Number(), Prefixed(name, error.Description()), error.Source());
    }
}

void CFtpClient::CheckNotBusy(const char *name) const
{
    if (m_currentMethod != ftpNone)
        throw NumberedError(16007,
                            QStringLiteral("Cannot execute the current request. ")
                                + QStringLiteral("Waiting for the server response on the previous request."),
                            QStringLiteral("CFtpClient.") + QLatin1String(name));
}

// Refuses an empty argument and one that would break the command line apart.
void CFtpClient::CheckArgument(const char *name, const QString &argument) const
{
    if (argument.isEmpty() || !FtpProtocol::IsSafeArgument(argument))
        throw NumberedError(5, QStringLiteral("Invalid procedure call or argument"),
                            QStringLiteral("CFtpClient.") + QLatin1String(name));
}

void CFtpClient::Connect()
{
    RunOperation("Connect", ftpConnect, [this](bool &started) {
        if (m_ftpServer.isEmpty())
            throw NumberedError(380, QStringLiteral("Invalid property value."), QStringLiteral("CFtpClient.Connect"));
        if (!FtpProtocol::IsSafeArgument(m_userName) || !FtpProtocol::IsSafeArgument(m_password))
            throw NumberedError(5, QStringLiteral("Invalid procedure call or argument"),
                                QStringLiteral("CFtpClient.Connect"));
        // The time-out timer is the one part of a start that can be refused (a period too long for
        // it): it is tried before anything changes.
        m_objTimeOut->StartTimer();
        // An operation of an earlier session still pending ends as cancelled, so it too gets
        // its one completion event.
        if (m_currentMethod != ftpNone)
            CancelAsyncMethod();
        if (m_userName.isEmpty()) {
            m_userName = QStringLiteral("anonymous");
            m_password = kAnonymousPassword;
        }
        FtpSocketTools::CloseNow(*m_objControlSocket);
        SetSessionState(stConnecting);
        m_lastCommand.clear();
        ForgetOwedReplies();
        m_serverNames.Clear();
        m_owedReplies.Sent(QString()); // the greeting
        SetCurrentMethod(ftpConnect);
        started = true;
        try {
            m_objControlSocket->Connect(m_ftpServer, m_remotePort);
        } catch (const NumberedError &) {
            ResetCurrentMethod();
            SetSessionState(stConnectionClosed);
            throw;
        }
    });
}

void CFtpClient::SetCurrentDirectory(const QString &strDirectoryPath)
{
    RunOperation("SetCurrentDirectory", ftpSetCurrentDirectory, [&](bool &started) {
        CheckNotBusy("SetCurrentDirectory");
        CheckArgument("SetCurrentDirectory", strDirectoryPath);
        SetCurrentMethod(ftpSetCurrentDirectory);
        started = true;
        SendFtpCommand(QStringLiteral("CWD"), strDirectoryPath);
    });
}

void CFtpClient::GetCurrentDirectory()
{
    RunOperation("GetCurrentDirectory", ftpGetCurrentDirectory, [&](bool &started) {
        CheckNotBusy("GetCurrentDirectory");
        SetCurrentMethod(ftpGetCurrentDirectory);
        started = true;
        SendFtpCommand(QStringLiteral("PWD"));
    });
}

void CFtpClient::CreateDirectory(const QString &strDirectoryPath)
{
    RunOperation("CreateDirectory", ftpCreateDirectory, [&](bool &started) {
        CheckNotBusy("CreateDirectory");
        CheckArgument("CreateDirectory", strDirectoryPath);
        SetCurrentMethod(ftpCreateDirectory);
        started = true;
        SendFtpCommand(QStringLiteral("MKD"), strDirectoryPath);
    });
}

void CFtpClient::RemoveDirectory(const QString &strDirectoryPath)
{
    RunOperation("RemoveDirectory", ftpRemoveDirectory, [&](bool &started) {
        CheckNotBusy("RemoveDirectory");
        CheckArgument("RemoveDirectory", strDirectoryPath);
        SetCurrentMethod(ftpRemoveDirectory);
        started = true;
        SendFtpCommand(QStringLiteral("RMD"), strDirectoryPath);
    });
}

void CFtpClient::DeleteFile(const QString &strFilePath)
{
    RunOperation("DeleteFile", ftpDeleteFile, [&](bool &started) {
        CheckNotBusy("DeleteFile");
        CheckArgument("DeleteFile", strFilePath);
        SetCurrentMethod(ftpDeleteFile);
        started = true;
        SendFtpCommand(QStringLiteral("DELE"), strFilePath);
    });
}

void CFtpClient::RenameFile(const QString &strOldFileName, const QString &strNewFileName)
{
    RunOperation("RenameFile", ftpRenameFile, [&](bool &started) {
        CheckNotBusy("RenameFile");
        CheckArgument("RenameFile", strOldFileName);
        CheckArgument("RenameFile", strNewFileName);
        SetCurrentMethod(ftpRenameFile);
        started = true;
        m_newFileName = strNewFileName;
        SendFtpCommand(QStringLiteral("RNFR"), strOldFileName);
    });
}

void CFtpClient::DownloadFile(const QString &strRemoteFilePath, const QString &strLocalFilePath, bool OverWrite)
{
    RunOperation("DownloadFile", ftpDownloadFile, [&](bool &started) {
        CheckNotBusy("DownloadFile");
        CheckArgument("DownloadFile", strRemoteFilePath);
        CheckArgument("DownloadFile", strLocalFilePath);
        SetCurrentMethod(ftpDownloadFile);
        started = true;
        m_remoteFile = strRemoteFilePath;
        m_localFile = strLocalFilePath;
        m_overWrite = OverWrite;
        m_bytesReceived = 0;
        m_completionFlag = false;
        SendFtpCommand(QStringLiteral("TYPE"), m_transferMode == 0 ? QStringLiteral("A") : QStringLiteral("I"));
    });
}

void CFtpClient::EnumFiles()
{
    RunOperation("EnumFiles", ftpEnumFiles, [&](bool &started) {
        CheckNotBusy("EnumFiles");
        SetCurrentMethod(ftpEnumFiles);
        started = true;
        m_listingBuffer.clear();
        m_completionFlag = false;
        SendFtpCommand(QStringLiteral("TYPE"), QStringLiteral("A"));
    });
}

void CFtpClient::UploadFile(const QString &strLocalFile, const QString &strRemoteFile, qint64 lngStartPosition)
{
    RunOperation("UploadFile", ftpUploadFile, [&](bool &started) {
        CheckNotBusy("UploadFile");
        CheckArgument("UploadFile", strLocalFile);
        CheckArgument("UploadFile", strRemoteFile);
        if (lngStartPosition < 0)
            throw NumberedError(5, QStringLiteral("Invalid procedure call or argument"),
                                QStringLiteral("CFtpClient.UploadFile"));
        SetCurrentMethod(ftpUploadFile);
        started = true;
        m_localFile = strLocalFile;
        m_remoteFile = strRemoteFile;
        m_startPosition = lngStartPosition;
        m_uploadBlock.resize(m_sendBufferLenght);
        m_activeDataAccepted = false;
        m_uploadStarted = false;
        SendFtpCommand(QStringLiteral("TYPE"), m_transferMode == 0 ? QStringLiteral("A") : QStringLiteral("I"));
    });
}

void CFtpClient::QuitSession()
{
    RunOperation("QuitSession", ftpQuitSession, [&](bool &started) {
        CheckNotBusy("QuitSession");
        SetCurrentMethod(ftpQuitSession);
        started = true;
        SendFtpCommand(QStringLiteral("QUIT"));
    });
}

void CFtpClient::CancelAsyncMethod()
{
    try {
        const qint32 method = m_currentMethod;
        if (method == ftpNone) {
            ResetCurrentMethod();
            return;
        }
        AbandonOperation(method);
        RaiseCompletion(method, arStatusCancel);
    } catch (const NumberedError &error) {
        throw NumberedError(error.Number(), Prefixed("CancelAsyncMethod", error.Description()), error.Source());
    }
}

void CFtpClient::CloseControlConnection()
{
    try {
        ResetCurrentMethod();
        ForgetOwedReplies();
        if (m_objControlSocket->State() != CSocket::sckClosed)
            m_objControlSocket->CloseSocket();
        // Only a connected socket reports its close later; any other is gone already.
        if (m_objControlSocket->State() == CSocket::sckClosed && m_ftpSessionState != stConnectionClosed)
            SetSessionState(stConnectionClosed);
    } catch (const NumberedError &error) {
        throw NumberedError(error.Number(), Prefixed("CloseControlConnection", error.Description()),
                            error.Source());
    }
}

// Ends the operation the way a cancel or a time-out does: no command goes to the server, and
// whatever the operation held open is closed.
void CFtpClient::AbandonOperation(qint32 method)
{
    ResetCurrentMethod();
    m_completionFlag = false;
    switch (method) {
    case ftpConnect:
        FtpSocketTools::CloseNow(*m_objControlSocket);
        ForgetOwedReplies();
        SetSessionState(stConnectionClosed);
        break;
    case ftpDownloadFile:
    case ftpUploadFile:
        CloseDataConnection();
        CloseLocalFile();
        break;
    case ftpEnumFiles:
        m_listingBuffer.clear();
        CloseDataConnection();
        break;
    default:
        break;
    }
}

bool CFtpClient::DataTransferInProgress() const
{
    return m_currentMethod == ftpDownloadFile || m_currentMethod == ftpUploadFile
           || m_currentMethod == ftpEnumFiles;
}

bool CFtpClient::Busy() const
{
    return m_ftpSessionState != stReady && m_ftpSessionState != stConnectionClosed;
}

QString CFtpClient::FtpServerMessage()
{
    return std::exchange(m_ftpServerMessage, QString());
}

void CFtpClient::setSendBufferLenght(qint32 value)
{
    if (value < 512 || value > 8192)
        throw NumberedError(380, QStringLiteral("Invalid property value."), QStringLiteral("CFtpClient.SendBufferLenght"));
    m_sendBufferLenght = value;
}

void CFtpClient::setRemotePort(qint32 value)
{
    m_remotePort = value >= 1 && value <= 65535 ? value : 21;
}

qint32 CFtpClient::TimeOut() const
{
    return m_objTimeOut->TimeOutValue();
}

void CFtpClient::setTimeOut(qint32 intSeconds)
{
    m_objTimeOut->setTimeOutValue(intSeconds);
}

// The timer starts first: when it is refused, nothing has changed.
void CFtpClient::SetCurrentMethod(qint32 method)
{
    m_objTimeOut->StartTimer();
    m_lastFtpError.Clear();
    m_currentMethod = method;
}

void CFtpClient::ResetCurrentMethod()
{
    m_objTimeOut->StopTimer();
    if (m_ftpSessionState != stConnectionClosed)
        m_ftpSessionState = stReady;
    m_currentMethod = ftpNone;
    // A command still waiting for an abandoned reply belongs to the operation that just ended.
    m_heldCommandLine.clear();
    m_heldCommandMessage.clear();
    emit OnStateChange(m_ftpSessionState);
}

void CFtpClient::SetSessionState(FtpState state)
{
    m_ftpSessionState = state;
    emit OnStateChange(state);
}

void CFtpClient::RaiseCompletion(qint32 method, qint32 result)
{
    switch (method) {
    case ftpConnect: emit OnConnect(result); break;
    case ftpGetCurrentDirectory: emit OnGetCurrentDirectory(result); break;
    case ftpSetCurrentDirectory: emit OnSetCurrentDirectory(result); break;
    case ftpCreateDirectory: emit OnCreateDirectory(result); break;
    case ftpRemoveDirectory: emit OnRemoveDirectory(result); break;
    case ftpRenameFile: emit OnRenameFile(result); break;
    case ftpDeleteFile: emit OnDeleteFile(result); break;
    case ftpDownloadFile: emit OnDownloadFile(result); break;
    case ftpUploadFile: emit OnUploadFile(result); break;
    case ftpEnumFiles: emit OnEnumFiles(result); break;
    case ftpQuitSession: emit OnQuitSession(result); break;
    default: break;
    }
}

void CFtpClient::ProcessMethodFailure(qint32 method)
{
    RaiseCompletion(method, arStatusError);
}

// The failure path of the socket and timer handlers: whatever the operation held is closed, the
// error is kept and the operation's completion event reports arStatusError. It never throws.
void CFtpClient::FailOperation(const QString &source, int number, const QString &description)
{
    const qint32 method = m_currentMethod;
    CloseLocalFile();
    try {
        CloseDataConnection();
    } catch (const NumberedError &) {
        // A data socket that fails to close is gone all the same; the failure to report is ours.
    }
    m_listingBuffer.clear();
    m_completionFlag = false;
    ResetCurrentMethod();
    m_lastFtpError.Set(number, description, source);
    ProcessMethodFailure(method);
}

void CFtpClient::m_objTimeOut_TimeOut()
{
    const qint32 method = m_currentMethod;
    try {
        if (method == ftpNone) {
            m_objTimeOut->StopTimer();
            return;
        }
        AbandonOperation(method);
    } catch (const NumberedError &) {
        // Closing what the operation held failed; it has ended all the same.
    }
    if (method != ftpNone)
        RaiseCompletion(method, arStatusTimeOut);
}
