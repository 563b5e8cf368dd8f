#include "ftp/FtpListingParser.h"

#include "ftp/FtpListingLine.h"

#include <cstring>

namespace
{
// The next line end at or after `from`, or the end of the text.
qsizetype LineEnd(QByteArrayView text, qsizetype from)
{
    const void *lf = std::memchr(text.data() + from, '\n', static_cast<size_t>(text.size() - from));
    return lf ? static_cast<const char *>(lf) - text.data() : text.size();
}
}

namespace FtpListingParser
{
std::optional<CFtpFiles> ParseDirectoryListing(QByteArrayView listing, const QDate &today, FtpServerNames *names)
{
    FtpListingLine reader(today, names);
    CFtpFiles files;
    // Room for an entry per line at once: the records are large, and moving them costs.
    int lines = 0;
    for (qsizetype lf = 0; lf < listing.size(); lf = LineEnd(listing, lf) + 1)
        ++lines;
    files.Reserve(lines);
    int unreadable = 0;
    QByteArray withoutCr;
    qsizetype start = 0;
    while (start < listing.size()) {
        const qsizetype lf = LineEnd(listing, start);
        QByteArrayView line = listing.sliced(start, lf - start);
        start = lf + 1;
        // CR LF line ends, and a stray CR anywhere, leave no trace.
        while (line.endsWith('\r'))
            line.chop(1);
        if (std::memchr(line.data(), '\r', static_cast<size_t>(line.size()))) {
            withoutCr = line.toByteArray();
            withoutCr.replace("\r", "");
            line = withoutCr;
        }

        CFtpFile file;
        switch (reader.Read(line, file)) {
        case FtpListingLine::Result::Entry:
            files.Add(std::move(file));
            break;
        case FtpListingLine::Result::Unreadable:
            ++unreadable;
            break;
        case FtpListingLine::Result::NoEntry:
            break;
        }
    }
    if (files.Count() == 0 && unreadable > 0)
        return std::nullopt;
    return files;
}
}
