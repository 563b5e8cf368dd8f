// The built program's window as a user sees it on a desktop: on an X server of its own with a
// window manager, driven with key presses, its pixels read from the server's screen.
#include "tests/support/FileBytes.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/WaitFor.h"

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>

namespace {

// A desktop of the test's own: an X server whose screen the test reads, a window manager on it,
// and a copy of the program to start there.
class Desktop
{
public:
    // A clean-up that must not fail the case: the program may have ended, or never started.
    ~Desktop()
    {
        program.kill();
        program.waitForFinished(WaitTimeoutMs);
    }

    bool Ready() const { return !x.Display().isEmpty() && windowManager.Running(); }

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

    // Key presses to the program's window, which has the focus.
    void Keys(const QStringList &keys) { Xdotool(user, QStringList{QStringLiteral("key")} + keys); }

    // What an area of the screen shows now.
    QImage Picture(const QRect &area) const { return x.Screen().copy(area); }

    QTemporaryDir frameBuffer;
    PrivateXServer x{frameBuffer.path()};
    ProgramCopy copy;
    QProcessEnvironment user = copy.UserEnvironment(x.Display());
    WindowManager windowManager{user};
    QProcess program;

private:
    // A NAME=value line of xdotool's shell output.
    static int Value(const QByteArray &shellOutput, const QByteArray &name)
    {
        for (const QByteArray &line : shellOutput.split('\n'))
            if (line.startsWith(name + '='))
                return line.mid(name.size() + 1).toInt();
        return -1;
    }
};

class ProgramWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *tool : {"Xvfb", "xdotool", "openbox"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                GTEST_SKIP() << "no " << tool << " here to show and use the program's window";
        }
        ASSERT_TRUE(restarted.Ready());
        ASSERT_TRUE(hiding.Ready());
    }

    Desktop restarted;
    Desktop hiding;
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

// The first row of the page that a picture of the window shows: the white page's rows up from the
// window's middle, in its middle column; -1 while no page is drawn there.
int PageTop(const QImage &window)
{
    const int x = window.width() / 2;
    const auto page = [&](int y) { return window.pixel(x, y) == QColor(Qt::white).rgb(); };
    int top = window.height() / 2;
    if (window.isNull() || !page(top))
        return -1;
    while (top > 0 && page(top - 1))
        --top;
    return top;
}

} // namespace

// View > Toolbars > Address Bar unchecked, File > Close, and a new start: the window looks as one
// whose bar the menu hid, with nothing drawn over the menu bar. The two windows, each on a
// desktop of its own, end in the same state however long each takes to draw: the case waits
// until they look alike. The menu's window must show its page from higher up than it did with
// the bar, or two windows that both kept their bar would pass for alike.
TEST_F(ProgramWindow, AnAddressBarHiddenBeforeARestartLeavesTheMenuBarAsHidingItDid)
{
    ASSERT_FALSE(restarted.StartAndFindWindow().isEmpty()) << "the program's window never showed its home page";
    restarted.Keys({QStringLiteral("alt+v"), QStringLiteral("t"), QStringLiteral("a")});
    restarted.Keys({QStringLiteral("alt+f"), QStringLiteral("c")});
    ASSERT_TRUE(restarted.program.waitForFinished(WaitTimeoutMs)) << "File > Close did not end the program";
    ASSERT_TRUE(ReadFile(restarted.copy.FilePath(QStringLiteral("Settings.dat"))).contains("ShowAddressBar=False\r\n"));
    const QRect startedHidden = restarted.StartAndFindWindow();
    ASSERT_FALSE(startedHidden.isEmpty()) << "the program's window never showed its home page again";

    const QRect hiddenByMenu = hiding.StartAndFindWindow();
    ASSERT_EQ(hiddenByMenu.size(), startedHidden.size());
    int shownPageTop = -1;
    ASSERT_TRUE(WaitUntil([&] {
        shownPageTop = PageTop(hiding.Picture(hiddenByMenu));
        return shownPageTop > 0;
    })) << "the window never drew its page below its bars";
    hiding.Keys({QStringLiteral("alt+v"), QStringLiteral("t"), QStringLiteral("a")});

    QImage started, byMenu;
    const bool alike = WaitUntil([&] {
        started = restarted.Picture(startedHidden);
        byMenu = hiding.Picture(hiddenByMenu);
        return !started.isNull() && started == byMenu;
    });
    EXPECT_TRUE(alike) << "the window started with its Address bar hidden differs from one whose bar the menu hid, "
                       << "from its row " << FirstDifferentRow(started, byMenu) << " of " << started.height();
    EXPECT_LT(PageTop(byMenu), shownPageTop) << "the page did not take the rows of the Address bar the menu hid";
}
