#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A small real file system (tmpfs) for one test, filled on request so that only a few bytes or
// none are left, or made read-only. Any user may have one: a helper process mounts it in a user
// and mount namespace of its own and stays alive, and the test reaches the file system through
// that process's root (/proc/<pid>/root/...). The test process itself keeps its user and its
// view of the mounts. Mounted() tells whether it worked and Why() why not; the file system ends
// with the object.
class FullFileSystem
{
public:
    explicit FullFileSystem(int kibibytes = 64);
    ~FullFileSystem();
    FullFileSystem(const FullFileSystem &) = delete;
    FullFileSystem &operator=(const FullFileSystem &) = delete;

    bool Mounted() const { return m_why.isEmpty(); }
    QString Why() const { return m_why; }
    QString Path() const { return m_path; }
    QString FilePath(const QString &name) const;

    // Fills the file system with a file of its own, then gives back `bytesLeft` (rounded up
    // to whole pages by the file system): 0 leaves no space at all. Writes nothing and returns
    // false unless Path() is this small file system.
    bool LeaveFree(qint64 bytesLeft);
    // Makes the mount read-only: every write is refused, also to root.
    bool MakeReadOnly();

private:
    bool IsTheSmallFileSystem() const;

    QTemporaryDir m_dir;
    QProcess m_helper;
    qint64 m_bytes;
    QString m_path;
    QString m_why;
};
