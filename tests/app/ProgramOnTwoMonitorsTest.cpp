// The built program on a desktop of two monitors side by side, the left one primary, its window
// saved wholly on the right one: every window it opens comes up on the right one, opened by the
// program's menus and keys, its frame read from the X server as the window manager placed it.
#include "tests/support/FileBytes.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/WaitFor.h"

#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

constexpr QRect LeftMonitor(0, 0, 1280, 1024);
constexpr QRect RightMonitor(1280, 0, 1280, 1024);
const QString MainWindowTitle = QStringLiteral("^ Kestrelvue - Kestrelvue$");
const QString FullScreenTitle = QStringLiteral("^Kestrelvue$");

// Points of windows the test clicks, in their client areas.
// The New Folder button of Add To Favorites, by its design in twips (120, 4320, 1215, 375).
constexpr QPoint NewFolderButton(48, 300);
// The main window's address box, right of its caption on the Address bar.
constexpr QPoint AddressBox(240, 60);
// The first entry of the main window's FTP pane, below the list's header.
constexpr QPoint FirstFtpEntry(50, 106);
// The full-screen window's Minimize button and the one that leaves full screen, the first two of
// its window buttons at the top right: so far left of the window's right edge.
constexpr QPoint MinimizeFromTopRight(62, 13);
constexpr QPoint LeaveFromTopRight(37, 13);

class ProgramOnTwoMonitors : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *tool : {"Xvfb", "xrandr", "openbox", "xdotool", "xwininfo", "xprop"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                GTEST_SKIP() << "no " << tool << " here to show the program on two monitors";
        }
        ASSERT_FALSE(x.Display().isEmpty()) << "no X server with two monitors";
        ASSERT_TRUE(windowManager.Running());
        // The user left the window at 1500,100 (in twips).
        ChangeSetting("WindowLeft=1200", "WindowLeft=22500");
        ChangeSetting("WindowTop=1200", "WindowTop=1500");
    }

    // A clean-up that must not fail the case: the program may have ended, or never started.
    void TearDown() override
    {
        program.kill();
        program.waitForFinished(WaitTimeoutMs);
    }

    void ChangeSetting(const QByteArray &line, const QByteArray &changed)
    {
        const QString settings = copy.FilePath(QStringLiteral("Settings.dat"));
        QByteArray bytes = ReadFile(settings);
        ASSERT_TRUE(bytes.contains(line + "\r\n"));
        WriteFile(settings, bytes.replace(line + "\r\n", changed + "\r\n"));
    }

    // Starts the program; the id of its first window, titled so, once it shows.
    QString Start(const QString &title)
    {
        return copy.Start(program, user) ? AwaitWindow(title) : QString();
    }

    // Waits for a shown window titled so other than those given; its id, empty when none came.
    QString AwaitWindow(const QString &title, const QStringList &others = {})
    {
        QString found;
        WaitUntil([&] {
            for (const QString &id : WindowsNamed(user, title))
                if (!others.contains(id))
                    found = id;
            return !found.isEmpty();
        });
        return found;
    }

    // The frame of a window once the window manager has framed it.
    QRect Frame(const QString &id)
    {
        QRect frame;
        WaitUntil([&] { return !(frame = WindowFrame(user, id)).isNull(); });
        return frame;
    }

    // Opens a window from the window with focus (by key presses given to it), expects it wholly
    // on the right monitor, and leaves it open; its id.
    QString ExpectOpenedOnRight(const QString &from, const QStringList &keys, const QString &title,
                                const QStringList &others = {})
    {
        Keys(from, keys);
        const QString id = AwaitWindow(title, others);
        EXPECT_FALSE(id.isEmpty()) << title.toStdString() << " never came up";
        if (!id.isEmpty()) {
            const QRect frame = Frame(id);
            EXPECT_TRUE(RightMonitor.contains(frame)) << title.toStdString() << " comes up at " << Text(frame);
        }
        return id;
    }

    // Key presses to a window, made the active one first.
    void Keys(const QString &id, const QStringList &keys)
    {
        if (keys.isEmpty())
            return;
        Xdotool(user, QStringList{QStringLiteral("windowactivate"), QStringLiteral("--sync"), id,
                                  QStringLiteral("key")}
                          + keys);
    }

    // Clicks at a point of a window's client area, twice for a double-click.
    void Click(const QString &id, const QPoint &at, int times = 1)
    {
        Xdotool(user, {QStringLiteral("mousemove"), QStringLiteral("--window"), id, QString::number(at.x()),
                       QString::number(at.y()), QStringLiteral("click"), QStringLiteral("--repeat"),
                       QString::number(times), QStringLiteral("1")});
    }

    // Clicks there until done() holds, and says whether it came to: a click that comes before a
    // window just shown takes clicks is lost.
    template <class Done>
    bool ClickUntil(const QString &id, const QPoint &at, Done done, int times = 1)
    {
        return WaitUntil([&] {
            if (done())
                return true;
            Click(id, at, times);
            return false;
        });
    }

    // Closes a window as the user does, with the window manager's Alt+F4, and waits until it is
    // gone.
    void Close(const QString &id)
    {
        Keys(id, {QStringLiteral("alt+F4")});
        EXPECT_TRUE(WaitUntil([&] { return !Shown(id); })) << "a window did not close";
    }

    bool Shown(const QString &id)
    {
        return XTool(user, QStringLiteral("xwininfo"), {QStringLiteral("-id"), id}).contains("IsViewable");
    }

    bool Iconic(const QString &id)
    {
        return XTool(user, QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("WM_STATE")})
            .contains("Iconic");
    }

    static QPoint FromTopRight(const QRect &frame, const QPoint &offset)
    {
        return QPoint(frame.width() - offset.x(), offset.y());
    }

    static std::string Text(const QRect &frame)
    {
        return QStringLiteral("%1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height()).toStdString();
    }

    PrivateXServer x{QString(), PrivateXServer::Monitors::TwoSideBySide};
    ProgramCopy copy;
    QProcessEnvironment user = copy.UserEnvironment(x.Display());
    WindowManager windowManager{user};
    QProcess program;
};

} // namespace

