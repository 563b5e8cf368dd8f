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
    const QString text = QStringLiteral(
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
    EXPECT_EQ(ParseUnixDate(u"Jun 16 08:00", kToday), QDateTime(QDate(2026, 6, 16), QTime(8, 0)));
    EXPECT_EQ(ParseUnixDate(u"Dec 20 23:59", kToday), QDateTime(QDate(2025, 12, 20), QTime(23, 59)));
    EXPECT_EQ(ParseUnixDate(u"Jan  5  2001", kToday), QDateTime(QDate(2001, 1, 5), QTime(0, 0)));
    EXPECT_FALSE(ParseUnixDate(u"Foo 15 12:00", kToday).isValid());
    EXPECT_FALSE(ParseUnixDate(u"Feb 30  2001", kToday).isValid());
}

TEST(FtpListingParser, MonthNameMustSitBetweenSizeAndDay)
{
    EXPECT_EQ(GetDateStartPosition(u"-rw-r--r-- 1 a b 10 Jan 15 12:34 x"), 21);
    // "jan" in the owner name is skipped; the real date follows.
    EXPECT_EQ(GetDateStartPosition(u"-rw-r--r-- 1 jan b 10 Jul  1  2020 x"), 23);
    EXPECT_EQ(GetDateStartPosition(u"readme.txt"), 0);
}

TEST(FtpListingParser, DosListing)
{
    const QString text = QStringLiteral(
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

TEST(FtpListingParser, EmptyLinesAndUnknownForms)
{
    const auto empty = ParseDirectoryListing(QString(), kToday);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Count(), 0);

    // Lines after an empty line are ignored.
    const auto cut = ParseDirectoryListing(
        QStringLiteral("-rw-r--r-- 1 a b 1 Jan 15 12:34 one\n\nplain\n"), kToday);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->Count(), 1);

    EXPECT_FALSE(ParseDirectoryListing(QStringLiteral("one.txt\r\ntwo.txt\r\n"), kToday));
}

TEST(FtpListingParser, CollectionKeepsOrderAndDuplicates)
{
    const auto files = ParseDirectoryListing(QStringLiteral("-rw-r--r-- 1 a b 1 Jan 15 12:34 same\n"
                                                            "-rw-r--r-- 1 a b 2 Jan 15 12:34 same\n"),
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
