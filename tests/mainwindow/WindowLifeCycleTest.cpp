// Main windows opened and closed in any order: the program lives until its last window closes,
// no window comes back, every close saves, and new windows open where both can be seen.
#include "MainWindowFixture.h"
#include "OpenedWindows.h"

#include "app/CommandIds.h"
#include "controls/XPStyleImageTextBox.h"
#include "fullscreen/FormFullScreen.h"
#include "platform/CommandBars.h"
#include "tests/platform/WebBrowserTestSupport.h"

#include <QGuiApplication>
#include <QScreen>
#include <QPointer>
#include <QTest>

#include <functional>

using namespace OpenedWindows;

namespace {

class WindowLifeCycle : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        for (const char *name : {"/a.html", "/b.html", "/c.html", "/popup.html"})
            server.AddPage(name, QByteArray("<html><head><title>") + name + "</title></head><body>page</body></html>");
        server.AddPage("/opener.html",
                       "<html><body>"
                       "<p><a id=blank href='/popup.html' target=_blank>new window</a></p>"
                       "<p><a id=sized href='#' onclick=\"window.open('/popup.html', 'small', "
                       "'width=320,height=240'); return false\">sized</a></p>"
                       "<p><a id=far href='#' onclick=\"window.open('/popup.html', 'far', "
                       "'left=5000,top=5000,width=320,height=240'); return false\">far</a></p>"
                       "<p><a id=plain href='#' onclick=\"window.open('/popup.html'); return false\">plain</a></p>"
                       "</body></html>");
    }

    static FormMain *NewWindowFrom(FormMain *opener)
    {
        return WindowOpenedBy([opener] { Choose(opener, CommandId::NewWindow); });
    }

    FormMain *PopupFrom(FormMain *opener, const char *link)
    {
        FormMain *opened = WindowOpenedBy([&] { WebBrowserTest::ClickElement(opener->WebBrowserMain, link); });
        const QString popup = server.Url("/popup.html").toString();
        return opened && WaitUntil([&] { return opened->WebBrowserMain->LocationURL() == popup; }) ? opened : nullptr;
    }

    // Closes a window as its title-bar button does and checks that no main window appears, nor
    // comes back, once what the close queued has run.
    static void Close(QWidget *window)
    {
        const QList<QPointer<FormMain>> before = MainWindows();
        window->close();
        ASSERT_TRUE(WaitUntil([&] { return !Forms::IsLoaded(window); }));
        ASSERT_TRUE(WaitForQueuedCalls());
        for (FormMain *remaining : Loaded<FormMain>())
            EXPECT_TRUE(before.contains(remaining) && remaining != window)
                << "a main window appeared while another closed";
    }

    static bool TitleBarOnScreen(const QWidget *window)
    {
        const QRect screen = window->screen()->availableGeometry();
        return screen.contains(window->frameGeometry().topLeft());
    }

    // The first window closed, full screen entered from a second one: returns that second window,
    // still open beside the full-screen window.
    FormMain *FullScreenFromASecondWindow()
    {
        FormMain *second = NewWindowFrom(form);
        if (!second)
            return nullptr;
        Close(form);
        Choose(second, CommandId::Fullscreen);
        const bool shown = WaitUntil([] { return Forms::Default<FormFullScreen>()->isVisible(); });
        return shown ? second : nullptr;
    }
};

} // namespace

TEST_F(WindowLifeCycle, ClosingTheFirstWindowThenTheSecondSavesTheSecondsPlacementAndNoWindowReturns)
{
    FormMain *second = NewWindowFrom(form);
    ASSERT_NE(second, nullptr);
    form->resize(800, 600);
    second->resize(700, 500);
    Choose(form, CommandId::Block);
    ASSERT_FALSE(form->KillPopups);

    Close(form);
    EXPECT_TRUE(Forms::IsLoaded(second));
    Close(second);
    EXPECT_TRUE(Loaded<FormMain>().isEmpty());
    const QByteArray saved = folder.ReadFile(QStringLiteral("Settings.dat"));
    EXPECT_TRUE(saved.contains("WindowWidth=10500\r\n")) << saved.constData();
    EXPECT_TRUE(saved.contains("WindowHeight=7500\r\n"));
    EXPECT_TRUE(saved.contains("KillPopups=False\r\n")) << "the program's options, whichever window closes last";
}

TEST_F(WindowLifeCycle, NewWindowOpensOffsetFromItsOpenerWithItsTitleBarOnScreen)
{
    FormMain *second = NewWindowFrom(form);
    ASSERT_NE(second, nullptr);
    EXPECT_GT(second->x(), form->x());
    EXPECT_GT(second->y(), form->y());
    EXPECT_TRUE(TitleBarOnScreen(second));
    FormMain *third = NewWindowFrom(second);
    ASSERT_NE(third, nullptr);
    EXPECT_GT(third->y(), second->y());
    EXPECT_TRUE(TitleBarOnScreen(third));
}

