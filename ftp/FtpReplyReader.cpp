#include "ftp/FtpReplyReader.h"

#include "ftp/FtpServerNames.h"

#include <QStringList>

namespace
{
bool HasCode(QByteArrayView line)
{
    return line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line[0]))
           && std::isdigit(static_cast<unsigned char>(line[1]))
           && std::isdigit(static_cast<unsigned char>(line[2]));
}

// The text after the code and its mark.
QByteArrayView Tail(QByteArrayView line)
{
    return line.size() > 4 ? line.sliced(4) : QByteArrayView();
}

QByteArrayView StripCr(QByteArrayView line)
{
    return line.endsWith('\r') ? line.chopped(1) : line;
}
}

std::optional<FtpReply> FtpReplyReader::Next()
{
    // Anything before the first line that starts with a code is not a reply.
    for (;;) {
        const qsizetype lf = m_buffer.indexOf('\n');
        if (lf < 0)
            return std::nullopt;
        if (HasCode(m_buffer))
            break;
        m_buffer.remove(0, lf + 1);
    }

    const QByteArrayView buffer(m_buffer);
    const QByteArrayView code = buffer.first(3);
    QStringList lines;
    QByteArrayList rawLines;
    QStringList message;
    bool multiLine = false;
    qsizetype lineStart = 0;
    for (;;) {
        const qsizetype lf = buffer.indexOf('\n', lineStart);
        if (lf < 0)
            return std::nullopt;
        const QByteArrayView line = StripCr(buffer.sliced(lineStart, lf - lineStart));
        lineStart = lf + 1;
        lines.append(FtpServerNames::Decode(line));
        rawLines.append(line.toByteArray());
        const bool ownCode = line.startsWith(code);
        const char mark = line.size() > 3 ? line[3] : ' ';
        if (lines.size() == 1) {
            multiLine = mark == '-';
            if (!multiLine)
                break;
            message.append(FtpServerNames::Decode(Tail(line)));
            continue;
        }
        if (ownCode && mark == ' ')
            break;
        message.append(FtpServerNames::Decode(ownCode && mark == '-' ? Tail(line) : line));
    }

    FtpReply reply;
    reply.Code = code.toByteArray().toInt();
    reply.Text = lines.join(QStringLiteral("\r\n"));
    reply.Bytes = rawLines.join("\r\n");
    if (multiLine)
        reply.Message = message.join(QStringLiteral("\r\n"));
    m_buffer.remove(0, lineStart);
    return reply;
}

void FtpReplyReader::Clear()
{
    m_buffer.clear();
}
