// The address box's autocomplete store and the history store with 100,000 entries each:
// loading and saving their files, and completing a typed character, against SQLite doing
// the same work on a table of the same rows in the same run.
#include "controls/AutoCompleteStore.h"
#include "controls/DayKey.h"
#include "controls/HistoryStore.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int Rows = 100000;
constexpr int Runs = 5;
const QDate Today(2026, 12, 8);

template <class Work>
double MedianMs(int runs, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char *what, double ours, double sqlite, bool goalMet)
{
    std::printf("%-42s ours %9.3f ms   sqlite %9.3f ms   ratio %5.2f   %s\n", what, ours, sqlite, ours / sqlite,
                goalMet ? "goal met" : "GOAL MISSED");
}

// Loading and saving: within twice SQLite's time.
void ReportFileWork(const char *what, double ours, double sqlite)
{
    Report(what, ours, sqlite, ours <= 2 * sqlite);
}

// A thin wrapper over the C interface: every call is checked, a failure ends the run.
class Database
{
public:
    explicit Database(const QString &path)
    {
        if (sqlite3_open(path.toUtf8().constData(), &m_db) != SQLITE_OK)
            Fail("open");
    }
    ~Database() { sqlite3_close(m_db); }
    void Exec(const char *sql)
    {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            Fail(sql);
    }
    sqlite3_stmt *Prepare(const char *sql)
    {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK)
            Fail(sql);
        return statement;
    }
    [[noreturn]] void Fail(const char *what)
    {
        std::fprintf(stderr, "sqlite: %s: %s\n", what, sqlite3_errmsg(m_db));
        std::exit(1);
    }

private:
    sqlite3 *m_db = nullptr;
};

void BindText(sqlite3_stmt *statement, int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

QString ColumnText(sqlite3_stmt *statement, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
                             sqlite3_column_bytes(statement, column));
}

QString RandomWord(std::mt19937 &random, int shortest, int longest)
{
    std::uniform_int_distribution<int> length(shortest, longest), letter('a', 'z');
    QString word;
    for (int i = length(random); i > 0; --i)
        word.append(QChar(letter(random)));
    return word;
}

QList<AutoCompleteEntry> MakeAutoCompleteEntries(std::mt19937 &random)
{
    const char *tlds[] = {"com", "org", "net", "de", "co.uk"};
    std::uniform_int_distribution<int> tld(0, 4), segments(0, 3), daysAgo(0, 365), ftp(0, 19);
    QSet<QString> seen;
    QList<AutoCompleteEntry> entries;
    while (entries.size() < Rows) {
        QString address = ftp(random) == 0 ? QStringLiteral("ftp://ftp.") : QStringLiteral("http://www.");
        address += RandomWord(random, 3, 12) + QLatin1Char('.') + QLatin1String(tlds[tld(random)]);
        for (int i = segments(random); i > 0; --i)
            address += QLatin1Char('/') + RandomWord(random, 2, 10);
        if (seen.contains(address))
            continue;
        seen.insert(address);
        entries.append(AutoCompleteStore::MakeEntry(address, Today.addDays(-daysAgo(random))));
    }
    return entries;
}

