#include "ftp/FtpListingParser.h"

#include <QTime>

namespace
{
const char *const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                               "jul", "aug", "sep", "oct", "nov", "dec"};

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

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

// A run of decimal digits as a 64-bit number; nothing for anything else.
std::optional<qint64> ReadSize(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

int ReadNumber(QStringView text, bool *ok) { return text.trimmed().toInt(ok); }

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
    const auto parts = text.split(u':');
    if (parts.size() < 2 || parts.size() > 3)
        return {};
    bool okH = false, okM = false, okS = true;
    int hour = ReadNumber(parts[0], &okH);
    const int minute = ReadNumber(parts[1], &okM);
    const int second = parts.size() == 3 ? ReadNumber(parts[2], &okS) : 0;
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
    for (const char *month : kMonths) {
        const QString word = QLatin1Char(' ') + QLatin1String(month) + QLatin1Char(' ');
        const qsizetype i = line.indexOf(word, 0, Qt::CaseInsensitive);
        if (i < 0)
            continue;
        // The character before the blank ends the size; the one 9 after it is the second
        // character of the time or the year.
        if (i >= 1 && i + 9 < line.size() && IsDigit(line[i - 1]) && IsDigit(line[i + 9]))
            return static_cast<int>(i + 2);
    }
    return 0;
}

QDateTime ParseUnixDate(QStringView text, const QDate &today)
{
    const QString column = HalveBlankPairs(text);
    if (column.size() < 6)
        return {};
    const QStringView view(column);
    int month = 0;
    for (int m = 0; m < 12; ++m) {
        if (view.left(3).compare(QLatin1String(kMonths[m]), Qt::CaseInsensitive) == 0)
            month = m + 1;
    }
    bool okDay = false;
    const int day = ReadNumber(view.mid(4, 2), &okDay);
    const QStringView last = view.right(5).trimmed();
    if (month == 0 || !okDay)
        return {};
    if (last.contains(u':')) {
        const QTime time = ReadClock(last);
        QDate date(today.year(), month, day);
        if (!time.isValid() || !date.isValid())
            return {};
        if (date > today.addDays(1))
            date = QDate(today.year() - 1, month, day);
        if (!date.isValid())
            return {};
        return QDateTime(date, time);
    }
    bool okYear = false;
    const int year = ReadNumber(last, &okYear);
    const QDate date(year, month, day);
    if (!okYear || !date.isValid())
        return {};
    return QDateTime(date, QTime(0, 0));
}

QDateTime ParseDosDate(QStringView text)
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
    return QDateTime(date, time);
}

std::optional<CFtpFiles> ParseDirectoryListing(const QString &text, const QDate &today)
{
    QStringView rest(text);
    if (rest.left(5).compare(u"total", Qt::CaseInsensitive) == 0) {
        const qsizetype lf = rest.indexOf(u'\n');
        rest = lf < 0 ? QStringView() : rest.mid(lf + 1);
    }

    CFtpFiles files;
    files.Reserve(static_cast<int>(rest.count(u'\n')) + 1);
    QString line;
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
        line = raw.toString();
        line.remove(u'\r');
        const QStringView view(line);

        CFtpFile file;
        bool hasHead = false;
        if (p < 11) {
            if (view.isEmpty())
                continue;
            file.SetFileName(view.mid(qMin<qsizetype>(39, view.size())).toString());
            const QStringView head = view.left(38);
            hasHead = !head.isEmpty();
            const QDateTime when = ParseDosDate(view.left(17));
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
            const QDateTime when = ParseUnixDate(view.mid(month, 12), today);
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
            const auto fields = head.split(u' ', Qt::SkipEmptyParts);
            if (fields.size() < 3)
                return std::nullopt;
            file.SetPermissions(fields[0].toString());
            file.SetOwner(fields[2].toString());
            if (fields.size() == 4)
                file.SetGroup(fields[3].toString());
        }
        if (hasHead)
            files.Add(file);
    }
    return files;
}
}
