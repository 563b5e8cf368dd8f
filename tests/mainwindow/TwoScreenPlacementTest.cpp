// Two screens side by side, the left one primary: what a main window opens comes up on the screen
// that window is on, also where the window's centre lies on neither screen.
#include "MainWindowFixture.h"
#include "OpenedWindows.h"

#include "app/CommandIds.h"
#include "ftp/FormFTPLogin.h"
#include "fullscreen/FormFullScreen.h"
#include "fullscreen/FormFullScreenTaskBar.h"
#include "mainwindow/FormFind.h"
#include "mainwindow/FormHelp.h"
#include "mainwindow/FormOpenFile.h"
#include "platform/InternetOptionsDialog.h"
#include "tests/support/AddressBoxTyping.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include <vector>

using namespace OpenedWindows;

namespace {

// Where the user may leave the window, with the screen it is on (0 left, 1 right).
struct Place
{
    const char *name;
    QPoint at;
    int screen;
};

class TwoScreenPlacement : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        server.AddPage("/popup.html", "<html><head><title>Popup</title></head><body>popup</body></html>");
        server.AddPage("/opener.html", "<html><body><a id=blank href='/popup.html' target=_blank>a</a></body></html>");
        const QList<QScreen *> screens = QGuiApplication::screens();
        ASSERT_EQ(screens.size(), 2);
        ASSERT_EQ(QGuiApplication::primaryScreen(), screens.first());
        ASSERT_LT(screens.first()->geometry().left(), screens.last()->geometry().left());
    }

    static QRect Area(int screen) { return QGuiApplication::screens().at(screen)->availableGeometry(); }

    // Past the right screen's bottom-right corner, and across the foot of both screens, more on
    // one than on the other: the window's centre on no screen in each.
    std::vector<Place> Places() const
    {
        const QSize size = form->frameGeometry().size();
        const QRect right = QGuiApplication::screens().at(1)->geometry();
        const int below = right.bottom() + 1 - size.height() / 4;
        return {{"past the right screen's corner", QPoint(right.right() + 1 - size.width() / 4, below), 1},
                {"across the foot of both, more on the left", QPoint(right.left() - size.width() * 3 / 5, below), 0},
                {"across the foot of both, more on the right", QPoint(right.left() - size.width() * 2 / 5, below), 1}};
    }

    void MoveTo(const Place &place)
    {
        form->move(place.at);
        ASSERT_EQ(QGuiApplication::screenAt(form->frameGeometry().center()), nullptr) << place.name;
    }

    void Press(Qt::Key key) { QTest::keyClick(form, key, Qt::ControlModifier); }
};

} // namespace

TEST_F(TwoScreenPlacement, DialogsComeUpWhollyOnTheScreenOfTheirWindow)
{
    for (const Place &place : Places()) {
        MoveTo(place);
        const QRect area = Area(place.screen);
        const auto expectOn = [&](const QString &dialog, const QRect &frame) {
            EXPECT_TRUE(area.contains(frame)) << dialog.toStdString() << " at " << frame << ", its window "
                                              << place.name << " at " << form->frameGeometry();
        };
        expectOn("Find", FrameOfModelessOpenedBy<FormFind>([&] { Press(Qt::Key_F); }));
        expectOn("Open", FrameOfModelessOpenedBy<FormOpenFile>([&] { Press(Qt::Key_O); }));
        expectOn("Help", FrameOfModelessOpenedBy<FormHelp>([&] { Choose(form, CommandId::HelpContents); }));
        expectOn("Application Settings", FrameOfModalOpenedBy([&] { Choose(form, CommandId::ApplicationSettings); }));
        form->ShowSearch();
        expectOn("Search Settings", FrameOfModalOpenedBy([&] { ChooseOnSideBar(form, 4000); }));
        expectOn("Internet Options", FrameOfModelessOpenedBy<InternetOptionsDialog>([&] { Choose(form, CommandId::InternetOptions); }));
        expectOn("FTP Login", FrameOfModelessOpenedBy<FormFTPLogin>([&] {
            CommitInAddressBox(form->XPStyleImageTextBox1, QStringLiteral("ftp://127.0.0.1:21/"));
        }));
        form->ShowFavorites();
        // From the side bar the dialog has its owner; from the Favorites menu it has none.
        for (const auto &open : {std::function<void()>([&] { ChooseOnSideBar(form, CommandId::SideBarAddToFavorites); }),
                                 std::function<void()>([&] { Choose(form, CommandId::AddToFavorites); })}) {
            const QMap<QString, QRect> favorites = FramesOfModalsOpenedBy(open);
            EXPECT_EQ(favorites.size(), 2);
            for (auto frame = favorites.begin(); frame != favorites.end(); ++frame)
                expectOn(frame.key(), frame.value());
        }
    }
    // Opened from no window, it comes up centred on its own screen, the left one, wherever the
    // pointer is; where the user then puts it, it stays, also once restored from minimized.
    QCursor::setPos(Area(1).center());
    QPointer<InternetOptionsDialog> alone = InternetOptionsDialog::Open(WebBrowser::DataFolder(), QString());
    EXPECT_LE((alone->frameGeometry().center() - Area(0).center()).manhattanLength(), 2)
        << "Internet Options from no window at " << alone->frameGeometry() << ", the left screen " << Area(0);
    alone->move(alone->pos() + QPoint(40, 30));
    const QRect put = alone->frameGeometry();
    alone->setWindowState(Qt::WindowMinimized);
    alone->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(alone->frameGeometry(), put);
    delete alone;
}

