#include "ftp/FtpServerNames.h"

#include <gtest/gtest.h>

TEST(FtpServerNames, NamesThatAreNotUtf8GoBackAsTheirBytesPieceByPiece)
{
    FtpServerNames names;
    EXPECT_EQ(names.Remember("caf\xE9"), QStringLiteral("caf\u00E9"));
    EXPECT_EQ(names.Remember("r\xC3\xA9sum\xC3\xA9"), QStringLiteral("r\u00E9sum\u00E9"));
    EXPECT_EQ(names.RememberPath("/pub/\xE0 lire/r\xC3\xA9sum\xC3\xA9"), QStringLiteral("/pub/\u00E0 lire/r\u00E9sum\u00E9"));

    EXPECT_EQ(names.Encode(u"caf\u00E9"), QByteArray("caf\xE9"));
    EXPECT_EQ(names.Encode(u"r\u00E9sum\u00E9"), QByteArray("r\xC3\xA9sum\xC3\xA9"));
    EXPECT_EQ(names.Encode(u"/pub/\u00E0 lire/caf\u00E9/new \u00E9t\u00E9"),
              QByteArray("/pub/\xE0 lire/caf\xE9/new \xC3\xA9t\xC3\xA9"));

    names.Clear();
    EXPECT_EQ(names.Encode(u"caf\u00E9"), QByteArray("caf\xC3\xA9"));
}

TEST(FtpServerNames, TextIsShownLineByLine)
{
    EXPECT_EQ(FtpServerNames::Decode("plain"), QStringLiteral("plain"));
    EXPECT_EQ(FtpServerNames::DecodeLines("caf\xE9\r\nr\xC3\xA9sum\xC3\xA9\r\n"),
              QStringLiteral("caf\u00E9\r\nr\u00E9sum\u00E9\r\n"));
}