TEST_F(WindowLifeCycle, PopupWithoutAPositionOpensOverItsOpenerAndAGivenPositionStaysOnScreen)
{
    ASSERT_TRUE(LoadPage(form, server.Url("/opener.html")));
    FormMain *sized = PopupFrom(form, "#sized");
    ASSERT_NE(sized, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return sized->Width() == 320 * 15; }));
    EXPECT_TRUE(TitleBarOnScreen(sized));
    EXPECT_GT(sized->x(), form->x()) << "over its opener, not in the screen's corner";
    EXPECT_GT(sized->y(), form->y());
    EXPECT_LT(sized->x(), form->x() + form->width());
    EXPECT_LT(sized->y(), form->y() + form->height());

    FormMain *far = PopupFrom(form, "#far");
    ASSERT_NE(far, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return far->Width() == 320 * 15; }));
    EXPECT_TRUE(WaitUntil([&] { return far->screen()->availableGeometry().contains(far->frameGeometry()); }))
        << far->frameGeometry().x() << "," << far->frameGeometry().y();

    FormMain *next = NewWindowFrom(form);
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(TitleBarOnScreen(next));
    EXPECT_GT(next->y(), form->y()) << "a later window follows its opener, not the popup";
}

TEST_F(WindowLifeCycle, NewWindowsOfAWindowInTheScreensBottomRightCornerLieWhollyOnTheScreen)
{
    ASSERT_TRUE(LoadPage(form, server.Url("/opener.html")));
    const QRect area = form->screen()->availableGeometry();
    const QSize frame = form->frameGeometry().size();
    form->move(area.right() + 1 - frame.width(), area.bottom() + 1 - frame.height());
    const auto expectOnScreen = [&](const char *how, FormMain *window) {
        ASSERT_NE(window, nullptr) << how;
        EXPECT_TRUE(WaitUntil([&] { return area.contains(window->frameGeometry()); }))
            << how << " opens at " << window->frameGeometry().x() << "," << window->frameGeometry().y() << " "
            << window->frameGeometry().width() << "x" << window->frameGeometry().height();
    };

    expectOnScreen("Ctrl+N", WindowOpenedBy([&] { QTest::keyClick(form, Qt::Key_N, Qt::ControlModifier); }));
    expectOnScreen("New Window", NewWindowFrom(form));
    expectOnScreen("a link to a new window", PopupFrom(form, "#blank"));
    expectOnScreen("a popup without position", PopupFrom(form, "#plain"));
    expectOnScreen("a popup with a size", PopupFrom(form, "#sized"));
    expectOnScreen("a popup with a position", PopupFrom(form, "#far"));
}

TEST_F(WindowLifeCycle, WindowsOpenedAndClosedInAnyOrderKeepTheProgramAndItsData)
{
    ASSERT_TRUE(LoadPage(form, server.Url("/a.html")));
    ChooseOnSideBar(form, CommandId::ClearHistory);
    ASSERT_TRUE(LoadPage(form, server.Url("/a.html")));
    FormMain *second = NewWindowFrom(form);
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(LoadPage(second, server.Url("/b.html")));
    second->XPStyleImageTextBox1->AddItem(QStringLiteral("http://typed.example/"));
    Choose(form, CommandId::Block);

    ASSERT_TRUE(LoadPage(form, server.Url("/opener.html")));
    FormMain *popup = PopupFrom(form, "#blank");
    ASSERT_NE(popup, nullptr);

    // Full screen from the second window, on a page of its own, and back.
    Choose(second, CommandId::Fullscreen);
    FormFullScreen *fs = Forms::Default<FormFullScreen>();
    ASSERT_TRUE(WaitUntil([&] { return fs->isVisible() && !form->isVisible(); }));
    fs->WebBrowserFullScreen->Navigate(server.Url("/c.html").toString());
    ASSERT_TRUE(WaitUntil([&] { return fs->WebBrowserFullScreen->LocationURL() == server.Url("/c.html").toString(); }));
    bool backOnPage = false;
    const auto connection = QObject::connect(form->WebBrowserMain, &WebBrowser::DocumentComplete, form, [&](WebBrowser *, const QString &url) {
        backOnPage = backOnPage || url == server.Url("/c.html").toString();
    });
    fs->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::Fullscreen)->Execute();
    ASSERT_TRUE(WaitUntil([&] { return form->isVisible() && !fs->isVisible(); }));
    ASSERT_TRUE(WaitUntil([&] { return backOnPage; })) << "the first window comes back on the full-screen page";
    QObject::disconnect(connection);
    Choose(form, CommandId::Block);

    Close(form);
    EXPECT_FALSE(Loaded<FormMain>().isEmpty());
    Close(popup);
    second->resize(700, 500);
    ASSERT_FALSE(Forms::LoadedForms().isEmpty()) << "the program lives while a window is open";
    Close(second);

    EXPECT_TRUE(Forms::LoadedForms().isEmpty());
    const QByteArray history = folder.ReadFile(QStringLiteral("History.dat"));
    for (const char *page : {"/a.html", "/b.html", "/c.html", "/popup.html"})
        EXPECT_TRUE(history.contains(server.Url(page).toString().toUtf8())) << page << "\n" << history.constData();
    EXPECT_TRUE(folder.ReadFile(QStringLiteral("Url.dat")).contains("http://typed.example/"));
    const QByteArray settings = folder.ReadFile(QStringLiteral("Settings.dat"));
    EXPECT_TRUE(settings.contains("WindowWidth=10500\r\n")) << settings.constData();
    EXPECT_TRUE(settings.contains("WindowHeight=7500\r\n"));
    EXPECT_TRUE(settings.contains("KillPopups=True\r\n"));
    EXPECT_TRUE(settings.contains("FullScreen=False\r\n"));
}

