// The built program's window as a user sees it on a desktop: on an X server of its own with a
// window manager, driven with key presses, its pixels read from the server's screen.
#include "tests/support/FileBytes.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/WaitFor.h"

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>

namespace {

// How long a window's pixels stay the same before its paint counts as done.
constexpr int SettledForMs = 500;

class ProgramWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *tool : {"Xvfb", "xdotool", "openbox"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                GTEST_SKIP() << "no " << tool << " here to show and use the program's window";
        }
        ASSERT_FALSE(x.Display().isEmpty());
        ASSERT_TRUE(windowManager.Running());
    }

    // A clean-up that must not fail the case: the program may have ended, or never started.
    void TearDown() override
    {
        program.kill();
        program.waitForFinished(WaitTimeoutMs);
    }

    // Starts the program and waits for its window on the home page; the window's client area
    // on the screen. The window has the focus, the pointer is left off it.
    QRect StartAndFindWindow()
    {
        if (!copy.Start(program, user))
            return {};
        const QByteArray found = Xdotool(user, {QStringLiteral("search"), QStringLiteral("--sync"),
                                                QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                                QStringLiteral("^ Kestrelvue - Kestrelvue$")});
        if (found.isEmpty())
            return {};
        const QString id = QString::fromLatin1(found.split('\n').first());
        const QByteArray size = Xdotool(user, {QStringLiteral("windowactivate"), QStringLiteral("--sync"), id,
                                               QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id});
        const QByteArray corner = Xdotool(user, {QStringLiteral("mousemove"), QStringLiteral("--window"), id,
                                                 QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("getmouselocation"),
                                                 QStringLiteral("--shell"), QStringLiteral("mousemove"),
                                                 QStringLiteral("1279"), QStringLiteral("1023")});
        return QRect(Value(corner, "X"), Value(corner, "Y"), Value(size, "WIDTH"), Value(size, "HEIGHT"));
    }

    // A NAME=value line of xdotool's shell output.
    static int Value(const QByteArray &shellOutput, const QByteArray &name)
    {
        for (const QByteArray &line : shellOutput.split('\n'))
            if (line.startsWith(name + '='))
                return line.mid(name.size() + 1).toInt();
        return -1;
    }

    // The pixels of an area once they have stopped changing, other than they were before.
    QImage Settled(const QRect &area, const QImage &before = QImage())
    {
        QImage last;
        QElapsedTimer unchanged;
        const bool settled = WaitUntil([&] {
            const QImage now = x.Screen().copy(area);
            if (now != last) {
                last = now;
                unchanged.start();
                return false;
            }
            return now != before && unchanged.elapsed() >= SettledForMs;
        });
        EXPECT_TRUE(settled) << "the window's pixels never settled";
        return last;
    }

    // Key presses to the program's window, which has the focus.
    void Keys(const QStringList &keys) { Xdotool(user, QStringList{QStringLiteral("key")} + keys); }

    QTemporaryDir frameBuffer;
    PrivateXServer x{frameBuffer.path()};
    ProgramCopy copy;
    QProcessEnvironment user = copy.UserEnvironment(x.Display());
    WindowManager windowManager{user};
    QProcess program;
};

// The first row in which two pictures differ; their height when none does.
int FirstDifferentRow(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 0;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(a.bytesPerLine())) != 0)
            return y;
    return a.height();
}

} // namespace

// View > Toolbars > Address Bar unchecked, File > Close, and a new start: the window looks as it
// did once the menu had hidden the bar, with nothing drawn over the menu bar.
TEST_F(ProgramWindow, AnAddressBarHiddenBeforeARestartLeavesTheMenuBarAsHidingItDid)
{
    const QRect first = StartAndFindWindow();
    ASSERT_FALSE(first.isEmpty()) << "the program's window never showed its home page";
    const QImage shown = Settled(first);
    Keys({QStringLiteral("alt+v"), QStringLiteral("t"), QStringLiteral("a")});
    const QImage hiddenByMenu = Settled(first, shown);
    Keys({QStringLiteral("alt+f"), QStringLiteral("c")});
    ASSERT_TRUE(program.waitForFinished(WaitTimeoutMs)) << "File > Close did not end the program";
    ASSERT_TRUE(ReadFile(copy.FilePath(QStringLiteral("Settings.dat"))).contains("ShowAddressBar=False\r\n"));

    const QRect second = StartAndFindWindow();
    ASSERT_EQ(second.size(), first.size());
    const QImage startedHidden = Settled(second);

    // The rows above the Address bar, which hiding it changed first: the menu bar's and the
    // Standard toolbar's.
    const int barRows = FirstDifferentRow(shown, hiddenByMenu);
    ASSERT_GE(barRows, 10) << "hiding the Address bar changed the top of the window";
    const int differentRow = FirstDifferentRow(startedHidden, hiddenByMenu);
    EXPECT_GE(differentRow, barRows) << "something is drawn over the menu bar";
    EXPECT_EQ(differentRow, startedHidden.height()) << "the window differs from its row " << differentRow;
}
