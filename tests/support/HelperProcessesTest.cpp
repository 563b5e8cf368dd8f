// The processes the tests start to help them end with the test process, however it ends: a
// server, an X server, a mount holder or a program left running would hold ports, displays
// and mounts after a crash.
#include "tests/support/FtpTestServer.h"
#include "tests/support/FullFileSystem.h"
#include "tests/support/HelperProcess.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/WaitFor.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/prctl.h>

namespace {

// Set for the test process that this case runs as a child of itself.
constexpr char ChildRole[] = "KESTRELVUE_TEST_HELPERS_ABORT";

// Whether the process runs; a dead one may wait as a zombie for a parent that never reaps it.
bool Running(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray fields = stat.readAll();
    const qsizetype state = fields.lastIndexOf(')') + 2;
    return state < fields.size() && fields.at(state) != 'Z' && fields.at(state) != 'X';
}

// The child's part: starts one of each helper, says so, and aborts when told.
void StartHelpersAndAbort()
{
    FtpTestServer ftp;
    ASSERT_TRUE(ftp.Start());
    PrivateXServer x;
    ASSERT_FALSE(x.Display().isEmpty());
    FullFileSystem disk;
    ASSERT_TRUE(disk.Mounted()) << disk.Why().toStdString();
    ProgramCopy copy;
    QProcess program;
    ASSERT_TRUE(copy.Start(program, copy.UserEnvironment(x.Display())));
    std::puts("started");
    std::fflush(stdout);
    std::getchar();
    // An abort without a core file: the crash is the case's own doing.
    ::prctl(PR_SET_DUMPABLE, 0);
    std::abort();
}

} // namespace

TEST(HelperProcesses, EndWithTheTestProcessThatStartedThemEvenWhenItAborts)
{
    if (qEnvironmentVariableIsSet(ChildRole))
        return StartHelpersAndAbort();

    // The child's temporary folders go with this one, though the child never cleans up.
    const QTemporaryDir temporary;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(ChildRole), QStringLiteral("1"));
    environment.insert(QStringLiteral("TMPDIR"), temporary.path());
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    StartHelper(child, QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=%1.%2").arg(QLatin1String(test->test_suite_name()),
                                                             QLatin1String(test->name()))});

    bool started = false;
    WaitUntil([&] {
        while (child.canReadLine())
            started = started || child.readLine().trimmed() == "started";
        return started || child.state() == QProcess::NotRunning;
    });
    const QList<qint64> helpers = ChildrenOf(child.processId());
    child.write("\n");
    EXPECT_TRUE(child.waitForFinished(WaitTimeoutMs));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    ASSERT_TRUE(started) << "the child test process did not start its helpers";
    EXPECT_EQ(helpers.size(), 4) << "an FTP server, an X server, a mount holder and the program";

    WaitUntil([&] { return std::none_of(helpers.begin(), helpers.end(), Running); });
    for (qint64 pid : helpers) {
        EXPECT_FALSE(Running(pid)) << "helper " << pid << " still runs: " << CommandLineOf(pid).constData();
        // A clean-up that must not fail the case: what outlived the child ends here.
        if (Running(pid))
            ::kill(pid_t(pid), SIGKILL);
    }
}
