#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// One complete reply of the control connection.
struct FtpReply
{
    int Code = 0;
    // The whole reply as received, lines joined by CR LF, without the final line end; each line
    // shown as UTF-8 where it is valid UTF-8, otherwise one byte per character.
    QString Text;
    // The continuation text of a multi-line reply (without the code prefixes); empty otherwise.
    QString Message;
    // The whole reply as its bytes, lines joined by CR LF, for the names it quotes.
    QByteArray Bytes;
};

// Collects control-connection bytes and hands out complete replies in order. A reply is complete
// only at the end of its final line: the line that carries its code and a blank (for a
// multi-line reply, the first such line with the code that opened it). LF alone ends a line too.
// Each byte is looked at once, however many pieces a reply comes in.
class FtpReplyReader
{
public:
    // The longest reply followed: no server needs more, and a server that sends more without
    // ending its reply is not kept in memory.
    static constexpr qsizetype MaxReplyBytes = 256 * 1024;

    void Append(const QByteArray &bytes);
    // The next complete reply, or nothing while the rest has not arrived.
    std::optional<FtpReply> Next();
    // True once the reply being read has grown past MaxReplyBytes: nothing more is read until
    // Clear.
    bool TooLong() const { return m_tooLong; }
    void Clear();

private:
    // Takes one line of the reply being read; true when it ends the reply.
    bool TakeLine(QByteArrayView line);

    // Bytes from the first line not yet taken.
    QByteArray m_buffer;
    // No line end lies in m_buffer before this position.
    qsizetype m_searched = 0;
    // The reply being read: its code (empty before its first line), its lines so far.
    QByteArray m_code;
    bool m_multiLine = false;
    QStringList m_lines;
    QByteArrayList m_rawLines;
    QStringList m_message;
    qsizetype m_replyBytes = 0;
    bool m_tooLong = false;
};
