#include "app/CommandIds.h"
#include "controls/XPStyleImageTextBox.h"
#include "fullscreen/FormFullScreen.h"
#include "fullscreen/FormFullScreenTaskBar.h"
#include "controls/TransparentLabel.h"
#include "mainwindow/FormMain.h"
#include "platform/CommandBars.h"
#include "platform/Forms.h"
#include "platform/WebBrowser.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/LoadedForms.h"
#include "tests/support/WaitFor.h"

#include <QAction>
#include <QFrame>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>


namespace {

// A main window started as the program starts it, on its home page.
FormMain *startMainWindow(const TempProgramFolder &folder)
{
    FormMain *main = Forms::Default<FormMain>();
    Forms::Show(main);
    const QString home = folder.FileUrl(QStringLiteral("blank.html"));
    EXPECT_TRUE(WaitUntil([&] { return main->WebBrowserMain->LocationURL() == home; })) << "no home page";
    return main;
}

FormFullScreen *enterFullScreen(FormMain *main)
{
    main->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::Fullscreen, false, true)->Execute();
    return Forms::Default<FormFullScreen>();
}

void clickWindowButton(FormFullScreen *fs, const char *key)
{
    FormFullScreen::ToolbarButton(fs->ToolbarWindow, QString::fromLatin1(key))->trigger();
}

class FullScreenWindow : public ::testing::Test
{
protected:
    void TearDown() override { UnloadAllForms(); }
    TempProgramFolder folder;
};

} // namespace

TEST_F(FullScreenWindow, FullscreenCommandHidesTheMainWindowAndShowsItsPageInFullScreen)
{
    FormMain *main = startMainWindow(folder);
    const QString help = folder.FileUrl(QStringLiteral("Help.html"));
    main->WebBrowserMain->Navigate(help);
    ASSERT_TRUE(WaitUntil([&] { return main->WebBrowserMain->LocationURL() == help; }));

    FormFullScreen *fs = enterFullScreen(main);
    EXPECT_TRUE(main->FullScreen);
    EXPECT_TRUE(WaitUntil([&] { return !main->isVisible() && fs->isVisible(); }));
    EXPECT_TRUE(WaitUntil([&] { return fs->WebBrowserFullScreen->LocationURL() == help; }));
    EXPECT_EQ(fs->WindowState(), 2);
    EXPECT_TRUE(fs->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(fs->XPStyleImageTextBox1->MaxItems(), 20);
}

TEST_F(FullScreenWindow, LeavingFullScreenShowsTheMainWindowOnTheFullScreenPageWithItsSideBar)
{
    FormMain *main = startMainWindow(folder);
    FormFullScreen *fs = enterFullScreen(main);
    ASSERT_TRUE(WaitUntil([&] { return fs->isVisible() && !main->isVisible(); }));
    const QString help = folder.FileUrl(QStringLiteral("Help.html"));
    fs->WebBrowserFullScreen->Navigate(help);
    ASSERT_TRUE(WaitUntil([&] { return fs->WebBrowserFullScreen->LocationURL() == help; }));
    main->ShowHistoryFlag = true;

    clickWindowButton(fs, "Maximize");
    EXPECT_FALSE(fs->isVisible());
    EXPECT_FALSE(main->FullScreen);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->PictureSideBar->isVisible()) << "the saved pane is rebuilt in the main window";
    EXPECT_TRUE(WaitUntil([&] { return main->WebBrowserMain->LocationURL() == help; }));
    EXPECT_TRUE(Forms::IsLoaded(fs)) << "the full-screen window stays loaded, hidden";
    // The main window's layout follows its show from a queued call and comes again at each resize.
    ASSERT_TRUE(WaitForQueuedCalls());
    main->CommandBarsMain_Resize();
    EXPECT_TRUE(main->isVisible()) << "the main window's layout no longer hides it";
}

