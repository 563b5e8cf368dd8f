#pragma once

#include <QByteArray>
#include <QString>

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
class FtpReplyReader
{
public:
    void Append(const QByteArray &bytes) { m_buffer.append(bytes); }
    // The next complete reply, or nothing while the rest has not arrived.
    std::optional<FtpReply> Next();
    void Clear();

private:
    QByteArray m_buffer;
};
