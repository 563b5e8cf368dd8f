#include "StoreTestFiles.h"
#include "controls/AutoCompleteStore.h"
#include "controls/TypedAddressList.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList Texts(const TypedAddressList &list)
{
    QStringList texts;
    for (const TypedAddress &item : list.Items())
        texts.append(item.Text);
    return texts;
}

struct Case {
    const char *text;
    bool isAddress;
    const char *address;
    qint16 kind;
};

} // namespace

TEST(TypedAddressRules, NormalisesCommittedTextCaseByCase)
{
    const Case cases[] = {
        {"www.example.com", true, "http://www.example.com", WebAddress},
        {"ftp.example.org", true, "ftp://ftp.example.org", FtpAddress},
        {"ftp://files.example.org", true, "ftp://files.example.org", FtpAddress},
        {"example.com", true, "http://www.example.com", WebAddress},
        {"127.0.0.1", true, "http://127.0.0.1", WebAddress},
        {"10.0.0.2:8080/a.html", true, "http://10.0.0.2:8080/a.html", WebAddress},
        {"file:///tmp/Help.html", true, "file:///tmp/Help.html", WebAddress},
        {"view-source://x.test", true, "view-source://x.test", WebAddress},
        {"1.5 kg", true, "http://www.1.5 kg", WebAddress},
        {"http://example.com", true, "http://example.com", WebAddress},
        {"https://example.com/a", true, "https://example.com/a", WebAddress},
        {"http", true, "http", WebAddress},
        {"WWW.example.com", true, "http://www.WWW.example.com", WebAddress},
        {"weather", false, "", NoAddress},
        {"mailto:someone", false, "", NoAddress},
        {"", false, "", NoAddress},
        {"ftp", false, "", NoAddress},
    };
    for (const Case &c : cases) {
        const CommittedText result = AddressRules::NormalizeCommittedText(QString::fromUtf8(c.text));
        EXPECT_EQ(result.IsAddress, c.isAddress) << c.text;
        EXPECT_EQ(result.Address, QString::fromUtf8(c.address)) << c.text;
        EXPECT_EQ(result.Kind, c.kind) << c.text;
    }
}

TEST(TypedAddressRules, LineBreaksAndBarsNeverReachAnAddress)
{
    EXPECT_EQ(AddressRules::NormalizeCommittedText("www.exam\r\nple.com").Address, "http://www.example.com");
    EXPECT_EQ(AddressRules::NormalizeCommittedText("\nwww.example.com").Address, "http://www.example.com");
    EXPECT_EQ(AddressRules::NormalizeCommittedText("http://a.com/x|y").Address, "http://a.com/x%7Cy");
}

class TypedAddressListTest : public ::testing::Test
{
protected:
    QString UrlDat() const { return dir.filePath("Url.dat"); }

    QTemporaryDir dir;
    TypedAddressList list{dir.filePath("Url.dat")};
    AutoCompleteStore autoComplete{dir.filePath("AutoComplete2.dat")};
};

TEST_F(TypedAddressListTest, SearchLeavesEverythingAsItWas)
{
    list.SetMaxItems(25);
    list.AddItem("www.a.com", &autoComplete);
    QSignalSpy changed(&list, &TypedAddressList::ListChanged);
    const AddItemResult result = list.AddItem("weather today", &autoComplete);
    EXPECT_FALSE(result.IsAddress);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(Texts(list), QStringList{"http://www.a.com"});
    EXPECT_EQ(autoComplete.Count(), 1);
}

TEST_F(TypedAddressListTest, KnownAddressMovesToTheTopWithoutNewCompletion)
{
    list.SetMaxItems(25);
    list.AddItem("www.a.com", &autoComplete);
    list.AddItem("ftp.b.org", &autoComplete);
    list.AddItem("c.net", &autoComplete);
    const AddItemResult result = list.AddItem("www.a.com", &autoComplete);
    EXPECT_TRUE(result.IsAddress);
    EXPECT_FALSE(result.IsNew);
    EXPECT_EQ(result.Address, "http://www.a.com");
    EXPECT_EQ(Texts(list), (QStringList{"ftp://ftp.b.org", "http://www.c.net", "http://www.a.com"}));
    EXPECT_EQ(list.Item(1).Kind, FtpAddress);
    EXPECT_EQ(autoComplete.Count(), 3);
}

TEST_F(TypedAddressListTest, LimitDropsTheOldest)
{
    list.SetMaxItems(3);
    for (const char *text : {"http://A", "http://B", "http://C"})
        list.AddItem(text);
    TypedAddressList moved(dir.filePath("other.dat"));
    moved.SetMaxItems(3);
    for (const char *text : {"http://A", "http://B", "http://C"})
        moved.AddItem(text);

    list.AddItem("http://D");
    EXPECT_EQ(Texts(list), (QStringList{"http://B", "http://C", "http://D"}));
    moved.AddItem("http://B");
    EXPECT_EQ(Texts(moved), (QStringList{"http://A", "http://C", "http://B"}));
}