TEST_F(FullScreenWindow, StartWithFullScreenSetEndsInTheFullScreenWindowOnTheHomePage)
{
    QByteArray settings = folder.ReadFile(QStringLiteral("Settings.dat"));
    settings.replace("FullScreen=False", "FullScreen=True");
    folder.WriteFile(QStringLiteral("Settings.dat"), settings);

    FormMain *main = Forms::Default<FormMain>();
    Forms::Show(main);
    ASSERT_TRUE(Forms::DefaultExists<FormFullScreen>());
    FormFullScreen *fs = Forms::Default<FormFullScreen>();
    const QString home = folder.FileUrl(QStringLiteral("blank.html"));
    EXPECT_TRUE(WaitUntil([&] { return fs->WebBrowserFullScreen->LocationURL() == home; }));
    EXPECT_TRUE(WaitUntil([&] { return !main->isVisible() && fs->isVisible(); }))
        << "main visible " << main->isVisible() << ", full screen visible " << fs->isVisible();
    // What the start-up left queued has run.
    ASSERT_TRUE(WaitForQueuedCalls());
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(fs->isVisible());
}

TEST_F(FullScreenWindow, BarsHoldTheStandardToolbarTwoContextMenusAndTheSideBarHeader)
{
    FormMain *main = startMainWindow(folder);
    FormFullScreen *fs = enterFullScreen(main);
    ASSERT_TRUE(WaitUntil([&] { return fs->isVisible(); }));

    EXPECT_FALSE(fs->CommandBarsMain->ActiveMenuBar()->Visible());
    const auto &standard = fs->ToolBarStandard->Controls();
    ASSERT_EQ(standard.Count(), 30);
    const int ids[] = {CommandId::Back, CommandId::Forward, CommandId::Stop, CommandId::Refresh,
                       CommandId::Home, CommandId::SearchButton, CommandId::FavoritesButton,
                       CommandId::HistoryButton, CommandId::Fullscreen, CommandId::Block};
    const char *captions[] = {"Back", "Forward", "&Stop", "&Refresh", "&Home", "&Search", "&Favorites", "&History",
                              "F&ullscreen", "Block"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(standard.Item(i + 1)->Id(), ids[i]);
        EXPECT_EQ(standard.Item(i + 1)->Caption(), QString::fromLatin1(captions[i]));
    }
    EXPECT_EQ(standard.Item(1)->Type(), CommandBarControlType::SplitButton);
    EXPECT_EQ(standard.Item(2)->Type(), CommandBarControlType::SplitButton);
    EXPECT_TRUE(standard.Item(6)->BeginGroup());
    EXPECT_TRUE(standard.Item(9)->BeginGroup());
    EXPECT_EQ(standard.Item(10)->Checked(), main->KillPopups);
    for (int i = 11; i <= 30; ++i) {
        EXPECT_EQ(standard.Item(i)->Id(), CommandId::FullScreenPlaceholder);
        EXPECT_FALSE(standard.Item(i)->Enabled());
    }
    EXPECT_FALSE(fs->CommandBarsMain->IconForId(CommandId::Back).isNull());

    const auto &popups = fs->CommandBarsMain->PopupBars();
    ASSERT_EQ(popups.size(), 2);
    EXPECT_EQ(popups[0]->Title(), QStringLiteral("Popup Menu"));
    EXPECT_EQ(popups[1]->Title(), QStringLiteral("Popup Menu"));
    QList<int> pageIds;
    for (CommandBarControl *c : popups[0]->Controls().List())
        pageIds << c->Id();
    EXPECT_EQ(pageIds, (QList<int>{CommandId::Back, CommandId::Forward, CommandId::Refresh, CommandId::Stop,
                                   CommandId::Home, CommandId::SelectAll, CommandId::AddToFavorites,
                                   CommandId::Print}));
    EXPECT_EQ(popups[1]->Controls().Count(), 4);
    EXPECT_TRUE(popups[1]->Controls().Item(4)->BeginGroup());

    CommandBar *sideBar = nullptr;
    for (int i = 1; i <= fs->CommandBarsSideBar->Count(); ++i)
        if (fs->CommandBarsSideBar->Item(i)->Title() == QLatin1String("SideBar"))
            sideBar = fs->CommandBarsSideBar->Item(i);
    ASSERT_NE(sideBar, nullptr);
    QStringList sideCaptions;
    for (CommandBarControl *c : sideBar->Controls().List())
        sideCaptions << c->Caption();
    EXPECT_EQ(sideCaptions, (QStringList{"Search Settings", "Add To Favorites", "Clear History"}));
    EXPECT_TRUE(fs->CommandBarsSideBar->IconForId(CommandId::SearchSettings).isNull());
}

