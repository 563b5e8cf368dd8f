#include "ftp/FtpListingLine.h"

#include "ftp/FtpServerNames.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>

using namespace FtpListingDates;

namespace
{
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Blanks are looked for eight characters at a time: a listing line is mostly padding.
constexpr int kWordBits = std::numeric_limits<quint64>::digits;
constexpr quint64 kBlanks = Q_UINT64_C(0x2020202020202020);
constexpr quint64 kLowBits = Q_UINT64_C(0x0101010101010101);
constexpr quint64 kHighBits = Q_UINT64_C(0x8080808080808080);

// The first blank at or after i, or `size`.
qsizetype NextBlank(const char *text, qsizetype i, qsizetype size)
{
    for (; i + 8 <= size; i += 8) {
        const quint64 x = qFromLittleEndian<quint64>(text + i) ^ kBlanks; // blanks become 0
        if (const quint64 zero = (x - kLowBits) & ~x & kHighBits)
            return i + std::countr_zero(zero) / 8;
    }
    while (i < size && text[i] != ' ')
        ++i;
    return i;
}

// The first character other than a blank at or after i, or `size`.
qsizetype NextNonBlank(const char *text, qsizetype i, qsizetype size)
{
    for (; i + 8 <= size; i += 8) {
        if (const quint64 x = qFromLittleEndian<quint64>(text + i) ^ kBlanks)
            return i + std::countr_zero(x) / 8;
    }
    while (i < size && text[i] == ' ')
        ++i;
    return i;
}

// One bit per character of the eight, set for a blank.
quint64 BlankBits(quint64 eight)
{
    constexpr quint64 kLow7 = Q_UINT64_C(0x7F7F7F7F7F7F7F7F);
    constexpr quint64 kGather = Q_UINT64_C(0x0102040810204080);
    const quint64 x = eight ^ kBlanks;
    const quint64 blank = ~(((x & kLow7) + kLow7) | x | kLow7); // the top bit of each blank
    return ((blank >> 7) * kGather) >> (kWordBits - 8); // gathered into the top byte
}

// The blank-separated fields at the start of a line, read as far as they are asked for.
class Fields
{
public:
    // The fields that lie wholly in the first kWordBits characters are found at once, from a mask
    // of the blanks with one bit per character; any further ones one by one as they are asked for.
    explicit Fields(QByteArrayView line) : m_line(line)
    {
        const char *const text = line.data();
        const qsizetype window = std::min<qsizetype>(line.size(), kWordBits);
        quint64 blank = 0;
        qsizetype i = 0;
        for (; i + 8 <= window; i += 8)
            blank |= BlankBits(qFromLittleEndian<quint64>(text + i)) << i;
        for (; i < window; ++i)
            blank |= quint64(text[i] == ' ') << i;
        const quint64 inWindow = window == kWordBits ? ~quint64(0) : (quint64(1) << window) - 1;
        const quint64 field = ~blank & inWindow;
        for (quint64 starts = field & ~(field << 1); starts && m_count < kMax; starts &= starts - 1) {
            const int begin = std::countr_zero(starts);
            const quint64 after = ~field >> begin; // zero while the field goes on
            if (after == 0 && window < line.size())
                return; // it may go on past the window
            m_begin[m_count] = begin;
            m_end[m_count++] = after == 0 ? window : begin + std::countr_zero(after);
        }
    }

    // True when the line has field k (0-based) among its first kMax fields.
    bool Has(int k)
    {
        const char *const text = m_line.data();
        const qsizetype size = m_line.size();
        while (m_count <= k) {
            if (m_count == kMax)
                return false;
            const qsizetype begin = NextNonBlank(text, m_count == 0 ? 0 : m_end[m_count - 1], size);
            if (begin == size)
                return false;
            m_begin[m_count] = begin;
            m_end[m_count++] = NextBlank(text, begin, size);
        }
        return true;
    }