TEST_F(TypedAddressListTest, ZeroLimitStillShowsAndRecordsTheAddress)
{
    const AddItemResult result = list.AddItem("www.a.com", &autoComplete);
    EXPECT_TRUE(result.IsAddress);
    EXPECT_EQ(result.Address, "http://www.a.com");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(autoComplete.Contains("http://www.a.com"));
}

TEST_F(TypedAddressListTest, LoadsLinesThroughTheRulesAndIgnoresTheUnfinishedLast)
{
    WriteFile(UrlDat(), "http://a.com\r\nwww.b.com\nnot an address\r\nhttp://a.com\r\nhttp://c.com");
    list.SetMaxItems(25);
    QSignalSpy changed(&list, &TypedAddressList::ListChanged);
    list.LoadAddressList(&autoComplete);
    EXPECT_EQ(Texts(list), (QStringList{"http://www.b.com", "http://a.com"}));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(autoComplete.Count(), 2);
    list.LoadAddressList(&autoComplete);
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(TypedAddressListTest, WritesOldestFirstWithCrLfAndReadsBackTheSame)
{
    list.SetMaxItems(25);
    list.LoadAddressList();
    list.AddItem("ftp://x.org");
    list.AddItem("www.ü.de");
    list.AddItem("http://a.com/p|q\n");
    ASSERT_TRUE(list.WriteAddressList());
    const QByteArray expected = "ftp://x.org\r\nhttp://www.\xc3\xbc.de\r\nhttp://a.com/p%7Cq\r\n";
    EXPECT_EQ(ReadFile(UrlDat()), expected);

    TypedAddressList again(UrlDat());
    again.SetMaxItems(25);
    again.LoadAddressList();
    EXPECT_EQ(Texts(again), Texts(list));
    EXPECT_EQ(again.Item(1).Kind, FtpAddress);
    ASSERT_TRUE(again.WriteAddressList());
    EXPECT_EQ(ReadFile(UrlDat()), expected);
}

TEST_F(TypedAddressListTest, AddressesCommittedBeforeLoadingStayNewestAndNoneIsLost)
{
    WriteFile(UrlDat(), "http://old.com\r\nhttp://both.com\r\n");
    list.SetMaxItems(25);
    list.AddItem("http://both.com");
    list.AddItem("http://new.com");
    ASSERT_TRUE(list.WriteAddressList());
    EXPECT_EQ(ReadFile(UrlDat()), "http://old.com\r\nhttp://both.com\r\nhttp://new.com\r\n");
}

TEST_F(TypedAddressListTest, EditsRemovalsAndChoicesKeepTheFileOneAddressALine)
{
    list.SetMaxItems(25);
    for (const char *text : {"http://a", "http://b", "http://c"})
        list.AddItem(text);
    list.MoveToNewest(1);
    EXPECT_EQ(Texts(list), (QStringList{"http://b", "http://c", "http://a"}));
    list.SetItemText(2, "typed\r\nby|hand");
    list.RemoveItem(1);
    list.RemoveItem(7);
    EXPECT_EQ(Texts(list), (QStringList{"typedby%7Chand", "http://a"}));
    ASSERT_TRUE(list.WriteAddressList());
    EXPECT_EQ(ReadFile(UrlDat()), "typedby%7Chand\r\nhttp://a\r\n");
}

TEST_F(TypedAddressListTest, ClearEmptiesListAndFile)
{
    WriteFile(UrlDat(), "http://a.com\r\n");
    list.SetMaxItems(25);
    list.LoadAddressList();
    ASSERT_TRUE(list.ClearAddressList());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(ReadFile(UrlDat()).isEmpty());
    EXPECT_TRUE(QFile::exists(UrlDat()));
}

// The file is read in one pass; the list comes out as committing each line in turn makes it.
TEST_F(TypedAddressListTest, LoadingGivesWhatCommittingEachLineInTurnGives)
{
    const QStringList lines = {"http://a.com", "www.b.com", "ftp.c.org", "search words", "http://a.com",
                               "d.com",        "www.b.com", "ftp://e.org", "http://f.com",  "ftp.c.org"};
    WriteFile(UrlDat(), (lines.join("\r\n") + "\r\n").toUtf8());
    for (const int limit : {0, 1, 3, 25}) {
        TypedAddressList loaded(UrlDat());
        AutoCompleteStore loadedCompletions(dir.filePath("loaded.dat"));
        loaded.SetMaxItems(limit);
        loaded.LoadAddressList(&loadedCompletions);

        TypedAddressList committed(dir.filePath("none.dat"));
        AutoCompleteStore committedCompletions(dir.filePath("committed.dat"));
        committed.SetMaxItems(limit);
        for (const QString &line : lines)
            committed.AddItem(line, &committedCompletions);

        EXPECT_EQ(Texts(loaded), Texts(committed)) << limit;
        for (int i = 1; i <= committed.Count(); ++i)
            EXPECT_EQ(loaded.Item(i).Kind, committed.Item(i).Kind) << limit << " " << i;
        ASSERT_EQ(loadedCompletions.Count(), committedCompletions.Count()) << limit;
        for (int i = 0; i < committedCompletions.Count(); ++i)
            EXPECT_EQ(loadedCompletions.Entries().at(i).Address, committedCompletions.Entries().at(i).Address);
    }
}
