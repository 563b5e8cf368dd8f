// The data side of CFtpClient: active and passive data connections, downloads, uploads and
// listings, each complete once both the final reply and the end of the data have arrived.
#include "ftp/CFtpClient.h"

#include "ftp/CSocket.h"
#include "ftp/CTimeout.h"
#include "ftp/DiskWriteBack.h"
#include "ftp/FtpListingParser.h"
#include "ftp/FtpProtocol.h"
#include "ftp/FtpSocketTools.h"
#include "platform/FileSave.h"
#include "platform/NumberedError.h"

#include <QFile>
#include <QFileInfo>

namespace
{
NumberedError FileError(const char *procedure, const QString &why)
{
    return NumberedError(75, QStringLiteral("Path/File access error: ") + why,
                         QStringLiteral("CFtpClient.") + QLatin1String(procedure));
}

bool IsTransfer(qint32 method)
{
    return method == CFtpClient::ftpDownloadFile || method == CFtpClient::ftpUploadFile
           || method == CFtpClient::ftpEnumFiles;
}
}

// Acts on a reply its command takes (FtpCommands) during a download, an upload or a listing.
void CFtpClient::HandleDataReply(int code, const FtpReply &reply)
{
    const qint32 method = m_currentMethod;
    const QString &last = m_lastCommand;

    if (last == u"TYPE") {
        if (m_passiveMode)
            SendFtpCommand(QStringLiteral("PASV"));
        else
            SendPORTCommand();
    } else if (last == u"PASV") {
        EstablishPasvDataConnection(reply.Text);
    } else if (last == u"PORT") {
        StartTransferCommand();
    } else if (last == u"REST") {
        if (method == ftpDownloadFile) {
            SendFtpCommand(QStringLiteral("RETR"), m_remoteFile);
        } else if (method == ftpUploadFile) {
            SendFtpCommand(QStringLiteral("STOR"), m_remoteFile);
            StartActiveUploadWhenReady();
        }
    } else if (last == u"RETR" || last == u"LIST") {
        // A preliminary reply only says that the transfer is under way.
        if (code >= 200)
            EndOfTransferSignal();
    } else if (last == u"STOR") {
        if (code < 200) {
            if (m_passiveMode && !m_uploadStarted) {
                m_uploadStarted = true;
                m_bytesSent = m_startPosition;
                UploadData();
            }
        } else {
            CloseLocalFile();
            ResetCurrentMethod();
            emit OnUploadFile(arStatusOk);
        }
    }
}

void CFtpClient::SendPORTCommand()
{
    try {
        SetSessionState(stEstablishingDataConnection);
        // Listen on the address the server reached us on, never on every interface, on a port
        // the system chooses: a port picked by hand can lie in the range the system hands out
        // to outgoing connections, and under load a connection made to it arrives already reset,
        // which leaves the server waiting for a data connection that never comes.
        const QString localIp = FtpSocketTools::LocalAddress(m_objControlSocket->SocketHandle());
        FtpSocketTools::CloseNow(*m_objDataSocket);
        try {
            m_objDataSocket->setLocalPort(0);
            m_objDataSocket->Bind(0, localIp);
            FtpSocketTools::WidenReceiveBuffer(m_objDataSocket->SocketHandle());
            m_objDataSocket->Listen();
        } catch (const NumberedError &) {
            FtpSocketTools::CloseNow(*m_objDataSocket);
            throw;
        }
        const qint32 port = m_objDataSocket->LocalPort();
        SendFtpCommand(QStringLiteral("PORT"), FtpProtocol::PortArgument(localIp, port));
    } catch (const NumberedError &error) {
        throw NumberedError(error.Number(), QStringLiteral("CFtpClient.SendPORTCommand failed: ") + error.Description(),
                            error.Source());
    }
}

