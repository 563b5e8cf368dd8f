#include "app/CommandIds.h"
#include "app/ModSettings.h"
#include "controls/TransparentLabel.h"
#include "controls/UCTVHistory.h"
#include "controls/XPStyleImageTextBox.h"
#include "controls/XPStyleProgressBar.h"
#include "controls/XPStyleStatusBarPanel.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/MainLayout.h"
#include "platform/CommandBars.h"
#include "platform/Forms.h"
#include "platform/WebBrowser.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/WaitFor.h"

#include <QDir>
#include <QFrame>
#include <QTreeWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <gtest/gtest.h>

namespace {

FormMain *startMainWindow()
{
    auto *form = Forms::Default<FormMain>();
    Forms::Show(form);
    return form;
}

bool waitForCaption(FormMain *form, const QString &caption)
{
    return WaitUntil([&] { return form->windowTitle() == caption; });
}

} // namespace

TEST(FormMainWindow, StartsWithItsBarsCheckedFromTheSettingsOnTheHomePage)
{
    TempProgramFolder folder;
    FormMain *form = startMainWindow();
    ASSERT_TRUE(waitForCaption(form, QStringLiteral(" Kestrelvue - Kestrelvue")));

    EXPECT_TRUE(form->CommandBarsMain->ActiveMenuBar()->Visible());
    EXPECT_TRUE(form->ToolBarStandard->Visible());
    EXPECT_TRUE(form->KillPopups);
    EXPECT_TRUE(
        form->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::Block, false, true)->Checked());
    EXPECT_TRUE(
        form->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::TextSizeNormal, false, true)->Checked())
        << "the shipped settings keep the pages' own text size";
    EXPECT_EQ(form->TransparentLabelPopupStatus->LabelText(), QStringLiteral("Popup Blocker is On"));
    EXPECT_NE(form->CommandBarsSideBar->FindControl(CommandBarControlType::Any, CommandId::SearchSettings, false, true),
              nullptr);
    EXPECT_EQ(form->XPStyleImageTextBox1->Text(), folder.FileUrl(QStringLiteral("blank.html")));
    Forms::Unload(form);
}

// The page engine starts one page process per page that holds a document; a page that is
// never given an address should start none.
TEST(FormMainWindow, StartsOnlyTheMainPagesEngineProcess)
{
    TempProgramFolder folder;
    FormMain *form = startMainWindow();
    ASSERT_TRUE(waitForCaption(form, QStringLiteral(" Kestrelvue - Kestrelvue")));

    EXPECT_NE(form->WebBrowserMain->Page()->renderProcessPid(), 0);
    for (const QWebEnginePage *page : form->findChildren<QWebEnginePage *>()) {
        if (page != form->WebBrowserMain->Page())
            EXPECT_EQ(page->renderProcessPid(), 0) << page->parent()->parent()->objectName().toStdString();
    }
    Forms::Unload(form);
}

TEST(FormMainWindow, WithoutSettingsFileEveryOptionTakesTheShippedValue)
{
    TempProgramFolder folder(false);
    ModSettings::Settings() = ModSettings::SettingsValues();
    FormMain *form = startMainWindow();
    EXPECT_TRUE(form->KillPopups);
    EXPECT_TRUE(form->ToolBarStandard->Visible());
    EXPECT_EQ(form->TransparentLabelPopupStatus->LabelText(), QStringLiteral("Popup Blocker is On"));
    EXPECT_EQ(form->ItemsInAddressBar, 25);
    EXPECT_EQ(form->DaysInHistory, 20);
    Forms::Unload(form);
    const QByteArray saved = folder.ReadFile(QStringLiteral("Settings.dat"));
    EXPECT_TRUE(saved.startsWith("WindowTop=")) << "the file is made at the first save";
    EXPECT_TRUE(saved.contains("ItemsInAddressBar=25\r\n")) << saved.constData();
    EXPECT_TRUE(saved.contains("ShowAddressBar=True\r\n"));
}

