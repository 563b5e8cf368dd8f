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
};
