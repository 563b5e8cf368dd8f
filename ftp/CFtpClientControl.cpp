// The command side of CFtpClient: sending commands, assembling replies and acting on them for
// the login, the directory and file commands and QUIT.
#include "ftp/CFtpClient.h"

#include "ftp/CSocket.h"
#include "ftp/CTimeout.h"
#include "ftp/FtpCommands.h"
#include "ftp/FtpProtocol.h"
#include "ftp/FtpSocketTools.h"
#include "ftp/MSocketSupport.h"
#include "platform/NumberedError.h"
#include "platform/Winsock.h"

#include <QPointer>
#include <QTimer>

namespace
{
const QString kNoDirectory =
    QStringLiteral("Cannot retrieve the current directory path. Unexpected server response.");
const QString kReplyTooLong = QStringLiteral("The server's reply is too long: the connection is closed.");
const QString kNoop = QStringLiteral("NOOP");
const QString kNoAnswer =
    QStringLiteral("The server has not answered an earlier command: the connection is closed.");
}

void CFtpClient::SendFtpCommand(const QString &command, const QString &argument)
{
    try {
        if (m_objControlSocket->State() != CSocket::sckConnected)
            throw NumberedError(16008, QStringLiteral("The connection is not established."),
                                QStringLiteral("CFtpClient.SendFtpCommand"));
        if (!FtpProtocol::IsSafeArgument(argument))
            throw NumberedError(5, QStringLiteral("Invalid procedure call or argument"),
                                QStringLiteral("CFtpClient.SendFtpCommand"));
        SetSessionState(FtpCommands::StateWhenSent(command, m_currentMethod));
        m_lastCommand = command;
        // Names go back as the server's bytes.
        const QByteArray bytes = (argument.isEmpty() ? command.toUtf8()
                                                     : command.toUtf8() + ' ' + m_serverNames.Encode(argument))
                                 + "\r\n";
        const QString message = FtpCommands::LogLine(command, argument);
        if (!m_owedReplies.IsEmpty()) {
            HoldCommandLine(bytes, message);
        } else {
            SendCommandLine(command, bytes, message);
        }
    } catch (const NumberedError &error) {
        throw NumberedError(error.Number(), QStringLiteral("CFtpClient.SendFtpCommand failed: ") + error.Description(),
                            error.Source());
    }
}

void CFtpClient::SendCommandLine(const QString &command, const QByteArray &line, const QString &message)
{
    m_owedReplies.Sent(command);
    m_objControlSocket->SendData(QVariant(line));
    emit SessionProtocolMessage(message, 0);
}

// The command waits for the replies of abandoned commands. Its operation's time-out counts from
// the moment it goes out; until then the grace bounds the wait.
void CFtpClient::HoldCommandLine(const QByteArray &line, const QString &message)
{
    m_heldCommandLine = line;
    m_heldCommandMessage = message;
    m_objTimeOut->StopTimer();
    if (!m_owedReplies.Owes(kNoop) || !m_objReplyGrace->isActive())
        m_objReplyGrace->start();
}

// The command held is the last one the operation gave.
void CFtpClient::SendHeldCommand()
{
    m_objReplyGrace->stop();
    m_objTimeOut->StartTimer();
    SendCommandLine(m_lastCommand, std::exchange(m_heldCommandLine, QByteArray()),
                    std::exchange(m_heldCommandMessage, QString()));
}

void CFtpClient::ForgetOwedReplies()
{
    m_replyReader.Clear();
    m_owedReplies.Clear();
    m_heldCommandLine.clear();
    m_heldCommandMessage.clear();
    m_objReplyGrace->stop();
}

// A command has waited a grace for replies that abandoned commands owe. The first time, a NOOP
// goes out: the server answers commands in order, so once its reply is known for its own nothing
// older will come. When no reply comes that is surely the NOOP's, the server is left.
void CFtpClient::m_objReplyGrace_TimeOut()
{
    if (m_heldCommandLine.isEmpty())
        return;
    if (m_owedReplies.Owes(kNoop)) {
        GiveUpControlConnection(kNoAnswer, arStatusTimeOut, CFtpError());
        return;
    }
    try {
        SendCommandLine(kNoop, QByteArrayLiteral("NOOP\r\n"), QStringLiteral("NOOP "));
        m_objReplyGrace->start();
    } catch (const NumberedError &error) {
        FailOperation(error.Source(), error.Number(), error.Description());
    }
}

