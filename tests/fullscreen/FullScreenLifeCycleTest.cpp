// Windows come and go around the full-screen window as the user opens and closes them: no close
// ends the program early or brings a window back, and the dialogs of full screen act on its page.
#include "app/CommandIds.h"
#include "browsingdata/FormAddToFavorites.h"
#include "controls/XPStyleImageTextBox.h"
#include "fullscreen/FormFullScreen.h"
#include "fullscreen/FormFullScreenTaskBar.h"
#include "mainwindow/FormApplicationSettings.h"
#include "mainwindow/FormFind.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/FormOpenFile.h"
#include "platform/CommandBars.h"
#include "platform/Forms.h"
#include "platform/WebBrowser.h"
#include "tests/mainwindow/OpenedWindows.h"
#include "tests/platform/WebBrowserTestSupport.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/LoadedForms.h"
#include "tests/support/WaitFor.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>


namespace {

class FullScreenLifeCycle : public ::testing::Test
{
protected:
    void SetUp() override
    {
        main = Forms::Default<FormMain>();
        Forms::Show(main);
        ASSERT_TRUE(WaitUntil([&] { return main->WebBrowserMain->LocationURL() == folder.FileUrl("blank.html"); }));
    }

    void TearDown() override { UnloadAllForms(); }

    static void execute(CommandBars *bars, int id)
    {
        CommandBarControl *control = bars->FindControl(CommandBarControlType::Any, id, false, true);
        ASSERT_NE(control, nullptr) << id;
        control->Execute();
    }

    FormFullScreen *enterFullScreen()
    {
        main->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::Fullscreen, false, true)->Execute();
        FormFullScreen *fs = Forms::Default<FormFullScreen>();
        EXPECT_TRUE(WaitUntil([&] { return fs->isVisible() && !main->isVisible(); }));
        return fs;
    }

    static void clickWindowButton(FormFullScreen *fs, const char *key)
    {
        FormFullScreen::ToolbarButton(fs->ToolbarWindow, QString::fromLatin1(key))->trigger();
    }

    // Opens a new main window with the File menu's New Window and waits for it.
    FormMain *newWindowFrom(FormMain *opener)
    {
        return OpenedWindows::WindowOpenedBy([&] { OpenedWindows::Choose(opener, CommandId::NewWindow); });
    }

    // Opens the address in the full-screen window and waits until that page has completed.
    static bool loadFullScreenPage(FormFullScreen *fs, const QString &address)
    {
        return WebBrowserTest::Load(fs->WebBrowserFullScreen, QUrl(address))
            && fs->WebBrowserFullScreen->LocationURL() == address;
    }

    TempProgramFolder folder;
    FormMain *main = nullptr;
};

} // namespace

TEST_F(FullScreenLifeCycle, ClosingANewWindowAfterLeavingFullScreenLeavesTheFirstWindowOpen)
{
    FormFullScreen *fs = enterFullScreen();
    fs->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::Fullscreen)->Execute();
    ASSERT_TRUE(WaitUntil([&] { return main->isVisible(); }));

    FormMain *second = newWindowFrom(main);
    ASSERT_NE(second, nullptr);
    second->close();
    EXPECT_TRUE(WaitUntil([&] { return !Forms::IsLoaded(second); }));
    EXPECT_TRUE(Forms::IsLoaded(main)) << "closing a second window leaves the first open";
    EXPECT_TRUE(main->isVisible());
}

TEST_F(FullScreenLifeCycle, BlockerClearHistoryAndClearButtonsLeaveTheFullScreenWindowUnloaded)
{
    execute(main->CommandBarsMain, CommandId::Block);
    main->CommandBarsSideBar->FindControl(CommandBarControlType::Any, CommandId::ClearHistory, false, true)->Execute();
    auto *settings = Forms::Default<FormApplicationSettings>();
    settings->CommandClearHistory->click();
    settings->CommandClearAddressBar->click();
    Forms::Unload(settings);
    EXPECT_FALSE(Forms::DefaultExists<FormFullScreen>()) << "no page runs in a hidden full-screen window";

    FormMain *second = newWindowFrom(main);
    ASSERT_NE(second, nullptr);
    second->close();
    EXPECT_TRUE(WaitUntil([&] { return !Forms::IsLoaded(second); }));
    EXPECT_TRUE(Forms::IsLoaded(main));
    EXPECT_TRUE(main->isVisible());
}