TEST_F(ProgramOnTwoMonitors, WindowsOpenedFromTheWindowComeUpOnItsMonitor)
{
    const QString main = Start(MainWindowTitle);
    ASSERT_FALSE(main.isEmpty()) << "the program's window never showed its home page";
    ASSERT_TRUE(RightMonitor.contains(Frame(main))) << "the window was saved on the right monitor";

    // Favorites > Add To Favorites (through the menu on its left), its New Folder, and OK there
    // without a name.
    const QString favorites = ExpectOpenedOnRight(
        main, {QStringLiteral("alt+n"), QStringLiteral("Right"), QStringLiteral("a")}, QStringLiteral("^Add To Favorites$"));
    ASSERT_FALSE(favorites.isEmpty());
    ASSERT_TRUE(ClickUntil(favorites, NewFolderButton, [&] {
        return !WindowsNamed(user, QStringLiteral("^Create New Folder$")).isEmpty();
    }));
    const QString newFolder = ExpectOpenedOnRight(favorites, {}, QStringLiteral("^Create New Folder$"));
    ASSERT_FALSE(newFolder.isEmpty());
    const QString noName = ExpectOpenedOnRight(newFolder, {QStringLiteral("Tab"), QStringLiteral("space")},
                                               QStringLiteral("^Create New Folder$"), {newFolder});
    ASSERT_FALSE(noName.isEmpty());
    for (const QString &id : {noName, newFolder, favorites})
        Close(id);

    // The File menu shares its key with Favorites: it is reached from Edit, on its right.
    const std::pair<QStringList, QString> others[] = {
        {{QStringLiteral("ctrl+f")}, QStringLiteral("^Find$")},
        {{QStringLiteral("alt+e"), QStringLiteral("f")}, QStringLiteral("^Find$")},
        {{QStringLiteral("ctrl+o")}, QStringLiteral("^Open File$")},
        {{QStringLiteral("alt+h"), QStringLiteral("h")}, QStringLiteral("^Kestrelvue Help$")},
        {{QStringLiteral("alt+t"), QStringLiteral("a")}, QStringLiteral("^Application Settings$")},
        {{QStringLiteral("alt+t"), QStringLiteral("i")}, QStringLiteral("^Internet Options$")},
        {{QStringLiteral("ctrl+s")}, QStringLiteral("^Save Web Page$")},
        {{QStringLiteral("alt+e"), QStringLiteral("Left"), QStringLiteral("v")}, QStringLiteral("^Print Preview$")},
        {{QStringLiteral("alt+e"), QStringLiteral("Left"), QStringLiteral("u")}, QStringLiteral("^Page Setup$")},
        {{QStringLiteral("ctrl+p")}, QStringLiteral("^Print$")},
    };
    for (const auto &[keys, title] : others) {
        if (const QString id = ExpectOpenedOnRight(main, keys, title); !id.isEmpty())
            Close(id);
    }
    const QString newWindow = ExpectOpenedOnRight(main, {QStringLiteral("ctrl+n")}, MainWindowTitle, {main});
    if (!newWindow.isEmpty())
        Close(newWindow);
}