TEST(FormMainWindow, ClosingWritesTheSettingsAndTheNextWindowRestoresThem)
{
    TempProgramFolder folder;
    FormMain *form = startMainWindow();
    form->resize(900, 640);
    form->move(60, 45);
    form->KillPopups = false;
    form->close();
    ASSERT_TRUE(WaitUntil([&] { return !Forms::IsLoaded(form); }));

    const QByteArray saved = folder.ReadFile(QStringLiteral("Settings.dat"));
    EXPECT_TRUE(saved.contains("WindowWidth=13500\r\n")) << saved.constData();
    EXPECT_TRUE(saved.contains("WindowHeight=9600\r\n"));
    EXPECT_TRUE(saved.contains("KillPopups=False\r\n"));

    auto *second = new FormMain();
    Forms::Load(second);
    EXPECT_EQ(second->size(), QSize(900, 640));
    EXPECT_FALSE(second->KillPopups);
    Forms::Unload(second);
}

TEST(FormMainWindow, CaptionStatusAndProgressFollowAPageLoad)
{
    TempProgramFolder folder;
    LocalHttpServer server;
    ASSERT_TRUE(server.Start());
    server.AddPage(QStringLiteral("/page.html"),
                   "<html><head><title>Local Page</title></head><body><a href='/b'>link</a></body></html>");
    FormMain *form = startMainWindow();
    ASSERT_TRUE(waitForCaption(form, QStringLiteral(" Kestrelvue - Kestrelvue")));

    QSignalSpy status(form->WebBrowserMain, &WebBrowser::StatusTextChange);
    QSignalSpy progress(form->WebBrowserMain, &WebBrowser::ProgressChange);
    form->WebBrowserMain->Navigate(server.Url(QStringLiteral("/page.html")).toString());
    ASSERT_TRUE(waitForCaption(form, QStringLiteral(" Kestrelvue - Local Page")));
    EXPECT_EQ(form->XPStyleImageTextBox1->Text(), server.Url(QStringLiteral("/page.html")).toString());
    ASSERT_FALSE(progress.isEmpty());
    auto texts = [&status] {
        QStringList shown;
        for (const QList<QVariant> &change : status)
            shown << change.at(0).toString();
        return shown;
    };
    EXPECT_TRUE(WaitUntil([&] { return texts().contains(QStringLiteral("Done")); }))
        << texts().join(u'|').toStdString();
    EXPECT_TRUE(texts().contains(
        QStringLiteral("Opening page %1...").arg(server.Url(QStringLiteral("/page.html")).toString())))
        << texts().join(u'|').toStdString();
    // The label shows the browser's latest status text (after "Done", a link under the pointer).
    EXPECT_EQ(form->TransparentLabelStatusText->LabelText(), status.last().at(0).toString());

    form->WebBrowserMain_ProgressChange(1, 8);
    EXPECT_EQ(form->XPStyleProgressBar1->Progress(), 12);
    form->WebBrowserMain_ProgressChange(8, 8);
    EXPECT_EQ(form->XPStyleProgressBar1->Progress(), 12) << "the bar never shows 100";
    form->WebBrowserMain_ProgressChange(-1, 8);
    EXPECT_EQ(form->XPStyleProgressBar1->Progress(), 0);
    Forms::Unload(form);
}

TEST(FormMainWindow, PageRequestsMoveTheWindowAndHideItsBars)
{
    TempProgramFolder folder;
    FormMain *form = startMainWindow();
    emit form->WebBrowserMain->WindowSetWidth(500);
    emit form->WebBrowserMain->WindowSetHeight(300);
    EXPECT_EQ(form->Width(), 7500);
    EXPECT_EQ(form->Height(), 300 * 15 + 705) << "the height gets 700 twips, rounded to whole pixels";

    emit form->WebBrowserMain->OnToolBar(false);
    EXPECT_FALSE(form->ToolBarStandard->Visible());
    EXPECT_FALSE(form->XPStyleImageTextBox1->isVisible());
    emit form->WebBrowserMain->OnStatusBar(false);
    EXPECT_FALSE(form->XPStyleStatusBarPanel2->isVisible()) << "the status panels go with their bar";
    emit form->WebBrowserMain->OnMenuBar(false);
    EXPECT_FALSE(form->CommandBarsMain->ActiveMenuBar()->Visible());
    emit form->WebBrowserMain->OnToolBar(true);
    EXPECT_TRUE(form->ToolBarStandard->Visible());
    EXPECT_TRUE(form->XPStyleImageTextBox1->isVisible());
    emit form->WebBrowserMain->OnStatusBar(true);
    EXPECT_TRUE(form->XPStyleStatusBarPanel2->isVisible());
    EXPECT_TRUE(form->TransparentLabelPopupStatus->isVisible());
    Forms::Unload(form);
}