TEST_F(TwoScreenPlacement, NewWindowsAndPopupsOpenWhollyOnTheScreenOfTheirOpener)
{
    ASSERT_TRUE(LoadPage(form, server.Url("/opener.html")));
    const auto expectOn = [&](const QRect &area, const char *how, FormMain *window) {
        ASSERT_NE(window, nullptr) << how;
        EXPECT_TRUE(WaitUntil([&] { return area.contains(window->frameGeometry()); }))
            << how << " opens at " << window->frameGeometry() << ", its opener at " << form->frameGeometry();
        window->close();
    };
    for (const Place &place : Places()) {
        MoveTo(place);
        SCOPED_TRACE(place.name);
        expectOn(Area(place.screen), "Ctrl+N", WindowOpenedBy([&] { Press(Qt::Key_N); }));
        expectOn(Area(place.screen), "a link to a new window",
                 WindowOpenedBy([&] { WebBrowserTest::ClickElement(form->WebBrowserMain, "#blank"); }));
    }
}

// The engine here knows the primary screen only and keeps a page's own requests on it, so the
// request comes as an engine that knows both screens sends it.
TEST_F(TwoScreenPlacement, APageThatMovesItsWindowPastTheScreensKeepsItOnTheNearestScreen)
{
    const QRect right = QGuiApplication::screens().at(1)->geometry();
    emit form->WebBrowserMain->WindowSetLeft(right.right() + 500);
    emit form->WebBrowserMain->WindowSetTop(right.bottom() + 500);
    EXPECT_TRUE(WaitUntil([&] { return Area(1).contains(form->frameGeometry()); })) << form->frameGeometry();
}

// The full-screen window stands in its main window's place, on the screen it overlaps most where
// its centre is on none, and so does its stand-in on the task bar while it is minimized.
TEST_F(TwoScreenPlacement, FullScreenCoversTheScreenOfItsWindowAndMinimizesThere)
{
    for (const Place &place : Places()) {
        MoveTo(place);
        SCOPED_TRACE(place.name);
        Choose(form, CommandId::Fullscreen);
        FormFullScreen *fullScreen = Forms::Default<FormFullScreen>();
        ASSERT_TRUE(WaitUntil([&] { return fullScreen->isVisible(); }));
        EXPECT_EQ(fullScreen->frameGeometry(), Area(place.screen)) << fullScreen->frameGeometry();
        fullScreen->ToolbarWindow_ButtonClick(QStringLiteral("Minimize"));
        auto *standIn = Forms::Default<FormFullScreenTaskBar>();
        EXPECT_TRUE(Area(place.screen).contains(standIn->frameGeometry())) << standIn->frameGeometry();
        standIn->Form_Activate();
        fullScreen->ToolbarWindow_ButtonClick(QStringLiteral("Maximize"));
        ASSERT_TRUE(WaitUntil([&] { return form->isVisible(); }));
    }
}
