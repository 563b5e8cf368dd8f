#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// For a test binary of its own: the program's calls of open (of a folder), flock, fchmod, fsync
// and rename reach these stand-ins, which record each call and forward it to the system unless
// the case asks the call to fail. A failure asked for lasts until Reset.
namespace InterposedCalls {

// call: "open folder", "flock", "fchmod", "fsync" (of a file), "fsync folder" (of a folder) or
// "rename".
void FailWith(const QString &call, int error);
// flock as a network file system's client has it: an exclusive lock becomes a write lock, which
// a descriptor not open for writing cannot take (EBADF).
void LockAsOverNfs();
// Shown each call on a descriptor (flock, fchmod, fsync) before it goes on.
void Watch(std::function<void(const QString &call, int fd)> watcher);
// Ends the failures, the locks as over NFS and the watcher, and empties the log.
void Reset();

// The calls since the last Reset, one a line: the call and the path it acted on ("rename" the
// new name; "fsync" and "fsync folder" the path of what the descriptor has open).
QStringList Log();

} // namespace InterposedCalls
