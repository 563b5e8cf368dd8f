#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The built program run as a user runs it: from a copy of its program folder, on an X server of
// the test's own, with the user's environment rather than the test's.

// An X server of its own for one test, on the first free display; Display() is empty when
// none could start. Given a folder, it keeps its screen there as a file, which Screen() reads.
// Its screen is one monitor of 1280x1024, or two such monitors side by side, the left one primary
// (Display() is empty too when they could not be set).
class PrivateXServer
{
public:
    enum class Monitors { One, TwoSideBySide };

    explicit PrivateXServer(const QString &frameBufferFolder = QString(), Monitors monitors = Monitors::One);
    ~PrivateXServer();
    QString Display() const { return m_display; }
    // What the screen shows now; null without a frame-buffer folder.
    QImage Screen() const;

private:
    bool SplitIntoTwoMonitors() const;

    QProcess m_process;
    QString m_display;
    QString m_frameBufferFolder;
};

// A window manager on an X server, which frames the windows and gives them the focus as a
// user's desktop does. Running() is false when it did not start.
class WindowManager
{
public:
    explicit WindowManager(const QProcessEnvironment &display);
    ~WindowManager();
    bool Running() const { return m_running; }

private:
    QProcess m_process;
    bool m_running = false;
};

// Runs xdotool in an environment (its display); its output, trimmed. Empty when it failed or
// did not end.
QByteArray Xdotool(const QProcessEnvironment &environment, const QStringList &arguments);
// Runs an X tool (xdotool, xwininfo, xprop, xrandr) the same way.
QByteArray XTool(const QProcessEnvironment &environment, const QString &tool, const QStringList &arguments);

// The top-level windows whose title matches a regular expression, by id: the shown ones, or all.
QStringList WindowsNamed(const QProcessEnvironment &environment, const QString &title, bool shownOnly = true);
// The frame of a window as the window manager placed it, on the whole screen (also while it is
// minimized); null until the window manager has framed it.
QRect WindowFrame(const QProcessEnvironment &environment, const QString &id);

// A copy of the built program folder: the program, its pages and its default data files.
class ProgramCopy
{
public:
    ProgramCopy();
    QString FilePath(const QString &name) const;
    // What a user who starts the program on display has: the test's environment without the
    // choices of renderer and page sandbox the tests make for themselves, home in the copy.
    QProcessEnvironment UserEnvironment(const QString &display) const;
    // Starts the program with environment; standard output is dropped. False when it did not start.
    [[nodiscard]] bool Start(QProcess &program, const QProcessEnvironment &environment) const;
    // Starts it as Start does, where "/dev" holds every node of the machine's but its graphics
    // devices, on any machine: in a mount namespace of its own, inside a user namespace that lets
    // any user mount there and makes the program root (so, by its own rule, without the page
    // sandbox).
    [[nodiscard]] bool StartWithoutGraphicsDevices(QProcess &program, const QProcessEnvironment &environment) const;

private:
    bool Launch(QProcess &program, const QProcessEnvironment &environment, const QString &command,
                const QStringList &arguments) const;

    QTemporaryDir m_dir;
};

// The processes a process started, whichever of its threads started them.
QList<qint64> ChildrenOf(qint64 pid);
// A process and all it started, and theirs, in turn.
QList<qint64> ProcessTree(qint64 pid);
QByteArray CommandLineOf(qint64 pid);
// The page engine forks each page process from a zygote that the program started.
bool HasPageProcess(qint64 pid);
