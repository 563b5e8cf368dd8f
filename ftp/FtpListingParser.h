#pragma once

#include "ftp/CFtpFiles.h"

#include <QByteArrayView>
#include <QDate>

#include <optional>

class FtpServerNames;

// Turns the bytes of a LIST reply into file records, one per line in the Unix long form or the
// DOS form (see FtpListingLine).
namespace FtpListingParser
{
// The records of the listing. A line that cannot be read is skipped, as are empty lines and
// "total" lines; the listing is refused (nothing) only when it holds lines and none of them
// can be read. `today` decides the year of Unix dates that show a time instead of a year.
// Names that are not UTF-8 are remembered in `names` when one is given.
std::optional<CFtpFiles> ParseDirectoryListing(QByteArrayView listing, const QDate &today = QDate::currentDate(),
                                               FtpServerNames *names = nullptr);
}
