#include "browsingdata/SearchConfig.h"

#include "tests/support/FileBytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray ThreeEngines = "Alpha|False|q|http://a/pane|http://a/search\r\n"
                                "Beta|True|query|http://b/pane|http://b/s\r\n"
                                "Gamma|False|p|http://c/pane|http://c/find\r\n";

} // namespace

TEST(SearchConfig, ReadsEnginesAndTheSelectedOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"SearchConfig.dat"_qs);
    WriteFile(path, ThreeEngines);
    SearchConfig config;
    ASSERT_TRUE(config.Load(path));
    ASSERT_EQ(config.Engines().size(), 3);
    EXPECT_EQ(config.SelectedIndex(), 1);
    const SearchEngine &beta = config.Engines().at(1);
    EXPECT_EQ(beta.Name, u"Beta"_qs);
    EXPECT_EQ(beta.QueryParam, u"query"_qs);
    EXPECT_EQ(beta.PanePage, u"http://b/pane"_qs);
    EXPECT_EQ(beta.SearchBase, u"http://b/s"_qs);
}

TEST(SearchConfig, WriteRereadIsByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"SearchConfig.dat"_qs);
    const QByteArray text = "Motor \xC3\xA9tendu|True|q|http://x/p?a=True|http://x/False\r\n"
                            "Zweite|False|q|http://y/|http://y/s|extra\r\n";
    WriteFile(path, text);
    SearchConfig config;
    ASSERT_TRUE(config.Load(path));
    EXPECT_EQ(config.Engines().at(0).Name, QString::fromUtf8("Motor \xC3\xA9tendu"));
    EXPECT_EQ(config.Engines().at(1).SearchBase, u"http://y/s|extra"_qs);
    ASSERT_TRUE(config.Save(path));
    EXPECT_EQ(ReadFile(path), text);
}

TEST(SearchConfig, SelectingRewritesOnlyTheFlags)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"SearchConfig.dat"_qs);
    WriteFile(path, ThreeEngines);
    SearchConfig config;
    config.Load(path);
    config.SetSelected(2);
    ASSERT_TRUE(config.Save(path));
    EXPECT_EQ(ReadFile(path), QByteArray("Alpha|False|q|http://a/pane|http://a/search\r\n"
                                         "Beta|False|query|http://b/pane|http://b/s\r\n"
                                         "Gamma|True|p|http://c/pane|http://c/find\r\n"));
    config.SetSelected(-1);
    config.Save(path);
    EXPECT_FALSE(ReadFile(path).contains("True"));
}

TEST(SearchConfig, LfOnlyReadAndPieceAfterLastLineEndIgnored)
{
    SearchConfig config;
    config.SetLines({u"A|True|q|http://a/|http://a/s"_qs});
    QTemporaryDir dir;
    const QString path = dir.filePath(u"SearchConfig.dat"_qs);
    WriteFile(path, "A|False|q|http://a/|http://a/s\nB|True|q|http://b/|http://b/s\n"
                    "C|False|q|http://c/|http://c/s");
    ASSERT_TRUE(config.Load(path));
    ASSERT_EQ(config.Engines().size(), 2);
    EXPECT_EQ(config.SelectedIndex(), 1);
    config.Save(path);
    EXPECT_EQ(ReadFile(path), QByteArray("A|False|q|http://a/|http://a/s\r\n"
                                         "B|True|q|http://b/|http://b/s\r\n"));
}

TEST(SearchConfig, BadLinesAreSkippedButKeptAndTheRestLoads)
{
    SearchConfig config;
    config.SetLines({u"Short|True|q"_qs, u"Flag|Maybe|q|http://f/|http://f/s"_qs,
                     u"Good|False|q|http://g/|http://g/s"_qs, u""_qs,
                     u"Good|True|q|http://dup/|http://dup/s"_qs,
                     u"|True|q|http://n/|http://n/s"_qs, u"Last|true|k|http://l/|http://l/s"_qs});
    ASSERT_EQ(config.Engines().size(), 2);
    EXPECT_EQ(config.Engines().at(0).Name, u"Good"_qs);
    EXPECT_EQ(config.Engines().at(0).PanePage, u"http://g/"_qs);
    EXPECT_EQ(config.Engines().at(1).Name, u"Last"_qs);
    EXPECT_EQ(config.SelectedIndex(), 1);
    EXPECT_EQ(config.Lines(),
              (QStringList{u"Short|True|q"_qs, u"Flag|Maybe|q|http://f/|http://f/s"_qs,
                           u"Good|False|q|http://g/|http://g/s"_qs,
                           u"Good|True|q|http://dup/|http://dup/s"_qs,
                           u"|True|q|http://n/|http://n/s"_qs, u"Last|True|k|http://l/|http://l/s"_qs}));
}

TEST(SearchConfig, SeveralTrueLinesKeepTheLast)
{
    SearchConfig config;
    config.SetLines({u"A|True|q|a|a"_qs, u"B|True|q|b|b"_qs, u"C|False|q|c|c"_qs});
    EXPECT_EQ(config.SelectedIndex(), 1);
    EXPECT_EQ(config.Lines().first(), u"A|False|q|a|a"_qs);
}

TEST(SearchConfig, MissingFileLoadsNothing)
{
    SearchConfig config;
    config.SetLines({u"A|True|q|a|a"_qs});
    EXPECT_FALSE(config.Load(u"/nonexistent/SearchConfig.dat"_qs));
    EXPECT_EQ(config.Engines().size(), 1);
}

TEST(SearchConfig, SearchTextIsPercentEncoded)
{
    EXPECT_EQ(SearchQueryUrl(u"http://s/search"_qs, u"q"_qs, u"a b&c=d#e%f/\u00e9"_qs),
              u"http://s/search?q=a%20b%26c%3Dd%23e%25f%2F%C3%A9"_qs);
    EXPECT_EQ(SearchQueryUrl(u"http://s/"_qs, u"q"_qs, u"plain"_qs), u"http://s/?q=plain"_qs);
}

TEST(SearchConfig, ShippedFileHasOneSelectedEngine)
{
    SearchConfig config;
    ASSERT_TRUE(config.Load(QStringLiteral(KV_SOURCE_DIR "/resources/SearchConfig.dat")));
    EXPECT_GE(config.Engines().size(), 3);
    const int selected = config.SelectedIndex();
    ASSERT_GE(selected, 0);
    EXPECT_TRUE(config.Engines().at(selected).SearchBase.startsWith(u"https://"));
    int trueLines = 0;
    for (const QString &line : config.Lines())
        trueLines += line.section(u'|', 1, 1) == u"True";
    EXPECT_EQ(trueLines, 1);
}
