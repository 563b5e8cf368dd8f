#pragma once

#include "tests/support/FileBytes.h"

#include <QString>
#include <QStringList>
#include <ostream>

// Readable failure messages for the texts the stores hold.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList &texts, std::ostream *out)
{
    *out << '{';
    for (const QString &text : texts)
        *out << ' ' << '"' << text.toStdString() << '"';
    *out << " }";
}
