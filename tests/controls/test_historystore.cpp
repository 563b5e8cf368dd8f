#include "StoreTestFiles.h"
#include "controls/DayKey.h"
#include "controls/HistorySiteRule.h"
#include "controls/HistoryStore.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDate Today(2026, 12, 8);

QString Key(int daysAgo)
{
    return DayKey::FromDate(Today.addDays(-daysAgo));
}

} // namespace

TEST(HistoryDayKey, IsMonthDayFourDigitYearInEveryLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(DayKey::FromDate(QDate(2026, 12, 8)), "12/8/2026");
    EXPECT_EQ(DayKey::FromDate(QDate(2026, 1, 31)), "1/31/2026");
    QLocale::setDefault(saved);
    EXPECT_EQ(DayKey::ToDate("12/8/2026"), QDate(2026, 12, 8));
    EXPECT_EQ(DayKey::ToDate("01/09/2026"), QDate(2026, 1, 9));
    for (const char *bad : {"12/8/26", "12/8/20266", "13/1/2026", "2/30/2026", "12-8-2026", "12/8", "", "/8/2026"})
        EXPECT_FALSE(DayKey::ToDate(bad).isValid()) << bad;
}

TEST(HistorySiteRule, FilesPagesBySite)
{
    struct Case {
        const char *url;
        bool recorded;
        const char *recordedAs;
        const char *site;
    };
    const Case cases[] = {
        {"http://www.example.com", true, "http://www.example.com/", "example.com"},
        {"http://www.example.com/a/b.html", true, "http://www.example.com/a/b.html", "example.com"},
        {"https://www.example.com/a", true, "https://www.example.com/a", "example.com"},
        {"ftp://ftp.example.org/pub/x", true, "ftp://ftp.example.org/pub/x", "example.org"},
        {"http://example.com/a", true, "http://example.com/a", ""},
        {"about:blank", true, "about:blank/", ""},
        {"file:///home/user/blank.html", false, "", ""},
        {"http:///nohost", false, "", ""},
    };
    for (const Case &c : cases) {
        const HistorySiteRuleResult result = HistorySiteRule::Apply(c.url);
        EXPECT_EQ(result.Recorded, c.recorded) << c.url;
        if (!c.recorded)
            continue;
        EXPECT_EQ(result.Url, QString(c.recordedAs)) << c.url;
        EXPECT_EQ(result.SiteName, QString(c.site)) << c.url;
        EXPECT_EQ(HistorySiteRule::SiteName(result.Url), QString(c.site)) << c.url;
    }
}

class HistoryStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { store.SetCurrentDateSource([] { return Today; }); }
    QString DataFile() const { return dir.filePath("History.dat"); }

    QTemporaryDir dir;
    HistoryStore store{dir.filePath("History.dat")};
};

TEST_F(HistoryStoreTest, GroupsVisitsByDayAndSite)
{
    QSignalSpy added(&store, &HistoryStore::PageAdded);
    HistoryVisit visit = store.AddHistoryItem2("http://www.example.com", "Example");
    EXPECT_TRUE(visit.Added && visit.NewDay && visit.NewSite);
    EXPECT_FALSE(store.AddHistoryItem2("http://www.example.com/", "Example").Added);
    EXPECT_FALSE(store.AddHistoryItem2("http://www.example.com/x", "").Added);
    EXPECT_FALSE(store.AddHistoryItem2("file:///start/blank.html", "Blank").Added);
    visit = store.AddHistoryItem2("http://www.example.com/x", "X");
    EXPECT_TRUE(visit.Added);
    EXPECT_FALSE(visit.NewSite);
    store.AddHistoryItem2("http://other.com/", "Other");
    store.AddHistoryItem2("https://www.example.com/s", "Secure");
    EXPECT_EQ(added.count(), 4);

    ASSERT_EQ(store.Days().size(), 1);
    const HistoryDay &day = store.Days().first();
    EXPECT_EQ(day.Key, "12/8/2026");
    EXPECT_EQ(day.Text(), QLocale::system().toString(Today, "dddd, MMMM d, yyyy"));
    ASSERT_EQ(day.Sites.size(), 2);
    EXPECT_EQ(day.Sites[0].Name, "example.com");
    EXPECT_EQ(day.Sites[0].Pages,
              (QStringList{"http://www.example.com/", "http://www.example.com/x", "https://www.example.com/s"}));
    EXPECT_EQ(day.Sites[1].Name, "");

    store.SetCurrentDateSource([] { return Today.addDays(1); });
    visit = store.AddHistoryItem2("http://www.example.com/x", "X");
    EXPECT_TRUE(visit.Added && visit.NewDay);
    EXPECT_EQ(visit.Day, 1);
}

TEST_F(HistoryStoreTest, PruningKeepsTodayAndTheConfiguredDays)
{
    QByteArray file;
    for (int ago : {5, 3, 2, 1, 0})
        file += Key(ago).toUtf8() + "|http://www.a.com/" + QByteArray::number(ago) + "\r\n";
    WriteFile(DataFile(), file);
    store.LoadHistoryFile();
    store.SetNumberOfDaysInHistory(2);
    ASSERT_TRUE(store.SaveHistory());
    EXPECT_EQ(ReadFile(DataFile()), (Key(2) + "|http://www.a.com/2\r\n" + Key(1) + "|http://www.a.com/1\r\n" + Key(0)
                                      + "|http://www.a.com/0\r\n")
                                         .toUtf8());

    store.SetNumberOfDaysInHistory(0);
    store.PruneOldHistoryDays();
    EXPECT_EQ(store.NumberOfDaysInHistory(), 1);
    ASSERT_EQ(store.Days().size(), 2);
    EXPECT_EQ(store.Days().first().Key, Key(1));
}