// Connects to the port a 227 reply names. The address always is the control connection's
// peer: a reply naming another host cannot send the data connection elsewhere.
void CFtpClient::EstablishPasvDataConnection(const QString &reply)
{
    try {
        SetSessionState(stEstablishingDataConnection);
        const auto address = FtpProtocol::ParsePasvReply(reply);
        const QString host = FtpSocketTools::PeerAddress(m_objControlSocket->SocketHandle());
        if (!address || host.isEmpty())
            throw NumberedError(13, QStringLiteral("Type mismatch"), QStringLiteral("CFtpClient.EstablishPasvDataConnection"));
        FtpSocketTools::CloseNow(*m_objDataSocket);
        m_objDataSocket->setLocalPort(0);
        // Bound first, so that the socket exists and takes its wide buffer before it connects.
        m_objDataSocket->Bind(0, FtpSocketTools::LocalAddress(m_objControlSocket->SocketHandle()));
        FtpSocketTools::WidenReceiveBuffer(m_objDataSocket->SocketHandle());
        m_passiveConnectPending = true;
        m_objDataSocket->Connect(host, address->Port);
    } catch (const NumberedError &error) {
        throw NumberedError(error.Number(),
                            QStringLiteral("CFtpClient.EstablishPasvDataConnection failed: ") + error.Description(),
                            error.Source());
    }
}

// The data connection is ready (passive) or announced (active): open the local file and send
// the transfer command, or REST first when resuming.
void CFtpClient::StartTransferCommand()
{
    switch (m_currentMethod) {
    case ftpDownloadFile:
        OpenLocalFile();
        if (m_lastCommand != u"REST")
            SendFtpCommand(QStringLiteral("RETR"), m_remoteFile);
        break;
    case ftpUploadFile:
        OpenLocalFileForUpload();
        if (m_lastCommand != u"REST") {
            SendFtpCommand(QStringLiteral("STOR"), m_remoteFile);
            StartActiveUploadWhenReady();
        }
        break;
    case ftpEnumFiles:
        SendFtpCommand(QStringLiteral("LIST"));
        break;
    default:
        break;
    }
}

// A new or replaced local file is written beside the target and takes its place only when the
// whole file has arrived and reached the disk; a resumed one grows at its end. Either way every
// write is checked, and the download succeeds only once the file is on the disk.
void CFtpClient::OpenLocalFile()
{
    try {
        const QFileInfo info(m_localFile);
        const qint64 resumeLength = info.exists() && !info.isDir() && !m_overWrite ? info.size() : 0;
        auto file = std::make_unique<FileSave>(m_localFile, resumeLength > 0 ? FileSave::Append : FileSave::Replace);
        if (!file->Open())
            throw FileError("OpenLocalFile", file->ErrorString());
        m_downloadFile = std::move(file);
        if (resumeLength > 0) {
            m_bytesReceived = resumeLength;
            SendFtpCommand(QStringLiteral("REST"), QString::number(resumeLength));
        }
    } catch (const NumberedError &error) {
        throw NumberedError(error.Number(), QStringLiteral("CFtpClient.OpenLocalFile failed: ") + error.Description(),
                            error.Source());
    }
}

void CFtpClient::OpenLocalFileForUpload()
{
    try {
        auto file = std::make_unique<QFile>(m_localFile);
        if (!file->open(QIODevice::ReadOnly))
            throw FileError("OpenLocalFileForUpload", file->errorString());
        m_bytesSent = m_startPosition;
        m_localFileLength = file->size();
        m_uploadFile = std::move(file);
        if (m_startPosition > 0)
            SendFtpCommand(QStringLiteral("REST"), QString::number(m_startPosition));
    } catch (const NumberedError &error) {
        throw NumberedError(error.Number(),
                            QStringLiteral("CFtpClient.OpenLocalFileForUpload failed: ") + error.Description(),
                            error.Source());
    }
}

