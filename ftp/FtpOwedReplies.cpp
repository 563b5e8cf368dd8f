#include "ftp/FtpOwedReplies.h"

#include "ftp/FtpCommands.h"

#include <algorithm>

std::optional<QString> FtpOwedReplies::Answer(int code)
{
    if (m_commands.isEmpty())
        return std::nullopt;
    // A command the table does not know may take any reply.
    const auto takes = [code](const QString &word) {
        const FtpCommands::Command *command = FtpCommands::Find(word);
        return !command || command->Takes(code);
    };
    const auto answered = std::find_if(m_commands.begin(), m_commands.end(), takes);
    if (answered != m_commands.end())
        m_commands.erase(m_commands.begin(), answered);
    return m_commands.takeFirst();
}
