#include "ftp/FtpProtocol.h"
#include "ftp/FtpReplyReader.h"

#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

TEST(FtpReplyReader, RepliesCompleteOnlyAtTheirLineEnd)
{
    FtpReplyReader reader;
    reader.Append("22");
    EXPECT_FALSE(reader.Next());
    reader.Append("0 Welcome");
    EXPECT_FALSE(reader.Next());
    reader.Append("\r\n331 Password\n");
    auto first = reader.Next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Code, 220);
    EXPECT_EQ(first->Text, QStringLiteral("220 Welcome"));
    auto second = reader.Next();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->Code, 331);
    EXPECT_FALSE(reader.Next());
}

TEST(FtpReplyReader, MultiLineRepliesEndOnTheirOwnCodeAndBlank)
{
    FtpReplyReader reader;
    reader.Append("220-first line\r\n22");
    EXPECT_FALSE(reader.Next());
    reader.Append("0-second line\r\n 230 inner line with another code\r\n");
    EXPECT_FALSE(reader.Next());
    reader.Append("220 ready\r\n");
    auto reply = reader.Next();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Code, 220);
    EXPECT_EQ(reply->Message, QStringLiteral("first line\r\nsecond line\r\n 230 inner line with another code"));
    EXPECT_TRUE(reply->Text.endsWith(QStringLiteral("220 ready")));
    EXPECT_FALSE(reader.Next());
}

TEST(FtpReplyReader, PreliminaryAndFinalReplyInOnePieceComeOneByOne)
{
    FtpReplyReader reader;
    reader.Append("150 Opening\r\n226 Done\r\n");
    EXPECT_EQ(reader.Next()->Code, 150);
    EXPECT_EQ(reader.Next()->Code, 226);
    EXPECT_FALSE(reader.Next());
}

// A long multi-line reply in small pieces, as the network delivers it, comes out whole once.
TEST(FtpReplyReader, LongReplyInSmallPiecesComesOutWhole)
{
    QByteArray raw = "211-Features:\r\n";
    QStringList message {QStringLiteral("Features:")};
    for (int i = 0; raw.size() < FtpReplyReader::MaxReplyBytes - 100; ++i) {
        const QByteArray line = " feature number " + QByteArray::number(i);
        raw += line + "\r\n";
        message << QString::fromLatin1(line);
    }
    raw += "211 End\r\n150 Next\r\n";
    FtpReplyReader reader;
    QList<FtpReply> replies;
    for (qsizetype at = 0; at < raw.size(); at += 1448) {
        reader.Append(raw.mid(at, 1448));
        while (auto reply = reader.Next())
            replies << *reply;
        ASSERT_FALSE(reader.TooLong());
    }
    ASSERT_EQ(replies.size(), 2);
    EXPECT_EQ(replies[0].Code, 211);
    EXPECT_EQ(replies[0].Message, message.join(QStringLiteral("\r\n")));
    EXPECT_EQ(replies[0].Text.size(), raw.size() - qsizetype(sizeof "\r\n150 Next\r\n") + 1);
    EXPECT_EQ(replies[1].Code, 150);
}

// A reply that grows past the bound, with line ends or without, is not followed further: the
// reader says so and keeps nothing of it.
TEST(FtpReplyReader, ReplyPastTheBoundIsRefused)
{
    const QByteArray line = "220-" + QByteArray(1000, 'w') + "\r\n";
    for (const QByteArray &piece : {line, QByteArray(1000, 'x'), QByteArray("220 " + QByteArray(1000, 'y'))}) {
        FtpReplyReader reader;
        if (piece != line)
            reader.Append(piece.left(4));
        qsizetype appended = 0;
        while (!reader.TooLong() && appended <= 2 * FtpReplyReader::MaxReplyBytes) {
            reader.Append(piece);
            appended += piece.size();
            EXPECT_FALSE(reader.Next());
        }
        EXPECT_TRUE(reader.TooLong());
        EXPECT_LE(appended, FtpReplyReader::MaxReplyBytes + piece.size());
        reader.Append("220 ready\r\n");
        EXPECT_FALSE(reader.Next());
        reader.Clear();
        EXPECT_FALSE(reader.TooLong());
        reader.Append("220 ready\r\n");
        EXPECT_EQ(reader.Next()->Code, 220);
    }
}

TEST(FtpProtocol, DirectoryOfA257Reply)
{
    EXPECT_EQ(FtpProtocol::DirFromReply(QStringLiteral("257 \"C:\\pub\\x\" is current")), QStringLiteral("C:/pub/x"));
    EXPECT_EQ(FtpProtocol::DirFromReply(QStringLiteral("257 \"\" is current")), QString());
    EXPECT_EQ(FtpProtocol::DirFromReply(QStringLiteral("257 \"/say \"\"hi\"\"\" ok")), QStringLiteral("/say \"hi\""));
    EXPECT_FALSE(FtpProtocol::DirFromReply(QStringLiteral("257 no path here")));
}

TEST(FtpProtocol, PasvAndPortAddresses)
{
    auto address = FtpProtocol::ParsePasvReply(QStringLiteral("227 Entering Passive Mode (192,168,1,2,19,137)."));
    ASSERT_TRUE(address);
    EXPECT_EQ(address->Host, QStringLiteral("192.168.1.2"));
    EXPECT_EQ(address->Port, 5001);
    EXPECT_FALSE(FtpProtocol::ParsePasvReply(QStringLiteral("227 (1,2,3,4,5)")));
    EXPECT_FALSE(FtpProtocol::ParsePasvReply(QStringLiteral("227 (1,2,3,400,5,6)")));
    EXPECT_FALSE(FtpProtocol::ParsePasvReply(QStringLiteral("227 (1,2,3,4,x,6)")));
    EXPECT_FALSE(FtpProtocol::ParsePasvReply(QStringLiteral("227 1,2,3,4,5,6")));
    EXPECT_EQ(FtpProtocol::PortArgument(QStringLiteral("10.0.0.1"), 20000), QStringLiteral("10,0,0,1,78,32"));
    EXPECT_EQ(FtpProtocol::PortArgument(QStringLiteral("192.168.0.5"), 20481), QStringLiteral("192,168,0,5,80,1"));
}
