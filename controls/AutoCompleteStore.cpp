#include "controls/AutoCompleteStore.h"

#include "controls/AddressRules.h"
#include "controls/DayKey.h"
#include "controls/SharedStore.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

// Matching compares the address after the length of "http://www.", whatever it begins with.
constexpr qsizetype MatchOffset = 11;

QStringView Tail(const QString &address)
{
    return QStringView(address).mid(MatchOffset);
}

quint64 HeadOf(QStringView text)
{
    quint64 head = 0;
    for (qsizetype i = 0; i < 4; ++i)
        head = (head << 16) | (i < text.size() ? text[i].unicode() : 0);
    return head;
}

// Day keys repeat from line to line: each distinct one is held once.
class DateTexts
{
public:
    QString Intern(QStringView text)
    {
        for (const QString &known : m_texts) {
            if (known == text)
                return known;
        }
        if (m_texts.size() == Size)
            m_texts.removeFirst();
        m_texts.append(text.toString());
        return m_texts.last();
    }

private:
    static constexpr qsizetype Size = 8;
    QStringList m_texts;
};

std::optional<AutoCompleteEntry> ParseLine(QStringView line, DateTexts *dates = nullptr)
{
    const qsizetype first = line.indexOf(QLatin1Char('|'));
    const qsizetype second = first < 0 ? -1 : line.indexOf(QLatin1Char('|'), first + 1);
    const qsizetype third = second < 0 ? -1 : line.indexOf(QLatin1Char('|'), second + 1);
    if (third < 0 || second == first + 1)
        return std::nullopt;
    const qsizetype kindEnd = line.indexOf(QLatin1Char('|'), third + 1);
    const QStringView kind = line.mid(third + 1, kindEnd < 0 ? -1 : kindEnd - third - 1);
    if (kind.size() != 1 || kind[0] < QLatin1Char('0') || kind[0] > QLatin1Char('2'))
        return std::nullopt;
    const QStringView date = line.left(first);
    if (!DayKey::ToDate(date).isValid())
        return std::nullopt;
    return AutoCompleteEntry{dates ? dates->Intern(date) : date.toString(), line.mid(first + 1, second - first - 1).toString(),
                             line.mid(second + 1, third - second - 1).toString(), qint16(kind[0].unicode() - '0')};
}

} // namespace

AutoCompleteStore::AutoCompleteStore(const QString &filePath, QObject *parent)
    : QObject(parent), m_filePath(filePath), m_today(&QDate::currentDate)
{
}

std::shared_ptr<AutoCompleteStore> AutoCompleteStore::ForFolder(const QString &appPath)
{
    return SharedStoreFor<AutoCompleteStore>(QDir(appPath).filePath(QLatin1String(FileName)));
}

std::shared_ptr<AutoCompleteStore> AutoCompleteStore::ReadOnlyCopy(const QString &appPath)
{
    auto store = std::make_shared<AutoCompleteStore>(QDir(appPath).filePath(QLatin1String(FileName)));
    store->SetReadOnly(true);
    return store;
}

void AutoCompleteStore::SetCurrentDateSource(std::function<QDate()> today)
{
    m_today = std::move(today);
}

void AutoCompleteStore::InitializeAutoComplete()
{
    if (m_loaded)
        return;
    m_loaded = true;
    QString text;
    if (!TextFile::ReadText(m_filePath, text)) {
        if (!m_readOnly)
            TextFile::WriteLines(m_filePath, {});
        return;
    }
    // Entries made before the file was read are newer than all of it.
    QList<AutoCompleteEntry> entries;
    entries.reserve(text.count(QLatin1Char('\n')) + m_entries.size());
    DateTexts dates;
    TextFile::ForEachLine(text, [&](QStringView line) {
        if (std::optional<AutoCompleteEntry> entry = ParseLine(line, &dates))
            entries.append(std::move(*entry));
    });
    entries.append(m_entries);
    m_entries = std::move(entries);
    RebuildIndexDroppingRepeats();
}

void AutoCompleteStore::InitializeAutoCompleteDataFile()
{
    if (!QFileInfo::exists(m_filePath)) {
        if (!m_readOnly)
            TextFile::WriteLines(m_filePath, {});
        return;
    }
    InitializeAutoComplete();
}

bool AutoCompleteStore::SaveAutoCompleteDataFile()
{
    if (m_readOnly)
        return true;
    // Never write over entries of the file that were not read yet.
    if (!m_loaded)
        InitializeAutoComplete();
    QStringList lines;
    lines.reserve(m_entries.size());
    for (const AutoCompleteEntry &entry : std::as_const(m_entries))
        lines.append(EntryLine(entry));
    return TextFile::WriteLines(m_filePath, lines);
}