TEST_F(FullScreenWindow, PopupBlockerToggleLeavesTheFullScreenWindowUnloadedAndItsBlockButtonFollowsLater)
{
    FormMain *main = startMainWindow(folder);
    const bool before = main->KillPopups;
    main->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::Block, false, true)->Execute();
    ASSERT_NE(main->KillPopups, before);
    EXPECT_FALSE(Forms::DefaultExists<FormFullScreen>()) << "no hidden full-screen window runs the page";

    FormFullScreen *fs = enterFullScreen(main);
    EXPECT_EQ(fs->CommandBarsMain->FindControl(CommandId::Block)->Checked(), main->KillPopups);
    clickWindowButton(fs, "Maximize");
    main->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::Block, false, true)->Execute();
    EXPECT_EQ(main->KillPopups, before);
    EXPECT_EQ(fs->CommandBarsMain->FindControl(CommandId::Block)->Checked(), before)
        << "a loaded window's button follows";
}

namespace {

// The controls over the Standard bar, by name, in window coordinates: the bar's own commands,
// the address label as far as its text reaches, the address box and the window buttons.
QList<QPair<QString, QRect>> barControls(FormFullScreen *fs)
{
    QList<QPair<QString, QRect>> controls;
    QWidget *bar = fs->ToolBarStandard->Widget();
    for (int i = 1; i <= fs->ToolBarStandard->Controls().Count(); ++i) {
        CommandBarControl *control = fs->ToolBarStandard->Controls().Item(i);
        QWidget *button = control->Widget();
        if (control->Id() == CommandId::FullScreenPlaceholder || !button || !button->isVisibleTo(bar))
            continue;
        controls << qMakePair(QStringLiteral("command %1").arg(control->Id()),
                              QRect(button->mapTo(fs, QPoint(0, 0)), button->size()));
    }
    const QRect label = fs->TransparentLabelAddress->geometry();
    const int textWidth = qRound(fs->TransparentLabelAddress->TextWidthTwips() / 15);
    controls << qMakePair(QStringLiteral("Address: text"), QRect(label.topLeft(), QSize(textWidth, label.height())));
    controls << qMakePair(QStringLiteral("address box"), fs->XPStyleImageTextBox1->geometry());
    controls << qMakePair(QStringLiteral("window buttons"), fs->ToolbarWindow->geometry());
    return controls;
}

// Whether the window has laid its controls over the Standard bar at its present size: the
// window buttons end at its right edge and the address box lies on the bar.
bool laidOverTheBar(FormFullScreen *fs)
{
    QWidget *bar = fs->ToolBarStandard->Widget();
    const QRect barRect(bar->mapTo(fs, QPoint(0, 0)), bar->size());
    return fs->ToolbarWindow->geometry().right() + 1 == fs->width()
        && barRect.contains(fs->XPStyleImageTextBox1->geometry().topLeft());
}

// The pairs of controls over the Standard bar that cover one another, or "" when none do.
QString overlaps(FormFullScreen *fs)
{
    const auto controls = barControls(fs);
    QStringList found;
    for (int i = 0; i < controls.size(); ++i)
        for (int j = i + 1; j < controls.size(); ++j)
            if (controls[i].second.intersects(controls[j].second))
                found << controls[i].first + " / " + controls[j].first;
    return found.join(QStringLiteral(", "));
}

} // namespace

