#include "DialogsTestSupport.h"

#include "mainwindow/FormHelp.h"
#include "mainwindow/FormOpenFile.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TempProgramFolder.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace DialogsTest;

namespace {

class OpenFileWindow : public DialogsFixture
{
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        folder.WriteFile(QStringLiteral("chosen.html"),
                         "<html><head><title>Chosen Page</title></head><body>chosen</body></html>");
        open = Forms::Default<FormOpenFile>();
        open->ShowModeless();
    }

    FormOpenFile *open = nullptr;
};

} // namespace

TEST_F(OpenFileWindow, BrowseTakesTheChosenFileAndOkOpensItInTheMainWindow)
{
    const QString path = folder.FilePath(QStringLiteral("chosen.html"));
    QString title;
    QStringList filters;
    // The dialog reads its folder in the background, which may undo a choice made too early:
    // the choice is made again until the dialog takes it.
    const auto chooser = OnModalShown<QFileDialog>([&](QFileDialog *dialog) {
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QTest::mouseClick(open->CommandBrowse, Qt::LeftButton);
    EXPECT_EQ(open->TextOpenFile->text(), QDir::toNativeSeparators(path));
    EXPECT_EQ(title, QStringLiteral("Open File"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("Html Files *.html (*.html)")});

    QTest::mouseClick(open->CommandOK, Qt::LeftButton);
    EXPECT_FALSE(Forms::IsLoaded(open));
    const QString url = folder.FileUrl(QStringLiteral("chosen.html"));
    EXPECT_TRUE(WaitUntil([&] { return main->windowTitle() == QStringLiteral(" Kestrelvue - Chosen Page"); }));
    EXPECT_EQ(main->WebBrowserMain->LocationURL(), url);
}

TEST_F(OpenFileWindow, BrowseCancelledEmptiesTheBoxAndOkWithNothingNavigatesNowhere)
{
    open->TextOpenFile->setText(QStringLiteral("typed before"));
    const auto canceller = OnModalShown<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
    QTest::mouseClick(open->CommandBrowse, Qt::LeftButton);
    EXPECT_EQ(open->TextOpenFile->text(), QString());

    QSignalSpy navigations(main->WebBrowserMain, &WebBrowser::BeforeNavigate2);
    QTest::mouseClick(open->CommandOK, Qt::LeftButton);
    EXPECT_FALSE(Forms::IsLoaded(open));

    // The next navigation the browser sees is the one made after the window closed.
    const QString url = folder.FileUrl(QStringLiteral("chosen.html"));
    ASSERT_TRUE(LoadPage(main, url, QStringLiteral("Chosen Page")));
    ASSERT_FALSE(navigations.isEmpty());
    EXPECT_EQ(navigations.first().at(1).toString(), url);
}

TEST_F(OpenFileWindow, ATypedAddressIsNavigatedToUnchangedAndCancelNavigatesNothing)
{
    LocalHttpServer server;
    ASSERT_TRUE(server.Start());
    server.AddPage(QStringLiteral("/typed.html"), "<html><head><title>Typed Page</title></head><body></body></html>");
    const QString address = server.Url(QStringLiteral("/typed.html")).toString();
    QTest::keyClicks(open->TextOpenFile, address);
    QTest::mouseClick(open->CommandOK, Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return main->windowTitle() == QStringLiteral(" Kestrelvue - Typed Page"); }));
    EXPECT_EQ(main->WebBrowserMain->LocationURL(), address);

    // Shown modal again it starts empty; Cancel closes it and goes nowhere.
    open = Forms::Default<FormOpenFile>();
    bool ran = false;
    AnswerNextModal<FormOpenFile>([&](FormOpenFile *shown) {
        ran = true;
        EXPECT_TRUE(shown->TextOpenFile->text().isEmpty());
        QTest::keyClicks(shown->TextOpenFile, QStringLiteral("http://127.0.0.1:1/never.html"));
        QTest::mouseClick(shown->CommandCancel, Qt::LeftButton);
    });
    WebBrowserTest::NavigationRecorder recorder(main->WebBrowserMain);
    open->ShowModal(main);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(Forms::IsLoaded(open));
    ASSERT_TRUE(WebBrowserTest::NavigationsStarted(main->WebBrowserMain));
    EXPECT_TRUE(recorder.requested.isEmpty()) << recorder.requested.join(' ').toStdString();
    EXPECT_EQ(main->WebBrowserMain->LocationURL(), address);
}

TEST(HelpWindow, ShowsTheProgramFoldersHelpPageAndComesForwardWhenShownAgain)
{
    TempProgramFolder folder;
    auto *help = Forms::Default<FormHelp>();
    QSignalSpy complete(help->WebBrowserHelp, &WebBrowser::DocumentComplete);
    help->ShowModeless();
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Kestrelvue Help"));
    EXPECT_TRUE(WaitUntil([&] { return help->WebBrowserHelp->LocationName() == QStringLiteral("Kestrelvue Help"); }));
    EXPECT_EQ(help->WebBrowserHelp->LocationURL(), folder.FileUrl(QStringLiteral("Help.html")));

    EXPECT_TRUE(WaitUntil([&] { return !complete.isEmpty(); }));
    const qsizetype loads = complete.size();
    {
        WebBrowserTest::NavigationRecorder recorder(help->WebBrowserHelp);
        Forms::Default<FormHelp>()->ShowModeless();
        EXPECT_EQ(Forms::Default<FormHelp>(), help) << "one shared window";
        ASSERT_TRUE(WebBrowserTest::NavigationsStarted(help->WebBrowserHelp));
        EXPECT_TRUE(recorder.requested.isEmpty()) << "shown again, it does not load the page again";
    }
    EXPECT_EQ(complete.size(), loads);

    // Closed by its close box and shown again, it is a new window that loads the page anew.
    help->close();
    EXPECT_FALSE(Forms::IsLoaded(help));
    auto *again = Forms::Default<FormHelp>();
    again->ShowModeless();
    EXPECT_TRUE(WaitUntil([&] { return again->WebBrowserHelp->LocationName() == QStringLiteral("Kestrelvue Help"); }));
    Forms::Unload(again);
}
