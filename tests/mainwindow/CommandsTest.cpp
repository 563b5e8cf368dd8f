#include "tests/mainwindow/CommandsTestSupport.h"

#include "controls/TransparentLabel.h"
#include "controls/XPStyleImageTextBox.h"
#include "platform/HtmlDocument.h"

#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

using WebBrowserTest::RunScript;

namespace {

double TextHeight(FormMain *form)
{
    return RunScript(form->WebBrowserMain->Page(),
                     "(function () { const r = document.createRange();"
                     " r.selectNodeContents(document.getElementById('text'));"
                     " return r.getBoundingClientRect().height; })()")
        .toDouble();
}

QList<int> CheckedTextSizes(FormMain *form)
{
    QList<int> checked;
    for (int id = CommandId::TextSizeLargest; id <= CommandId::TextSizeNormal; ++id)
        if (form->CommandBarsMain->FindControl(CommandBarControlType::Any, id, false, true)->Checked())
            checked << id;
    return checked;
}

} // namespace

TEST_F(CommandsFixture, TextSizeChecksTheChosenSizeAndSizesThePage)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    const double normal = TextHeight(form);
    ASSERT_GT(normal, 0);

    Execute(CommandId::TextSizeLargest);
    EXPECT_EQ(CheckedTextSizes(form), QList<int>{CommandId::TextSizeLargest});
    EXPECT_EQ(form->TextSize, 7);
    EXPECT_FALSE(form->TextNormal);
    EXPECT_TRUE(WaitUntil([&] { return TextHeight(form) > normal * 1.5; }));

    Execute(CommandId::TextSizeSmallest);
    EXPECT_EQ(CheckedTextSizes(form), QList<int>{CommandId::TextSizeSmallest});
    EXPECT_EQ(form->TextSize, 1);
    EXPECT_TRUE(WaitUntil([&] { return TextHeight(form) < normal; }));

    // "Normal" shows the page at the size of "Smaller" and lets later pages keep their own.
    Execute(CommandId::TextSizeNormal);
    EXPECT_EQ(CheckedTextSizes(form), QList<int>{CommandId::TextSizeNormal});
    EXPECT_EQ(form->TextSize, 2);
    EXPECT_TRUE(form->TextNormal);
    EXPECT_NE(RunScript(form->WebBrowserMain->Page(), "document.getSelection().type"), "Range");
}

TEST_F(CommandsFixture, ViewSourceOpensTheSourceOfThePage)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    Execute(CommandId::ViewSource);
    const QString expected = QStringLiteral("view-source:") + Url("/a.html");
    EXPECT_TRUE(WaitUntil([&] { return form->WebBrowserMain->LocationURL() == expected; }))
        << form->WebBrowserMain->LocationURL().toStdString();
}

TEST_F(CommandsFixture, SelectAllAndCopyPutThePageTextOnTheClipboard)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    QApplication::clipboard()->setText(QStringLiteral("old"));
    Execute(CommandId::SelectAll);
    Execute(CommandId::Copy);
    EXPECT_TRUE(WaitUntil([] { return QApplication::clipboard()->text().contains("First words of page A."); }))
        << QApplication::clipboard()->text().toStdString();

    // The page menu's "Select All" is the same command.
    QApplication::clipboard()->setText(QStringLiteral("old"));
    form->PagePopupMenu->FindControl(CommandId::SelectAll)->Execute();
    Execute(CommandId::Copy);
    EXPECT_TRUE(WaitUntil([] { return QApplication::clipboard()->text().contains("to page B"); }));
}

TEST_F(CommandsFixture, TextBoxMenuCutsCopiesAndPastes)
{
    server.AddPage(QStringLiteral("/box.html"), "<html><body><input id=box value='typed words'></body></html>");
    ASSERT_TRUE(Load(Url("/box.html")));
    form->WebBrowserMain->setFocus();
    RunScript(form->WebBrowserMain->Page(), "document.getElementById('box').focus()");
    auto boxValue = [&] { return RunScript(form->WebBrowserMain->Page(), "document.getElementById('box').value").toString(); };

    ExecuteInMenus(CommandId::TextEditSelectAll);
    ExecuteInMenus(CommandId::TextEditCopy);
    EXPECT_TRUE(WaitUntil([] { return QApplication::clipboard()->text() == QStringLiteral("typed words"); }));
    // The page writes the cut text to the clipboard apart from emptying the box: the test's own
    // text goes there only once the cut text has arrived, or the cut would overwrite it.
    QApplication::clipboard()->setText(QStringLiteral("before the cut"));
    ExecuteInMenus(CommandId::TextEditCut);
    EXPECT_TRUE(WaitUntil([&] { return boxValue().isEmpty(); }));
    EXPECT_TRUE(WaitUntil([] { return QApplication::clipboard()->text() == QStringLiteral("typed words"); }));
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    ExecuteInMenus(CommandId::TextEditPaste);
    EXPECT_TRUE(WaitUntil([&] { return boxValue() == QStringLiteral("pasted"); })) << boxValue().toStdString();
}