TEST(FormMainWindow, ResizingAndDraggingTheSplitBarMoveThePanes)
{
    TempProgramFolder folder;
    FormMain *form = startMainWindow();
    form->resize(1000, 700);
    ASSERT_EQ(WaitForValue([&] { return form->size(); }, QSize(1000, 700)), QSize(1000, 700));
    form->Form_Resize();

    const QRectF client = form->CommandBarsMain->ClientRectTwips();
    QRectF page = FormMain::RectTwips(form->PictureBrowser);
    EXPECT_NEAR(page.left(), client.left(), 15);
    EXPECT_NEAR(page.width(), client.width(), 15) << "side bar hidden: the page fills the client width";

    form->PictureSideBar->show();
    form->PlaceSplitBar();
    form->ApplySplitBarPosition();
    page = FormMain::RectTwips(form->PictureBrowser);
    EXPECT_NEAR(page.left(), 3600 + 40, 15);

    QWidget *bar = form->ImageSplitBar;
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(1, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(61, 10), bar->mapToGlobal(QPointF(61, 10)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(61, 10));
    const double split = FormMain::RectTwips(bar).left();
    EXPECT_NEAR(split, 3600 + 60 * 15, 15);
    EXPECT_NEAR(FormMain::RectTwips(form->PictureSideBar).width(), split, 15);
    EXPECT_NEAR(FormMain::RectTwips(form->PictureBrowser).left(), split + 40, 15);
    Forms::Unload(form);
}

namespace {

QLineEdit *addressField(FormMain *form)
{
    return form->XPStyleImageTextBox1->findChild<QLineEdit *>();
}

bool waitForAddress(FormMain *form, const QString &url)
{
    return WaitUntil([&] { return form->WebBrowserMain->LocationURL() == url; });
}

} // namespace

TEST(FormMainAddressBar, EnterNavigatesAndRecordsTheTypedAddress)
{
    TempProgramFolder folder;
    LocalHttpServer server;
    ASSERT_TRUE(server.Start());
    server.AddPage(QStringLiteral("/typed.html"), "<html><head><title>Typed</title></head><body>t</body></html>");
    FormMain *form = startMainWindow();
    ASSERT_TRUE(waitForCaption(form, QStringLiteral(" Kestrelvue - Kestrelvue")));

    const QString url = server.Url(QStringLiteral("/typed.html")).toString();
    QLineEdit *field = addressField(form);
    ASSERT_NE(field, nullptr);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, url);
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_TRUE(waitForCaption(form, QStringLiteral(" Kestrelvue - Typed")));
    Forms::Unload(form);
    EXPECT_TRUE(folder.ReadFile(QStringLiteral("Url.dat")).contains(url.toUtf8() + "\r\n"));
}