    QByteArrayView operator[](int k) const { return m_line.sliced(m_begin[k], m_end[k] - m_begin[k]); }
    // From the start of field `first` to the end of field `last`, blanks between kept.
    QByteArrayView Span(int first, int last) const { return m_line.sliced(m_begin[first], m_end[last] - m_begin[first]); }
    qsizetype End(int k) const { return m_end[k]; }

private:
    // A Unix date further in than this is no date: permissions, links, owner, group and size
    // come before it.
    static constexpr int kMax = 16;
    QByteArrayView m_line;
    qsizetype m_begin[kMax];
    qsizetype m_end[kMax];
    int m_count = 0;
};

// A Unix permission field: a type letter and nine permission letters, marks may follow
// ("+" for an access list, "@" for extended attributes).
bool IsPermissions(QByteArrayView field)
{
    static constexpr auto kLetters = [] {
        // Bit 0: a type letter; bit 1: a permission letter.
        std::array<quint8, 256> letters {};
        for (const char c : QByteArrayView("-dlbcpsD"))
            letters[quint8(c)] |= 1;
        for (const char c : QByteArrayView("-rwxsStTlL"))
            letters[quint8(c)] |= 2;
        return letters;
    }();
    if (field.size() < 10 || !(kLetters[quint8(field[0])] & 1))
        return false;
    quint8 all = 2;
    for (int k = 1; k < 10; ++k)
        all &= kLetters[quint8(field[k])];
    return all;
}

// "8," of a device number "8, 0".
bool IsMajorDeviceNumber(QByteArrayView field)
{
    return field.size() > 1 && field.endsWith(',') && Digits(field.chopped(1)) >= 0;
}

// "8,0".
bool IsDeviceNumber(QByteArrayView field)
{
    const qsizetype comma = field.indexOf(',');
    return comma > 0 && Digits(field.first(comma)) >= 0 && Digits(field.sliced(comma + 1)) >= 0;
}

bool HasNonBlank(QByteArrayView text)
{
    return NextNonBlank(text.data(), 0, text.size()) < text.size();
}

// The date that starts at field k: a month name, a day and a time or a year; or "yyyy-mm-dd"
// and a time. Returns the date's last field, 0 when no date starts there.
int DateAt(Fields &fields, int k, const Today &today, Stamp *stamp)
{
    const QByteArrayView field = fields[k];
    if (field.size() == 3) {
        const int month = MonthNumber(field);
        return month && fields.Has(k + 2) && ReadUnixDayAndTime(month, fields[k + 1], fields[k + 2], today, stamp)
                   ? k + 2
                   : 0;
    }
    return field.size() == 10 && ReadIsoDate(field, stamp) && fields.Has(k + 1)
                   && ReadClock(fields[k + 1], {}, stamp)
               ? k + 1
               : 0;
}
}

FtpListingLine::SharedTexts::Key FtpListingLine::SharedTexts::KeyOf(QByteArrayView bytes)
{
    Key key;
    key.size = bytes.size();
    // Loads that overlap in the middle cover every character.
    const char *text = bytes.data();
    if (bytes.size() >= 8) {
        key.head = qFromUnaligned<quint64>(text);
        key.tail = qFromUnaligned<quint64>(text + bytes.size() - 8);
    } else if (bytes.size() >= 4) {
        key.head = qFromUnaligned<quint32>(text);
        key.tail = qFromUnaligned<quint32>(text + bytes.size() - 4);
    } else {
        for (qsizetype k = 0; k < bytes.size(); ++k)
            key.head |= quint64(quint8(text[k])) << (8 * k);
    }
    return key;
}

const QString &FtpListingLine::SharedTexts::Get(QByteArrayView bytes)
{
    const Key key = KeyOf(bytes);
    const quint64 mixed = (key.head ^ (key.tail * 31) ^ static_cast<quint64>(key.size)) * Q_UINT64_C(0x9E3779B97F4A7C15);
    const size_t place = mixed >> (std::numeric_limits<quint64>::digits - kPlaceBits);
    // The text's place, or the first free one after it; when none is free, the place is taken over.
    Known *free = nullptr;
    for (size_t k = 0; k < kProbes && !free; ++k) {
        Known &known = m_known[(place + k) % kPlaces];
        if (known.key.size < 0)
            free = &known;
        else if (known.key.head == key.head && known.key.tail == key.tail && known.key.size == key.size
                 && (key.size <= 16
                     || std::memcmp(known.bytes.data(), bytes.data(), static_cast<size_t>(key.size)) == 0))
            return known.text;
    }
    Known &known = free ? *free : m_known[place];
    known.key = key;
    known.bytes = bytes.toByteArray();
    known.text = FtpServerNames::Decode(bytes);
    return known.text;
}

