#include "FtpTestServer.h"
#include "HelperProcess.h"

FtpTestServer::FtpTestServer() = default;

// A clean-up that must not fail the case.
FtpTestServer::~FtpTestServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(WaitTimeoutMs);
    }
}

bool FtpTestServer::Start()
{
    if (!m_root.isValid())
        return false;
    m_process.setStandardErrorFile(QProcess::nullDevice());
    QStringList arguments = {QStringLiteral(KV_SOURCE_DIR "/tests/support/ftp_test_server.py"), m_root.path()};
    if (m_downloadLimit > 0)
        arguments << QString::number(m_downloadLimit);
    StartHelper(m_process, QStringLiteral("/usr/bin/python3"), arguments);
    if (!m_process.waitForStarted(WaitTimeoutMs))
        return false;
    bool ok = false;
    m_port = static_cast<quint16>(NextLine(m_process).toUInt(&ok));
    return ok && m_port != 0;
}
