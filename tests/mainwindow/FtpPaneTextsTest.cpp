#include "mainwindow/FtpPaneTexts.h"
#include "mainwindow/FtpServerAddress.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace FtpPaneTexts;

TEST(FtpPaneTexts, FileIconsByExtension)
{
    EXPECT_EQ(FileIcon(QStringLiteral("Index.HTM")), IconTextFile);
    EXPECT_EQ(FileIcon(QStringLiteral("notes.")), IconTextFile) << "an empty extension is a text file's";
    EXPECT_EQ(FileIcon(QStringLiteral("log")), IconTextFile) << "a name without a dot is its own extension";
    EXPECT_EQ(FileIcon(QStringLiteral("README")), IconOtherFile);
    EXPECT_EQ(FileIcon(QStringLiteral("archive.tar.gz")), IconOtherFile);
    EXPECT_EQ(FileIcon(QStringLiteral("site.shtml")), IconTextFile);
}

TEST(FtpPaneTexts, ListColumnsAndParentDirectory)
{
    EXPECT_EQ(ListedSize(5300000), QStringLiteral("5300000"));
    EXPECT_EQ(ListedSize(5000000000LL), QStringLiteral("5000000000")) << "sizes beyond 2 GB stay whole";
    const QLocale locale = QLocale::system();
    const QDate day(2026, 3, 4);
    EXPECT_EQ(ListedDate(QDateTime(day, QTime(0, 0))), locale.toString(day, QLocale::ShortFormat))
        << "midnight shows the date alone";
    const QString withTime = ListedDate(QDateTime(day, QTime(17, 5, 9)));
    EXPECT_TRUE(withTime.startsWith(locale.toString(day, QLocale::ShortFormat) + QLatin1Char(' ')));
    EXPECT_TRUE(withTime.contains(QStringLiteral("05:09")) || withTime.contains(QStringLiteral("5:09")));
    EXPECT_FALSE(withTime.contains(QStringLiteral("UTC")));

    EXPECT_EQ(ParentDirectory(QStringLiteral("/pub/linux")), QStringLiteral("/pub"));
    EXPECT_EQ(ParentDirectory(QStringLiteral("/pub")), QStringLiteral("/"));
    EXPECT_EQ(ParentDirectory(QStringLiteral("/")), QStringLiteral("/"));
}

TEST(FtpPaneTexts, LocalPathIsShortenedFrom41Characters)
{
    const QString forty = QStringLiteral("/home/someone/downloads/files/abcde.bin");
    ASSERT_EQ(forty.size(), 39);
    const QString path40 = forty + QLatin1Char('x');
    EXPECT_EQ(ShortenedPath(path40), path40);
    const QString path41 = path40 + QLatin1Char('y');
    const QString shortened = ShortenedPath(path41);
    EXPECT_EQ(shortened.size(), 45);
    EXPECT_EQ(shortened, path41.left(12) + QStringLiteral(".....") + path41.right(28));

    // Measured against the label that shows it: the design's form where it fits, else shorter,
    // the path's start going first and the file name's end last.
    const auto fitsIn = [](qsizetype characters) {
        return [characters](const QString &text) { return text.size() <= characters; };
    };
    EXPECT_EQ(ShortenedPath(path41, fitsIn(45)), shortened);
    EXPECT_EQ(ShortenedPath(path40, fitsIn(40)), path40);
    const QString deep = QStringLiteral("/home/someone/saved files/big_slow_with_a_long_file_name.bin");
    EXPECT_EQ(ShortenedPath(deep, fitsIn(36)), QStringLiteral("/ho.....ow_with_a_long_file_name.bin"));
    EXPECT_EQ(ShortenedPath(deep, fitsIn(20)), QStringLiteral("/ho.....ile_name.bin"));
    EXPECT_EQ(ShortenedPath(path40, fitsIn(30)), QStringLiteral("/ho.....loads/files/abcde.binx"));
    EXPECT_EQ(ShortenedPath(deep, fitsIn(6)), QStringLiteral(".....n"));
}

