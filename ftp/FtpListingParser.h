#pragma once

#include "ftp/CFtpFiles.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>

#include <optional>

// Turns the text of a LIST reply into file records. Two forms are understood: the Unix long
// form (permissions, links, owner, group, size, date, name) and the DOS form (date, time,
// "<DIR>" or size, name); a line is Unix when a month name sits between a size and a day.
namespace FtpListingParser
{
// The records of the listing, or nothing when any line is in neither form.
// `today` decides the year of Unix dates that show a time instead of a year.
std::optional<CFtpFiles> ParseDirectoryListing(const QString &text,
                                               const QDate &today = QDate::currentDate());

// 1-based position of the month name in the line, 0 when the line has none.
int GetDateStartPosition(QStringView line);

// The 12-character Unix date column ("Jan 15 12:34" or "Jan 15  2020"); invalid when unreadable.
// A time instead of a year means the last twelve months: a date that would lie more than a day
// after `today` belongs to the year before.
QDateTime ParseUnixDate(QStringView text, const QDate &today = QDate::currentDate());

// The 17-character DOS date and time column ("01-15-20  10:30AM"); invalid when unreadable.
QDateTime ParseDosDate(QStringView text);
}
