#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QHash>

#include <vector>

// The date and time fields of listing lines, and the local date-times made from them.
namespace FtpListingDates
{
// The value of 1 to 18 decimal digits; -1 for anything else. Every field of every line passes
// here, hence inline.
inline qint64 Digits(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > 18)
        return -1;
    qint64 value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// 1 for "jan" to 12 for "dec", in any case; 0 for anything else.
int MonthNumber(QByteArrayView word);

// True for "AM" and "PM" in any case.
bool IsHalfDay(QByteArrayView text);

// A date and time as listed, its numbers in range but not yet checked against the calendar.
struct Stamp
{
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The day a listing is read, worked out once for all its lines.
struct Today
{
    explicit Today(const QDate &date);
    int year;
    // The day after today, as month * 32 + day; later than every day of this year when
    // tomorrow is in the next.
    int tomorrow;
};

// "h:mm" or "h:mm:ss" on a 24-hour clock, or on a 12-hour clock when `halfDay` is "AM" or "PM"
// (in any case), attached to the text or given apart.
bool ReadClock(QByteArrayView text, QByteArrayView halfDay, Stamp *stamp);

// The Unix form's day ("5", "05") followed by a time of the last twelve months or a year:
// a time puts the date in the year that keeps it at most a day after today.
bool ReadUnixDayAndTime(int month, QByteArrayView day, QByteArrayView timeOrYear, const Today &today,
                        Stamp *stamp);

// "yyyy-mm-dd".
bool ReadIsoDate(QByteArrayView text, Stamp *stamp);

// The DOS form's date: month, day and a 2- or 4-digit year, or a 4-digit year first, joined by
// "-" or "/". Two-digit years from 70 are the 1900s, below 70 the 2000s.
bool ReadDosDate(QByteArrayView text, Stamp *stamp);

// Makes local date-times. Working out the zone offset is costly, so it is done once per day
// listed (at noon, which keeps clear of the usual change-over hours), and a date-time already
// made is shared: listings repeat their dates and times a great deal.
class LocalTimes
{
public:
    // Invalid when the stamp names no day of the calendar.
    const QDateTime &Make(const Stamp &stamp);

private:
    // The date-times made last, each in its place by its numbers.
    struct Made
    {
        qint64 key = -1;
        QDateTime time;
    };
    static constexpr int kPlaceBits = 12;

    QHash<qint64, int> m_offsets;
    std::vector<Made> m_made = std::vector<Made>(size_t(1) << kPlaceBits);
};
}