FtpListingLine::Result FtpListingLine::Read(QByteArrayView line, CFtpFile &file)
{
    if (!HasNonBlank(line))
        return Result::NoEntry;
    if (line.size() >= 5 && (line[0] == 't' || line[0] == 'T') && line.first(5).compare("total", Qt::CaseInsensitive) == 0)
        return Result::NoEntry;
    const bool read = IsDigit(line[0]) ? ReadDos(line, file) : ReadUnix(line, file);
    return read ? Result::Entry : Result::Unreadable;
}

QString FtpListingLine::Name(QByteArrayView bytes)
{
    return m_names ? m_names->Remember(bytes) : FtpServerNames::Decode(bytes);
}

bool FtpListingLine::ReadUnix(QByteArrayView line, CFtpFile &file)
{
    Fields fields(line);
    if (!fields.Has(2) || !IsPermissions(fields[0]))
        return false;
    const char type = fields[0][0];

    // The date is the first one that follows a size (or, for a device, its two numbers).
    Stamp stamp;
    QDateTime date;
    int dateEnd = 0;
    qint64 size = -1;
    int headEnd = 0; // the fields before it are links, owner and group
    for (int k = 2; fields.Has(k + 1); ++k) {
        dateEnd = DateAt(fields, k, m_today, &stamp);
        if (dateEnd == 0)
            continue;
        const QByteArrayView before = fields[k - 1];
        if ((type == 'c' || type == 'b') && k >= 3 && IsMajorDeviceNumber(fields[k - 2]) && Digits(before) >= 0) {
            size = 0;
            headEnd = k - 2;
        } else if ((type == 'c' || type == 'b') && IsDeviceNumber(before)) {
            size = 0;
            headEnd = k - 1;
        } else {
            size = Digits(before);
            headEnd = k - 1;
        }
        if (size >= 0 && (date = m_times.Make(stamp)).isValid())
            break;
        size = -1;
    }
    if (size < 0)
        return false;

    // The name follows the date after one blank; any further blanks are its own.
    const qsizetype nameStart = fields.End(dateEnd) + 1;
    QByteArrayView name = nameStart < line.size() ? line.sliced(nameStart) : QByteArrayView();
    QByteArrayView target;
    if (type == 'l') {
        if (const qsizetype arrow = name.indexOf(QByteArrayView(" -> ")); arrow >= 0) {
            target = name.sliced(arrow + 4);
            name = name.first(arrow);
        }
    }
    if (!HasNonBlank(name))
        return false;

    file.SetFileName(Name(name));
    if (!target.isEmpty())
        file.SetFilePath(FtpServerNames::Decode(target));
    file.SetIsDirectory(type == 'd');
    file.SetFileSize(size);
    file.SetLastWriteTime(std::move(date));
    file.SetPermissions(m_permissions.Get(fields[0]));
    // Links, then owner and group; some servers leave out the links or the group.
    const int owner = headEnd > 1 && Digits(fields[1]) >= 0 ? 2 : 1;
    if (owner < headEnd)
        file.SetOwner(m_owners.Get(fields[owner]));
    if (owner + 1 < headEnd)
        file.SetGroup(m_groups.Get(fields.Span(owner + 1, headEnd - 1)));
    return true;
}

bool FtpListingLine::ReadDos(QByteArrayView line, CFtpFile &file)
{
    Fields fields(line);
    if (!fields.Has(2))
        return false;
    Stamp stamp;
    // The time, its "AM" or "PM" attached or apart.
    const bool halfDayApart = fields.Has(3) && IsHalfDay(fields[2]);
    const int kind = halfDayApart ? 3 : 2;
    if (!ReadDosDate(fields[0], &stamp) || !ReadClock(fields[1], halfDayApart ? fields[2] : QByteArrayView(), &stamp)
        || !fields.Has(kind))
        return false;
    QDateTime date = m_times.Make(stamp);
    if (!date.isValid())
        return false;
    const bool directory = fields[kind].compare("<DIR>", Qt::CaseInsensitive) == 0;
    const qint64 size = directory ? 0 : Digits(fields[kind]);
    if (size < 0)
        return false;

    // The name follows after the padding, its own blanks kept.
    const qsizetype nameStart = NextNonBlank(line.data(), fields.End(kind), line.size());
    if (nameStart == line.size())
        return false;

    file.SetFileName(Name(line.sliced(nameStart)));
    file.SetIsDirectory(directory);
    file.SetFileSize(size);
    file.SetLastWriteTime(std::move(date));
    return true;
}