TEST_F(HistoryStoreTest, TodaysVisitsSurviveARestart)
{
    store.SetNumberOfDaysInHistory(20);
    store.AddHistoryItem2("http://www.a.com/", "A");
    ASSERT_TRUE(store.SaveHistory());

    HistoryStore restarted(DataFile());
    restarted.SetCurrentDateSource([] { return Today; });
    restarted.SetNumberOfDaysInHistory(20);
    restarted.LoadHistoryFile();
    ASSERT_EQ(restarted.PageCount(), 1);
    EXPECT_FALSE(restarted.AddHistoryItem2("http://www.a.com/", "A").Added);
    ASSERT_TRUE(restarted.SaveHistory());
    EXPECT_EQ(ReadFile(DataFile()), "12/8/2026|http://www.a.com/\r\n");
}

TEST_F(HistoryStoreTest, FileRoundTripsAndBadLinesAreSkipped)
{
    WriteFile(DataFile(), "12/7/2026|http://www.a.com/1\r\n"
                          "no bar here\r\n"
                          "12/7/2026|http://x.org/\n"
                          "yesterday|http://www.a.com/2\r\n"
                          "12/7/26|http://www.a.com/3\r\n"
                          "12/07/2026|http://www.a.com/4|extra\r\n"
                          "12/7/2026|\r\n"
                          "12/7/2026|http://www.a.com/1\r\n"
                          "12/8/2026|http://www.\xc3\xa9t\xc3\xa9.fr/\r\n"
                          "12/7/2026|http://www.a.com/unfinished");
    store.SetNumberOfDaysInHistory(20);
    store.LoadHistoryFile();
    ASSERT_EQ(store.Days().size(), 2);
    EXPECT_EQ(store.Days()[0].Sites[0].Pages, (QStringList{"http://www.a.com/1", "http://www.a.com/4"}));
    EXPECT_EQ(store.Days()[1].Sites[0].Name, QString::fromUtf8("\xc3\xa9t\xc3\xa9.fr"));
    ASSERT_TRUE(store.SaveHistory());
    const QByteArray expected = "12/7/2026|http://www.a.com/1\r\n"
                                "12/7/2026|http://www.a.com/4\r\n"
                                "12/7/2026|http://x.org/\r\n"
                                "12/8/2026|http://www.\xc3\xa9t\xc3\xa9.fr/\r\n";
    EXPECT_EQ(ReadFile(DataFile()), expected);

    HistoryStore again(DataFile());
    again.SetCurrentDateSource([] { return Today; });
    again.SetNumberOfDaysInHistory(20);
    again.LoadHistoryFile();
    ASSERT_TRUE(again.SaveHistory());
    EXPECT_EQ(ReadFile(DataFile()), expected);
}

TEST_F(HistoryStoreTest, EmptyOrMissingFileChangesNothingAndClearEmptiesBoth)
{
    store.AddHistoryItem2("http://www.a.com/", "A");
    WriteFile(DataFile(), "");
    store.LoadHistoryFile();
    EXPECT_EQ(store.PageCount(), 1);

    WriteFile(DataFile(), "12/8/2026|http://www.b.com/\r\n");
    QSignalSpy changed(&store, &HistoryStore::HistoryChanged);
    ASSERT_TRUE(store.ClearHistory2());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(store.PageCount(), 0);
    EXPECT_TRUE(QFile::exists(DataFile()));
    EXPECT_TRUE(ReadFile(DataFile()).isEmpty());
}

TEST_F(HistoryStoreTest, VisitsBeforeLoadingAreKeptAfterTheFile)
{
    WriteFile(DataFile(), "12/7/2026|http://www.a.com/1\r\n12/8/2026|http://www.a.com/2\r\n");
    store.AddHistoryItem2("http://www.a.com/2", "2");
    store.AddHistoryItem2("http://www.a.com/3", "3");
    store.SetNumberOfDaysInHistory(20);
    ASSERT_TRUE(store.SaveHistory());
    EXPECT_EQ(ReadFile(DataFile()),
              "12/7/2026|http://www.a.com/1\r\n12/8/2026|http://www.a.com/2\r\n12/8/2026|http://www.a.com/3\r\n");
}

TEST_F(HistoryStoreTest, AnAddressCannotBreakTheFile)
{
    store.SetNumberOfDaysInHistory(20);
    store.AddHistoryItem2("http://www.a.com/x|y\r\n12/8/2026|http://evil/", "A");
    ASSERT_TRUE(store.SaveHistory());
    EXPECT_EQ(ReadFile(DataFile()), "12/8/2026|http://www.a.com/x%7Cy12/8/2026%7Chttp://evil/\r\n");
}

TEST_F(HistoryStoreTest, CountsPassSixteenBits)
{
    for (int i = 0; i < 40000; ++i)
        store.AddHistoryItem2("http://www.a.com/" + QString::number(i), "page");
    EXPECT_EQ(store.PageCount(), 40000);
    store.SetNumberOfDaysInHistory(40000);
    ASSERT_TRUE(store.SaveHistory());
    HistoryStore again(DataFile());
    again.LoadHistoryFile();
    EXPECT_EQ(again.PageCount(), 40000);
}
