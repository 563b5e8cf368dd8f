#include "ftp/FtpReplyReader.h"

#include "ftp/FtpServerNames.h"

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

void FtpReplyReader::Append(const QByteArray &bytes)
{
    if (!m_tooLong)
        m_buffer.append(bytes);
}

std::optional<FtpReply> FtpReplyReader::Next()
{
    for (;;) {
        const qsizetype lf = m_buffer.indexOf('\n', m_searched);
        if (lf < 0)
            break;
        const bool ends = TakeLine(StripCr(QByteArrayView(m_buffer).first(lf)));
        // Taken bytes leave from the front, which moves no data.
        m_buffer.remove(0, lf + 1);
        m_searched = 0;
        if (!ends)
            continue;
        FtpReply reply;
        reply.Code = m_code.toInt();
        reply.Text = m_lines.join(QStringLiteral("\r\n"));
        reply.Bytes = m_rawLines.join("\r\n");
        if (m_multiLine)
            reply.Message = m_message.join(QStringLiteral("\r\n"));
        m_code.clear();
        m_lines.clear();
        m_rawLines.clear();
        m_message.clear();
        m_replyBytes = 0;
        return reply;
    }
    m_searched = m_buffer.size();
    if (m_replyBytes + m_buffer.size() > MaxReplyBytes) {
        Clear();
        m_tooLong = true;
    }
    return std::nullopt;
}

bool FtpReplyReader::TakeLine(QByteArrayView line)
{
    if (m_code.isEmpty()) {
        // Anything before the first line that starts with a code is not a reply.
        if (!HasCode(line))
            return false;
        m_code = line.first(3).toByteArray();
        m_multiLine = line.size() > 3 && line[3] == '-';
        m_lines.append(FtpServerNames::Decode(line));
        m_rawLines.append(line.toByteArray());
        m_replyBytes = line.size() + 2;
        if (m_multiLine)
            m_message.append(FtpServerNames::Decode(Tail(line)));
        return !m_multiLine;
    }
    m_lines.append(FtpServerNames::Decode(line));
    m_rawLines.append(line.toByteArray());
    m_replyBytes += line.size() + 2;
    const bool ownCode = line.startsWith(m_code);
    const char mark = line.size() > 3 ? line[3] : ' ';
    if (ownCode && mark == ' ')
        return true;
    m_message.append(FtpServerNames::Decode(ownCode && mark == '-' ? Tail(line) : line));
    return false;
}

void FtpReplyReader::Clear()
{
    m_buffer.clear();
    m_searched = 0;
    m_code.clear();
    m_multiLine = false;
    m_lines.clear();
    m_rawLines.clear();
    m_message.clear();
    m_replyBytes = 0;
    m_tooLong = false;
}