// The address box and the window buttons lie over the Standard bar, covering nothing, and the
// page fills the rest.
TEST_F(FullScreenWindow, ControlsOverTheStandardBarCoverNoneAndThePageFillsTheRest)
{
    FormMain *main = startMainWindow(folder);
    FormFullScreen *fs = enterFullScreen(main);
    ASSERT_TRUE(WaitUntil([&] { return fs->isVisible(); }));

    // As it opens, maximized over the whole screen.
    ASSERT_TRUE(WaitUntil([&] { return laidOverTheBar(fs); }));
    EXPECT_TRUE(overlaps(fs).isEmpty()) << overlaps(fs).toStdString();
    EXPECT_GE(fs->TransparentLabelAddress->width() * 15, fs->TransparentLabelAddress->TextWidthTwips());
    const QRect buttons = fs->ToolbarWindow->geometry();
    EXPECT_NEAR(buttons.right() + 1, fs->width(), 1);
    const QRect box = fs->XPStyleImageTextBox1->geometry();
    EXPECT_NEAR(box.right() + 1, fs->width() - buttons.width() - 320 / 15, 2);
    const QRectF barTwips = fs->ToolBarStandard->RectTwips();
    EXPECT_NEAR(FormFullScreen::RectTwips(fs->XPStyleImageTextBox1).top(), barTwips.top() + 60, 15);

    int l = 0, t = 0, r = 0, b = 0;
    fs->CommandBarsMain->GetClientRect(l, t, r, b);
    const QRectF page = FormFullScreen::RectTwips(fs->PictureBrowser);
    EXPECT_NEAR(page.left(), 40, 15);
    EXPECT_NEAR(page.top(), t, 15);
    EXPECT_NEAR(page.width(), (r - l) - 40, 15);
    EXPECT_EQ(fs->WebBrowserFullScreen->geometry(), QRect(QPoint(0, 0), fs->PictureBrowser->size()));
    EXPECT_EQ(fs->PictureFTP->geometry(), fs->PictureBrowser->geometry());

    // The navigation strip keeps its place at the top, under the Standard bar: the bar's
    // buttons, not the strip's, are what lies there.
    EXPECT_TRUE(fs->PictureAddressBar->isVisible());
    const QRect strip = fs->PictureAddressBar->geometry();
    EXPECT_EQ(FormFullScreen::RectTwips(fs->PictureAddressBar), QRectF(120, 0, 12735, 375));
    const QRect bar(fs->ToolBarStandard->Widget()->mapTo(fs, QPoint(0, 0)), fs->ToolBarStandard->Widget()->size());
    EXPECT_TRUE(bar.contains(strip.intersected(fs->rect()))) << "the bar covers the strip";
    QWidget *top = fs->childAt(strip.center());
    ASSERT_NE(top, nullptr);
    EXPECT_FALSE(top == fs->PictureAddressBar || fs->PictureAddressBar->isAncestorOf(top))
        << top->metaObject()->className();

    // In a smaller window of its own size too.
    fs->setWindowState(Qt::WindowNoState);
    fs->setGeometry(40, 30, 1000, 600);
    ASSERT_TRUE(WaitUntil([&] { return fs->width() == 1000 && laidOverTheBar(fs); }));
    EXPECT_TRUE(overlaps(fs).isEmpty()) << overlaps(fs).toStdString();
}

// A window system may lay the window out while it is still hidden, before the Standard bar has
// placed its commands: once the window shows, the address label stands after them all the same.
TEST_F(FullScreenWindow, AddressLabelFollowsTheCommandsTheBarPlacesAsTheWindowShows)
{
    FormMain *main = startMainWindow(folder);
    FormFullScreen *fs = Forms::Default<FormFullScreen>();
    QCoreApplication::postEvent(fs, new QEvent(QEvent::LayoutRequest));
    ASSERT_TRUE(WaitUntil([&] { return fs->TransparentLabelAddress->LabelText() == QStringLiteral("Address:"); }));
    ASSERT_FALSE(fs->isVisible());

    enterFullScreen(main);
    ASSERT_TRUE(WaitUntil([&] { return fs->isVisible() && laidOverTheBar(fs); }));
    EXPECT_EQ(WaitForValue([&] { return overlaps(fs); }, QString()).toStdString(), "");
}

TEST_F(FullScreenWindow, MinimizeShowsTheTaskBarProxyAndRestoringBringsTheWindowBack)
{
    FormMain *main = startMainWindow(folder);
    FormFullScreen *fs = enterFullScreen(main);
    ASSERT_TRUE(WaitUntil([&] { return fs->isVisible(); }));

    for (int round = 0; round < 2; ++round) {
        clickWindowButton(fs, "Minimize");
        EXPECT_FALSE(fs->isVisible());
        auto *proxy = Forms::Default<FormFullScreenTaskBar>();
        EXPECT_TRUE(proxy->isVisible());
        EXPECT_TRUE(proxy->isMinimized());

        proxy->showNormal(); // the user clicks the proxy's task-bar button
        EXPECT_TRUE(WaitUntil([&] { return fs->isVisible() && !proxy->isVisible(); })) << "round " << round;
        EXPECT_TRUE(proxy->isMinimized());
    }
    EXPECT_FALSE(main->isVisible());
}

