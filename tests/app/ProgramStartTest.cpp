// The program started as a user starts it: whether its pages run in the engine's sandbox, and
// what a program it starts in turn finds in its environment.
#include "platform/PageSandbox.h"
#include "tests/support/FileBytes.h"
#include "tests/support/HelperProcess.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/RecordingProgram.h"
#include "tests/support/WaitFor.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <link.h>
#include <unistd.h>

namespace {

// What LD_PRELOAD puts into the program so that a library is in it before its own: a program
// built with a sanitizer wants the sanitizer's runtime before every other library, so the
// runtimes go first. The test is built as the program is: they are the ones it runs with.
QString PreloadInTheProgram(const QString &library)
{
    QStringList preload;
    ::dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *found) {
            static const QRegularExpression runtime(QStringLiteral("^lib(clang_rt\\.)?[a-z]*san\\b"));
            const QString path = QFile::decodeName(info->dlpi_name);
            if (runtime.match(QFileInfo(path).fileName()).hasMatch())
                static_cast<QStringList *>(found)->append(path);
            return 0;
        },
        &preload);
    return (preload << library).join(QLatin1Char(':'));
}

class ProgramStart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(x.Display().isEmpty()) << "no X server started to show the program's window";
    }

    // A clean-up that must not fail the case: the program may have ended, or never started.
    void TearDown() override
    {
        program.kill();
        program.waitForFinished(WaitTimeoutMs);
    }

    bool StartUntilPageProcess(const QProcessEnvironment &environment)
    {
        return copy.Start(program, environment) && WaitUntil([&] { return HasPageProcess(program.processId()); });
    }

    PrivateXServer x;
    ProgramCopy copy;
    QProcess program;
};

}

// An ordinary user's pages run in the sandbox. The engine refuses root a sandbox: run as root,
// the program turns it off itself and says so, once.
TEST_F(ProgramStart, PagesRunInTheSandboxUnlessTheProgramRunsAsRootWhichItSays)
{
    ASSERT_TRUE(StartUntilPageProcess(copy.UserEnvironment(x.Display())))
        << "the home page never got a page process";

    QList<QByteArray> engineProcesses;
    for (qint64 pid : ProcessTree(program.processId())) {
        const QByteArray commandLine = CommandLineOf(pid);
        if (commandLine.contains("--type="))
            engineProcesses.append(commandLine);
    }
    program.kill();
    ASSERT_TRUE(program.waitForFinished(WaitTimeoutMs));
    const QList<QByteArray> errors = program.readAllStandardError().split('\n');

    ASSERT_FALSE(engineProcesses.isEmpty());
    const bool root = ::geteuid() == 0;
    for (const QByteArray &commandLine : engineProcesses)
        EXPECT_EQ(commandLine.contains("--no-sandbox"), root) << commandLine.constData();
    EXPECT_EQ(errors.count(QByteArray(PageSandbox::TurnedOffNotice)), root ? 1 : 0);
}

// A program the browser starts (here the desktop's opener, for a mail link the user clicks)
// gets the environment the user started the browser with: the user's own variables, none of
// the switches the browser gives Qt and the page engine for itself. And the browser never
// changes its own environment to that end once it runs more threads than one: no change is
// safe against the engine's threads reading it.
TEST_F(ProgramStart, AProgramTheBrowserStartsGetsTheUsersEnvironment)
{
    RecordingProgram opener(QStringLiteral("xdg-open"));
    WriteFile(copy.FilePath(QStringLiteral("blank.html")),
              "<html><body style='margin:0'><a href='mailto:someone@example.com' "
              "style='display:block;width:100vw;height:100vh'>Write</a></body></html>");
    QProcessEnvironment user = copy.UserEnvironment(x.Display());
    user.insert(QStringLiteral("PATH"), opener.Folder() + QLatin1Char(':') + user.value(QStringLiteral("PATH")));
    user.insert(QStringLiteral("KESTRELVUE_TEST_USERS_OWN"), QStringLiteral("kept"));
    const QTemporaryDir notes;
    const QString writes = notes.filePath(QStringLiteral("environment-writes"));
    QProcessEnvironment noted = user;
    noted.insert(QStringLiteral("LD_PRELOAD"), PreloadInTheProgram(QStringLiteral(KV_ENVIRONMENT_WRITES)));
    noted.insert(QStringLiteral("KESTRELVUE_TEST_ENVIRONMENT_WRITES"), writes);
    ASSERT_TRUE(StartUntilPageProcess(noted)) << "the home page never got a page process";

    // A click on the page's window, again until the page has loaded and taken one.
    QElapsedTimer sinceClick;
    const bool started = WaitUntil(
        [&] {
            if (opener.HasStarted())
                return true;
            if (!sinceClick.isValid() || sinceClick.elapsed() > 500) {
                Xdotool(user, {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                               QStringLiteral("Kestrelvue"), QStringLiteral("mousemove"), QStringLiteral("--window"),
                               QStringLiteral("%1"), QStringLiteral("500"), QStringLiteral("350"),
                               QStringLiteral("click"), QStringLiteral("1")});
                sinceClick.start();
            }
            return false;
        });
    ASSERT_TRUE(started) << "the click on the mail link started no opener";

    const RecordingProgram::Start start = opener.TakeStart();
    EXPECT_EQ(start.arguments.join(QLatin1Char(' ')).toStdString(), "mailto:someone@example.com");
    const QMap<QString, QString> &received = start.environment;
    EXPECT_EQ(received.value(QStringLiteral("KESTRELVUE_TEST_USERS_OWN")), QStringLiteral("kept"));
    for (const QString &name : {QStringLiteral("PATH"), QStringLiteral("DISPLAY"), QStringLiteral("HOME"),
                                QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS")})
        EXPECT_EQ(received.value(name), user.value(name)) << name.toStdString();
    for (const QString &name : {QStringLiteral("QT_XCB_GL_INTEGRATION"), QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX")})
        EXPECT_FALSE(received.contains(name)) << name.toStdString() << "=" << received.value(name).toStdString();

    program.kill();
    ASSERT_TRUE(program.waitForFinished(WaitTimeoutMs));
    EXPECT_EQ(QFile::exists(writes) ? ReadFile(writes).toStdString() : std::string(), "")
        << "changes of the environment (pid, call, variable, threads)";
}
