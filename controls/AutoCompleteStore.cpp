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
    QStringList lines;
    if (!TextFile::ReadLines(m_filePath, lines)) {
        if (!m_readOnly)
            TextFile::WriteLines(m_filePath, {});
        return;
    }
    // Entries made before the file was read are newer than all of it.
    const QList<AutoCompleteEntry> madeBefore = std::exchange(m_entries, {});
    m_byAddress.clear();
    m_entries.reserve(lines.size() + madeBefore.size());
    m_byAddress.reserve(lines.size() + madeBefore.size());
    for (const QString &line : std::as_const(lines)) {
        if (const std::optional<AutoCompleteEntry> entry = ParseEntryLine(line))
            Insert(*entry);
    }
    for (const AutoCompleteEntry &entry : madeBefore)
        Insert(entry);
    RebuildTailIndex();
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

void AutoCompleteStore::AddAutoCompleteEntry(const QString &address)
{
    const QString safe = AddressRules::MakeSafe(address);
    if (safe.isEmpty() || m_byAddress.contains(safe))
        return;
    Insert(MakeEntry(safe, m_today()));
    const int index = int(m_entries.size() - 1);
    if (m_entries.at(index).Address.size() > MatchOffset) {
        const QStringView tail = Tail(m_entries.at(index).Address);
        const auto at = std::upper_bound(m_byTail.begin(), m_byTail.end(), tail,
                                         [this](QStringView t, int i) { return t < Tail(m_entries.at(i).Address); });
        m_byTail.insert(at, index);
    }
}

void AutoCompleteStore::Insert(const AutoCompleteEntry &entry)
{
    if (m_byAddress.contains(entry.Address))
        return;
    m_byAddress.insert(entry.Address, int(m_entries.size()));
    m_entries.append(entry);
}

void AutoCompleteStore::RebuildTailIndex()
{
    m_byTail.clear();
    m_byTail.reserve(m_entries.size());
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).Address.size() > MatchOffset)
            m_byTail.push_back(i);
    }
    std::sort(m_byTail.begin(), m_byTail.end(),
              [this](int a, int b) { return Tail(m_entries.at(a).Address) < Tail(m_entries.at(b).Address); });
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
    auto it = std::lower_bound(m_byTail.begin(), m_byTail.end(), prefix,
                               [this](int i, QStringView p) { return Tail(m_entries.at(i).Address) < p; });
    std::vector<int> found;
    for (; it != m_byTail.end() && Tail(m_entries.at(*it).Address).startsWith(prefix); ++it)
        found.push_back(*it);
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
    const QList<QStringView> fields = QStringView(line).split(QLatin1Char('|'));
    if (fields.size() < 4 || fields.at(1).isEmpty() || !DayKey::ToDate(fields.at(0).toString()).isValid())
        return std::nullopt;
    const QStringView kind = fields.at(3);
    if (kind.size() != 1 || kind.at(0) < QLatin1Char('0') || kind.at(0) > QLatin1Char('2'))
        return std::nullopt;
    return AutoCompleteEntry{fields.at(0).toString(), fields.at(1).toString(), fields.at(2).toString(),
                             qint16(kind.at(0).unicode() - '0')};
}