TEST(FormMainAddressBar, SearchGoesToTheSelectedEngineWithTheTextEncoded)
{
    TempProgramFolder folder;
    FormMain *form = startMainWindow();
    ASSERT_TRUE(waitForCaption(form, QStringLiteral(" Kestrelvue - Kestrelvue")));
    QLineEdit *field = addressField(form);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("cats&dogs"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(waitForAddress(form, folder.FileUrl(QStringLiteral("Help.html")) + QStringLiteral("?q=cats%26dogs")))
        << form->WebBrowserMain->LocationURL().toStdString();
    Forms::Unload(form);
}

TEST(FormMainAddressBar, GoButtonNavigatesTheTextAsTypedAndFtpOpensThePane)
{
    TempProgramFolder folder;
    FormMain *form = startMainWindow();
    ASSERT_TRUE(waitForCaption(form, QStringLiteral(" Kestrelvue - Kestrelvue")));
    form->XPStyleImageTextBox1->SetText(folder.FileUrl(QStringLiteral("Help.html")));
    QTest::mousePress(form->PictureGo, Qt::LeftButton);
    QTest::mouseRelease(form->PictureGo, Qt::LeftButton);
    ASSERT_TRUE(waitForCaption(form, QStringLiteral(" Kestrelvue - Kestrelvue Help")));
    EXPECT_FALSE(folder.ReadFile(QStringLiteral("Url.dat")).contains("Help.html"));

    QLineEdit *field = addressField(form);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("ftp://127.0.0.1/"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(form->PictureFTP->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral(" Kestrelvue - Kestrelvue Help")) << "the page stays";
    Forms::Unload(form);
}

TEST(FormMainAddressBar, HistoryPageClickNavigatesTheWindow)
{
    TempProgramFolder folder;
    LocalHttpServer server;
    ASSERT_TRUE(server.Start());
    server.AddPage(QStringLiteral("/visited.html"), "<html><head><title>Visited</title></head><body>v</body></html>");
    FormMain *form = startMainWindow();
    const QString url = server.Url(QStringLiteral("/visited.html")).toString();
    form->WebBrowserMain->Navigate(url);
    ASSERT_TRUE(waitForCaption(form, QStringLiteral(" Kestrelvue - Visited")));
    form->WebBrowserMain->Navigate(folder.FileUrl(QStringLiteral("Help.html")));
    ASSERT_TRUE(waitForCaption(form, QStringLiteral(" Kestrelvue - Kestrelvue Help")));

    emit form->TreeViewHistory->HistoryNavTo(url);
    EXPECT_TRUE(waitForCaption(form, QStringLiteral(" Kestrelvue - Visited")));
    Forms::Unload(form);
    EXPECT_TRUE(folder.ReadFile(QStringLiteral("History.dat")).contains(url.toUtf8()));
}

TEST(FormMainWindow, LoadFillsTheFavoritesMenuAndTree)
{
    TempProgramFolder folder;
    QDir(folder.FilePath(QStringLiteral("Favorites"))).mkdir(QStringLiteral("News"));
    folder.WriteFile(QStringLiteral("Favorites/Help.url"),
                     "[InternetShortcut]\r\nURL=" + folder.FileUrl(QStringLiteral("Help.html")).toUtf8() + "\r\n");
    FormMain *form = startMainWindow();
    ASSERT_EQ(form->TreeViewFavorites->topLevelItemCount(), 2);
    EXPECT_EQ(form->TreeViewFavorites->topLevelItem(0)->text(0), QStringLiteral("News"));
    EXPECT_EQ(form->TreeViewFavorites->topLevelItem(1)->text(0), QStringLiteral("Help"));
    CommandBar *menu = form->MenuFavorites->CommandBar();
    ASSERT_EQ(menu->Controls().Count(), 3);
    EXPECT_EQ(menu->Controls().Item(2)->Id(), CommandId::FavoritesFolder);
    EXPECT_EQ(menu->Controls().Item(3)->Id(), CommandId::Favorite);
    Forms::Unload(form);
}

TEST(FormMainWindow, AddressAndStatusControlsLieOverTheirBarsAndOnTop)
{
    TempProgramFolder folder;
    FormMain *form = startMainWindow();
    form->resize(1000, 700);
    ASSERT_EQ(WaitForValue([&] { return form->size(); }, QSize(1000, 700)), QSize(1000, 700));
    form->CommandBarsMain_Resize();

    auto barRect = [form](const char *title) {
        for (int i = 1; i <= form->CommandBarsMain->Count(); ++i) {
            CommandBar *bar = form->CommandBarsMain->Item(i);
            if (bar->Title() == QLatin1String(title))
                return QRect(bar->Widget()->mapTo(form, QPoint(0, 0)), bar->Widget()->size());
        }
        return QRect();
    };
    const QRect address = barRect("Address");
    const QRect status = barRect("Status Bar");
    ASSERT_FALSE(address.isEmpty());
    ASSERT_FALSE(status.isEmpty());

    const QRect box = form->XPStyleImageTextBox1->geometry();
    EXPECT_TRUE(address.contains(QPoint(box.left() + 5, box.center().y())))
        << "address box at y " << box.top() << ", bar " << address.top() << "-" << address.bottom();
    QWidget *atBox = form->childAt(box.left() + 5, box.center().y());
    EXPECT_TRUE(atBox == form->XPStyleImageTextBox1 || form->XPStyleImageTextBox1->isAncestorOf(atBox))
        << "the address box is drawn over its bar";

    const QRect label = form->TransparentLabelStatusText->geometry();
    EXPECT_TRUE(status.contains(QPoint(label.left() + 5, label.center().y())))
        << "status text at y " << label.top() << ", bar " << status.top() << "-" << status.bottom();
    EXPECT_FALSE(form->ImageSplitBar->isVisible()) << "no split bar without a side bar";
    Forms::Unload(form);
}
