#include "controls/HistoryStore.h"

#include "controls/AddressRules.h"
#include "controls/DayKey.h"
#include "controls/HistorySiteRule.h"
#include "controls/SharedStore.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <utility>

QDate HistoryDay::Date() const
{
    return DayKey::ToDate(Key);
}

QString HistoryDay::Text() const
{
    return DayKey::DayText(Date());
}

namespace {

// Builds days from (day key, address) pairs: days in order of first appearance, sites in
// order of first visit, each address once per day.
class DayBuilder
{
public:
    void Add(const QString &key, const QString &url, const QString &siteName)
    {
        auto day = m_dayIndex.constFind(key);
        if (day == m_dayIndex.cend()) {
            day = m_dayIndex.insert(key, int(m_days.size()));
            m_days.append(HistoryDay{key, {}});
            m_lookups.append(Lookup{});
        }
        Lookup &lookup = m_lookups[*day];
        if (lookup.pages.contains(url))
            return;
        lookup.pages.insert(url);
        HistoryDay &target = m_days[*day];
        auto site = lookup.sites.constFind(siteName);
        if (site == lookup.sites.cend()) {
            site = lookup.sites.insert(siteName, int(target.Sites.size()));
            target.Sites.append(HistorySite{siteName, {}});
        }
        target.Sites[*site].Pages.append(url);
    }

    QList<HistoryDay> Take() { return std::move(m_days); }

private:
    struct Lookup {
        QHash<QString, int> sites;
        QSet<QString> pages;
    };
    QList<HistoryDay> m_days;
    QList<Lookup> m_lookups;
    QHash<QString, int> m_dayIndex;
};

} // namespace

HistoryStore::HistoryStore(const QString &filePath, QObject *parent)
    : QObject(parent), m_filePath(filePath), m_today(&QDate::currentDate)
{
}

std::shared_ptr<HistoryStore> HistoryStore::ForFolder(const QString &appPath)
{
    return SharedStoreFor<HistoryStore>(QDir(appPath).filePath(QLatin1String(FileName)));
}

std::shared_ptr<HistoryStore> HistoryStore::ReadOnlyCopy(const QString &appPath)
{
    auto store = std::make_shared<HistoryStore>(QDir(appPath).filePath(QLatin1String(FileName)));
    store->SetReadOnly(true);
    return store;
}

void HistoryStore::SetCurrentDateSource(std::function<QDate()> today)
{
    m_today = std::move(today);
}

QDate HistoryStore::Today() const
{
    return m_today();
}

void HistoryStore::LoadHistoryFile()
{
    if (m_loaded)
        return;
    m_loaded = true;
    QStringList lines;
    if (!TextFile::ReadLines(m_filePath, lines) || lines.isEmpty())
        return;

    DayBuilder builder;
    for (const QString &line : std::as_const(lines)) {
        const qsizetype bar = line.indexOf(QLatin1Char('|'));
        if (bar <= 0)
            continue;
        const QDate date = DayKey::ToDate(line.left(bar));
        const qsizetype end = line.indexOf(QLatin1Char('|'), bar + 1);
        const QString url = line.mid(bar + 1, end < 0 ? -1 : end - bar - 1);
        if (!date.isValid() || url.isEmpty())
            continue;
        builder.Add(DayKey::FromDate(date), url, HistorySiteRule::SiteName(url));
    }
    // Visits recorded before the file was read follow the file's own.
    for (const HistoryDay &day : std::as_const(m_daysList))
        for (const HistorySite &site : day.Sites)
            for (const QString &page : site.Pages)
                builder.Add(day.Key, page, site.Name);
    m_daysList = builder.Take();
    RebuildRecorded();
    emit HistoryChanged();
}

HistoryVisit HistoryStore::AddHistoryItem2(const QString &url, const QString &title)
{
    if (url.isEmpty() || title.isEmpty())
        return {};
    const HistorySiteRuleResult rule = HistorySiteRule::Apply(AddressRules::MakeSafe(url));
    if (!rule.Recorded)
        return {};

    const QString key = DayKey::FromDate(Today());
    const bool known = m_recorded.contains(key + QLatin1Char('|') + rule.Url);
    HistoryVisit visit;
    for (int i = int(m_daysList.size()) - 1; i >= 0; --i) {
        if (m_daysList.at(i).Key == key) {
            visit.Day = i;
            break;
        }
    }
    if (visit.Day < 0) {
        visit.Day = int(m_daysList.size());
        visit.NewDay = true;
        m_daysList.append(HistoryDay{key, {}});
    }
    HistoryDay &day = m_daysList[visit.Day];
    for (int i = 0; i < day.Sites.size(); ++i) {
        if (day.Sites.at(i).Name == rule.SiteName) {
            visit.Site = i;
            break;
        }
    }
    if (visit.Site < 0) {
        visit.Site = int(day.Sites.size());
        visit.NewSite = true;
        day.Sites.append(HistorySite{rule.SiteName, {}});
    }
    HistorySite &site = day.Sites[visit.Site];
    if (known) {
        visit.Page = int(site.Pages.indexOf(rule.Url));
        return visit;
    }
    m_recorded.insert(key + QLatin1Char('|') + rule.Url);
    visit.Page = int(site.Pages.size());
    site.Pages.append(rule.Url);
    visit.Added = true;
    emit PageAdded(visit.Day, visit.Site, visit.Page);
    return visit;
}

void HistoryStore::PruneOldHistoryDays()
{
    if (m_days < 1)
        m_days = 1;
    const QDate cutOff = Today().addDays(-m_days);
    const qsizetype removed = m_daysList.removeIf([&](const HistoryDay &day) {
        const QDate date = day.Date();
        return date.isValid() && date < cutOff;
    });
    if (removed > 0) {
        RebuildRecorded();
        emit HistoryChanged();
    }
}

bool HistoryStore::SaveHistory()
{
    // Never write over days of the file that were not read yet.
    if (!m_loaded)
        LoadHistoryFile();
    PruneOldHistoryDays();
    if (m_readOnly)
        return true;
    QStringList lines;
    lines.reserve(PageCount());
    for (const HistoryDay &day : std::as_const(m_daysList)) {
        if (!day.Date().isValid())
            continue;
        for (const HistorySite &site : day.Sites)
            for (const QString &page : site.Pages)
                lines.append(day.Key + QLatin1Char('|') + page);
    }
    return TextFile::WriteLines(m_filePath, lines);
}

bool HistoryStore::ClearHistory2()
{
    m_daysList.clear();
    m_recorded.clear();
    m_loaded = true;
    emit HistoryChanged();
    return m_readOnly || TextFile::WriteLines(m_filePath, {});
}

void HistoryStore::RebuildRecorded()
{
    m_recorded.clear();
    for (const HistoryDay &day : std::as_const(m_daysList))
        for (const HistorySite &site : day.Sites)
            for (const QString &page : site.Pages)
                m_recorded.insert(day.Key + QLatin1Char('|') + page);
}

int HistoryStore::PageCount() const
{
    int count = 0;
    for (const HistoryDay &day : m_daysList)
        for (const HistorySite &site : day.Sites)
            count += int(site.Pages.size());
    return count;
}