void BenchAutoComplete(const QTemporaryDir &dir, std::mt19937 &random)
{
    const QList<AutoCompleteEntry> entries = MakeAutoCompleteEntries(random);
    const QString file = dir.filePath("AutoComplete2.dat");
    QStringList lines;
    for (const AutoCompleteEntry &entry : entries)
        lines.append(AutoCompleteStore::EntryLine(entry));
    TextFile::WriteLines(file, lines);

    const QString dbPath = dir.filePath("autocomplete.sqlite");
    {
        Database db(dbPath);
        db.Exec("CREATE TABLE entries(seq INTEGER PRIMARY KEY, date TEXT, address TEXT, host TEXT, kind INTEGER,"
                " tail TEXT)");
        db.Exec("CREATE INDEX entries_tail ON entries(tail)");
    }

    const double oursLoad = MedianMs(Runs, [&] {
        AutoCompleteStore store(file);
        store.InitializeAutoComplete();
        if (store.Count() != Rows)
            std::exit(1);
    });
    AutoCompleteStore store(file);
    store.InitializeAutoComplete();
    const double oursSave = MedianMs(Runs, [&] { store.SaveAutoCompleteDataFile(); });

    const double sqliteSave = MedianMs(Runs, [&] {
        Database db(dbPath);
        db.Exec("BEGIN");
        db.Exec("DELETE FROM entries");
        sqlite3_stmt *insert = db.Prepare("INSERT INTO entries(seq, date, address, host, kind, tail)"
                                          " VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
        for (int i = 0; i < entries.size(); ++i) {
            const AutoCompleteEntry &entry = entries.at(i);
            sqlite3_bind_int(insert, 1, i);
            BindText(insert, 2, entry.Date);
            BindText(insert, 3, entry.Address);
            BindText(insert, 4, entry.Host);
            sqlite3_bind_int(insert, 5, entry.Kind);
            BindText(insert, 6, entry.Address.mid(11));
            if (sqlite3_step(insert) != SQLITE_DONE)
                db.Fail("insert");
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        db.Exec("COMMIT");
    });
    const double sqliteLoad = MedianMs(Runs, [&] {
        Database db(dbPath);
        sqlite3_stmt *select = db.Prepare("SELECT date, address, host, kind FROM entries ORDER BY seq");
        QList<AutoCompleteEntry> loaded;
        loaded.reserve(Rows);
        while (sqlite3_step(select) == SQLITE_ROW)
            loaded.append({ColumnText(select, 0), ColumnText(select, 1), ColumnText(select, 2),
                           qint16(sqlite3_column_int(select, 3))});
        sqlite3_finalize(select);
        if (loaded.size() != Rows)
            std::exit(1);
    });
    ReportFileWork("AutoComplete2.dat load, 100,000 entries", oursLoad, sqliteLoad);
    ReportFileWork("AutoComplete2.dat save, 100,000 entries", oursSave, sqliteSave);

    // Typed texts: the first letter of a host (thousands of matches) and a longer start
    // of a host, as the user goes on typing (a few matches).
    std::uniform_int_distribution<int> pick(0, Rows - 1);
    for (const int typedLength : {1, 4}) {
        QStringList typed;
        for (int i = 0; i < 200; ++i)
            typed.append(entries.at(pick(random)).Address.mid(11, typedLength));
        qsizetype oursMatches = 0, sqliteMatches = 0;
        QElapsedTimer timer;
        timer.start();
        for (const QString &text : typed) {
            const AutoCompleteMatches matches = store.FindAutoCompleteMatches(text);
            oursMatches += matches.Addresses.size();
        }
        const double ours = double(timer.nsecsElapsed()) / 1e6 / typed.size();

        Database db(dbPath);
        sqlite3_stmt *query =
            db.Prepare("SELECT address FROM entries WHERE tail >= ?1 AND tail < ?2 ORDER BY seq");
        timer.restart();
        for (const QString &text : typed) {
            QString upper = text;
            upper[upper.size() - 1] = QChar(upper.at(upper.size() - 1).unicode() + 1);
            BindText(query, 1, text);
            BindText(query, 2, upper);
            QStringList addresses;
            while (sqlite3_step(query) == SQLITE_ROW)
                addresses.append(ColumnText(query, 0));
            sqlite3_reset(query);
            sqliteMatches += addresses.size();
        }
        const double sqlite = double(timer.nsecsElapsed()) / 1e6 / typed.size();
        sqlite3_finalize(query);
        if (oursMatches != sqliteMatches) {
            std::fprintf(stderr, "match counts differ: %lld against %lld\n", qlonglong(oursMatches),
                         qlonglong(sqliteMatches));
            std::exit(1);
        }
        const QByteArray what = QStringLiteral("completion of %1 typed, %2 matches")
                                    .arg(typedLength == 1 ? "1 letter" : "4 letters")
                                    .arg(double(oursMatches) / typed.size(), 0, 'f', 0)
                                    .toUtf8();
        // A keystroke: under 1 ms and faster than SQLite's prefix query.
        Report(what.constData(), ours, sqlite, ours < 1.0 && ours < sqlite);
    }
}

void BenchHistory(const QTemporaryDir &dir, std::mt19937 &random)
{
    std::uniform_int_distribution<int> host(0, 2999);
    QStringList lines;
    for (int day = 19; day >= 0; --day) {
        const QString key = DayKey::FromDate(Today.addDays(-day));
        for (int page = 0; page < Rows / 20; ++page)
            lines.append(key + QStringLiteral("|http://www.host%1.com/page/%2").arg(host(random)).arg(page));
    }
    const QString file = dir.filePath("History.dat");
    TextFile::WriteLines(file, lines);
    const auto today = [] { return Today; };
    {
        // The file as the program writes it: each day's pages site by site.
        HistoryStore store(file);
        store.SetCurrentDateSource(today);
        store.SetNumberOfDaysInHistory(20);
        store.LoadHistoryFile();
        store.SaveHistory();
    }
    TextFile::ReadLines(file, lines);
    QList<QPair<QString, QString>> rows;
    for (const QString &line : std::as_const(lines)) {
        const qsizetype bar = line.indexOf(QLatin1Char('|'));
        rows.append({line.left(bar), line.mid(bar + 1)});
    }
    const QString dbPath = dir.filePath("history.sqlite");
    {
        Database db(dbPath);
        db.Exec("CREATE TABLE history(day TEXT, url TEXT)");
    }

    const double oursLoad = MedianMs(Runs, [&] {
        HistoryStore store(file);
        store.SetCurrentDateSource(today);
        store.LoadHistoryFile();
        if (store.PageCount() != Rows)
            std::exit(1);
    });
    HistoryStore store(file);
    store.SetCurrentDateSource(today);
    store.SetNumberOfDaysInHistory(20);
    store.LoadHistoryFile();
    const double oursSave = MedianMs(Runs, [&] { store.SaveHistory(); });

    const double sqliteSave = MedianMs(Runs, [&] {
        Database db(dbPath);
        db.Exec("BEGIN");
        db.Exec("DELETE FROM history");
        sqlite3_stmt *insert = db.Prepare("INSERT INTO history(day, url) VALUES(?1, ?2)");
        for (const auto &row : std::as_const(rows)) {
            BindText(insert, 1, row.first);
            BindText(insert, 2, row.second);
            if (sqlite3_step(insert) != SQLITE_DONE)
                db.Fail("insert");
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        db.Exec("COMMIT");
    });
    const double sqliteLoad = MedianMs(Runs, [&] {
        Database db(dbPath);
        sqlite3_stmt *select = db.Prepare("SELECT day, url FROM history ORDER BY rowid");
        QList<QPair<QString, QString>> loaded;
        loaded.reserve(Rows);
        while (sqlite3_step(select) == SQLITE_ROW)
            loaded.append({ColumnText(select, 0), ColumnText(select, 1)});
        sqlite3_finalize(select);
        if (loaded.size() != Rows)
            std::exit(1);
    });
    ReportFileWork("History.dat load, 100,000 lines", oursLoad, sqliteLoad);
    ReportFileWork("History.dat save, 100,000 lines", oursSave, sqliteSave);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::mt19937 random(20261208);
    std::printf("Stores against SQLite %s: files, medians of %d runs; completion, mean of 200 keystrokes\n", sqlite3_libversion(), Runs);
    BenchAutoComplete(dir, random);
    BenchHistory(dir, random);
    return 0;
}
