#include "ftp/FtpListingParser.h"

#include <QHash>
#include <QTime>

#include <algorithm>
#include <deque>
#include <iterator>

namespace
{
const char *const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                               "jul", "aug", "sep", "oct", "nov", "dec"};

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// 0 for "jan" to 11 for "dec", in any case; -1 for anything else.
int MonthIndex(QStringView word)
{
    if (word.size() != 3)
        return -1;
    char lower[3];
    for (int k = 0; k < 3; ++k) {
        const char16_t c = word[k].unicode();
        if (c >= u'A' && c <= u'Z')
            lower[k] = static_cast<char>(c - u'A' + 'a');
        else if (c >= u'a' && c <= u'z')
            lower[k] = static_cast<char>(c);
        else
            return -1;
    }
    for (int m = 0; m < 12; ++m) {
        if (lower[0] == kMonths[m][0] && lower[1] == kMonths[m][1] && lower[2] == kMonths[m][2])
            return m;
    }
    return -1;
}

// Replaces each pair of blanks by one blank, left to right, in one pass.
QString HalveBlankPairs(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        out.append(text[i]);
        if (text[i] == u' ' && i + 1 < text.size() && text[i + 1] == u' ')
            ++i;
    }
    return out;
}

// Makes local date-times. Working out the zone offset is costly, so it is done once per day
// listed (at noon, which keeps clear of the usual change-over hours), and a time already made
// is shared: listings repeat their dates and times a great deal.
class LocalTimes
{
public:
    QDateTime Make(const QDate &date, const QTime &time)
    {
        const qint64 key = date.toJulianDay() * 86400 + time.msecsSinceStartOfDay() / 1000;
        auto made = m_made.constFind(key);
        if (made != m_made.cend())
            return *made;
        auto offset = m_offsets.constFind(date);
        if (offset == m_offsets.cend())
            offset = m_offsets.insert(date, QDateTime(date, QTime(12, 0)).offsetFromUtc());
        return *m_made.insert(key, QDateTime(date, time, Qt::OffsetFromUTC, *offset));
    }

private:
    QHash<QDate, int> m_offsets;
    QHash<qint64, QDateTime> m_made;
};

// Splits at runs of blanks into at most `capacity` pieces; returns how many pieces the text has.
int SplitBlanks(QStringView text, QStringView *pieces, int capacity)
{
    int count = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == u' ')
            ++i;
        if (i == text.size())
            break;
        const qsizetype begin = i;
        while (i < text.size() && text[i] != u' ')
            ++i;
        if (count < capacity)
            pieces[count] = text.mid(begin, i - begin);
        ++count;
    }
    return count;
}

// The same few owners, groups and permissions repeat from line to line: one shared string
// serves each of them.
class SharedTexts
{
public:
    const QString &Get(QStringView text)
    {
        for (const QString &known : m_texts) {
            if (known.size() == text.size() && known.back() == text.back() && known == text)
                return known;
        }
        if (m_texts.size() == kLimit)
            m_texts.pop_front();
        m_texts.push_back(text.toString());
        return m_texts.back();
    }

private:
    static constexpr size_t kLimit = 16;
    std::deque<QString> m_texts;
};

