#pragma once

#include "platform/Shell.h"

#include <QStringList>
#include <QWidget>

#include <functional>

// A browser window as the FTP dialogs see it: the two procedures they call by name.
class HostWindow : public QWidget
{
    Q_OBJECT

public:
    int ftpConnectCalls = 0;
    int cancelCalls = 0;
    std::function<void()> onFtpConnect;
    std::function<void()> onCancel;

    Q_INVOKABLE void FTPConnect()
    {
        ++ftpConnectCalls;
        if (onFtpConnect)
            onFtpConnect();
    }
    Q_INVOKABLE void CancelFTPDownload()
    {
        ++cancelCalls;
        if (onCancel)
            onCancel();
    }
};

// Stands in for the desktop shell for one test: records what would have been opened.
class RecordingShell : public Shell
{
public:
    RecordingShell() { Shell::SetCurrent(this); }
    ~RecordingShell() override { Shell::SetCurrent(nullptr); }

    QStringList calls;
    QWidget *lastWindow = reinterpret_cast<QWidget *>(1);
    int openFileAnswer = Succeeded;
    std::function<void()> onOpen;

    int OpenFile(QWidget *window, const QString &file) override
    {
        calls << QStringLiteral("OpenFile ") + file;
        lastWindow = window;
        if (onOpen)
            onOpen();
        return openFileAnswer;
    }
    int OpenWith(QWidget *window, const QString &file) override
    {
        calls << QStringLiteral("OpenWith ") + file;
        lastWindow = window;
        return Succeeded;
    }
    int OpenFolder(QWidget *window, const QString &folder) override
    {
        calls << QStringLiteral("OpenFolder ") + folder;
        lastWindow = window;
        if (onOpen)
            onOpen();
        return Succeeded;
    }
};
