#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// The temporaries of the program's saves. A save writes a file's new content beside it as
// "<name>.kestrelvue-save-" and six letters or digits (the name cut short where the whole would
// pass the longest name a folder takes) and holds it locked until it is renamed in place: the
// lock, which the system drops when the process dies, tells a save in progress from one cut
// short (a kill, a power cut). What saves cut short leave is removed by one rule wherever the
// program saves: only names a save makes, and only what no save holds. Where the file system
// supports no locks, a save goes on without one, and its temporary counts as held until it has
// been left unchanged for minutes.
namespace SaveTemporaries {

// The file that a save of path replaces: a link keeps pointing at the file it names.
QString SaveTarget(const QString &path);

// A new temporary beside target, created with mode as the folder makes any new file (less the
// umask, or as its default ACL says), open for reading and writing, and held. Fd is -1, and errno
// says why, when none could be made; nothing is then left behind.
struct Temporary
{
    int Fd = -1;
    QByteArray Path;
};
Temporary Create(const QString &target, mode_t mode);

// Removes the temporary open as fd, when path still names it.
void Remove(int fd, const QByteArray &path);

// True for the name of a save's temporary, of whatever file.
bool IsTemporaryName(const QString &fileName);

// Removes the stray temporaries of the file at path: beside it and, where path is a link,
// beside the file it names.
void RemoveStray(const QString &path);
// Removes stray temporaries of any file in folder and the folders below it; links to folders
// are not followed.
void RemoveStrayUnder(const QString &folder);

} // namespace SaveTemporaries
