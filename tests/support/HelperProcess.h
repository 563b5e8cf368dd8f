#pragma once

#include "tests/support/WaitFor.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>

// A process a test starts to help it (a server, a holder of a lock or of a mount), which says on
// a line of its output when it is ready, and ends when asked.

// The process's next line of output, trimmed; empty when it ends or says nothing before the
// deadline of the waits.
inline QByteArray NextLine(QProcess &process)
{
    const QDeadlineTimer deadline(WaitTimeoutMs);
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(int(deadline.remainingTime())))
            return {};
    }
    return process.readLine().trimmed();
}

// Lets a process that was asked to end (its input closed, or terminated) end, and kills it when
// it does not. A clean-up that must not fail the case.
inline void AwaitEnd(QProcess &process)
{
    if (!process.waitForFinished(WaitTimeoutMs)) {
        process.kill();
        process.waitForFinished(WaitTimeoutMs);
    }
}
