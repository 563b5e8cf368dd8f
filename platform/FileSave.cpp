#include "platform/FileSave.h"

#include "platform/SaveTemporaries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// The files whose last save failed only after the new content had taken the old one's place.
struct UnconfirmedFiles
{
    QMutex lock;
    QSet<QString> paths;
};

UnconfirmedFiles &Unconfirmed()
{
    static UnconfirmedFiles files;
    return files;
}

QString Key(const QString &target)
{
    return QDir::cleanPath(QFileInfo(target).absoluteFilePath());
}

void NoteUnconfirmed(const QString &target, bool unconfirmed)
{
    UnconfirmedFiles &files = Unconfirmed();
    const QMutexLocker locked(&files.lock);
    if (unconfirmed)
        files.paths.insert(Key(target));
    else
        files.paths.remove(Key(target));
}

// A new file's mode: 0666 less the umask, read without setting it, since other threads may be
// creating files meanwhile. Where it cannot be read, the file stays private.
mode_t NewFileMode()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            bool read = false;
            const uint mask = line.startsWith("Umask:") ? line.mid(6).trimmed().toUInt(&read, 8) : 0;
            if (read)
                return mode_t(0666 & ~mask);
        }
    }
    return 0600;
}

} // namespace

FileSave::FileSave(const QString &path, Mode mode) : m_mode(mode), m_target(SaveTemporaries::SaveTarget(path))
{
    // A new save of the file: it counts as unconfirmed again only if this one fails after its rename.
    if (m_mode == Replace)
        NoteUnconfirmed(m_target, false);
}

bool FileSave::LeftUnconfirmed(const QString &path)
{
    UnconfirmedFiles &files = Unconfirmed();
    const QMutexLocker locked(&files.lock);
    return files.paths.contains(Key(SaveTemporaries::SaveTarget(path)));
}

FileSave::~FileSave()
{
    if (m_fd >= 0) {
        if (m_mode == Replace && !m_renamed)
            SaveTemporaries::Remove(m_fd, m_temporary);
        ::close(m_fd);
    }
    if (m_folder >= 0)
        ::close(m_folder);
}

bool FileSave::Open()
{
    const QByteArray target = QFile::encodeName(m_target);
    struct stat status = {};
    const bool exists = ::stat(target.constData(), &status) == 0;
    if (!exists && (errno != ENOENT || m_mode == Append))
        return Failed();
    if (exists) {
        if (S_ISDIR(status.st_mode)) {
            errno = EISDIR;
            return Failed();
        }
        if ((status.st_mode & 0222) == 0) {
            errno = EACCES;
            return Failed();
        }
        if (::access(target.constData(), W_OK) != 0)
            return Failed();
    }
    if (m_mode == Append) {
        m_fd = ::open(target.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
        return m_fd >= 0 || Failed();
    }
    return OpenTemporary(exists ? &status : nullptr);
}

bool FileSave::OpenTemporary(const struct stat *replaced)
{
    SaveTemporaries::RemoveStray(m_target);
    // A folder the user may write into but not read (a drop folder) cannot be opened for its
    // sync: the save goes on without it, the file's own sync still before the rename.
    m_folder = ::open(QFile::encodeName(QFileInfo(m_target).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const SaveTemporaries::Temporary temporary = SaveTemporaries::Create(m_target);
    if (temporary.Fd < 0)
        return Failed();
    m_fd = temporary.Fd;
    m_temporary = temporary.Path;
    // A file replaced keeps who may read it; a new one gets the user's default.
    return ::fchmod(m_fd, replaced ? replaced->st_mode & 07777 : NewFileMode()) == 0 || Failed();
}

bool FileSave::Write(const char *data, qint64 size)
{
    for (qint64 done = 0; done < size;) {
        const ssize_t written = ::write(m_fd, data + done, size_t(size - done));
        if (written > 0) {
            done += written;
        } else if (written == 0) {
            errno = ENOSPC;
            return Failed();
        } else if (errno != EINTR) {
            return Failed();
        }
    }
    return true;
}

bool FileSave::Commit()
{
    if (::fsync(m_fd) != 0)
        return Failed();
    if (m_mode == Replace) {
        if (::rename(m_temporary.constData(), QFile::encodeName(m_target).constData()) != 0)
            return Failed();
        m_renamed = true;
        // Once renamed, the new file is in place and the old one gone: a folder that cannot be
        // synced leaves it there, but the save is not known to be on the disk and does not count
        // as done. A file system that offers no sync of a folder has nothing more to do.
        if (m_folder >= 0 && ::fsync(m_folder) != 0 && errno != EINVAL)
            return Failed();
    }
    // Closed while still holding the temporary until it is in place; a network file system
    // reports a late write failure here.
    return ::close(std::exchange(m_fd, -1)) == 0 || Failed();
}

QString FileSave::ErrorString() const
{
    return qt_error_string(m_error);
}

bool FileSave::Failed()
{
    m_error = errno;
    if (m_renamed)
        NoteUnconfirmed(m_target, true);
    return false;
}
