#include "StoreTestFiles.h"
#include "controls/AutoCompleteStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class AutoCompleteStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { store.SetCurrentDateSource([] { return QDate(2026, 12, 8); }); }
    QString DataFile() const { return dir.filePath("AutoComplete2.dat"); }

    QTemporaryDir dir;
    AutoCompleteStore store{dir.filePath("AutoComplete2.dat")};
};

TEST(AutoCompleteEntryLine, HostAndKindFollowTheAddress)
{
    const QDate day(2026, 1, 5);
    EXPECT_EQ(AutoCompleteStore::EntryLine(AutoCompleteStore::MakeEntry("http://www.example.com", day)),
              "1/5/2026|http://www.example.com|example.com|1");
    EXPECT_EQ(AutoCompleteStore::EntryLine(AutoCompleteStore::MakeEntry("ftp://ftp.example.org/pub", day)),
              "1/5/2026|ftp://ftp.example.org/pub|example.org/pub|2");
    EXPECT_EQ(AutoCompleteStore::EntryLine(AutoCompleteStore::MakeEntry("https://www.example.com", day)),
              "1/5/2026|https://www.example.com||0");
    EXPECT_EQ(AutoCompleteStore::EntryLine(AutoCompleteStore::MakeEntry("http", day)), "1/5/2026|http||0");
}

TEST(AutoCompleteEntryLine, BadLinesAreRefused)
{
    for (const char *line : {"12/8/2026|http://a.com|", "12/8/2026|http://a.com||3", "12/8/2026|http://a.com||x",
                             "12/8/26|http://a.com||0", "13/40/2026|http://a.com||0", "12/8/2026|||0", "",
                             "Tuesday|http://a.com||0"})
        EXPECT_FALSE(AutoCompleteStore::ParseEntryLine(line).has_value()) << line;
    const auto entry = AutoCompleteStore::ParseEntryLine("12/8/2026|http://www.a.com|a.com|1");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->Address, "http://www.a.com");
    EXPECT_EQ(entry->Kind, 1);
}

TEST_F(AutoCompleteStoreTest, FileRoundTripsByteForByteAndSkipsBadLines)
{
    WriteFile(DataFile(), "1/2/2025|http://www.a.com|a.com|1\r\n"
                          "broken line\r\n"
                          "1/3/2025|ftp://ftp.b.org|b.org|2\n"
                          "1/4/2025|http://www.a.com|a.com|1\r\n"
                          "12/31/2025|http://c.com||0\r\n"
                          "1/5/2025|http://www.unfinished.com|unfinished.com|1");
    store.InitializeAutoComplete();
    EXPECT_EQ(store.Count(), 3);
    store.AddAutoCompleteEntry("http://www.d.de");
    ASSERT_TRUE(store.SaveAutoCompleteDataFile());
    const QByteArray expected = "1/2/2025|http://www.a.com|a.com|1\r\n"
                                "1/3/2025|ftp://ftp.b.org|b.org|2\r\n"
                                "12/31/2025|http://c.com||0\r\n"
                                "12/8/2026|http://www.d.de|d.de|1\r\n";
    EXPECT_EQ(ReadFile(DataFile()), expected);

    AutoCompleteStore again(DataFile());
    again.InitializeAutoComplete();
    ASSERT_TRUE(again.SaveAutoCompleteDataFile());
    EXPECT_EQ(ReadFile(DataFile()), expected);
}

TEST_F(AutoCompleteStoreTest, RepeatsInTheFileKeepTheFirstEntryOnly)
{
    WriteFile(DataFile(), "1/1/2025|ftp://ftp.xx.com||0\r\n"
                          "1/2/2025|http://www.x.com|x.com|1\r\n"
                          "1/3/2025|http||0\r\n"
                          "1/4/2025|http://www.x.com|x.com|1\r\n"
                          "1/5/2025|http||0\r\n"
                          "1/6/2025|ftp://ftp.xx.com||0\r\n"
                          "1/7/2025|http://www.y.com|y.com|1\r\n");
    store.InitializeAutoComplete();
    QStringList kept;
    for (const AutoCompleteEntry &entry : store.Entries())
        kept.append(entry.Date + ' ' + entry.Address);
    EXPECT_EQ(kept, (QStringList{"1/1/2025 ftp://ftp.xx.com", "1/2/2025 http://www.x.com", "1/3/2025 http",
                                 "1/7/2025 http://www.y.com"}));
    for (const char *address : {"ftp://ftp.xx.com", "http://www.x.com", "http", "http://www.y.com"})
        EXPECT_TRUE(store.Contains(address)) << address;
    for (const char *address : {"http://www.xx.com", "https://www.x.com", "htt", "http://www.y.co"})
        EXPECT_FALSE(store.Contains(address)) << address;
    EXPECT_EQ(store.FindAutoCompleteMatches("x").Addresses, (QStringList{"ftp://ftp.xx.com", "http://www.x.com"}));
    EXPECT_EQ(store.FindAutoCompleteMatches("y.com").Addresses, QStringList{"http://www.y.com"});
}