// An ftp address typed into the address box, its login, and a download of the file it lists.
TEST_F(ProgramOnTwoMonitors, FtpDialogsComeUpOnTheMonitorOfTheirWindow)
{
    FtpTestServer server;
    ASSERT_TRUE(server.Start());
    WriteFile(server.PathOf(QStringLiteral("notes.txt")), "notes\r\n");
    const QString main = Start(MainWindowTitle);
    ASSERT_FALSE(main.isEmpty()) << "the program's window never showed its home page";

    Click(main, AddressBox);
    Xdotool(user, {QStringLiteral("key"), QStringLiteral("ctrl+a"), QStringLiteral("type"),
                   QStringLiteral("ftp://127.0.0.1:%1").arg(server.Port())});
    const QString login = ExpectOpenedOnRight(main, {QStringLiteral("Return")}, QStringLiteral("^FTP Login$"));
    ASSERT_FALSE(login.isEmpty());
    // OK, which has the focus: an anonymous login, and the listing.
    Keys(login, {QStringLiteral("space")});

    // The entry is there once the listing has arrived: until the save dialog shows, it has not.
    const QString saveAs = QStringLiteral("^Download file and save as...$");
    EXPECT_TRUE(ClickUntil(main, FirstFtpEntry, [&] { return !WindowsNamed(user, saveAs).isEmpty(); }, 2))
        << "the listed file never asked where to go";
    const QString saveDialog = ExpectOpenedOnRight(main, {}, saveAs);
    ASSERT_FALSE(saveDialog.isEmpty());
    ExpectOpenedOnRight(saveDialog, {QStringLiteral("Return")},
                        QStringLiteral("^(File Download|Download Complete|.*% of notes.txt completed)$"));
}

// Full screen, left, the window moved to the left monitor, and full screen again.
TEST_F(ProgramOnTwoMonitors, FullScreenCoversTheMonitorOfTheWindow)
{
    const QString main = Start(MainWindowTitle);
    ASSERT_FALSE(main.isEmpty()) << "the program's window never showed its home page";

    Keys(main, {QStringLiteral("alt+v"), QStringLiteral("f")});
    const QString fullScreen = AwaitWindow(FullScreenTitle);
    ASSERT_FALSE(fullScreen.isEmpty()) << "View > Fullscreen showed no full-screen window";
    const QRect frame = Frame(fullScreen);
    EXPECT_EQ(Text(frame), Text(RightMonitor));

    ASSERT_TRUE(ClickUntil(fullScreen, FromTopRight(frame, LeaveFromTopRight), [&] { return Shown(main); }))
        << "leaving full screen did not show the window";
    Xdotool(user, {QStringLiteral("windowmove"), main, QStringLiteral("100"), QStringLiteral("100")});
    ASSERT_TRUE(WaitUntil([&] { return LeftMonitor.contains(WindowFrame(user, main)); }));
    Keys(main, {QStringLiteral("alt+v"), QStringLiteral("f")});
    ASSERT_FALSE(AwaitWindow(FullScreenTitle).isEmpty()) << "View > Fullscreen showed no full-screen window";
    EXPECT_EQ(Text(Frame(fullScreen)), Text(LeftMonitor));
}

// A start in full screen, and its Minimize: the stand-in on the task bar keeps to its monitor.
TEST_F(ProgramOnTwoMonitors, AStartInFullScreenCoversTheMonitorOfTheSavedWindowAndMinimizesThere)
{
    ChangeSetting("FullScreen=False", "FullScreen=True");
    const QString fullScreen = Start(FullScreenTitle);
    ASSERT_FALSE(fullScreen.isEmpty()) << "the program never showed its full-screen window";
    const QRect frame = Frame(fullScreen);
    EXPECT_EQ(Text(frame), Text(RightMonitor));

    QString standIn;
    ASSERT_TRUE(ClickUntil(fullScreen, FromTopRight(frame, MinimizeFromTopRight), [&] {
        for (const QString &id : WindowsNamed(user, QStringLiteral("^ Kestrelvue"), false))
            if (Iconic(id))
                standIn = id;
        return !standIn.isEmpty();
    })) << "Minimize left no stand-in on the task bar";
    const QRect standInFrame = Frame(standIn);
    EXPECT_TRUE(RightMonitor.contains(standInFrame)) << "the stand-in is at " << Text(standInFrame);
}
