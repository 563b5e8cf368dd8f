#pragma once

#include <QString>

#include <optional>

// Small pieces of the FTP wire format: reply texts, the 257 path, the PASV and PORT addresses.
namespace FtpProtocol
{
// The fixed English text of a failure reply code; empty for codes without one.
QString ReplyDescription(int code);

// The path quoted in a 257 reply, with "\" turned into "/"; nothing when it holds no quoted path.
// A doubled quote inside the path stands for one quote.
std::optional<QString> DirFromReply(const QString &reply);

struct PasvAddress
{
    QString Host;
    int Port = 0;
};
// The six fields between the parentheses of a 227 reply, each 0 to 255, the port not 0.
std::optional<PasvAddress> ParsePasvReply(const QString &reply);

// The argument of PORT for a dotted IPv4 address and a port: "h1,h2,h3,h4,p1,p2".
QString PortArgument(const QString &localIp, int port);

// True when the argument can go into one command line.
bool IsSafeArgument(const QString &argument);
}
