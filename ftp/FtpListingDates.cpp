#include "ftp/FtpListingDates.h"

namespace
{
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The three numbers of a date joined by one separator ("-" or "/"); false for anything else.
bool ThreeNumbers(QByteArrayView text, QByteArrayView parts[3])
{
    qsizetype first = 0;
    while (first < text.size() && text[first] != '-' && text[first] != '/')
        ++first;
    if (first == text.size())
        return false;
    const char separator = text[first];
    const qsizetype second = text.indexOf(separator, first + 1);
    if (second < 0 || text.indexOf(separator, second + 1) >= 0)
        return false;
    parts[0] = text.first(first);
    parts[1] = text.sliced(first + 1, second - first - 1);
    parts[2] = text.sliced(second + 1);
    return true;
}

bool SetDate(qint64 year, qint64 month, qint64 day, FtpListingDates::Stamp *stamp)
{
    if (year < 0 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    stamp->year = static_cast<int>(year);
    stamp->month = static_cast<int>(month);
    stamp->day = static_cast<int>(day);
    return true;
}
}

namespace FtpListingDates
{
int MonthNumber(QByteArrayView word)
{
    if (word.size() != 3)
        return 0;
    constexpr auto packed = [](char a, char b, char c) { return (quint32(quint8(a)) << 16) | (quint32(quint8(b)) << 8) | quint8(c); };
    switch (packed(Lower(word[0]), Lower(word[1]), Lower(word[2]))) {
    case packed('j', 'a', 'n'): return 1;
    case packed('f', 'e', 'b'): return 2;
    case packed('m', 'a', 'r'): return 3;
    case packed('a', 'p', 'r'): return 4;
    case packed('m', 'a', 'y'): return 5;
    case packed('j', 'u', 'n'): return 6;
    case packed('j', 'u', 'l'): return 7;
    case packed('a', 'u', 'g'): return 8;
    case packed('s', 'e', 'p'): return 9;
    case packed('o', 'c', 't'): return 10;
    case packed('n', 'o', 'v'): return 11;
    case packed('d', 'e', 'c'): return 12;
    default: return 0;
    }
}

bool IsHalfDay(QByteArrayView text)
{
    return text.size() == 2 && (Lower(text[0]) == 'a' || Lower(text[0]) == 'p') && Lower(text[1]) == 'm';
}

Today::Today(const QDate &date) : year(date.year())
{
    const QDate next = date.addDays(1);
    tomorrow = next.year() > year ? 13 * 32 : next.month() * 32 + next.day();
}

bool ReadClock(QByteArrayView text, QByteArrayView halfDay, Stamp *stamp)
{
    if (halfDay.isEmpty() && text.size() > 2 && IsHalfDay(text.last(2))) {
        halfDay = text.last(2);
        text.chop(2);
    }
    // "h:mm", "hh:mm", "h:mm:ss" or "hh:mm:ss".
    const qsizetype colon = text.size() > 2 && text[1] == ':' ? 1 : 2;
    const bool withSeconds = text.size() == colon + 6;
    if ((text.size() != colon + 3 && !withSeconds) || text[colon] != ':' || (withSeconds && text[colon + 3] != ':'))
        return false;
    qint64 hour = Digits(text.first(colon));
    const qint64 minute = Digits(text.sliced(colon + 1, 2));
    const qint64 second = withSeconds ? Digits(text.sliced(colon + 4, 2)) : 0;
    if (hour < 0 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    if (!halfDay.isEmpty()) {
        if (!IsHalfDay(halfDay) || hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (Lower(halfDay[0]) == 'p' ? 12 : 0);
    }
    if (hour > 23)
        return false;
    stamp->hour = static_cast<int>(hour);
    stamp->minute = static_cast<int>(minute);
    stamp->second = static_cast<int>(second);
    return true;
}

bool ReadUnixDayAndTime(int month, QByteArrayView day, QByteArrayView timeOrYear, const Today &today,
                        Stamp *stamp)
{
    if (day.size() > 2 || timeOrYear.size() < 4)
        return false;
    const qint64 dayNumber = Digits(day);
    if (timeOrYear[1] == ':' || timeOrYear[2] == ':') {
        // A time stands for the last twelve months: a date after tomorrow is last year's.
        const int year = month * 32 + dayNumber > today.tomorrow ? today.year - 1 : today.year;
        return SetDate(year, month, dayNumber, stamp) && ReadClock(timeOrYear, {}, stamp);
    }
    stamp->hour = stamp->minute = stamp->second = 0;
    return timeOrYear.size() == 4 && SetDate(Digits(timeOrYear), month, dayNumber, stamp);
}

bool ReadIsoDate(QByteArrayView text, Stamp *stamp)
{
    return text.size() == 10 && text[4] == '-' && text[7] == '-'
           && SetDate(Digits(text.first(4)), Digits(text.sliced(5, 2)), Digits(text.sliced(8, 2)), stamp);
}

bool ReadDosDate(QByteArrayView text, Stamp *stamp)
{
    QByteArrayView parts[3];
    if (!ThreeNumbers(text, parts))
        return false;
    if (parts[0].size() == 4 && parts[1].size() <= 2 && parts[2].size() <= 2)
        return SetDate(Digits(parts[0]), Digits(parts[1]), Digits(parts[2]), stamp);
    if (parts[0].size() > 2 || parts[1].size() > 2 || (parts[2].size() != 2 && parts[2].size() != 4))
        return false;
    qint64 year = Digits(parts[2]);
    if (parts[2].size() == 2 && year >= 0)
        year += year < 70 ? 2000 : 1900;
    return SetDate(year, Digits(parts[0]), Digits(parts[1]), stamp);
}

const QDateTime &LocalTimes::Make(const Stamp &stamp)
{
    // Year, month, day, hour, minute and second in 14, 4, 5, 5, 6 and 6 bits.
    const qint64 key = (qint64(stamp.year) << 26) | (stamp.month << 22) | (stamp.day << 17) | (stamp.hour << 12)
                       | (stamp.minute << 6) | stamp.second;
    Made &made = m_made[(quint64(key) * Q_UINT64_C(0x9E3779B97F4A7C15)) >> (64 - kPlaceBits)];
    if (made.key == key)
        return made.time;
    made.key = key;
    made.time = QDateTime();
    const QDate date(stamp.year, stamp.month, stamp.day);
    if (date.isValid()) {
        auto offset = m_offsets.constFind(date.toJulianDay());
        if (offset == m_offsets.cend())
            offset = m_offsets.insert(date.toJulianDay(), QDateTime(date, QTime(12, 0)).offsetFromUtc());
        made.time = QDateTime(date, QTime(stamp.hour, stamp.minute, stamp.second), Qt::OffsetFromUTC, *offset);
    }
    return made.time;
}
}
