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

#include <algorithm>

#include <link.h>
#include <unistd.h>

namespace {

// What LD_PRELOAD puts into the program so that libraries are in it before its own: a program
// built with a sanitizer wants the sanitizer's runtime before every other library, so the
// runtimes go first. The test is built as the program is: they are the ones it runs with.
QString PreloadInTheProgram(const QStringList &libraries)
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
    return (preload + libraries).join(QLatin1Char(':'));
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

    // An environment with the probe of the environment's changes put into the program, and the
    // libraries given after it; the probe's notes go to a file of the case's own.
    QProcessEnvironment Probed(QProcessEnvironment environment, const QStringList &after = {}) const
    {
        environment.insert(QStringLiteral("LD_PRELOAD"),
                           PreloadInTheProgram(QStringList{QStringLiteral(KV_ENVIRONMENT_WRITES)} + after));
        environment.insert(QStringLiteral("KESTRELVUE_TEST_ENVIRONMENT_WRITES"), NotesPath());
        return environment;
    }

    // The probe's notes so far, a line each.
    QList<QByteArray> Notes() const
    {
        if (!QFile::exists(NotesPath()))
            return {};
        QList<QByteArray> lines = ReadFile(NotesPath()).split('\n');
        lines.removeAll(QByteArray());
        return lines;
    }

    QString NotesPath() const { return notesFolder.filePath(QStringLiteral("environment-writes")); }

    PrivateXServer x;
    ProgramCopy copy;
    QTemporaryDir notesFolder;
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
// safe against the engine's threads reading it. The probe that notes such changes must have run
// in the browser, or its silence would say nothing.
TEST_F(ProgramStart, AProgramTheBrowserStartsGetsTheUsersEnvironment)
{
    RecordingProgram opener(QStringLiteral("xdg-open"));
    WriteFile(copy.FilePath(QStringLiteral("blank.html")),
              "<html><body style='margin:0'><a href='mailto:someone@example.com' "
              "style='display:block;width:100vw;height:100vh'>Write</a></body></html>");
    QProcessEnvironment user = copy.UserEnvironment(x.Display());
    user.insert(QStringLiteral("PATH"), opener.Folder() + QLatin1Char(':') + user.value(QStringLiteral("PATH")));
    user.insert(QStringLiteral("KESTRELVUE_TEST_USERS_OWN"), QStringLiteral("kept"));
    ASSERT_TRUE(StartUntilPageProcess(Probed(user))) << "the home page never got a page process";
    const QByteArray browser = QByteArray::number(program.processId());

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
    const QList<QByteArray> notes = Notes();
    EXPECT_EQ(notes.value(0).toStdString(), (browser + " loaded").toStdString())
        << "the probe of the environment's changes did not run in the browser";
    EXPECT_EQ(notes.mid(1).join('\n').toStdString(), "") << "changes of the environment (pid, call, variable, threads)";
}

// The probe notes a change of the environment that the program's code asks for from a second
// thread (here a library of the test's own that stands in for that code and changes it through
// Qt), whatever the build made of the probe's frames and the program's.
TEST_F(ProgramStart, TheProbeNotesAChangeOfTheEnvironmentThatTheProgramAsksForFromASecondThread)
{
    QProcessEnvironment user = copy.UserEnvironment(x.Display());
    // The change replaces a value rather than adding a variable, which would move the whole
    // environment under the program's main thread as it starts.
    user.insert(QStringLiteral("KESTRELVUE_TEST_SET_FROM_A_THREAD"), QStringLiteral("unset"));
    ASSERT_TRUE(copy.Start(program, Probed(user, {QStringLiteral(KV_ENVIRONMENT_WRITE_FROM_A_THREAD)})));
    const QByteArray browser = QByteArray::number(program.processId());

    const auto fromASecondThread = [&](const QByteArray &note) {
        const QList<QByteArray> fields = note.split(' ');
        return fields.size() == 4 && fields.at(0) == browser && fields.at(1) == "setenv"
               && fields.at(2) == "KESTRELVUE_TEST_SET_FROM_A_THREAD" && fields.at(3).toInt() > 1;
    };
    EXPECT_TRUE(WaitUntil([&] { return std::ranges::any_of(Notes(), fromASecondThread); }))
        << "no note of the change from the browser (" << browser.constData() << "): "
        << Notes().join(" | ").constData();
}
