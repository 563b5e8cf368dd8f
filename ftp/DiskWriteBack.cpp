#include "ftp/DiskWriteBack.h"

#include <QFileDevice>

#include <fcntl.h>

namespace DiskWriteBack
{
void Grown(const QFileDevice &file, qint64 from, qint64 to)
{
    const qint64 start = from / BlockBytes * BlockBytes;
    const qint64 end = to / BlockBytes * BlockBytes;
    if (end > start && file.handle() >= 0)
        ::sync_file_range(file.handle(), start, end - start, SYNC_FILE_RANGE_WRITE);
}
}
