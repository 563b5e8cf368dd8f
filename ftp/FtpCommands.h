#pragma once

#include "ftp/CFtpClient.h"

#include <QString>
#include <QStringView>

#include <array>
#include <initializer_list>

// The commands the client sends, each with the session state it announces and the replies it
// takes: the one place to change when the protocol does. A reply outside its command's codes
// fails the operation; the reply machine acts only on the codes listed here.
namespace FtpCommands
{
class Codes
{
public:
    constexpr Codes(std::initializer_list<int> codes = {})
    {
        for (const int code : codes)
            m_codes[m_count++] = code;
    }
    constexpr bool Contains(int code) const
    {
        for (int k = 0; k < m_count; ++k) {
            if (m_codes[k] == code)
                return true;
        }
        return false;
    }

private:
    std::array<int, 3> m_codes {};
    int m_count = 0;
};

struct Command
{
    // Empty for the server's greeting, which answers no command.
    const char *Word = "";
    // Set when the command is sent, and kept while its reply is awaited.
    CFtpClient::FtpState State = CFtpClient::stReady;
    // TYPE, PASV, PORT and REST announce the state of the transfer they prepare instead.
    bool OfTheTransfer = false;
    // The argument goes to the server but never into the protocol log, which hosts show on
    // screen: the password, the anonymous login's e-mail address included.
    bool Secret = false;
    // Every 1xx reply only announces the final one; otherwise only those in Preliminary do.
    bool AnyPreliminary = false;
    Codes Preliminary;
    // The final replies the command takes; any other fails its operation.
    Codes Final;

    bool Takes(int code) const
    {
        return code < 200 ? AnyPreliminary || Preliminary.Contains(code) : Final.Contains(code);
    }
};

// The command sent as `word`; nothing for a word the client never sends.
const Command *Find(QStringView word);

// The protocol log's line for `word` sent with `argument`: the command, a blank and the argument,
// a secret one masked.
QString LogLine(const QString &word, const QString &argument);

// The state `word` announces when sent under the operation `method`; stReady for a word not in
// the table, and for TYPE, PASV, PORT and REST outside a transfer.
CFtpClient::FtpState StateWhenSent(QStringView word, qint32 method);
}