void CFtpClient::StartActiveUploadWhenReady()
{
    if (m_currentMethod != ftpUploadFile || !m_activeDataAccepted || m_uploadStarted || m_lastCommand != u"STOR")
        return;
    m_uploadStarted = true;
    m_bytesSent = m_startPosition;
    UploadData();
}

void CFtpClient::UploadData()
{
    if (m_currentMethod != ftpUploadFile || !m_uploadFile)
        return;
    try {
        if (m_bytesSent < m_localFileLength) {
            const qint64 length = qMin<qint64>(m_sendBufferLenght, m_localFileLength - m_bytesSent);
            m_uploadBlock.resize(length);
            if (!m_uploadFile->seek(m_bytesSent) || m_uploadFile->read(m_uploadBlock.data(), length) != length)
                throw FileError("UploadData", m_uploadFile->errorString());
            m_bytesSent += length;
            m_objDataSocket->SendData(QVariant(m_uploadBlock));
        } else {
            CloseLocalFile();
            // The end of the data tells the server the file is whole; its 226 ends the upload.
            m_objDataSocket->CloseSocket();
        }
    } catch (const NumberedError &error) {
        throw NumberedError(error.Number(), QStringLiteral("CFtpClient.UploadData failed: ") + error.Description(),
                            error.Source());
    }
}

void CFtpClient::CloseDataConnection()
{
    m_passiveConnectPending = false;
    m_activeDataAccepted = false;
    m_uploadStarted = false;
    try {
        FtpSocketTools::CloseNow(*m_objDataSocket);
    } catch (const NumberedError &error) {
        throw NumberedError(error.Number(), QStringLiteral("CFtpClient.CloseDataConnection failed: ") + error.Description(),
                            error.Source());
    }
}

// Closes the local file. A download that did not complete leaves a new file's target as it was,
// and a resumed file with the bytes that reached it.
void CFtpClient::CloseLocalFile()
{
    m_downloadFile.reset();
    m_uploadFile.reset();
    m_localFile.clear();
    m_remoteFile.clear();
    m_bytesReceived = 0;
    m_bytesSent = 0;
    m_localFileLength = 0;
    m_startPosition = 0;
    m_overWrite = false;
}

// The final reply and the close of the data connection may come in either order: the second
// one completes the transfer.
void CFtpClient::EndOfTransferSignal()
{
    if (!m_completionFlag) {
        m_completionFlag = true;
        return;
    }
    if (m_currentMethod == ftpDownloadFile)
        ProcessOnDownloadFileEvent();
    else if (m_currentMethod == ftpEnumFiles)
        ProcessOnEnumFilesEvent();
}

void CFtpClient::ProcessOnDownloadFileEvent()
{
    m_completionFlag = false;
    // The download counts only once all of the file has reached the disk.
    if (m_downloadFile && !m_downloadFile->Commit()) {
        FailOperation(QStringLiteral("CFtpClient.ProcessOnDownloadFileEvent"), 75,
                      QStringLiteral("CFtpClient.ProcessOnDownloadFileEvent failed. Path/File access error: ")
                          + m_downloadFile->ErrorString());
        return;
    }
    ResetCurrentMethod();
    CloseLocalFile();
    emit OnDownloadFile(arStatusOk);
}

void CFtpClient::ProcessOnEnumFilesEvent()
{
    m_completionFlag = false;
    ResetCurrentMethod();
    m_currentDirectoryListing = FtpServerNames::DecodeLines(m_listingBuffer);
    auto files = FtpListingParser::ParseDirectoryListing(m_listingBuffer, QDate::currentDate(), &m_serverNames);
    m_listingBuffer.clear();
    qint32 result = arStatusOk;
    if (files) {
        m_currentDirectoryFiles = std::make_unique<CFtpFiles>(std::move(*files));
    } else {
        m_currentDirectoryFiles.reset();
        m_lastFtpError.Set(16002, QStringLiteral("Unknown listing format."),
                           QStringLiteral("CFtpClient.m_objDataSocket_OnClose"));
        result = arStatusError;
    }
    emit OnEnumFiles(result);
}

