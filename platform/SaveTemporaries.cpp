#include "platform/SaveTemporaries.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <climits>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SaveTemporaries {

namespace {

// What follows a file's name in the name of its save's temporary: no user names a file so.
const QLatin1String SaveMark(".kestrelvue-save-");
constexpr int RandomLength = 6;

// Without locks, a temporary unchanged this long belongs to no save in progress: a data file's
// save writes all of it at once, and a download writes as its data arrives, or ends with its
// time-out. Minutes also cover the clock of a network file system's server running apart.
constexpr time_t UntouchedSeconds = 10 * 60;

enum class Lock { Taken, Unsupported, Refused };

// A network file system without a lock service refuses every lock; so do some others.
bool LocksUnsupported(int error)
{
    return error == ENOLCK || error == EOPNOTSUPP || error == ENOTSUP || error == EINVAL;
}

Lock TakeLock(int fd, int operation)
{
    while (::flock(fd, operation) != 0) {
        if (errno != EINTR)
            return LocksUnsupported(errno) ? Lock::Unsupported : Lock::Refused;
    }
    return Lock::Taken;
}

// True when path still names the file open as fd: a clean-up may have removed it in between.
bool IsNamedBy(int fd, const QByteArray &path)
{
    struct stat open = {};
    struct stat named = {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.constData(), &named) == 0 && open.st_dev == named.st_dev
           && open.st_ino == named.st_ino;
}

bool LongUntouched(int fd)
{
    struct stat status = {};
    return ::fstat(fd, &status) == 0 && std::time(nullptr) - status.st_mtime > UntouchedSeconds;
}

// The name of a temporary of the file called fileName, less its random part: the file's name,
// cut short where the whole would pass the longest name a folder takes, and the mark.
QString Stem(const QString &fileName)
{
    QString name = fileName;
    const qsizetype tail = QFile::encodeName(SaveMark).size() + RandomLength;
    while (QFile::encodeName(name).size() + tail > NAME_MAX)
        name.chop(name.size() > 1 && name.back().isLowSurrogate() ? 2 : 1);
    return name + SaveMark;
}

QString RandomName()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString name(RandomLength, Qt::Uninitialized);
    for (QChar &c : name)
        c = QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return name;
}

// Removes a save's temporary unless a save still holds it. Opened for writing: a network file
// system makes the exclusive lock a write lock, which a descriptor open only for reading never
// gets.
void RemoveUnlessHeld(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return;
    const Lock lock = TakeLock(fd, LOCK_EX | LOCK_NB);
    if (lock == Lock::Taken || (lock == Lock::Unsupported && LongUntouched(fd)))
        Remove(fd, name);
    ::close(fd);
}

void RemoveStrayBeside(const QString &path)
{
    const QFileInfo file(path);
    const QString stem = Stem(file.fileName());
    const QDir folder = file.dir();
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (name.size() == stem.size() + RandomLength && name.startsWith(stem) && IsTemporaryName(name))
            RemoveUnlessHeld(folder.filePath(name));
    }
}

} // namespace

QString SaveTarget(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.filePath();
}

Temporary Create(const QString &target, mode_t mode)
{
    const QFileInfo file(target);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QByteArray path = QFile::encodeName(file.dir().filePath(Stem(file.fileName()) + RandomName()));
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        if (TakeLock(fd, LOCK_EX) == Lock::Refused) {
            const int error = errno;
            Remove(fd, path);
            ::close(fd);
            errno = error;
            return {};
        }
        // A start's clean-up may have taken the new file for a stray before it was locked.
        if (IsNamedBy(fd, path))
            return {fd, path};
        ::close(fd);
    }
    errno = EEXIST;
    return {};
}

void Remove(int fd, const QByteArray &path)
{
    if (IsNamedBy(fd, path))
        ::unlink(path.constData());
}

bool IsTemporaryName(const QString &fileName)
{
    static const QRegularExpression temporary(
        QRegularExpression::anchoredPattern(QStringLiteral(".+") + QRegularExpression::escape(SaveMark)
                                            + QStringLiteral("[A-Za-z0-9]{%1}").arg(RandomLength)),
        QRegularExpression::DotMatchesEverythingOption);
    return temporary.match(fileName).hasMatch();
}

void RemoveStray(const QString &path)
{
    RemoveStrayBeside(path);
    const QString target = SaveTarget(path);
    if (QDir::cleanPath(target) != QDir::cleanPath(path))
        RemoveStrayBeside(target);
}

void RemoveStrayUnder(const QString &folder)
{
    // An empty path would stand for the current folder.
    if (folder.isEmpty())
        return;
    QDirIterator entries(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        if (IsTemporaryName(entries.fileName()))
            RemoveUnlessHeld(path);
    }
}

} // namespace SaveTemporaries
