#include "FullFileSystem.h"
#include "HelperProcess.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

// Mounts the tmpfs on the folder ($1) with the size ($2), says so, then runs one command a
// line until the test closes its input. Only the mount, not the file system, can be made
// read-only inside a user namespace; a read-only mount refuses every write all the same.
const char HelperScript[] = R"(mount -t tmpfs -o size="$2" tmpfs "$1" || exit 1
echo mounted
while read -r command; do
  case $command in
    readonly) mount -o remount,bind,ro "$1" && echo readonly || echo failed ;;
  esac
done)";

} // namespace

FullFileSystem::FullFileSystem(int kibibytes) : m_bytes(qint64(kibibytes) * 1024)
{
    if (!m_dir.isValid()) {
        m_why = QStringLiteral("no temporary folder: ") + m_dir.errorString();
        return;
    }
    StartHelper(m_helper, QStringLiteral("unshare"),
                {QStringLiteral("--user"), QStringLiteral("--map-root-user"), QStringLiteral("--mount"),
                 QStringLiteral("sh"), QStringLiteral("-c"), QString::fromLatin1(HelperScript), QStringLiteral("sh"),
                 m_dir.path(), QString::number(kibibytes) + QLatin1Char('k')});
    if (NextLine(m_helper) != "mounted") {
        const QString said = m_helper.error() == QProcess::FailedToStart
                                 ? m_helper.errorString()
                                 : QString::fromLocal8Bit(m_helper.readAllStandardError()).trimmed();
        m_why = QStringLiteral("no user and mount namespace here may mount a tmpfs (unshare: %1)").arg(said);
        return;
    }
    m_path = QStringLiteral("/proc/%1/root%2").arg(m_helper.processId()).arg(m_dir.path());
    if (!IsTheSmallFileSystem())
        m_why = QStringLiteral("%1 is not the tmpfs of %2 KiB just mounted").arg(m_path).arg(kibibytes);
}

FullFileSystem::~FullFileSystem()
{
    if (m_helper.state() == QProcess::NotRunning)
        return;
    // The helper ends at the end of its input, and the file system with its mount namespace.
    m_helper.closeWriteChannel();
    AwaitEnd(m_helper);
}

QString FullFileSystem::FilePath(const QString &name) const
{
    return QDir(m_path).filePath(name);
}

bool FullFileSystem::LeaveFree(qint64 bytesLeft)
{
    // Filling any other file system would fill a real disk.
    if (!IsTheSmallFileSystem())
        return false;
    const QByteArray path = QFile::encodeName(FilePath(QStringLiteral("filler")));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    const QByteArray block(4096, '\0');
    qint64 written = 0;
    ssize_t n = 0;
    while ((n = ::write(fd, block.constData(), size_t(block.size()))) > 0)
        written += n;
    const bool full = n < 0 && errno == ENOSPC;
    const bool given = bytesLeft <= 0 || ::ftruncate(fd, qMax<qint64>(0, written - bytesLeft)) == 0;
    ::close(fd);
    return full && given;
}

bool FullFileSystem::MakeReadOnly()
{
    if (!Mounted() || m_helper.write("readonly\n") < 0)
        return false;
    return NextLine(m_helper) == "readonly";
}

bool FullFileSystem::IsTheSmallFileSystem() const
{
    struct statfs fs {};
    return !m_path.isEmpty() && ::statfs(QFile::encodeName(m_path).constData(), &fs) == 0
           && fs.f_type == TMPFS_MAGIC && qint64(fs.f_blocks) * qint64(fs.f_bsize) <= m_bytes;
}
