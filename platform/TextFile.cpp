#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TextFile {

namespace {

// What follows a file's name in the name of its save's temporary: no user names a file so.
const QLatin1String SaveMark(".kestrelvue-save-");

// True when path still names the file open as fd: a start may have removed it in between.
bool IsNamedBy(int fd, const QByteArray &path)
{
    struct stat open = {};
    struct stat named = {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.constData(), &named) == 0 && open.st_dev == named.st_dev
           && open.st_ino == named.st_ino;
}

// A save's temporary for target: the file's name, the mark and six letters or digits, the
// file's name cut short where the whole would pass the longest name a folder takes.
QByteArray TemporaryPath(const QString &target, const QByteArray &random)
{
    const QFileInfo info(target);
    const QByteArray tail = QFile::encodeName(SaveMark) + random;
    QString name = info.fileName();
    while (QFile::encodeName(name).size() + tail.size() > NAME_MAX)
        name.chop(name.size() > 1 && name.back().isLowSurrogate() ? 2 : 1);
    return QFile::encodeName(QDir(info.path()).filePath(name)) + tail;
}

// A link keeps pointing at the file it names: the save replaces the file at the link's end.
QString SaveTarget(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.filePath();
}

// The new text of a file is written beside it under a name of the program's own and put in its
// place by a rename, so that no reader ever sees half of it. The writer holds its temporary
// locked until the save ends: the lock, which the system drops when the process dies, is what
// tells a save in progress from one cut short.
class Save
{
public:
    explicit Save(const QString &path) : m_target(SaveTarget(path)) {}
    ~Save()
    {
        if (m_fd < 0)
            return;
        if (!m_done)
            ::unlink(m_temporary.constData());
        ::close(m_fd);
    }

    bool Open()
    {
        for (int attempt = 0; attempt < 16 && m_fd < 0; ++attempt) {
            m_temporary = TemporaryPath(m_target, RandomName());
            const int fd = ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0) {
                if (errno == EEXIST)
                    continue;
                return false;
            }
            if (::flock(fd, LOCK_EX) == 0 && IsNamedBy(fd, m_temporary))
                m_fd = fd;
            else
                ::close(fd);
        }
        return m_fd >= 0 && KeepPermissions();
    }

    bool Write(const QByteArray &bytes)
    {
        for (qsizetype done = 0; done < bytes.size();) {
            const ssize_t written = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (written > 0)
                done += written;
            else if (written == 0 || errno != EINTR)
                return false;
        }
        return true;
    }

    // Everything written reaches the disk before the new file takes the old one's place.
    bool Commit()
    {
        m_done = ::fsync(m_fd) == 0 && ::rename(m_temporary.constData(), QFile::encodeName(m_target).constData()) == 0;
        return m_done;
    }

private:
    static QByteArray RandomName()
    {
        static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        QByteArray name(6, Qt::Uninitialized);
        for (char &c : name)
            c = letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
        return name;
    }

    // A file replaced keeps who may read it; a new one gets the user's default.
    bool KeepPermissions()
    {
        struct stat old = {};
        return ::stat(QFile::encodeName(m_target).constData(), &old) != 0 || ::fchmod(m_fd, old.st_mode & 07777) == 0;
    }

    QString m_target;
    QByteArray m_temporary;
    int m_fd = -1;
    bool m_done = false;
};

// Removes a save's temporary unless its save still holds it.
void RemoveUnlessHeld(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && IsNamedBy(fd, path))
        ::unlink(path.constData());
    ::close(fd);
}

} // namespace

bool ReadText(const QString &path, QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = QString::fromUtf8(file.readAll());
    return true;
}

bool ReadLines(const QString &path, QStringList &lines)
{
    lines.clear();
    QString text;
    if (!ReadText(path, text))
        return false;
    ForEachLine(text, [&](QStringView line) { lines.append(line.toString()); });
    return true;
}

bool WriteLines(const QString &path, const QStringList &lines)
{
    QByteArray data;
    for (const QString &line : lines) {
        data += line.toUtf8();
        data += "\r\n";
    }
    return WriteBytes(path, data);
}

bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    Save save(path);
    return save.Open() && save.Write(bytes) && save.Commit();
}

bool OpenForSaving(QSaveFile &file)
{
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool WriteAll(QSaveFile &file, const QByteArray &bytes)
{
    // A full disk shows as a short write without an error: anything short fails the save.
    if (file.write(bytes) == bytes.size())
        return true;
    file.cancelWriting();
    return false;
}

bool CommitToDisk(QSaveFile &file)
{
    // A buffered save file reports a failed last flush nowhere but here.
    if (!file.flush() || file.error() != QFileDevice::NoError || ::fsync(file.handle()) != 0) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

void RemoveStrayTemporaries(const QString &folder, const QStringList &fileNames)
{
    const QDir dir(folder);
    for (const QString &name : fileNames) {
        const QRegularExpression temporary(QRegularExpression::anchoredPattern(
            QRegularExpression::escape(name + SaveMark) + QStringLiteral("[A-Za-z0-9]{6}")));
        const QStringList candidates = dir.entryList({name + SaveMark + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
        for (const QString &candidate : candidates) {
            if (temporary.match(candidate).hasMatch())
                RemoveUnlessHeld(QFile::encodeName(dir.filePath(candidate)));
        }
    }
}

} // namespace TextFile
