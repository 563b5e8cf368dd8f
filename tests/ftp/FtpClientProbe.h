#pragma once

#include "ftp/CFtpClient.h"
#include "tests/support/WaitFor.h"

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QStringList>

#include <gtest/gtest.h>

// Points the client at a scripted peer on this machine, in passive mode, with a user and password
// the peer takes.
inline void AimAtPeer(CFtpClient &client, quint16 port)
{
    client.setFtpServer(QStringLiteral("127.0.0.1"));
    client.setRemotePort(port);
    client.setUserName(QStringLiteral("user"));
    client.setPassword(QStringLiteral("pass"));
    client.setPassiveMode(true);
}

// Points the client at the test FTP server on this machine, as its user, in the mode asked for.
inline void AimAtServer(CFtpClient &client, quint16 port, bool passive)
{
    client.setFtpServer(QStringLiteral("127.0.0.1"));
    client.setRemotePort(port);
    client.setTimeOut(20);
    client.setUserName(QStringLiteral("tester"));
    client.setPassword(QStringLiteral("secret"));
    client.setPassiveMode(passive);
}

// Records what a CFtpClient reports: every completion event by name and result, the progress
// figures and the protocol dialogue.
class FtpClientProbe
{
public:
    explicit FtpClientProbe(CFtpClient &client)
    {
        const auto track = [this, &client](auto signal, const char *name) {
            QObject::connect(&client, signal, &client, [this, name](qint32 result) {
                completions.append({QString::fromLatin1(name), result});
            });
        };
        track(&CFtpClient::OnConnect, "OnConnect");
        track(&CFtpClient::OnCreateDirectory, "OnCreateDirectory");
        track(&CFtpClient::OnDeleteFile, "OnDeleteFile");
        track(&CFtpClient::OnGetCurrentDirectory, "OnGetCurrentDirectory");
        track(&CFtpClient::OnSetCurrentDirectory, "OnSetCurrentDirectory");
        track(&CFtpClient::OnRemoveDirectory, "OnRemoveDirectory");
        track(&CFtpClient::OnRenameFile, "OnRenameFile");
        track(&CFtpClient::OnDownloadFile, "OnDownloadFile");
        track(&CFtpClient::OnUploadFile, "OnUploadFile");
        track(&CFtpClient::OnEnumFiles, "OnEnumFiles");
        track(&CFtpClient::OnQuitSession, "OnQuitSession");
        QObject::connect(&client, &CFtpClient::OnDataTransferProgress, &client,
                         [this](qint64 amount) { progress.append(amount); });
        QObject::connect(&client, &CFtpClient::SessionProtocolMessage, &client,
                         [this](const QString &message, qint32 type) {
                             dialogue.append(QString::number(type) + u' ' + message);
                         });
    }

    // Waits for the next completion event; returns its result, or -1 when none came in time.
    qint32 Wait(const QString &event)
    {
        const int before = m_seen;
        if (!WaitUntil([&] { return completions.size() > before; }))
            return -1;
        m_seen = before + 1;
        const auto &[name, result] = completions[before];
        return name == event ? result : -100 - result;
    }

    // True when no completion event came beyond those already waited for.
    bool NoMoreCompletions() const { return completions.size() == m_seen; }

    // The same behind a barrier: the completion of the operation the caller has just started (a
    // PWD, or a new login once the session has closed), which must come next and succeed. The
    // server answers in order, the client acts on its answers in order, and a new login first
    // cancels an operation left pending, so a completion owed to anything earlier comes before it.
    ::testing::AssertionResult NoMoreCompletionsBefore(const QString &barrier)
    {
        const qsizetype from = m_seen;
        if (Wait(barrier) == CFtpClient::arStatusOk && NoMoreCompletions())
            return ::testing::AssertionSuccess();
        ::testing::AssertionResult failure = ::testing::AssertionFailure();
        failure << "completions up to " << barrier.toStdString() << ":";
        for (const auto &[name, result] : completions.mid(from))
            failure << ' ' << name.toStdString() << '=' << result;
        return failure;
    }

    bool DialogueContains(const QString &text) const
    {
        for (const QString &line : dialogue)
            if (line.contains(text))
                return true;
        return false;
    }

    QList<QPair<QString, qint32>> completions;
    QList<qint64> progress;
    QStringList dialogue;

private:
    int m_seen = 0;
};