// Ends the operation with the reply as its failure; for a login the connection is closed too,
// before the host hears of it, so that a new Connect from the event is not undone.
void CFtpClient::RaiseFtpError(int code)
{
    const qint32 method = m_currentMethod;
    if (method == ftpDownloadFile || method == ftpUploadFile || method == ftpEnumFiles) {
        CloseDataConnection();
        CloseLocalFile();
        m_listingBuffer.clear();
        m_completionFlag = false;
    }
    ResetCurrentMethod();
    m_lastFtpError.Set(16000 + code, FtpProtocol::ReplyDescription(code), QStringLiteral("Quillstone.CFtpClient"));
    if (method == ftpConnect)
        CloseControlConnection();
    ProcessMethodFailure(method);
}

// The reply comes one byte per character, so that a path that is not UTF-8 keeps its bytes.
bool CFtpClient::GetDirFromResponse(const QString &reply)
{
    m_currentDirectory.clear();
    const auto path = FtpProtocol::DirFromReply(reply);
    if (!path)
        return false;
    m_currentDirectory = m_serverNames.RememberPath(path->toLatin1());
    return true;
}

void CFtpClient::LoggedIn()
{
    SetSessionState(stLoggedIn);
    SendFtpCommand(QStringLiteral("PWD"));
}

void CFtpClient::HandleReply(const FtpReply &reply)
{
    const int code = reply.Code;
    if (!reply.Message.isEmpty())
        m_ftpServerMessage = reply.Message;
    emit SessionProtocolMessage(reply.Text, code < 400 ? 1 : 2);

    if (code == 421) {
        // The server is going away, whatever the reply answers.
        const qint32 method = m_currentMethod;
        CloseLocalFile();
        CloseDataConnection();
        CloseControlConnection();
        if (method != ftpNone) {
            m_lastFtpError.Set(16421, FtpProtocol::ReplyDescription(421), QStringLiteral("Quillstone.CFtpClient"));
            ProcessMethodFailure(method);
        }
        return;
    }

    // The command the reply answers: a preliminary reply only announces the final one of the
    // oldest command owed.
    const bool preliminary = code < 200;
    const std::optional<QString> answered = preliminary ? std::nullopt : m_owedReplies.Answer(code);
    if (preliminary ? m_owedReplies.IsEmpty() : !answered)
        return; // a reply to no command sent
    if (answered == kNoop) {
        m_objReplyGrace->stop();
        if (!m_heldCommandLine.isEmpty())
            SendHeldCommand();
        return;
    }
    if (m_owedReplies.Owes(kNoop))
        return; // the reply of a command given up
    if (!m_heldCommandLine.isEmpty()) {
        // The reply of a command whose operation was cancelled or timed out: once the last one
        // is in, the command that waited goes out.
        if (m_owedReplies.IsEmpty())
            SendHeldCommand();
        return;
    }

    // The reply answers the operation's last command: one its command takes is acted on, any
    // other fails the operation.
    const FtpCommands::Command *command = FtpCommands::Find(m_lastCommand);
    if (m_currentMethod == ftpNone || !command)
        return;
    if (!command->Takes(code))
        RaiseFtpError(code);
    else if (DataTransferInProgress())
        HandleDataReply(code, reply);
    else if (!preliminary)
        HandleControlReply(code, reply);
}

// Acts on a final reply its command takes, for the login, the directory and file commands and
// QUIT.
void CFtpClient::HandleControlReply(int code, const FtpReply &reply)
{
    const qint32 method = m_currentMethod;
    const QString &last = m_lastCommand;
    if (last.isEmpty()) {
        SendFtpCommand(QStringLiteral("USER"), m_userName);
    } else if (last == u"USER" && code == 331) {
        SendFtpCommand(QStringLiteral("PASS"), m_password);
    } else if (last == u"USER" || last == u"PASS") {
        LoggedIn();
    } else if (last == u"PWD") {
        const bool found = GetDirFromResponse(QString::fromLatin1(reply.Bytes));
        ResetCurrentMethod();
        if (found) {
            RaiseCompletion(method, arStatusOk);
            return;
        }
        m_lastFtpError.Set(16001, kNoDirectory, QString());
        // A login that cannot tell its directory ends the session.
        if (method == ftpConnect)
            CloseControlConnection();
        ProcessMethodFailure(method);
    } else if (last == u"RNFR") {
        SendFtpCommand(QStringLiteral("RNTO"), m_newFileName);
    } else if (last == u"QUIT") {
        ResetCurrentMethod();
        m_objControlSocket->CloseSocket();
        emit OnQuitSession(arStatusOk);
    } else {
        // CWD, MKD, RMD, DELE and RNTO have done their work.
        ResetCurrentMethod();
        RaiseCompletion(method, arStatusOk);
    }
}

