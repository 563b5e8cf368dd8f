// The listing parser against lines as common servers send them (tests/ftp/data/listing-lines.txt):
// every good line reads right, no bad line becomes an entry, and no bad line costs the good
// lines around it.
#include "ftp/FtpListingParser.h"

#include <QFile>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace
{
const QDate kToday(2026, 6, 15);

struct Expected
{
    bool isDirectory = false;
    qint64 size = 0;
    std::string when;
    std::string name;
    std::string target;
    std::string permissions;
    std::string owner;
    std::string group;
};

struct CorpusLine
{
    int lineNumber = 0;
    QByteArray bytes;
    std::optional<Expected> entry;
};

// "\xHH" stands for the byte HH.
QByteArray Unescape(QByteArrayView text)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            bool ok = false;
            const int byte = text.sliced(i + 2, 2).toByteArray().toInt(&ok, 16);
            if (ok) {
                out.append(static_cast<char>(byte));
                i += 3;
                continue;
            }
        }
        out.append(text[i]);
    }
    return out;
}

Expected ReadExpected(const QByteArray &text, int lineNumber)
{
    const QList<QByteArray> fields = text.split('|');
    if (fields.size() != 8)
        ADD_FAILURE() << "corpus line " << lineNumber << ": expected 8 fields";
    const auto field = [&](int k) {
        return k < fields.size() ? Unescape(QByteArrayView(fields[k]).trimmed()).toStdString() : std::string();
    };
    // The name keeps its blanks: only the one blank either side of the separators goes.
    const auto name = [&](int k) {
        if (k >= fields.size())
            return std::string();
        QByteArray raw = fields[k];
        if (raw.startsWith(' '))
            raw.remove(0, 1);
        if (raw.endsWith(' '))
            raw.chop(1);
        return Unescape(raw).toStdString();
    };
    Expected expected;
    expected.isDirectory = field(0) == "dir";
    expected.size = QByteArray::fromStdString(field(1)).toLongLong();
    expected.when = field(2);
    expected.name = name(3);
    expected.target = name(4);
    expected.permissions = field(5);
    expected.owner = field(6);
    expected.group = field(7);
    return expected;
}

std::vector<CorpusLine> LoadCorpus()
{
    QFile file(QStringLiteral(KV_SOURCE_DIR "/tests/ftp/data/listing-lines.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "the corpus cannot be read";
        return {};
    }
    std::vector<CorpusLine> corpus;
    int lineNumber = 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        ++lineNumber;
        if (line.startsWith("= ")) {
            if (corpus.empty() || corpus.back().lineNumber != lineNumber - 1) {
                ADD_FAILURE() << "corpus line " << lineNumber << ": no listing line above";
                continue;
            }
            if (line != "= none")
                corpus.back().entry = ReadExpected(line.mid(2), lineNumber);
        } else if (!line.isEmpty() && !line.startsWith('#')) {
            corpus.push_back({lineNumber, Unescape(line), std::nullopt});
        }
    }
    return corpus;
}

std::optional<CFtpFiles> Parse(const QByteArray &listing)
{
    return FtpListingParser::ParseDirectoryListing(listing, kToday);
}

void ExpectEntry(const CFtpFile &file, const Expected &expected, int lineNumber)
{
    SCOPED_TRACE("corpus line " + std::to_string(lineNumber));
    EXPECT_EQ(file.FileName().toStdString(), expected.name);
    EXPECT_EQ(file.FileSize(), expected.size);
    EXPECT_EQ(file.IsDirectory(), expected.isDirectory);
    EXPECT_EQ(file.LastWriteTime().toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString(),
              expected.when);
    EXPECT_EQ(file.FilePath().toStdString(), expected.target);
    EXPECT_EQ(file.Permissions().toStdString(), expected.permissions);
    EXPECT_EQ(file.Owner().toStdString(), expected.owner);
    EXPECT_EQ(file.Group().toStdString(), expected.group);
}

class FtpListingCorpus : public ::testing::Test
{
protected:
    const std::vector<CorpusLine> corpus = LoadCorpus();

    const CorpusLine &FirstGood() const
    {
        for (const CorpusLine &line : corpus) {
            if (line.entry)
                return line;
        }
        return corpus.front();
    }
};
}

TEST_F(FtpListingCorpus, HoldsGoodAndBadLines)
{
    int good = 0;
    for (const CorpusLine &line : corpus)
        good += line.entry ? 1 : 0;
    EXPECT_GE(good, 50);
    EXPECT_GE(static_cast<int>(corpus.size()) - good, 20);
}

TEST_F(FtpListingCorpus, EachLineAloneReadsRightOrGivesNoEntry)
{
    for (const CorpusLine &line : corpus) {
        const auto files = Parse(line.bytes + "\r\n");
        if (!line.entry) {
            EXPECT_TRUE(!files || files->Count() == 0) << "corpus line " << line.lineNumber << " became an entry";
            continue;
        }
        if (!files || files->Count() != 1) {
            ADD_FAILURE() << "corpus line " << line.lineNumber << " was not read: " << line.bytes.toStdString();
            continue;
        }
        ExpectEntry(files->Item(1), *line.entry, line.lineNumber);
    }
}

TEST_F(FtpListingCorpus, WholeCorpusAsOneListingWithEitherLineEnd)
{
    for (const char *lineEnd : {"\r\n", "\n"}) {
        QByteArray listing;
        std::vector<const CorpusLine *> good;
        for (const CorpusLine &line : corpus) {
            listing += line.bytes + lineEnd;
            if (line.entry)
                good.push_back(&line);
        }
        const auto files = Parse(listing);
        ASSERT_TRUE(files);
        ASSERT_EQ(files->Count(), static_cast<int>(good.size()));
        for (size_t k = 0; k < good.size(); ++k)
            ExpectEntry(files->Item(static_cast<int>(k) + 1), *good[k]->entry, good[k]->lineNumber);
    }
}

TEST_F(FtpListingCorpus, BadLineBetweenGoodLinesCostsNeither)
{
    const CorpusLine &good = FirstGood();
    for (const CorpusLine &line : corpus) {
        if (line.entry)
            continue;
        const auto files = Parse(good.bytes + "\r\n" + line.bytes + "\r\n" + good.bytes + "\r\n");
        ASSERT_TRUE(files) << "corpus line " << line.lineNumber << " rejected the listing";
        ASSERT_EQ(files->Count(), 2) << "corpus line " << line.lineNumber;
        ExpectEntry(files->Item(1), *good.entry, good.lineNumber);
        ExpectEntry(files->Item(2), *good.entry, good.lineNumber);
    }
}
