#include "platform/FileSave.h"

#include "platform/FilePermissions.h"
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

// All of the bytes to fd, or false with errno set.
bool WriteAll(int fd, const char *data, qint64 size)
{
    for (qint64 done = 0; done < size;) {
        const ssize_t written = ::write(fd, data + done, size_t(size - done));
        if (written > 0) {
            done += written;
        } else if (written == 0) {
            errno = ENOSPC;
            return false;
        } else if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// The first size bytes of from, over the start of to.
bool CopyAll(int from, int to, qint64 size)
{
    QByteArray block(int(qMin<qint64>(size, 1 << 20)), Qt::Uninitialized);
    for (qint64 done = 0; done < size;) {
        const ssize_t read = ::pread(from, block.data(), size_t(qMin<qint64>(block.size(), size - done)), done);
        if (read == 0)
            errno = EIO;
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0 || !WriteAll(to, block.constData(), read))
            return false;
        done += read;
    }
    return true;
}

// Closes fd, keeping the errno of what failed before.
bool CloseAfterFailure(int fd)
{
    const int error = errno;
    ::close(fd);
    errno = error;
    return false;
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
    // sync: the save goes on without it, the file's own sync still before the rename. Without the
    // folder for any other reason (no descriptor left), the save could not be confirmed.
    m_folder = ::open(QFile::encodeName(QFileInfo(m_target).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0 && errno != EACCES)
        return Failed();
    // A new file's temporary is made as the folder makes any new file; a replaced file's is private
    // until it has the file's permissions.
    const SaveTemporaries::Temporary temporary = SaveTemporaries::Create(m_target, replaced ? 0600 : 0666);
    if (temporary.Fd < 0)
        return Failed();
    m_fd = temporary.Fd;
    m_temporary = temporary.Path;
    if (!replaced)
        return true;
    // A file with other names keeps them all only where its own content changes; so does a file
    // whose owner, group or ACL the user may not give the temporary.
    m_inPlace = replaced->st_nlink > 1;
    if (m_inPlace)
        return true;
    switch (FilePermissions::GiveTo(m_fd, QFile::encodeName(m_target), *replaced)) {
    case FilePermissions::Given::All:
        return true;
    case FilePermissions::Given::NotAll:
        m_inPlace = true;
        return true;
    case FilePermissions::Given::Failed:
        break;
    }
    return Failed();
}

bool FileSave::Write(const char *data, qint64 size)
{
    return WriteAll(m_fd, data, size) || Failed();
}

bool FileSave::Commit()
{
    if (m_inPlace)
        return CommitInPlace();
    if (::fsync(m_fd) != 0)
        return Failed();
    if (m_mode == Replace) {
        if (::rename(m_temporary.constData(), QFile::encodeName(m_target).constData()) != 0)
            return Failed();
        m_renamed = true;
        m_replaced = true;
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

// The whole new content is in the temporary: it goes over the file's own, in space reserved
// first, so that a full disk fails the save while the old content is whole.
bool FileSave::CommitInPlace()
{
    struct stat staged = {};
    if (::fstat(m_fd, &staged) != 0)
        return Failed();
    const int file = ::open(QFile::encodeName(m_target).constData(), O_WRONLY | O_CLOEXEC);
    if (file < 0)
        return Failed();
    if (staged.st_size > 0 && ::fallocate(file, FALLOC_FL_KEEP_SIZE, 0, staged.st_size) != 0 && errno != EOPNOTSUPP
        && errno != ENOSYS)
        return CloseAfterFailure(file) || Failed();
    m_replaced = true;
    if (!CopyAll(m_fd, file, staged.st_size) || ::ftruncate(file, staged.st_size) != 0 || ::fsync(file) != 0)
        return CloseAfterFailure(file) || Failed();
    if (::close(file) != 0)
        return Failed();
    SaveTemporaries::Remove(m_fd, m_temporary);
    ::close(std::exchange(m_fd, -1));
    return true;
}

QString FileSave::ErrorString() const
{
    return qt_error_string(m_error);
}

bool FileSave::Failed()
{
    m_error = errno;
    if (m_replaced)
        NoteUnconfirmed(m_target, true);
    return false;
}
