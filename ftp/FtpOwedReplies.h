#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The commands sent whose final replies are still owed, oldest first. A server answers in order,
// so a final reply answers the oldest command owed. A command given up may stay unanswered for
// good; a NOOP sent behind it finds where the replies stand. A reply that the oldest command does
// not take while a later one does (the NOOP's 200 behind a transfer given up) answers that later
// one, and the commands before it will not be answered. A reply that both could take (the NOOP's
// 200 behind TYPE or PORT) goes to the oldest: it is never taken for a later command's.
class FtpOwedReplies
{
public:
    void Sent(const QString &command) { m_commands.append(command); }
    // Takes off the command a final reply with `code` answers, and those before it, and returns
    // it; nothing when no command is owed.
    std::optional<QString> Answer(int code);
    bool IsEmpty() const { return m_commands.isEmpty(); }
    bool Owes(const QString &command) const { return m_commands.contains(command); }
    void Clear() { m_commands.clear(); }

private:
    QStringList m_commands;
};