bool AutoCompleteStore::CleanAutoCompleteDataFile()
{
    if (QFileInfo::exists(m_filePath))
        return true;
    if (!m_readOnly)
        TextFile::WriteLines(m_filePath, {});
    return SaveAutoCompleteDataFile();
}

bool AutoCompleteStore::ClearAutoComplete()
{
    m_entries.clear();
    m_byTail.clear();
    m_shortAddresses.clear();
    m_loaded = true;
    return m_readOnly || TextFile::WriteLines(m_filePath, {});
}

void AutoCompleteStore::AddAutoCompleteEntry(const QString &address)
{
    const QString safe = AddressRules::MakeSafe(address);
    if (safe.isEmpty() || Contains(safe))
        return;
    Append(MakeEntry(safe, m_today()));
}

void AutoCompleteStore::AddAutoCompleteEntries(const QStringList &addresses)
{
    const qsizetype before = m_entries.size();
    const QDate today = m_today();
    for (const QString &address : addresses) {
        const QString safe = AddressRules::MakeSafe(address);
        if (!safe.isEmpty())
            m_entries.append(MakeEntry(safe, today));
    }
    // The index keeps the first entry of every address: the stored one, or the first added.
    if (m_entries.size() != before)
        RebuildIndexDroppingRepeats();
}

bool AutoCompleteStore::Contains(const QString &address) const
{
    if (address.size() <= MatchOffset)
        return m_shortAddresses.contains(address);
    const TailRef wanted{HeadOf(Tail(address)), -1};
    const QStringView tail = Tail(address);
    auto it = std::lower_bound(m_byTail.begin(), m_byTail.end(), wanted, [&](const TailRef &ref, const TailRef &w) {
        if (ref.Head != w.Head)
            return ref.Head < w.Head;
        return Tail(m_entries.at(ref.Index).Address) < tail;
    });
    for (; it != m_byTail.end() && it->Head == wanted.Head && Tail(m_entries.at(it->Index).Address) == tail; ++it) {
        if (m_entries.at(it->Index).Address == address)
            return true;
    }
    return false;
}

// Appends an entry not held yet and files it in the index.
void AutoCompleteStore::Append(AutoCompleteEntry entry)
{
    const int index = int(m_entries.size());
    m_entries.append(std::move(entry));
    if (m_entries.at(index).Address.size() <= MatchOffset) {
        m_shortAddresses.insert(m_entries.at(index).Address, index);
        return;
    }
    const TailRef ref = MakeTailRef(index);
    const auto at = std::upper_bound(m_byTail.begin(), m_byTail.end(), ref,
                                     [this](const TailRef &a, const TailRef &b) { return TailLess(a, b); });
    m_byTail.insert(at, ref);
}

// Orders the index and keeps the first entry of every address: equal addresses have equal
// tails, so ordered by tail, then address, then position, a repeat follows its first entry.
void AutoCompleteStore::RebuildIndexDroppingRepeats()
{
    m_byTail.clear();
    m_shortAddresses.clear();
    std::vector<bool> repeated(size_t(m_entries.size()), false);
    for (int i = 0; i < m_entries.size(); ++i) {
        const QString &address = m_entries.at(i).Address;
        if (address.size() > MatchOffset)
            m_byTail.push_back(MakeTailRef(i));
        else if (m_shortAddresses.contains(address))
            repeated[size_t(i)] = true;
        else
            m_shortAddresses.insert(address, i);
    }
    std::sort(m_byTail.begin(), m_byTail.end(), [this](const TailRef &a, const TailRef &b) {
        if (a.Head != b.Head)
            return a.Head < b.Head;
        const QString &left = m_entries.at(a.Index).Address;
        const QString &right = m_entries.at(b.Index).Address;
        if (const int byTail = Tail(left).compare(Tail(right)))
            return byTail < 0;
        if (const int byAddress = QStringView(left).left(MatchOffset).compare(QStringView(right).left(MatchOffset)))
            return byAddress < 0;
        return a.Index < b.Index;
    });
    for (size_t i = 1; i < m_byTail.size(); ++i) {
        const TailRef &previous = m_byTail[i - 1];
        if (previous.Head == m_byTail[i].Head
            && m_entries.at(previous.Index).Address == m_entries.at(m_byTail[i].Index).Address)
            repeated[size_t(m_byTail[i].Index)] = true;
    }
    if (std::find(repeated.begin(), repeated.end(), true) == repeated.end())
        return;

    // Drop the repeats and renumber what stays.
    std::vector<int> renumbered(repeated.size(), -1);
    QList<AutoCompleteEntry> kept;
    kept.reserve(m_entries.size());
    for (int i = 0; i < m_entries.size(); ++i) {
        if (!repeated[size_t(i)]) {
            renumbered[size_t(i)] = int(kept.size());
            kept.append(std::move(m_entries[i]));
        }
    }
    m_entries = std::move(kept);
    std::erase_if(m_byTail, [&](const TailRef &ref) { return repeated[size_t(ref.Index)]; });
    for (TailRef &ref : m_byTail)
        ref.Index = renumbered[size_t(ref.Index)];
    for (auto it = m_shortAddresses.begin(); it != m_shortAddresses.end(); ++it)
        it.value() = renumbered[size_t(it.value())];
}

