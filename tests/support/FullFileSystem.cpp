#include "FullFileSystem.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

FullFileSystem::FullFileSystem(int kibibytes)
{
    const QByteArray options = "size=" + QByteArray::number(kibibytes) + "k";
    m_mounted = m_dir.isValid()
                && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options.constData()) == 0;
}

FullFileSystem::~FullFileSystem()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

QString FullFileSystem::FilePath(const QString &name) const
{
    return QDir(m_dir.path()).filePath(name);
}

void FullFileSystem::LeaveFree(qint64 bytesLeft)
{
    const QByteArray path = QFile::encodeName(FilePath(QStringLiteral("filler")));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return;
    const QByteArray block(4096, '\0');
    qint64 written = 0;
    for (;;) {
        const ssize_t n = ::write(fd, block.constData(), size_t(block.size()));
        if (n <= 0)
            break;
        written += n;
    }
    if (bytesLeft > 0)
        (void)::ftruncate(fd, qMax<qint64>(0, written - bytesLeft));
    ::close(fd);
}

bool FullFileSystem::MakeReadOnly()
{
    return m_mounted
           && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}
