#include "ftp/DiskWriteBack.h"

#include <fcntl.h>

namespace DiskWriteBack
{
void Grown(int fd, qint64 from, qint64 to)
{
    const qint64 start = from / BlockBytes * BlockBytes;
    const qint64 end = to / BlockBytes * BlockBytes;
    if (end > start && fd >= 0)
        ::sync_file_range(fd, start, end - start, SYNC_FILE_RANGE_WRITE);
}
}
