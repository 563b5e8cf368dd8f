#include "ftp/FtpListingParser.h"
#include "platform/NumberedError.h"

#include <gtest/gtest.h>

using namespace FtpListingParser;

namespace
{
const QDate kToday(2026, 6, 15);
}

TEST(FtpListingParser, UnixListingWithTotalLineDirectoriesLinksAndGroups)
{
    const QByteArray text = QByteArrayLiteral(
        "total 24\r\n"
        "drwxr-xr-x   2 alice    staff        4096 Jan 15 12:34 docs\r\n"
        "-rw-r--r--   1 alice    staff  5368709120 Mar  5  2020 big image.iso\r\n"
        "lrwxrwxrwx   1 alice    staff          11 Feb 28 09:05 latest -> docs/a b.txt\r\n"
        "-rw-r--r--   1 bob             123 Dec 31  1999 nogroup.txt\r\n");
    const auto files = ParseDirectoryListing(text, kToday);
    ASSERT_TRUE(files);
    ASSERT_EQ(files->Count(), 4);

    const CFtpFile &dir = files->Item(1);
    EXPECT_EQ(dir.FileName(), QStringLiteral("docs"));
    EXPECT_TRUE(dir.IsDirectory());
    EXPECT_EQ(dir.FileSize(), 4096);
    EXPECT_EQ(dir.Permissions(), QStringLiteral("drwxr-xr-x"));
    EXPECT_EQ(dir.Owner(), QStringLiteral("alice"));
    EXPECT_EQ(dir.Group(), QStringLiteral("staff"));
    EXPECT_EQ(dir.LastWriteTime(), QDateTime(QDate(2026, 1, 15), QTime(12, 34)));

    const CFtpFile &big = files->Item(2);
    EXPECT_EQ(big.FileName(), QStringLiteral("big image.iso"));
    EXPECT_EQ(big.FileSize(), Q_INT64_C(5368709120));
    EXPECT_FALSE(big.IsDirectory());
    EXPECT_EQ(big.LastWriteTime(), QDateTime(QDate(2020, 3, 5), QTime(0, 0)));

    const CFtpFile &link = files->Item(3);
    EXPECT_EQ(link.FileName(), QStringLiteral("latest"));
    EXPECT_EQ(link.FilePath(), QStringLiteral("docs/a b.txt"));
    EXPECT_FALSE(link.IsDirectory());

    const CFtpFile &noGroup = files->Item(4);
    EXPECT_EQ(noGroup.Owner(), QStringLiteral("bob"));
    EXPECT_EQ(noGroup.Group(), QString());
    EXPECT_EQ(noGroup.FileSize(), 123);
}

TEST(FtpListingParser, TimeWithoutYearNeverLiesInTheFuture)
{
    const auto files = ParseDirectoryListing("-rw-r--r-- 1 a b 1 Jun 16 08:00 tomorrow\n"
                                             "-rw-r--r-- 1 a b 1 Dec 20 23:59 december\n"
                                             "-rw-r--r-- 1 a b 1 Jan  5  2001 old\n",
                                             kToday);
    ASSERT_TRUE(files);
    ASSERT_EQ(files->Count(), 3);
    EXPECT_EQ(files->Item(1).LastWriteTime(), QDateTime(QDate(2026, 6, 16), QTime(8, 0)));
    EXPECT_EQ(files->Item(2).LastWriteTime(), QDateTime(QDate(2025, 12, 20), QTime(23, 59)));
    EXPECT_EQ(files->Item(3).LastWriteTime(), QDateTime(QDate(2001, 1, 5), QTime(0, 0)));
}

TEST(FtpListingParser, DateIsTheFirstOneAfterASize)
{
    // "jan" as the owner is no date; a date written in the name is part of the name.
    const auto files = ParseDirectoryListing("-rw-r--r-- 1 jan b 10 Jul  1  2020 Aug 5 10:00 x\n", kToday);
    ASSERT_TRUE(files);
    ASSERT_EQ(files->Count(), 1);
    EXPECT_EQ(files->Item(1).Owner(), QStringLiteral("jan"));
    EXPECT_EQ(files->Item(1).FileName(), QStringLiteral("Aug 5 10:00 x"));
    EXPECT_EQ(files->Item(1).LastWriteTime(), QDateTime(QDate(2020, 7, 1), QTime(0, 0)));
}