// A run of decimal digits as a 64-bit number; nothing for anything else.
std::optional<qint64> ReadSize(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (!IsDigit(c))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// A small decimal number, blanks around it allowed.
int ReadNumber(QStringView text, bool *ok)
{
    const auto value = ReadSize(text);
    *ok = value && *value <= 1000000;
    return *ok ? static_cast<int>(*value) : 0;
}

// "h:mm", "h:mm:ss", either followed by "AM"/"PM" (with or without a blank).
QTime ReadClock(QStringView text)
{
    text = text.trimmed();
    int addHours = -1;
    if (text.size() >= 2) {
        const QStringView suffix = text.right(2);
        if (suffix.compare(u"AM", Qt::CaseInsensitive) == 0)
            addHours = 0;
        else if (suffix.compare(u"PM", Qt::CaseInsensitive) == 0)
            addHours = 12;
        if (addHours >= 0)
            text = text.left(text.size() - 2).trimmed();
    }
    QStringView parts[3];
    int count = 0;
    qsizetype begin = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != u':')
            continue;
        if (count == 3)
            return {};
        parts[count++] = text.mid(begin, i - begin);
        begin = i + 1;
    }
    if (count < 2)
        return {};
    bool okH = false, okM = false, okS = true;
    int hour = ReadNumber(parts[0], &okH);
    const int minute = ReadNumber(parts[1], &okM);
    const int second = count == 3 ? ReadNumber(parts[2], &okS) : 0;
    if (!okH || !okM || !okS)
        return {};
    if (addHours >= 0) {
        if (hour < 1 || hour > 12)
            return {};
        hour = hour % 12 + addHours;
    }
    return QTime(hour, minute, second);
}
}

