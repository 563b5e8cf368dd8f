#include "controls/DayKey.h"

#include <QLocale>

namespace DayKey {

QString FromDate(const QDate &date)
{
    return QString::number(date.month()) + QLatin1Char('/') + QString::number(date.day()) + QLatin1Char('/')
           + QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

// Reads "M/d/yyyy" strictly: one or two digits, one or two digits, exactly four digits.
QDate ToDate(QStringView key)
{
    int fields[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int field = 0;
    for (const QChar c : key) {
        if (c == QLatin1Char('/')) {
            if (++field > 2)
                return {};
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            fields[field] = fields[field] * 10 + (c.unicode() - '0');
            if (++digits[field] > (field == 2 ? 4 : 2))
                return {};
        } else {
            return {};
        }
    }
    if (field != 2 || digits[0] == 0 || digits[1] == 0 || digits[2] != 4)
        return {};
    return QDate(fields[2], fields[0], fields[1]);
}

QString DayText(const QDate &date)
{
    return QLocale::system().toString(date, QStringLiteral("dddd, MMMM d, yyyy"));
}

} // namespace DayKey