TEST_F(CommandsFixture, ToolbarAndAddressBarTogglesFollowTheirCheckMarks)
{
    ASSERT_TRUE(form->ShowToolBarStandard);
    Execute(CommandId::ToolBarStandard);
    EXPECT_FALSE(form->ToolBarStandard->Visible());
    EXPECT_FALSE(form->ShowToolBarStandard);
    EXPECT_FALSE(Control(CommandId::ToolBarStandard)->Checked());
    Execute(CommandId::ToolBarStandard);
    EXPECT_TRUE(form->ToolBarStandard->Visible());
    EXPECT_TRUE(form->ShowToolBarStandard);
    EXPECT_TRUE(Control(CommandId::ToolBarStandard)->Checked());

    CommandBar *address = form->CommandBarsMain->Item(3);
    Execute(CommandId::AddressBar);
    EXPECT_FALSE(address->Visible());
    EXPECT_FALSE(form->ShowAddressBar);
    EXPECT_FALSE(form->XPStyleImageTextBox1->isVisible());
    EXPECT_FALSE(form->PictureGo->isVisible());
    EXPECT_FALSE(form->TransparentLabelAddress->isVisible());
    Execute(CommandId::AddressBar);
    EXPECT_TRUE(address->Visible());
    EXPECT_TRUE(form->XPStyleImageTextBox1->isVisible());
    EXPECT_TRUE(form->PictureGo->isVisible());
    EXPECT_TRUE(form->TransparentLabelAddress->isVisible());
}

TEST_F(CommandsFixture, ToolbarToggleBringsBackTheToolbarThatAPopupsPageHid)
{
    server.AddPage(QStringLiteral("/opener.html"),
                   "<html><body><a id=small href='#' onclick=\"window.open('/b.html', 'small', "
                   "'width=320,height=240'); return false\">small window</a></body></html>");
    ASSERT_TRUE(Load(Url("/opener.html")));
    WebBrowserTest::ClickElement(form->WebBrowserMain, QStringLiteral("#small"));
    ASSERT_TRUE(WaitUntil([&] { return NewWindows().size() == 1; }));
    FormMain *popup = NewWindows().first();
    ASSERT_TRUE(WaitUntil([&] { return !popup->ToolBarStandard->Visible(); }));
    CommandBarControl *standard =
        popup->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::ToolBarStandard, false, true);
    ASSERT_TRUE(standard->Checked()) << "the mark still stands as the settings set it";

    // Mark, bar and field each turn over: the first click shows the bar the page hid.
    standard->Execute();
    EXPECT_TRUE(popup->ToolBarStandard->Visible());
    EXPECT_FALSE(standard->Checked());
    EXPECT_FALSE(popup->ShowToolBarStandard);
    standard->Execute();
    EXPECT_FALSE(popup->ToolBarStandard->Visible());
    EXPECT_TRUE(standard->Checked());
    EXPECT_TRUE(popup->ShowToolBarStandard);
}

TEST_F(CommandsFixture, SideBarEntriesCheckOnePaneAndCloseIt)
{
    Execute(CommandId::SideBarFavorites);
    EXPECT_TRUE(form->PictureSideBar->isVisible());
    EXPECT_TRUE(form->ShowFavoritesFlag);
    for (int id :
         {CommandId::SideBarSearch, CommandId::SideBarHistory, CommandId::SearchButton, CommandId::HistoryButton})
        EXPECT_FALSE(Control(id)->Checked()) << id;
    EXPECT_TRUE(Control(CommandId::SideBarFavorites)->Checked());
    EXPECT_TRUE(Control(CommandId::FavoritesButton)->Checked());

    Execute(CommandId::HistoryButton);
    EXPECT_TRUE(form->ShowHistoryFlag);
    EXPECT_TRUE(Control(CommandId::SideBarHistory)->Checked());
    EXPECT_FALSE(Control(CommandId::SideBarFavorites)->Checked());
    EXPECT_FALSE(Control(CommandId::FavoritesButton)->Checked());

    Execute(CommandId::SideBarHistory);
    EXPECT_FALSE(form->PictureSideBar->isVisible());
    for (int id : {CommandId::SideBarSearch, CommandId::SideBarFavorites, CommandId::SideBarHistory,
                   CommandId::SearchButton, CommandId::FavoritesButton, CommandId::HistoryButton})
        EXPECT_FALSE(Control(id)->Checked()) << id;
}

