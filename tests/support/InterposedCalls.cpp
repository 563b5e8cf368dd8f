#include "InterposedCalls.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <cerrno>
#include <cstdarg>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct State
{
    QMutex lock;
    QHash<QString, int> failures;
    bool locksAsOverNfs = false;
    std::function<void(const QString &, int)> watcher;
    QStringList log;
};

State &Calls()
{
    static State state;
    return state;
}

template <class Function>
Function Real(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

QString PathOf(int fd)
{
    char path[4096];
    const ssize_t length = ::readlink(QByteArray("/proc/self/fd/" + QByteArray::number(fd)).constData(), path,
                                      sizeof path - 1);
    return length > 0 ? QFile::decodeName(QByteArray(path, int(length))) : QStringLiteral("?");
}

// Records the call; true with errno set when the case asked it to fail.
bool Fails(const QString &call, const QString &path)
{
    State &state = Calls();
    const QMutexLocker locked(&state.lock);
    state.log.append(call + u' ' + path);
    const auto failure = state.failures.constFind(call);
    if (failure == state.failures.cend())
        return false;
    errno = failure.value();
    return true;
}

// Shows a call on a descriptor to the case's watcher, outside the lock, then records it as Fails does.
bool FdCallFails(const QString &call, int fd)
{
    std::function<void(const QString &, int)> watcher;
    {
        const QMutexLocker locked(&Calls().lock);
        watcher = Calls().watcher;
    }
    if (watcher)
        watcher(call, fd);
    return Fails(call, PathOf(fd));
}

bool RefusedAsOverNfs(int fd, int operation)
{
    {
        const QMutexLocker locked(&Calls().lock);
        if (!Calls().locksAsOverNfs)
            return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if ((operation & LOCK_EX) == 0 || flags < 0 || (flags & O_ACCMODE) != O_RDONLY)
        return false;
    errno = EBADF;
    return true;
}

} // namespace

// Only the opening of a folder is told apart: the save opens its folder to sync it.
extern "C" int open(const char *path, int flags, ...)
{
    static const auto real = Real<int (*)(const char *, int, ...)>("open");
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list arguments;
        va_start(arguments, flags);
        mode = va_arg(arguments, mode_t);
        va_end(arguments);
    }
    if ((flags & O_DIRECTORY) != 0 && Fails(QStringLiteral("open folder"), QFile::decodeName(path)))
        return -1;
    return real(path, flags, mode);
}

extern "C" int flock(int fd, int operation) noexcept
{
    static const auto real = Real<int (*)(int, int)>("flock");
    return FdCallFails(QStringLiteral("flock"), fd) || RefusedAsOverNfs(fd, operation) ? -1 : real(fd, operation);
}

extern "C" int fchmod(int fd, mode_t mode) noexcept
{
    static const auto real = Real<int (*)(int, mode_t)>("fchmod");
    return FdCallFails(QStringLiteral("fchmod"), fd) ? -1 : real(fd, mode);
}

extern "C" int fsync(int fd)
{
    static const auto real = Real<int (*)(int)>("fsync");
    struct stat status = {};
    const bool folder = ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode);
    return FdCallFails(folder ? QStringLiteral("fsync folder") : QStringLiteral("fsync"), fd) ? -1 : real(fd);
}

extern "C" int rename(const char *from, const char *to) noexcept
{
    static const auto real = Real<int (*)(const char *, const char *)>("rename");
    return Fails(QStringLiteral("rename"), QFile::decodeName(to)) ? -1 : real(from, to);
}

namespace InterposedCalls {

void FailWith(const QString &call, int error)
{
    const QMutexLocker locked(&Calls().lock);
    Calls().failures.insert(call, error);
}

void LockAsOverNfs()
{
    const QMutexLocker locked(&Calls().lock);
    Calls().locksAsOverNfs = true;
}

void Watch(std::function<void(const QString &call, int fd)> watcher)
{
    const QMutexLocker locked(&Calls().lock);
    Calls().watcher = std::move(watcher);
}

void Reset()
{
    const QMutexLocker locked(&Calls().lock);
    Calls().failures.clear();
    Calls().locksAsOverNfs = false;
    Calls().watcher = nullptr;
    Calls().log.clear();
}

QStringList Log()
{
    const QMutexLocker locked(&Calls().lock);
    return Calls().log;
}

} // namespace InterposedCalls