namespace FtpListingParser
{
int GetDateStartPosition(QStringView line)
{
    // One pass notes the first " mon " of each month; the months are then tried in calendar
    // order, each at its first occurrence only.
    qsizetype first[12];
    std::fill(std::begin(first), std::end(first), -1);
    const char16_t *text = line.utf16();
    const qsizetype size = line.size();
    for (qsizetype i = 0; i + 4 < size; ++i) {
        if (text[i] == u' ' && text[i + 4] == u' ') {
            const int month = MonthIndex(line.mid(i + 1, 3));
            if (month >= 0 && first[month] < 0)
                first[month] = i;
        }
    }
    for (const qsizetype i : first) {
        // The character before the blank ends the size; the one 9 after it is the second
        // character of the time or the year.
        if (i >= 1 && i + 9 < line.size() && IsDigit(line[i - 1]) && IsDigit(line[i + 9]))
            return static_cast<int>(i + 2);
    }
    return 0;
}

namespace
{
QDateTime ParseUnixDate(QStringView text, const QDate &today, LocalTimes &times)
{
    // Month word, then the day and either hh:mm or a year, separated by blanks.
    QStringView tokens[3];
    if (SplitBlanks(text, tokens, 3) != 3)
        return {};
    const int month = MonthIndex(tokens[0]) + 1;
    bool okDay = false;
    const int day = ReadNumber(tokens[1], &okDay);
    const QStringView last = tokens[2];
    if (month == 0 || !okDay)
        return {};
    if (last.contains(u':')) {
        const QTime time = ReadClock(last);
        QDate date(today.year(), month, day);
        if (!time.isValid() || !date.isValid())
            return {};
        if (date.toJulianDay() > today.toJulianDay() + 1)
            date = QDate(today.year() - 1, month, day);
        if (!date.isValid())
            return {};
        return times.Make(date, time);
    }
    bool okYear = false;
    const int year = ReadNumber(last, &okYear);
    const QDate date(year, month, day);
    if (!okYear || !date.isValid())
        return {};
    return times.Make(date, QTime(0, 0));
}

QDateTime ParseDosDate(QStringView text, LocalTimes &times)
{
    const QString column = HalveBlankPairs(text);
    QStringView view = QStringView(column).trimmed();
    const qsizetype blank = view.indexOf(u' ');
    const QStringView datePart = blank < 0 ? view : view.left(blank);
    const QStringView timePart = blank < 0 ? QStringView() : view.mid(blank + 1);
    const QChar separator = datePart.contains(u'/') ? u'/' : u'-';
    const auto fields = datePart.split(separator);
    if (fields.size() != 3)
        return {};
    bool okM = false, okD = false, okY = false;
    const int month = ReadNumber(fields[0], &okM);
    const int day = ReadNumber(fields[1], &okD);
    int year = ReadNumber(fields[2], &okY);
    if (!okM || !okD || !okY)
        return {};
    // Two-digit years: 70 to 99 are the 1900s, the rest this century.
    if (fields[2].trimmed().size() <= 2)
        year += year < 70 ? 2000 : 1900;
    const QDate date(year, month, day);
    const QTime time = timePart.isEmpty() ? QTime(0, 0) : ReadClock(timePart);
    if (!date.isValid() || !time.isValid())
        return {};
    return times.Make(date, time);
}
}

QDateTime ParseUnixDate(QStringView text, const QDate &today)
{
    LocalTimes times;
    return ParseUnixDate(text, today, times);
}

QDateTime ParseDosDate(QStringView text)
{
    LocalTimes times;
    return ParseDosDate(text, times);
}

std::optional<CFtpFiles> ParseDirectoryListing(const QString &text, const QDate &today)
{
    LocalTimes times;
    QStringView rest(text);
    if (rest.left(5).compare(u"total", Qt::CaseInsensitive) == 0) {
        const qsizetype lf = rest.indexOf(u'\n');
        rest = lf < 0 ? QStringView() : rest.mid(lf + 1);
    }

    CFtpFiles files;
    files.Reserve(static_cast<int>(rest.size() / 48) + 1); // a typical line is longer
    QString line;
    SharedTexts permissions, owners, groups;
    qsizetype start = 0;
    while (start <= rest.size()) {
        qsizetype lf = rest.indexOf(u'\n', start);
        if (lf < 0)
            lf = rest.size();
        const QStringView raw = rest.mid(start, lf - start);
        start = lf + 1;
        if (raw.isEmpty())
            break;

        const int p = GetDateStartPosition(raw);
        QStringView view = raw.endsWith(u'\r') ? raw.chopped(1) : raw;
        if (view.contains(u'\r')) {
            line = view.toString();
            line.remove(u'\r');
            view = line;
        }

        CFtpFile file;
        bool hasHead = false;
        if (p < 11) {
            if (view.isEmpty())
                continue;
            file.SetFileName(view.mid(qMin<qsizetype>(39, view.size())).toString());
            const QStringView head = view.left(38);
            hasHead = !head.isEmpty();
            const QDateTime when = ParseDosDate(view.left(17), times);
            if (!when.isValid())
                return std::nullopt;
            file.SetLastWriteTime(when);
            if (head.contains(u"<DIR>")) {
                file.SetIsDirectory(true);
            } else {
                const auto size = ReadSize(head.mid(qMin<qsizetype>(17, head.size())));
                if (!size)
                    return std::nullopt;
                file.SetFileSize(*size);
            }
        } else {
            const qsizetype month = p - 1;
            const qsizetype nameStart = month + 13;
            if (month + 12 > view.size())
                return std::nullopt;
            file.SetIsDirectory(view[0] == u'd');
            const QDateTime when = ParseUnixDate(view.mid(month, 12), today, times);
            if (!when.isValid())
                return std::nullopt;
            file.SetLastWriteTime(when);

            const QStringView name = view.mid(qMin(nameStart, view.size()));
            const qsizetype arrow = view[0] == u'l' ? name.indexOf(u" -> ") : -1;
            if (arrow >= 0) {
                file.SetFileName(name.left(arrow).toString());
                file.SetFilePath(name.mid(arrow + 4).toString());
            } else {
                file.SetFileName(name.toString());
            }

            const qsizetype sizeEnd = month - 2; // last digit of the size
            const qsizetype blank = view.lastIndexOf(u' ', sizeEnd);
            if (blank < 0)
                return std::nullopt;
            const auto size = ReadSize(view.mid(blank + 1, sizeEnd - blank));
            if (!size)
                return std::nullopt;
            file.SetFileSize(*size);

            const QStringView head = view.left(blank + 1);
            hasHead = !head.isEmpty();
            QStringView fields[4];
            const int fieldCount = SplitBlanks(head, fields, 4);
            if (fieldCount < 3)
                return std::nullopt;
            file.SetPermissions(permissions.Get(fields[0]));
            file.SetOwner(owners.Get(fields[2]));
            if (fieldCount == 4)
                file.SetGroup(groups.Get(fields[3]));
        }
        if (hasHead)
            files.Add(std::move(file));
    }
    return files;
}
}