TEST_F(FullScreenLifeCycle, ClosingTheTaskBarProxyClosesTheProgramAndEveryWindowSaves)
{
    const QString help = folder.FileUrl(QStringLiteral("Help.html"));
    main->WebBrowserMain->Navigate(help);
    ASSERT_TRUE(WaitUntil([&] { return main->WebBrowserMain->LocationName() == QStringLiteral("Kestrelvue Help"); }));
    main->XPStyleImageTextBox1->AddItem(QStringLiteral("http://typed.example/"));
    QFile::remove(folder.FilePath(QStringLiteral("Settings.dat")));

    FormFullScreen *fs = enterFullScreen();
    clickWindowButton(fs, "Minimize");
    auto *proxy = Forms::Default<FormFullScreenTaskBar>();
    ASSERT_TRUE(proxy->isVisible());
    proxy->close();

    EXPECT_TRUE(Forms::LoadedForms().isEmpty()) << "closing the proxy closes the full-screen window";
    EXPECT_TRUE(folder.ReadFile(QStringLiteral("Settings.dat")).contains("FullScreen=True"));
    EXPECT_TRUE(folder.ReadFile(QStringLiteral("Url.dat")).contains("http://typed.example/"));
}

TEST_F(FullScreenLifeCycle, ClosingAnotherWindowInFullScreenKeepsTheHiddenMainWindow)
{
    const QString help = folder.FileUrl(QStringLiteral("Help.html"));
    main->WebBrowserMain->Navigate(help);
    ASSERT_TRUE(WaitUntil([&] { return main->WebBrowserMain->LocationName() == QStringLiteral("Kestrelvue Help"); }));
    FormFullScreen *fs = enterFullScreen();

    QTest::keyClick(fs->PictureKeyPreview, Qt::Key_N, Qt::ControlModifier);
    FormMain *opened = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (FormMain *m : Loaded<FormMain>())
            if (m != main && m->isVisible())
                opened = m;
        return opened != nullptr;
    }));
    opened->close();
    ASSERT_TRUE(WaitUntil([&] { return !Forms::IsLoaded(opened); }));
    EXPECT_TRUE(Forms::IsLoaded(main)) << "the main window hidden behind full screen stays";
    EXPECT_TRUE(fs->isVisible());

    clickWindowButton(fs, "Maximize");
    EXPECT_TRUE(WaitUntil([&] { return main->isVisible() && !fs->isVisible(); }));
    EXPECT_EQ(Loaded<FormMain>(), QList<FormMain *>{main}) << "no new main window";
}

TEST_F(FullScreenLifeCycle, AddToFavoritesInFullScreenSavesThePageOnScreen)
{
    FormFullScreen *fs = enterFullScreen();
    ASSERT_TRUE(loadFullScreenPage(fs, folder.FileUrl(QStringLiteral("Help.html"))));
    CommandBarControl *pageMenuItem = fs->CommandBarsMain->PopupBars().value(0)->FindControl(CommandId::AddToFavorites);
    CommandBarControl *sideBarButton =
        fs->CommandBarsSideBar->FindControl(CommandBarControlType::Any, CommandId::SideBarAddToFavorites, false, true);
    for (CommandBarControl *control : {pageMenuItem, sideBarButton}) {
        ASSERT_NE(control, nullptr);
        QString captured;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto *dialog = Forms::Existing<FormAddToFavorites>();
            if (dialog && dialog->isVisible()) {
                captured = dialog->TextName->text();
                dialog->cmdCancel->click();
            }
        });
        answer.start(20);
        control->Execute();
        EXPECT_EQ(captured, QStringLiteral("Kestrelvue Help")) << control->Id();
    }
}

TEST_F(FullScreenLifeCycle, FindAndOpenInFullScreenActOnTheFullScreenPage)
{
    FormFullScreen *fs = enterFullScreen();
    ASSERT_TRUE(loadFullScreenPage(fs, folder.FileUrl(QStringLiteral("Help.html"))));
    ModalAnswerer answerer;

    QTest::keyClick(fs->PictureKeyPreview, Qt::Key_F, Qt::ControlModifier);
    FormFind *find = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        find = Forms::DefaultExists<FormFind>() ? Forms::Default<FormFind>() : nullptr;
        return find && find->isVisible();
    }));
    find->TextFind->setText(QStringLiteral("desktop"));
    find->CommandFind->click();
    EXPECT_TRUE(WaitUntil([&] {
        return WebBrowserTest::RunScript(fs->WebBrowserFullScreen->Page(), "window.getSelection().toString()")
                   .toString()
            == QStringLiteral("desktop");
    }));
    EXPECT_TRUE(answerer.messages.isEmpty()) << answerer.messages.join(' ').toStdString();
    Forms::Unload(find);

    QTest::keyClick(fs->PictureKeyPreview, Qt::Key_O, Qt::ControlModifier);
    FormOpenFile *open = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        open = Forms::DefaultExists<FormOpenFile>() ? Forms::Default<FormOpenFile>() : nullptr;
        return open && open->isVisible();
    }));
    const QString blank = folder.FileUrl(QStringLiteral("blank.html"));
    const QString mainPage = main->WebBrowserMain->LocationURL();
    open->TextOpenFile->setText(blank);
    open->CommandOK->click();
    EXPECT_TRUE(WaitUntil([&] { return fs->WebBrowserFullScreen->LocationURL() == blank; }));
    EXPECT_EQ(main->WebBrowserMain->LocationURL(), mainPage);
}