void CFtpClient::m_objDataSocket_OnConnect()
{
    try {
        if (IsTransfer(m_currentMethod) && std::exchange(m_passiveConnectPending, false))
            StartTransferCommand();
    } catch (const NumberedError &error) {
        FailOperation(QStringLiteral("CFtpClient.m_objDataSocket_OnConnect"), error.Number(), error.Description());
    }
}

// The server connects for an active-mode transfer. Only the control connection's peer may.
void CFtpClient::m_objDataSocket_OnConnectionRequest(qint32 requestID)
{
    try {
        const QString server = FtpSocketTools::PeerAddress(m_objControlSocket->SocketHandle());
        if (!IsTransfer(m_currentMethod) || server.isEmpty()
            || FtpSocketTools::PeerAddress(requestID) != server) {
            FtpSocketTools::Refuse(requestID);
            return;
        }
        FtpSocketTools::CloseNow(*m_objDataSocket);
        m_objDataSocket->Accept(requestID);
        m_activeDataAccepted = true;
        StartActiveUploadWhenReady();
    } catch (const NumberedError &error) {
        FailOperation(QStringLiteral("CFtpClient.m_objDataSocket_OnConnectionRequest"), error.Number(),
                      error.Description());
    }
}

void CFtpClient::m_objDataSocket_OnDataArrival(qint32 bytesTotal)
{
    try {
        if (m_currentMethod != ftpNone)
            m_objTimeOut->Reset();
        if (bytesTotal <= 0)
            return;
        QVariant data;
        m_objDataSocket->GetData(data, CSocket::DataType::ByteArray);
        const QByteArray bytes = data.toByteArray();
        if (m_currentMethod == ftpDownloadFile && m_downloadFile) {
            if (!m_downloadFile->Write(bytes))
                throw FileError("m_objDataSocket_OnDataArrival", m_downloadFile->ErrorString());
            DiskWriteBack::Grown(m_downloadFile->Handle(), m_bytesReceived, m_bytesReceived + bytes.size());
            m_bytesReceived += bytes.size();
            emit OnDataTransferProgress(m_bytesReceived);
        } else if (m_currentMethod == ftpEnumFiles) {
            m_listingBuffer.append(bytes);
            emit OnDataTransferProgress(m_listingBuffer.size());
        }
    } catch (const NumberedError &error) {
        FailOperation(QStringLiteral("CFtpClient.m_objDataSocket_OnDataArrival"), error.Number(), error.Description());
    }
}

void CFtpClient::m_objDataSocket_OnSendComplete()
{
    try {
        if (m_currentMethod != ftpUploadFile)
            return;
        m_objTimeOut->Reset();
        emit OnDataTransferProgress(m_bytesSent);
        UploadData();
    } catch (const NumberedError &error) {
        FailOperation(QStringLiteral("CFtpClient.m_objDataSocket_OnSendComplete"), error.Number(), error.Description());
    }
}

void CFtpClient::m_objDataSocket_OnClose()
{
    try {
        if (m_currentMethod == ftpDownloadFile || m_currentMethod == ftpEnumFiles)
            EndOfTransferSignal();
    } catch (const NumberedError &error) {
        FailOperation(QStringLiteral("CFtpClient.m_objDataSocket_OnClose"), error.Number(),
                      QStringLiteral("CFtpClient.m_objDataSocket_OnClose failed: ") + error.Description());
    }
}

void CFtpClient::m_objDataSocket_OnError(int number, const QString &description, const QString &source)
{
    if (!IsTransfer(m_currentMethod))
        return;
    // Errors the network reports later carry no source of their own.
    FailOperation(source.isEmpty() ? QStringLiteral("CFtpClient.m_objDataSocket_OnError") : source, number,
                  description);
}
