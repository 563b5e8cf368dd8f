#pragma once

#include <QString>
#include <QTemporaryDir>

// A small real file system (tmpfs) mounted in a temporary folder for one test, and filled
// on request so that only a few bytes or none are left. Mounting needs root; Mounted() tells
// whether it worked. Unmounted when the object ends.
class FullFileSystem
{
public:
    explicit FullFileSystem(int kibibytes = 64);
    ~FullFileSystem();
    FullFileSystem(const FullFileSystem &) = delete;
    FullFileSystem &operator=(const FullFileSystem &) = delete;

    bool Mounted() const { return m_mounted; }
    QString Path() const { return m_dir.path(); }
    QString FilePath(const QString &name) const;

    // Fills the file system with a file of its own, then gives back `bytesLeft` (rounded up
    // to whole pages by the file system): 0 leaves no space at all.
    void LeaveFree(qint64 bytesLeft);
    // Mounts the file system again read-only: every write is refused, also to root.
    bool MakeReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
