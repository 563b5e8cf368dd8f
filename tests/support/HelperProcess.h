#pragma once

#include "tests/support/WaitFor.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

// A process a test starts to help it (a server, a holder of a lock or of a mount), which says on
// a line of its output when it is ready, and ends when asked.

// Starts the process so that it ends with the test process, however that ends: asked, or by an
// abort or a kill that runs no clean-up. The system ends the helper when the thread that started
// it ends, so helpers start from the test's main thread.
inline void StartHelper(QProcess &process, const QString &program, const QStringList &arguments)
{
    const pid_t test = ::getpid();
    process.setChildProcessModifier([test] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The test may have ended before the line above took effect.
        if (::getppid() != test)
            ::_exit(127);
    });
    process.start(program, arguments);
}

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

// Asks a process that may still run to end (a server, a window manager) and lets it end. A
// clean-up that must not fail the case.
inline void Terminate(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    AwaitEnd(process);
}