TEST_F(FullScreenWindow, AltHomeGoesHome)
{
    FormMain *main = startMainWindow(folder);
    FormFullScreen *fs = enterFullScreen(main);
    ASSERT_TRUE(WaitUntil([&] { return fs->isVisible(); }));
    const QString help = folder.FileUrl(QStringLiteral("Help.html"));
    fs->WebBrowserFullScreen->Navigate(help);
    ASSERT_TRUE(WaitUntil([&] { return fs->WebBrowserFullScreen->LocationURL() == help; }));

    QTest::keyClick(fs->PictureKeyPreview, Qt::Key_Home, Qt::AltModifier);
    EXPECT_TRUE(WaitUntil([&] {
        return fs->WebBrowserFullScreen->LocationURL() == folder.FileUrl(QStringLiteral("blank.html"));
    }));
}

TEST_F(FullScreenWindow, ClosingTheFullScreenWindowUnloadsEveryWindowAndTheMainWindowSaves)
{
    FormMain *main = startMainWindow(folder);
    FormFullScreen *fs = enterFullScreen(main);
    ASSERT_TRUE(WaitUntil([&] { return fs->isVisible(); }));
    clickWindowButton(fs, "Minimize");
    ASSERT_TRUE(Forms::IsLoaded(Forms::Default<FormFullScreenTaskBar>()));
    Forms::Default<FormFullScreenTaskBar>()->showNormal();
    ASSERT_TRUE(WaitUntil([&] { return fs->isVisible(); }));

    fs->close();
    EXPECT_TRUE(Forms::LoadedForms().isEmpty());
    EXPECT_TRUE(folder.ReadFile(QStringLiteral("Settings.dat")).contains("FullScreen=True"))
        << "the main window's own unload ran and saved full-screen mode";
}

TEST_F(FullScreenWindow, CloseButtonEndsTheProgramToo)
{
    FormMain *main = startMainWindow(folder);
    FormFullScreen *fs = enterFullScreen(main);
    ASSERT_TRUE(WaitUntil([&] { return fs->isVisible(); }));
    clickWindowButton(fs, "Close");
    EXPECT_TRUE(Forms::LoadedForms().isEmpty());
}

TEST_F(FullScreenWindow, CtrlNOpensANewMainWindowOnTheFullScreenPageWithTheBlockerOn)
{
    FormMain *main = startMainWindow(folder);
    ASSERT_TRUE(main->KillPopups);
    FormFullScreen *fs = enterFullScreen(main);
    ASSERT_TRUE(WaitUntil([&] { return fs->isVisible(); }));
    const QString help = folder.FileUrl(QStringLiteral("Help.html"));
    fs->WebBrowserFullScreen->Navigate(help);
    ASSERT_TRUE(WaitUntil([&] { return fs->WebBrowserFullScreen->LocationURL() == help; }));

    // The saved settings ask for full screen, as after a program left in full screen.
    QByteArray settings = folder.ReadFile(QStringLiteral("Settings.dat"));
    settings.replace("FullScreen=False", "FullScreen=True");
    folder.WriteFile(QStringLiteral("Settings.dat"), settings);

    QTest::keyClick(fs->PictureKeyPreview, Qt::Key_N, Qt::ControlModifier);
    FormMain *opened = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        for (QWidget *form : Forms::LoadedForms())
            if (auto *m = qobject_cast<FormMain *>(form); m && m != main)
                opened = m;
        return opened && opened->WebBrowserMain->LocationURL() == help;
    }));
    ASSERT_NE(opened, nullptr);
    // The new window's layout follows its show from a queued call and comes again at each resize.
    ASSERT_TRUE(WaitForQueuedCalls());
    opened->CommandBarsMain_Resize();
    EXPECT_TRUE(opened->isVisible()) << "a further window never hides behind the full-screen window";
    EXPECT_FALSE(opened->FullScreen);
    EXPECT_TRUE(fs->isVisible());
}
