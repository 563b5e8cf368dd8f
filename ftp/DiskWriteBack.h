#pragma once

#include <QtGlobal>

// A download's bytes are handed to the disk block by block as they arrive, so that the disk writes
// while the network still sends: completing the download, which waits until all of the file is on
// the disk, then waits for the last block only, not for the whole file.
namespace DiskWriteBack
{
constexpr qint64 BlockBytes = 8 * 1024 * 1024;

// The file open as fd grew from `from` to `to` bytes: starts writing each block completed in
// between, without waiting for it. A file the system cannot do this for is left to the final sync.
void Grown(int fd, qint64 from, qint64 to);
}