TEST(FtpPaneTexts, ProgressTextsOfARunningDownload)
{
    // 2,100,000 of 5,300,000 bytes after 10 seconds.
    EXPECT_EQ(TransferRate(2100000, 10), 210);
    EXPECT_EQ(TransferRateText(210), QStringLiteral("210 KB/Second"));
    EXPECT_EQ(TimeRemainingText(5300000, 2100000, 10), QStringLiteral("15 Sec (2 MB of 5 MB copied)"));
    EXPECT_EQ(PercentCaption(5300000, 2100000, QStringLiteral("big.iso")), QStringLiteral("39% of big.iso completed"));

    EXPECT_EQ(TransferRate(2500, 1), 2) << "ties go to the even number";
    EXPECT_EQ(TransferRate(3500, 1), 4);
    EXPECT_EQ(TransferRate(400, 1), 0);
    EXPECT_EQ(TimeRemainingText(999999, 400, 1), QStringLiteral("0 Sec (0 KB of 999 KB copied)"))
        << "below half a KB a second there is no time left to tell";
    EXPECT_EQ(TimeRemainingText(999999, 500000, 10), QStringLiteral("10 Sec (500 KB of 999 KB copied)"));
    EXPECT_EQ(TimeRemainingText(2000000, 500000, 10), QStringLiteral("30 Sec (500 KB of 2 MB copied)"));
    // One hour and five seconds left at 1 KB a second.
    EXPECT_EQ(TimeRemainingText(3605000 + 1000, 1000, 1), QStringLiteral("1 Hr 0 Min 5 Sec (1 KB of 3 MB copied)"));
    EXPECT_EQ(TimeRemainingText(1000, 5000, 1), QStringLiteral("0 Sec (5 KB of 1 KB copied)"))
        << "more bytes than listed leave no negative time";
}

TEST(FtpPaneTexts, PercentStaysWithinTheBar)
{
    EXPECT_EQ(PercentCompleted(0, 0), 0) << "an empty file divides by nothing";
    EXPECT_EQ(PercentCompleted(100, 250), 100);
    EXPECT_EQ(PercentCompleted(300, 299), 99);
    EXPECT_EQ(PercentCompleted(5000000000LL, 2500000000LL), 50);
}

TEST(FtpPaneTexts, CompletionTexts)
{
    EXPECT_EQ(FormatTransferTime(3725), QStringLiteral("1 Hr 2 Min 5 Sec"));
    EXPECT_EQ(FormatTransferTime(25), QStringLiteral("25 Sec"));
    EXPECT_EQ(FormatTransferTime(60), QStringLiteral("1 Min 0 Sec"));
    EXPECT_EQ(FormatTransferTime(0), QStringLiteral("0 Sec"));

    const QString point = QLocale::system().decimalPoint();
    EXPECT_EQ(CompletedSizeText(5300000, 25), QStringLiteral("5") + point + QStringLiteral("3 MB in 25 Sec"));
    EXPECT_EQ(CompletedSizeText(512340, 3), QStringLiteral("512") + point + QStringLiteral("34 KB in 3 Sec"));
    EXPECT_EQ(CompletedSizeText(999999, 2), QStringLiteral("1 MB in 2 Sec")) << "0.999999 MB rounds to 1.00";
    EXPECT_EQ(CompletedSizeText(2000000, 1), QStringLiteral("2 MB in 1 Sec"));
    EXPECT_EQ(CompletedSizeText(1234567890, 1), QStringLiteral("1234") + point + QStringLiteral("57 MB in 1 Sec"))
        << "no group separators";
    EXPECT_EQ(CompletedSizeText(0, 0), QStringLiteral("0 KB in 0 Sec"));
}

TEST(FtpServerAddressTest, HostAndPortOfTheAddress)
{
    FtpServerAddress a = FtpServerAddress::Parse(QStringLiteral("ftp://127.0.0.1:2121/pub/"));
    EXPECT_EQ(a.Host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(a.Port, 2121);
    a = FtpServerAddress::Parse(QStringLiteral("ftp://ftp.example.org"));
    EXPECT_EQ(a.Host, QStringLiteral("ftp.example.org"));
    EXPECT_EQ(a.Port, 21);
    EXPECT_FALSE(FtpServerAddress::Parse(QStringLiteral("ftp://")).IsValid());
    EXPECT_FALSE(FtpServerAddress::Parse(QStringLiteral("ftp")).IsValid());
    EXPECT_FALSE(FtpServerAddress::Parse(QStringLiteral("ftp://host:99999/")).IsValid());
}