TEST_F(AutoCompleteStoreTest, AnAddressKeepsItsFirstEntry)
{
    store.InitializeAutoComplete();
    store.AddAutoCompleteEntry("http://www.a.com");
    store.SetCurrentDateSource([] { return QDate(2026, 12, 9); });
    store.AddAutoCompleteEntry("http://www.a.com");
    store.AddAutoCompleteEntry("");
    store.AddAutoCompleteEntry("http://www.b.com/|1\r\n");
    ASSERT_EQ(store.Count(), 2);
    EXPECT_EQ(AutoCompleteStore::EntryLine(store.Entries().last()), "12/9/2026|http://www.b.com/%7C1|b.com/%7C1|1");
    EXPECT_EQ(store.Entries().first().Date, "12/8/2026");
}

TEST_F(AutoCompleteStoreTest, MissingFileIsCreatedUnlessReadOnly)
{
    AutoCompleteStore readOnly(DataFile());
    readOnly.SetReadOnly(true);
    readOnly.InitializeAutoComplete();
    readOnly.AddAutoCompleteEntry("http://www.a.com");
    EXPECT_TRUE(readOnly.SaveAutoCompleteDataFile());
    EXPECT_FALSE(QFile::exists(DataFile()));

    store.InitializeAutoCompleteDataFile();
    EXPECT_TRUE(QFile::exists(DataFile()));
    EXPECT_FALSE(store.IsLoaded());
}

TEST_F(AutoCompleteStoreTest, CompletesTheHostWhicheverWayItIsTyped)
{
    store.InitializeAutoComplete();
    store.AddAutoCompleteEntry("http://www.example.com");
    store.AddAutoCompleteEntry("http://www.other.org");
    for (const char *typed : {"exa", "www.exa", "http://www.exa"}) {
        const AutoCompleteMatches matches = store.FindAutoCompleteMatches(typed);
        EXPECT_TRUE(matches.Ran) << typed;
        EXPECT_EQ(matches.Addresses, QStringList{"http://www.example.com"}) << typed;
        EXPECT_EQ(AutoCompleteStore::CompletionSelectionStart(typed, "http://www.example.com"),
                  QString("http://www.exa").size())
            << typed;
    }
    EXPECT_EQ(AutoCompleteStore::CompletionSelectionStart("w", "http://www.wiki.org"), 8);
    EXPECT_EQ(AutoCompleteStore::CompletionSelectionStart("zz", "http://www.wiki.org"), 19);
}

TEST_F(AutoCompleteStoreTest, MatchingRulesCaseByCase)
{
    store.InitializeAutoComplete();
    for (const char *address : {"http://www.beta.com", "http://www.alpha.com", "ftp://ftp.xalpine.org", "http",
                                "http://www.alpaca.net", "https://www.alps.ch"})
        store.AddAutoCompleteEntry(address);
    // Stored order, not alphabetical order; "ftp://ftp." is compared from the host's second letter.
    EXPECT_EQ(store.FindAutoCompleteMatches("alp").Addresses,
              (QStringList{"http://www.alpha.com", "ftp://ftp.xalpine.org", "http://www.alpaca.net"}));
    EXPECT_EQ(store.FindAutoCompleteMatches(".alps").Addresses, QStringList{"https://www.alps.ch"});
    const AutoCompleteMatches none = store.FindAutoCompleteMatches("ALP");
    EXPECT_TRUE(none.Ran);
    EXPECT_TRUE(none.Addresses.isEmpty());
    for (const char *typed : {"http://alp", "http", "ftp.alp", "", "www.", "http://www."})
        EXPECT_FALSE(store.FindAutoCompleteMatches(typed).Ran) << typed;
    EXPECT_TRUE(store.FindAutoCompleteMatches("h").Addresses.isEmpty());
}

TEST_F(AutoCompleteStoreTest, EntriesMadeBeforeLoadingFollowTheFile)
{
    WriteFile(DataFile(), "1/2/2025|http://www.a.com|a.com|1\r\n");
    store.AddAutoCompleteEntry("http://www.a.com");
    store.AddAutoCompleteEntry("http://www.b.com");
    ASSERT_TRUE(store.SaveAutoCompleteDataFile());
    EXPECT_EQ(ReadFile(DataFile()), "1/2/2025|http://www.a.com|a.com|1\r\n12/8/2026|http://www.b.com|b.com|1\r\n");
    EXPECT_EQ(store.FindAutoCompleteMatches("b").Addresses, QStringList{"http://www.b.com"});
}

// Every entry was learned from a typed address: clearing them leaves nothing to suggest, in
// this run and, through the file, in the next.
TEST_F(AutoCompleteStoreTest, ClearingForgetsEveryEntryInMemoryAndOnDisk)
{
    store.InitializeAutoComplete();
    store.AddAutoCompleteEntry("http://www.cleared.test/");
    store.AddAutoCompleteEntry("http://x");
    ASSERT_TRUE(store.SaveAutoCompleteDataFile());

    ASSERT_TRUE(store.ClearAutoComplete());
    EXPECT_EQ(store.Count(), 0);
    EXPECT_FALSE(store.Contains("http://x"));
    EXPECT_TRUE(store.MatchText("clea").isEmpty());
    EXPECT_EQ(ReadFile(DataFile()), QByteArray());
    ASSERT_TRUE(store.SaveAutoCompleteDataFile());
    EXPECT_EQ(ReadFile(DataFile()), QByteArray());

    AutoCompleteStore nextRun(DataFile());
    nextRun.InitializeAutoComplete();
    EXPECT_EQ(nextRun.Count(), 0);
    store.AddAutoCompleteEntry("http://www.cleared.test/");
    EXPECT_EQ(store.Count(), 1) << "an address typed again is learned again";
}
