#include "controls/HistoryStore.h"

#include "controls/AddressRules.h"
#include "controls/DayKey.h"
#include "controls/HistorySiteRule.h"
#include "controls/SharedStore.h"
#include "platform/TextFile.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QHash>
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
// order of first visit, each address once per day. The addresses given must outlive the
// builder: its sets look at them without copies.
class DayBuilder
{
public:
    void Add(const QString &key, QStringView url, const QString &siteName)
    {
        if (m_day < 0 || m_days.at(m_day).Key != key) {
            auto day = m_dayIndex.constFind(key);
            if (day == m_dayIndex.cend()) {
                day = m_dayIndex.insert(key, int(m_days.size()));
                m_days.append(HistoryDay{key, {}});
                m_pages.append(QSet<QStringView>());
                m_sites.append(QHash<QString, int>());
            }
            m_day = *day;
            m_site = -1;
        }
        QSet<QStringView> &pages = m_pages[m_day];
        const qsizetype before = pages.size();
        pages.insert(url);
        if (pages.size() == before)
            return;
        HistoryDay &target = m_days[m_day];
        if (m_site < 0 || target.Sites.at(m_site).Name != siteName) {
            QHash<QString, int> &sites = m_sites[m_day];
            auto site = sites.constFind(siteName);
            if (site == sites.cend()) {
                site = sites.insert(siteName, int(target.Sites.size()));
                target.Sites.append(HistorySite{siteName, {}});
            }
            m_site = *site;
        }
        target.Sites[m_site].Pages.append(url.toString());
    }

    QList<HistoryDay> TakeDays() { return std::move(m_days); }

private:
    QList<HistoryDay> m_days;
    QList<QSet<QStringView>> m_pages;
    QList<QHash<QString, int>> m_sites;
    QHash<QString, int> m_dayIndex;
    int m_day = -1;
    int m_site = -1;
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
    QString text;
    if (!TextFile::ReadText(m_filePath, text) || text.isEmpty())
        return;

    DayBuilder builder;
    // Lines of one day come together: the key of the previous line is read only once.
    QString keyText;
    QString key;
    // So are the lines of one site: the site of the previous root is taken again.
    QStringView root;
    QString siteName;
    TextFile::ForEachLine(text, [&](QStringView line) {
        const qsizetype bar = line.indexOf(QLatin1Char('|'));
        if (bar <= 0)
            return;
        const QStringView lineKey = line.left(bar);
        if (lineKey != keyText) {
            keyText = lineKey.toString();
            const QDate date = DayKey::ToDate(lineKey);
            key = date.isValid() ? DayKey::FromDate(date) : QString();
        }
        const qsizetype end = line.indexOf(QLatin1Char('|'), bar + 1);
        const QStringView url = line.mid(bar + 1, end < 0 ? -1 : end - bar - 1);
        if (key.isEmpty() || url.isEmpty())
            return;
        const qsizetype rootEnd = HistorySiteRule::RootLength(url);
        if (url.left(rootEnd) != root) {
            root = url.left(rootEnd);
            siteName = HistorySiteRule::SiteName(url);
        }
        builder.Add(key, url, siteName);
    });
    // Visits recorded before the file was read follow the file's own.
    for (const HistoryDay &day : std::as_const(m_daysList))
        for (const HistorySite &site : day.Sites)
            for (const QString &page : site.Pages)
                builder.Add(day.Key, page, site.Name);
    m_daysList = builder.TakeDays();
    m_pagesKey.clear();
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
    if (m_pagesKey != key) {
        m_pagesKey = key;
        m_pages.clear();
        for (const HistorySite &site : std::as_const(day.Sites))
            for (const QString &page : site.Pages)
                m_pages.insert(page);
    }
    const bool known = m_pages.contains(rule.Url);
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
    m_pages.insert(rule.Url);
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
    bool pruned = false;
    for (qsizetype i = m_daysList.size() - 1; i >= 0; --i) {
        const QDate date = m_daysList.at(i).Date();
        if (date.isValid() && date < cutOff) {
            m_daysList.removeAt(i);
            pruned = true;
        }
    }
    if (pruned) {
        m_pagesKey.clear();
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
        const QString prefix = day.Key + QLatin1Char('|');
        for (const HistorySite &site : day.Sites)
            for (const QString &page : site.Pages)
                lines.append(prefix + page);
    }
    return TextFile::WriteLines(m_filePath, lines);
}

bool HistoryStore::ClearHistory2()
{
    m_daysList.clear();
    m_pagesKey.clear();
    m_loaded = true;
    emit HistoryChanged();
    return m_readOnly || TextFile::WriteLines(m_filePath, {});
}

int HistoryStore::PageCount() const
{
    int count = 0;
    for (const HistoryDay &day : m_daysList)
        for (const HistorySite &site : day.Sites)
            count += int(site.Pages.size());
    return count;
}