TEST(FtpListingParser, DosListing)
{
    const QByteArray text = QByteArrayLiteral(
        "01-15-20  10:30AM       <DIR>          My Documents\r\n"
        "12-31-99  11:59PM           6442450944 huge file.bin\r\n");
    const auto files = ParseDirectoryListing(text, kToday);
    ASSERT_TRUE(files);
    ASSERT_EQ(files->Count(), 2);
    EXPECT_TRUE(files->Item(1).IsDirectory());
    EXPECT_EQ(files->Item(1).FileSize(), 0);
    EXPECT_EQ(files->Item(1).FileName(), QStringLiteral("My Documents"));
    EXPECT_EQ(files->Item(1).LastWriteTime(), QDateTime(QDate(2020, 1, 15), QTime(10, 30)));
    EXPECT_FALSE(files->Item(2).IsDirectory());
    EXPECT_EQ(files->Item(2).FileSize(), Q_INT64_C(6442450944));
    EXPECT_EQ(files->Item(2).FileName(), QStringLiteral("huge file.bin"));
    EXPECT_EQ(files->Item(2).LastWriteTime(), QDateTime(QDate(1999, 12, 31), QTime(23, 59)));
}

TEST(FtpListingParser, EmptyListingAndListingOfTotalOnlyGiveNoEntries)
{
    for (const char *text : {"", "total 0\r\n", "\r\n\r\n"}) {
        const auto files = ParseDirectoryListing(text, kToday);
        ASSERT_TRUE(files) << text;
        EXPECT_EQ(files->Count(), 0) << text;
    }
}

TEST(FtpListingParser, OddLinesAreSkippedAndNeverCostTheDirectory)
{
    // A "total" line in mid-listing, an empty line, a line with a field missing and a stray
    // banner line: the good lines around them are all read.
    const auto files = ParseDirectoryListing("-rw-r--r-- 1 a b 1 Jan 15 12:34 one\n"
                                             "total 24\n"
                                             "\n"
                                             "-rw-r--r-- 1 a b Jan 15 12:34 no size\n"
                                             "Welcome to the archive\n"
                                             "-rw-r--r-- 1 a b 2 Jan 15 12:34 two\n",
                                             kToday);
    ASSERT_TRUE(files);
    ASSERT_EQ(files->Count(), 2);
    EXPECT_EQ(files->Item(1).FileName(), QStringLiteral("one"));
    EXPECT_EQ(files->Item(2).FileName(), QStringLiteral("two"));
}

TEST(FtpListingParser, LinesWithoutANameNeverBecomeEntries)
{
    const auto files = ParseDirectoryListing("-rw-r--r-- 1 a b 1 Jan 15 12:34\n"
                                             "-rw-r--r-- 1 a b 1 Jan 15 12:34 \n"
                                             "01-15-20  10:30AM       <DIR>\n"
                                             "-rw-r--r-- 1 a b 1 Jan 15 12:34 named\n",
                                             kToday);
    ASSERT_TRUE(files);
    ASSERT_EQ(files->Count(), 1);
    EXPECT_EQ(files->Item(1).FileName(), QStringLiteral("named"));
}

TEST(FtpListingParser, ListingIsRefusedOnlyWhenNoneOfItsLinesCanBeRead)
{
    EXPECT_FALSE(ParseDirectoryListing("one.txt\r\ntwo.txt\r\n", kToday));
    EXPECT_FALSE(ParseDirectoryListing("total 2\r\n-rw-r--r-- 1 a b 1 Jan 15 12:34\r\n", kToday));
}

TEST(FtpListingParser, CollectionKeepsOrderAndDuplicates)
{
    const auto files = ParseDirectoryListing("-rw-r--r-- 1 a b 1 Jan 15 12:34 same\n"
                                             "-rw-r--r-- 1 a b 2 Jan 15 12:34 same\n",
                                             kToday);
    ASSERT_TRUE(files);
    CFtpFiles copy = *files;
    ASSERT_EQ(copy.Count(), 2);
    qint64 sum = 0;
    for (const CFtpFile &file : copy)
        sum = sum * 10 + file.FileSize();
    EXPECT_EQ(sum, 12);
    copy.Remove(1);
    EXPECT_EQ(copy.Item(1).FileSize(), 2);
    EXPECT_THROW(copy.Item(2), NumberedError);
}