TEST_F(CommandsFixture, SaveAndPrintCommandsShowTheBrowsersDialogs)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    struct Case
    {
        int id;
        std::function<bool(QWidget *)> expected;
    };
    const QList<Case> cases = {
        {CommandId::Save, [](QWidget *w) { return qobject_cast<QFileDialog *>(w) != nullptr; }},
        {CommandId::SaveAs, [](QWidget *w) { return qobject_cast<QFileDialog *>(w) != nullptr; }},
        {CommandId::PrintSetup, [](QWidget *w) { return qobject_cast<QPageSetupDialog *>(w) != nullptr; }},
        {CommandId::Print, [](QWidget *w) { return qobject_cast<QPrintDialog *>(w) != nullptr; }},
        {CommandId::PrintPreview, [](QWidget *w) { return qobject_cast<QPrintPreviewDialog *>(w) != nullptr; }},
    };
    for (const Case &c : cases) {
        bool shown = false;
        AnswerNextModal([&](QWidget *dialog) {
            shown = c.expected(dialog);
            qobject_cast<QDialog *>(dialog)->reject();
        });
        Execute(c.id);
        EXPECT_TRUE(shown) << c.id;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(CommandsFixture, OpenFindAddToFavoritesAndSettingsShowTheirDialogsModal)
{
    for (const auto &[id, dialogClass] :
         {std::pair{CommandId::Open, "FormOpenFile"}, std::pair{CommandId::Find, "FormFind"},
          std::pair{CommandId::AddToFavorites, "FormAddToFavorites"},
          std::pair{CommandId::ApplicationSettings, "FormApplicationSettings"}}) {
        QString seen;
        AnswerNextModal([&](QWidget *dialog) {
            seen = QString::fromLatin1(dialog->metaObject()->className());
            dialog->close();
        });
        Execute(id);
        EXPECT_EQ(seen, QString::fromLatin1(dialogClass)) << id;
    }
}

TEST_F(CommandsFixture, NewWindowOpensTheSamePageInAWindowOfItsOwn)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    Execute(CommandId::NewWindow);
    ASSERT_EQ(NewWindows().size(), 1);
    FormMain *second = NewWindows().first();
    EXPECT_TRUE(WaitUntil([&] { return second->WebBrowserMain->LocationURL() == Url("/a.html"); }));
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(second->IsChildWindow);
}

TEST_F(CommandsFixture, CloseSavesTheSettingsAndUnloadsTheWindow)
{
    Execute(CommandId::TextSizeMedium);
    Execute(CommandId::Close);
    EXPECT_TRUE(WaitUntil([&] { return !Forms::IsLoaded(form); }));
    const QByteArray settings = folder.ReadFile(QStringLiteral("Settings.dat"));
    EXPECT_TRUE(settings.contains("TextNormal=False\r\n")) << settings.constData();
    EXPECT_TRUE(settings.contains("TextSize=4\r\n"));
}

TEST_F(CommandsFixture, CloseInAChildWindowLeavesTheFirstWindowOpen)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    Execute(CommandId::NewWindow);
    ASSERT_EQ(NewWindows().size(), 1);
    FormMain *second = NewWindows().first();
    second->IsChildWindow = true;
    second->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::Close, false, true)->Execute();
    EXPECT_TRUE(WaitUntil([&] { return !Forms::IsLoaded(second); }));
    EXPECT_TRUE(Forms::IsLoaded(form));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(CommandsFixture, EntriesWithoutAnActionChangeNothing)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    WebBrowserTest::NavigationRecorder recorder(form->WebBrowserMain);
    for (int id : {0, CommandId::View, CommandId::Toolbars, CommandId::SideBars, CommandId::TextSize,
                   CommandId::Favorites, CommandId::SaveImageAs, CommandId::FavoritesFolder,
                   CommandId::AddressBarPlaceholder, 123456}) {
        CommandBarControl *entry = form->PagePopupMenu->Controls().Add(CommandBarControlType::Button, id, "x");
        entry->Execute();
        entry->Delete();
    }
    ASSERT_TRUE(WebBrowserTest::NavigationsStarted(form->WebBrowserMain));
    EXPECT_TRUE(recorder.requested.isEmpty()) << recorder.requested.join(' ').toStdString();
    EXPECT_EQ(form->WebBrowserMain->LocationURL(), Url("/a.html"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(NewWindows().isEmpty());
    QWidgetList shown;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible())
            shown << window;
    EXPECT_EQ(shown, QWidgetList{form}) << "no window opens, closes or hides";
}