TEST_F(WindowLifeCycle, FullScreenLeftAfterEveryMainWindowClosedOpensANewOneOnItsPage)
{
    FormMain *second = FullScreenFromASecondWindow();
    ASSERT_NE(second, nullptr);
    FormFullScreen *fs = Forms::Default<FormFullScreen>();
    EXPECT_TRUE(second->isVisible()) << "only the first window hides behind full screen";
    fs->WebBrowserFullScreen->Navigate(server.Url("/c.html").toString());
    ASSERT_TRUE(WaitUntil([&] { return fs->WebBrowserFullScreen->LocationURL() == server.Url("/c.html").toString(); }));

    Close(second);
    ASSERT_TRUE(Forms::IsLoaded(fs)) << "the full-screen window is still open";
    EXPECT_TRUE(folder.ReadFile(QStringLiteral("Settings.dat")).contains("FullScreen=True\r\n"));

    QAction *maximize = FormFullScreen::ToolbarButton(fs->ToolbarWindow, QStringLiteral("Maximize"));
    FormMain *reopened = WindowOpenedBy([&] { maximize->trigger(); });
    ASSERT_NE(reopened, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return reopened->WebBrowserMain->LocationURL() == server.Url("/c.html").toString(); }));
    EXPECT_FALSE(fs->isVisible());
    EXPECT_FALSE(reopened->FullScreen);

    // The window the user is left with keeps its options: its bars' toggles are saved.
    Choose(reopened, CommandId::ToolBarStandard);
    Choose(reopened, CommandId::AddressBar);
    Close(reopened);
    EXPECT_TRUE(Forms::LoadedForms().isEmpty());
    const QByteArray settings = folder.ReadFile(QStringLiteral("Settings.dat"));
    EXPECT_TRUE(settings.contains("FullScreen=False\r\n")) << settings.constData();
    EXPECT_TRUE(settings.contains("ShowToolBarStandard=False\r\n"));
    EXPECT_TRUE(settings.contains("ShowAddressBar=False\r\n"));
}

// A window opened from full screen while no main window was open is the one the user is left
// with when full screen is left: it keeps what it shows and takes the blocker the program has.
TEST_F(WindowLifeCycle, AWindowOpenedFromFullScreenStandingAloneSavesItsOptionsOnceFullScreenIsLeft)
{
    FormMain *second = FullScreenFromASecondWindow();
    ASSERT_NE(second, nullptr);
    FormFullScreen *fs = Forms::Default<FormFullScreen>();
    Close(second);
    ASSERT_TRUE(Forms::IsLoaded(fs));

    FormMain *opened = WindowOpenedBy([&] { QTest::keyClick(fs->PictureKeyPreview, Qt::Key_N, Qt::ControlModifier); });
    ASSERT_NE(opened, nullptr);
    Choose(opened, CommandId::ToolBarStandard);
    ASSERT_TRUE(opened->KillPopups);
    fs->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::Block)->Execute();
    fs->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::Fullscreen)->Execute();
    ASSERT_TRUE(WaitUntil([&] { return !fs->isVisible(); }));
    EXPECT_EQ(Loaded<FormMain>(), QList<FormMain *>{opened});
    EXPECT_TRUE(opened->isVisible());
    EXPECT_FALSE(opened->KillPopups) << "the blocker is the program's";
    EXPECT_FALSE(opened->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::Block)->Checked());
    EXPECT_FALSE(opened->ShowToolBarStandard) << "the window keeps what it shows";

    Choose(opened, CommandId::AddressBar);
    Close(opened);
    EXPECT_TRUE(Forms::LoadedForms().isEmpty());
    const QByteArray settings = folder.ReadFile(QStringLiteral("Settings.dat"));
    EXPECT_TRUE(settings.contains("FullScreen=False\r\n")) << settings.constData();
    EXPECT_TRUE(settings.contains("KillPopups=False\r\n"));
    EXPECT_TRUE(settings.contains("ShowToolBarStandard=False\r\n"));
    EXPECT_TRUE(settings.contains("ShowAddressBar=False\r\n"));
}
