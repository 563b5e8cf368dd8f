#include "ftp/FtpProtocol.h"

#include <QStringList>

namespace FtpProtocol
{
QString ReplyDescription(int code)
{
    switch (code) {
    case 120: return QStringLiteral("Service ready in nnn minutes.");
    case 332: return QStringLiteral("Need account for login.");
    case 350: return QStringLiteral("Requested file action pending further information.");
    case 421: return QStringLiteral("Service not available, closing control connection.");
    case 425: return QStringLiteral("Can 't open data connection.");
    case 426: return QStringLiteral("Connection closed; transfer aborted.");
    case 450: return QStringLiteral("Requested file action not taken.");
    case 451: return QStringLiteral("Requested action aborted: local error in processing.");
    case 452: return QStringLiteral("Requested action not taken.");
    case 500: return QStringLiteral("Syntax error, command unrecognized.");
    case 501: return QStringLiteral("Syntax error in parameters or arguments.");
    case 502: return QStringLiteral("Command not implemented.");
    case 503: return QStringLiteral("Bad sequence of commands.");
    case 504: return QStringLiteral("Command not implemented for that parameter.");
    case 530: return QStringLiteral("Not logged in.");
    case 532: return QStringLiteral("Need account for storing files.");
    case 550: return QStringLiteral("Requested action not taken.");
    case 551: return QStringLiteral("Requested action aborted: page type unknown.");
    case 552: return QStringLiteral("Requested file action aborted.");
    case 553: return QStringLiteral("Requested action not taken.");
    default: return QString();
    }
}

std::optional<QString> DirFromReply(const QString &reply)
{
    if (reply.size() < 7)
        return std::nullopt;
    qsizetype i = reply.indexOf(u'"');
    if (i < 0)
        return std::nullopt;
    QString path;
    for (++i; i < reply.size(); ++i) {
        if (reply[i] != u'"') {
            path.append(reply[i]);
            continue;
        }
        if (i + 1 < reply.size() && reply[i + 1] == u'"') {
            path.append(u'"');
            ++i;
            continue;
        }
        path.replace(u'\\', u'/');
        return path;
    }
    return std::nullopt;
}

std::optional<PasvAddress> ParsePasvReply(const QString &reply)
{
    const qsizetype open = reply.indexOf(u'(');
    const qsizetype close = reply.indexOf(u')');
    if (open < 0 || close < open)
        return std::nullopt;
    const QStringList fields = reply.mid(open + 1, close - open - 1).split(u',');
    if (fields.size() < 6)
        return std::nullopt;
    int values[6];
    for (int k = 0; k < 6; ++k) {
        bool ok = false;
        values[k] = fields[k].trimmed().toInt(&ok);
        if (!ok || values[k] < 0 || values[k] > 255)
            return std::nullopt;
    }
    PasvAddress address;
    address.Host = QStringLiteral("%1.%2.%3.%4").arg(values[0]).arg(values[1]).arg(values[2]).arg(values[3]);
    address.Port = values[4] * 256 + values[5];
    if (address.Port == 0)
        return std::nullopt;
    return address;
}

QString PortArgument(const QString &localIp, int port)
{
    return QString(localIp).replace(u'.', u',') + QStringLiteral(",%1,%2").arg(port / 256).arg(port % 256);
}

bool IsSafeArgument(const QString &argument)
{
    return !argument.contains(u'\r') && !argument.contains(u'\n');
}
}
