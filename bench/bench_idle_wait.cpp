// Processor time while nothing happens: the hidden window's wait for events with nothing due,
// and the FTP client waiting two seconds on a silent server until its time-out. A wait that
// sleeps costs next to nothing; one that spins costs a whole core.
#include "ftp/CFtpClient.h"
#include "platform/MessageWindow.h"
#include "tests/support/FakeFtpPeer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <functional>

namespace
{
constexpr int kWaitMs = 2000;

qint64 ProcessorMicroseconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000 + usage.ru_utime.tv_usec
           + usage.ru_stime.tv_usec;
}

// Runs wait() and prints the processor time it took against the time it lasted.
void Report(const char *what, const std::function<bool()> &wait)
{
    QElapsedTimer wall;
    wall.start();
    const qint64 before = ProcessorMicroseconds();
    if (!wait()) {
        std::printf("  %s: did not end as expected\n", what);
        return;
    }
    const double processorMs = (ProcessorMicroseconds() - before) / 1000.0;
    const qint64 wallMs = wall.elapsed();
    std::printf("  %s: %.1f ms of processor time in %lld ms (%.2f %%; goal: under 1 %%)\n", what, processorMs,
                static_cast<long long>(wallMs), 100.0 * processorMs / double(wallMs));
}

// Runs the event loop until the client reports `signal` or the limit passes; true with result.
template <class Signal>
bool WaitForResult(CFtpClient &client, Signal signal, qint32 expected, int limitMs)
{
    bool matched = false;
    QEventLoop loop;
    QObject::connect(&client, signal, &loop, [&](qint32 result) {
        matched = result == expected;
        loop.quit();
    });
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    loop.exec();
    return matched;
}
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::printf("bench_idle_wait: waiting with nothing to do\n");

    Report("MessageWindow::WaitForEvents(100), nothing due, 2 s", [] {
        QElapsedTimer wall;
        wall.start();
        while (wall.elapsed() < kWaitMs)
            MessageWindow::WaitForEvents(100);
        return true;
    });

    FakeFtpPeer peer;
    CFtpClient client;
    client.setFtpServer(QStringLiteral("127.0.0.1"));
    client.setRemotePort(peer.Port());
    client.setUserName(QStringLiteral("user"));
    client.setPassword(QStringLiteral("pass"));
    client.setPassiveMode(true);
    client.setTimeOut(kWaitMs / 1000);
    client.Connect();
    if (!WaitForResult(client, &CFtpClient::OnConnect, CFtpClient::arStatusOk, 30000)) {
        std::printf("  the client could not log in to the local peer\n");
        return 1;
    }
    peer.On(QStringLiteral("CWD"), [](const QString &) {});
    client.SetCurrentDirectory(QStringLiteral("slow"));
    Report("CFtpClient on a silent server until its 2 s time-out", [&] {
        return WaitForResult(client, &CFtpClient::OnSetCurrentDirectory, CFtpClient::arStatusTimeOut, 30000);
    });
    return 0;
}
