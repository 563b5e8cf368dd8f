#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real FTP server (pyftpdlib run by /usr/bin/python3) on 127.0.0.1, serving a temporary
// folder, for as long as the object lives. Users: "tester"/"secret" and anonymous.
class FtpTestServer
{
public:
    FtpTestServer();
    ~FtpTestServer();

    // Sends file data at no more than this many bytes a second (call before Start); 0, the
    // default, sends at full speed.
    void SetDownloadLimit(int bytesPerSecond) { m_downloadLimit = bytesPerSecond; }
    // Starts the server and waits for its port; false when it did not come up.
    bool Start();
    quint16 Port() const { return m_port; }
    // The folder the server serves as "/".
    QString Root() const { return m_root.path(); }
    QString PathOf(const QString &relative) const { return m_root.filePath(relative); }

private:
    QTemporaryDir m_root;
    QProcess m_process;
    quint16 m_port = 0;
    int m_downloadLimit = 0;
};