void CFtpClient::m_objControlSocket_OnConnect()
{
    try {
        m_objTimeOut->Reset();
    } catch (const NumberedError &) {
        // The operation's own timer start already reported any timer fault.
    }
    SetSessionState(stConnected);
}

void CFtpClient::m_objControlSocket_OnDataArrival(qint32)
{
    try {
        // A command still held back is not yet timed.
        if (m_currentMethod != ftpNone && m_heldCommandLine.isEmpty())
            m_objTimeOut->Reset();
        QVariant data;
        m_objControlSocket->GetData(data, CSocket::DataType::ByteArray);
        const QByteArray bytes = data.toByteArray();
        m_lastServerResponse = QString::fromUtf8(bytes);
        m_replyReader.Append(bytes);
        // A host may release the client from inside a completion event.
        const QPointer<CFtpClient> self(this);
        while (const auto reply = m_replyReader.Next()) {
            HandleReply(*reply);
            if (!self)
                return;
        }
        if (m_replyReader.TooLong()) {
            CFtpError error;
            error.Set(Winsock::WSAEMSGSIZE, MSocketSupport::GetErrorDescription(Winsock::WSAEMSGSIZE),
                      QStringLiteral("CFtpClient.m_objControlSocket_OnDataArrival"));
            GiveUpControlConnection(kReplyTooLong, arStatusError, error);
        }
    } catch (const NumberedError &error) {
        FailOperation(QStringLiteral("CFtpClient.m_objControlSocket_OnDataArrival"), error.Number(),
                      error.Description());
    }
}

// Closes the control connection at once, without waiting for the server, tells the protocol log
// why, and ends the pending operation with result and error.
void CFtpClient::GiveUpControlConnection(const QString &why, qint32 result, const CFtpError &error)
{
    const qint32 method = m_currentMethod;
    ForgetOwedReplies();
    try {
        if (method != ftpNone)
            AbandonOperation(method);
        FtpSocketTools::CloseNow(*m_objControlSocket);
    } catch (const NumberedError &) {
        // What the operation and the connection held is given up all the same.
    }
    if (m_ftpSessionState != stConnectionClosed)
        SetSessionState(stConnectionClosed);
    emit SessionProtocolMessage(why, 2);
    if (method == ftpNone)
        return;
    m_lastFtpError = error;
    RaiseCompletion(method, result);
}

// The server closed the control connection. An operation still pending cannot finish: it ends
// with arStatusError (a QUIT waiting for its reply has done its work and ends with arStatusOk).
void CFtpClient::m_objControlSocket_OnClose()
{
    const qint32 method = m_currentMethod;
    ForgetOwedReplies();
    if (method != ftpNone) {
        try {
            AbandonOperation(method);
        } catch (const NumberedError &) {
            // What the operation held is gone with the connection all the same.
        }
        m_lastFtpError.Set(16421, FtpProtocol::ReplyDescription(421),
                           QStringLiteral("CFtpClient.m_objControlSocket_OnClose"));
    }
    SetSessionState(stConnectionClosed);
    if (method != ftpNone)
        RaiseCompletion(method, method == ftpQuitSession ? arStatusOk : arStatusError);
}

void CFtpClient::m_objControlSocket_OnError(int number, const QString &description)
{
    const qint32 method = m_currentMethod;
    try {
        if (method == ftpDownloadFile || method == ftpUploadFile || method == ftpEnumFiles)
            AbandonOperation(method);
        CloseControlConnection();
    } catch (const NumberedError &) {
        // The socket is gone already; the failure to report is the one below.
    }
    ResetCurrentMethod();
    if (m_ftpSessionState != stConnectionClosed)
        SetSessionState(stConnectionClosed);
    m_lastFtpError.Set(number, description, QStringLiteral("CFtpClient.m_objControlSocket_OnError"));
    RaiseCompletion(method, arStatusError);
}
