#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

// A day as the data files write it: "M/d/yyyy" whatever the locale, so that keys written
// in one run read back in the next and a four-digit year never turns into another century.
namespace DayKey {

QString FromDate(const QDate &date);

// An invalid date when the text is no day key.
QDate ToDate(QStringView key);
inline QDate ToDate(const QString &key) { return ToDate(QStringView(key)); }

// The history tree's caption of a day: full weekday, full month, day, four-digit year
// ("Tuesday, December 8, 2026"), names in the system's language.
QString DayText(const QDate &date);

} // namespace DayKey
