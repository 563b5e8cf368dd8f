#pragma once

#include "ftp/CFtpFile.h"
#include "ftp/FtpListingDates.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <array>

class FtpServerNames;

// Reads one line of a LIST reply into a file record, field by field. Two forms are understood:
// the Unix long form (permissions, links, owner, group, size, date, name) and the DOS form
// (date, time, "<DIR>" or size, name). The Unix date is a month name, a day and a time or a
// year, or "yyyy-mm-dd hh:mm"; it is found as the first such date that follows a size.
class FtpListingLine
{
public:
    enum class Result {
        Entry,      // the record is filled
        NoEntry,    // an empty line or a "total" line, which every listing may hold
        Unreadable, // a line in neither form, or without a name
    };

    // Names that are not UTF-8 are remembered in `names` when one is given.
    FtpListingLine(const QDate &today, FtpServerNames *names) : m_today(today), m_names(names) {}

    Result Read(QByteArrayView line, CFtpFile &file);

private:
    // The same few owners, groups and permissions repeat from line to line: one shared string
    // serves each of them.
    class SharedTexts
    {
    public:
        const QString &Get(QByteArrayView bytes);

    private:
        // The length and the first and last eight characters of a text (four of each when it
        // is shorter): texts of up to sixteen characters are compared by their keys alone.
        struct Key
        {
            quint64 head = 0;
            quint64 tail = 0;
            qsizetype size = -1;
        };
        static Key KeyOf(QByteArrayView bytes);

        // Each text has its place by its key, or one of the next places when that is taken.
        struct Known
        {
            Key key;
            QByteArray bytes;
            QString text;
        };
        // A place is the top kPlaceBits bits of a key's hash.
        static constexpr int kPlaceBits = 6;
        static constexpr size_t kPlaces = size_t(1) << kPlaceBits;
        static constexpr size_t kProbes = 8;
        std::array<Known, kPlaces> m_known;
    };

    bool ReadUnix(QByteArrayView line, CFtpFile &file);
    bool ReadDos(QByteArrayView line, CFtpFile &file);
    QString Name(QByteArrayView bytes);

    FtpListingDates::Today m_today;
    FtpServerNames *m_names;
    FtpListingDates::LocalTimes m_times;
    SharedTexts m_permissions;
    SharedTexts m_owners;
    SharedTexts m_groups;
};
