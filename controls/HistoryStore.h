#pragma once

#include <QDate>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// A site of one day: its name (possibly empty) and its pages in the order first visited.
struct HistorySite {
    QString Name;
    QStringList Pages;
};

// A day of the history: its key ("M/d/yyyy") and its sites in the order first visited.
struct HistoryDay {
    QString Key;
    QList<HistorySite> Sites;
    QDate Date() const;
    QString Text() const; // caption of the day's node
};

// What AddHistoryItem2 did with one visit.
struct HistoryVisit {
    bool Added = false;    // false: not recorded, or already recorded that day under that site
    int Day = -1;          // index into Days()
    int Site = -1;         // index into that day's Sites
    int Page = -1;         // index into that site's Pages
    bool NewDay = false;
    bool NewSite = false;
};

// The visited pages of the last days, grouped by day and site, kept in "History.dat":
// one page a line, the day key, "|" and the address.
class HistoryStore : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *FileName = "History.dat";

    explicit HistoryStore(const QString &filePath, QObject *parent = nullptr);

    // The history of "History.dat" in appPath that every main window shares.
    static std::shared_ptr<HistoryStore> ForFolder(const QString &appPath);
    // A history of its own that reads the file in appPath and never writes it (full screen).
    static std::shared_ptr<HistoryStore> ReadOnlyCopy(const QString &appPath);

    QString FilePath() const { return m_filePath; }
    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // Where "today" comes from (tests fix it); the current date by default.
    void SetCurrentDateSource(std::function<QDate()> today);
    QDate Today() const;

    // The day limit: today and that many days before it are kept on save (at least 1).
    void SetNumberOfDaysInHistory(int days) { m_days = days; }
    int NumberOfDaysInHistory() const { return m_days; }

    // Reads the file once per store; a store already loaded (or cleared, or added to)
    // keeps its days, so a second window does not read the file over them. A missing or
    // empty file changes nothing; lines without a day key and an address are skipped.
    void LoadHistoryFile();
    bool IsLoaded() const { return m_loaded; }

    // Records a visit under today, its site and its address; nothing for an empty address
    // or title, a local file or an empty host.
    HistoryVisit AddHistoryItem2(const QString &url, const QString &title);

    // Drops the days before today minus the day limit (a limit below 1 becomes 1).
    void PruneOldHistoryDays();
    // Prunes, then rewrites the file; false when it could not be written. Read-only: prunes only.
    bool SaveHistory();
    // Empties the history and (unless read-only) the file.
    bool ClearHistory2();

    const QList<HistoryDay> &Days() const { return m_daysList; }
    int PageCount() const;

signals:
    // Days were loaded, pruned or cleared: every tree showing this history rebuilds.
    void HistoryChanged();
    // One page was recorded (indexes as in HistoryVisit).
    void PageAdded(int day, int site, int page);

private:

    QString m_filePath;
    bool m_readOnly = false;
    bool m_loaded = false;
    int m_days = 0;
    std::function<QDate()> m_today;
    QList<HistoryDay> m_daysList;
    // The addresses recorded under the day m_pagesKey, made when that day is first visited.
    QString m_pagesKey;
    QSet<QString> m_pages;
};