AutoCompleteStore::TailRef AutoCompleteStore::MakeTailRef(int index) const
{
    return {HeadOf(Tail(m_entries.at(index).Address)), index};
}

bool AutoCompleteStore::TailLess(const TailRef &a, const TailRef &b) const
{
    if (a.Head != b.Head)
        return a.Head < b.Head;
    return Tail(m_entries.at(a.Index).Address) < Tail(m_entries.at(b.Index).Address);
}

AutoCompleteMatches AutoCompleteStore::FindAutoCompleteMatches(const QString &text) const
{
    QString r;
    if (text.startsWith(QLatin1String("http://www.")) || text.startsWith(QLatin1String("www.")))
        r = text.mid(text.indexOf(QLatin1Char('.')) + 1);
    else if (!text.isEmpty() && !text.startsWith(QLatin1String("http")) && !text.startsWith(QLatin1String("ftp.")))
        r = text;
    if (r.isEmpty())
        return {};
    return {true, MatchText(r)};
}

QStringList AutoCompleteStore::MatchText(const QString &r) const
{
    const QStringView prefix(r);
    const quint64 head = HeadOf(prefix);
    std::vector<int> found;
    if (prefix.size() <= 4 && !prefix.contains(QChar(0))) {
        // A short text is decided by the packed heads alone: no string is read.
        const int shift = int(16 * (4 - prefix.size()));
        const quint64 wanted = head >> shift;
        const auto first = std::lower_bound(m_byTail.begin(), m_byTail.end(), wanted,
                                            [shift](const TailRef &ref, quint64 w) { return (ref.Head >> shift) < w; });
        const auto last = std::upper_bound(first, m_byTail.end(), wanted,
                                           [shift](quint64 w, const TailRef &ref) { return w < (ref.Head >> shift); });
        found.reserve(size_t(last - first));
        for (auto it = first; it != last; ++it)
            found.push_back(it->Index);
    } else {
        auto it = std::lower_bound(m_byTail.begin(), m_byTail.end(), prefix, [&](const TailRef &ref, QStringView p) {
            if (ref.Head != head)
                return ref.Head < head;
            return Tail(m_entries.at(ref.Index).Address) < p;
        });
        for (; it != m_byTail.end() && Tail(m_entries.at(it->Index).Address).startsWith(prefix); ++it)
            found.push_back(it->Index);
    }
    std::sort(found.begin(), found.end());
    QStringList addresses;
    addresses.reserve(qsizetype(found.size()));
    for (const int i : found)
        addresses.append(m_entries.at(i).Address);
    return addresses;
}

int AutoCompleteStore::CompletionSelectionStart(const QString &typed, const QString &address)
{
    const qsizetype at = address.indexOf(typed);
    return int(at < 0 ? address.size() : at + typed.size());
}

AutoCompleteEntry AutoCompleteStore::MakeEntry(const QString &address, const QDate &date)
{
    AutoCompleteEntry entry;
    entry.Date = DayKey::FromDate(date);
    entry.Address = address;
    if (address.left(10) == QLatin1String("http://www")) {
        entry.Host = address.mid(11);
        entry.Kind = 1;
    } else if (address.left(10) == QLatin1String("ftp://ftp.")) {
        entry.Host = address.mid(10);
        entry.Kind = 2;
    }
    return entry;
}

QString AutoCompleteStore::EntryLine(const AutoCompleteEntry &entry)
{
    return entry.Date + QLatin1Char('|') + entry.Address + QLatin1Char('|') + entry.Host + QLatin1Char('|')
           + QString::number(entry.Kind);
}

std::optional<AutoCompleteEntry> AutoCompleteStore::ParseEntryLine(const QString &line)
{
    return ParseLine(line);
}
