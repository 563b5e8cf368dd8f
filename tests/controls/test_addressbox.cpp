// The address box driven as a user drives it: keys and clicks on its text field, its
// drop-down button and its lists, with its data files in a folder of their own.
#include "controls/AddressBoxLayout.h"
#include "controls/AddressListModel.h"
#include "controls/AddressListPopup.h"
#include "controls/AddressTextField.h"
#include "controls/AutoCompleteStore.h"
#include "controls/FlatDropDownButton.h"
#include "controls/TypedAddressList.h"
#include "controls/XPStyleImageTextBox.h"
#include "tests/support/WaitFor.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Readable failure messages.
void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

QString ReadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A window holding one address box above a plain area, set up as a host sets it up.
class AddressBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
    }

    // Starts the window with these stored autocomplete addresses and typed addresses.
    void Open(const QStringList &autoComplete = {}, const QStringList &typed = {}, int maxItems = 25)
    {
        QByteArray ac;
        for (const QString &address : autoComplete)
            ac += "12/9/2026|" + address.toUtf8() + "||0\r\n";
        WriteFile(m_dir.filePath("AutoComplete2.dat"), ac);
        QByteArray url;
        for (const QString &address : typed)
            url += address.toUtf8() + "\r\n";
        WriteFile(m_dir.filePath("Url.dat"), url);

        m_window = std::make_unique<QWidget>();
        m_window->resize(600, 400);
        auto *layout = new QVBoxLayout(m_window.get());
        m_box = new XPStyleImageTextBox(m_window.get());
        m_page = new QWidget(m_window.get());
        m_page->setFocusPolicy(Qt::StrongFocus);
        layout->addWidget(m_box);
        layout->addWidget(m_page, 1);
        m_box->SetMaxItems(maxItems);
        m_box->SetAppPath(m_dir.path());
        m_box->InitializeAutoComplete();
        m_box->LoadAddressList();
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(WaitUntil([&] { return m_window->isActiveWindow(); }));
        m_box->setFocus();
        ASSERT_TRUE(WaitUntil([&] { return field()->hasFocus(); }));
    }

    void TearDown() override
    {
        m_window.reset();
    }

    AddressTextField *field() const { return m_box->Text1(); }
    AddressListPopup *suggestions() const { return m_box->TreeVeiwAutoComplete(); }
    AddressListPopup *typedList() const { return m_box->TreeView1(); }

    QStringList Rows(AddressListPopup *list) const
    {
        QStringList rows;
        for (int i = 0; i < list->RowCount(); ++i)
            rows << list->Model()->Text(i);
        return rows;
    }

    void ClickRow(AddressListPopup *list, int row, Qt::MouseButton button = Qt::LeftButton)
    {
        QListView *view = list->View();
        const QRect rect = view->visualRect(list->Model()->index(row));
        QTest::mouseClick(view->viewport(), button, {}, rect.center());
    }

    // The keyboard never left the text field, and no list window became the active one.
    void ExpectFocusInTextField() const
    {
        EXPECT_EQ(QApplication::focusWidget(), field());
        EXPECT_EQ(QApplication::activeWindow(), m_window.get());
    }

    void ChooseFromMenu(QMenu *menu, int id)
    {
        ASSERT_TRUE(WaitUntil([&] { return menu->isVisible(); }));
        for (QAction *action : menu->actions()) {
            if (action->data().toInt() == id) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                break;
            }
        }
        ASSERT_TRUE(WaitUntil([&] { return !menu->isVisible(); }));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<QWidget> m_window;
    XPStyleImageTextBox *m_box = nullptr;
    QWidget *m_page = nullptr;
};

TEST_F(AddressBoxTest, TypingOffersMatchesThenCompletesASingleOneInline)
{
    Open({"http://www.example.com", "http://www.exchange.org", "http://www.other.net"});
    QTest::keyClicks(field(), "ex");
    ASSERT_TRUE(suggestions()->isVisible());
    EXPECT_EQ(Rows(suggestions()), QStringList({"http://www.example.com", "http://www.exchange.org"}));
    EXPECT_EQ(field()->text(), "ex");
    EXPECT_TRUE(m_box->ListShown());
    ExpectFocusInTextField();

    QTest::keyClick(field(), Qt::Key_A);
    EXPECT_EQ(Rows(suggestions()), QStringList({"http://www.example.com"}));
    EXPECT_EQ(field()->text(), "http://www.example.com");
    EXPECT_EQ(field()->selectedText(), "mple.com");

    // The next letter replaces the selected rest and completes again.
    QTest::keyClick(field(), Qt::Key_M);
    EXPECT_EQ(field()->text(), "http://www.example.com");
    EXPECT_EQ(field()->selectedText(), "ple.com");
    ExpectFocusInTextField();
}

TEST_F(AddressBoxTest, CompletionKeepsWhatWasTyped)
{
    // "s" is compared with "st/", the text of "http://a.test/" after its 11th character:
    // offered, but not completed into the middle of that address.
    Open({"http://a.test/", "http://www.wikipedia.org"});
    QTest::keyClick(field(), Qt::Key_S);
    EXPECT_EQ(Rows(suggestions()), QStringList({"http://a.test/"}));
    QTest::keyClick(field(), Qt::Key_E);
    EXPECT_EQ(field()->text(), "se");
    field()->clear();
    // "w" also occurs in "http://www.": the completion still keeps it.
    QTest::keyClicks(field(), "wi");
    EXPECT_EQ(field()->text(), "http://www.wikipedia.org");
    EXPECT_EQ(field()->selectedText(), "kipedia.org");
    QTest::keyClick(field(), Qt::Key_Backspace);
    QTest::keyClick(field(), Qt::Key_Enter);
    EXPECT_EQ(field()->text(), "http://www.wi");
}

TEST_F(AddressBoxTest, OtherCaseOrNoMatchHidesTheSuggestions)
{
    Open({"http://www.example.com"});
    QTest::keyClicks(field(), "ex");
    ASSERT_TRUE(suggestions()->isVisible());
    QTest::keyClicks(field(), "Q");
    EXPECT_FALSE(suggestions()->isVisible());
    field()->clear();
    QTest::keyClicks(field(), "EX");
    EXPECT_FALSE(suggestions()->isVisible());
}

TEST_F(AddressBoxTest, ArrowsWalkTheSuggestionsAndEnterChoosesOne)
{
    Open({"http://www.example.com", "http://www.exchange.org"}, {"http://kestrel.test/"});
    QSignalSpy changed(m_box, &XPStyleImageTextBox::UrlChanged);
    field()->clear();
    QTest::keyClicks(field(), "ex");
    QTest::keyClick(field(), Qt::Key_Down);
    EXPECT_EQ(suggestions()->SelectedRow(), 0);
    QTest::keyClick(field(), Qt::Key_Down);
    EXPECT_EQ(suggestions()->SelectedRow(), 1);
    ExpectFocusInTextField();
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(field()->text(), "http://www.exchange.org");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(suggestions()->isVisible());
    EXPECT_FALSE(m_box->ListShown());
    // A chosen suggestion is not a typed address.
    EXPECT_EQ(m_box->AddressList()->Count(), 1);
}

TEST_F(AddressBoxTest, UpFromTheFirstSuggestionAndEscapeGoBackToTheText)
{
    Open({"http://www.example.com", "http://www.exchange.org"});
    QTest::keyClicks(field(), "ex");
    QTest::keyClick(field(), Qt::Key_Down);
    QTest::keyClick(field(), Qt::Key_Up);
    EXPECT_EQ(suggestions()->SelectedRow(), -1);
    QTest::keyClick(field(), Qt::Key_C);
    EXPECT_EQ(field()->text(), "http://www.exchange.org");
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_FALSE(suggestions()->isVisible());
    EXPECT_EQ(field()->text(), "http://www.exchange.org");
}

TEST_F(AddressBoxTest, ClickingASuggestionChoosesIt)
{
    Open({"http://www.example.com", "http://www.exchange.org"});
    QSignalSpy changed(m_box, &XPStyleImageTextBox::UrlChanged);
    QTest::keyClicks(field(), "ex");
    ClickRow(suggestions(), 1);
    EXPECT_EQ(field()->text(), "http://www.exchange.org");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(suggestions()->isVisible());
    ExpectFocusInTextField();
}

TEST_F(AddressBoxTest, EnterCommitsAnAddressToTheListAndUrlDat)
{
    Open({}, {"http://old.test/"});
    QSignalSpy changed(m_box, &XPStyleImageTextBox::UrlChanged);
    QSignalSpy search(m_box, &XPStyleImageTextBox::DoSearch);
    field()->clear();
    QTest::keyClicks(field(), "kestrel.test");
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(search.count(), 0);
    EXPECT_EQ(m_box->Text(), "http://www.kestrel.test");
    EXPECT_FALSE(suggestions()->isVisible());
    ASSERT_TRUE(m_box->SaveAutoCompleteDataFile());
    ASSERT_TRUE(m_box->WriteAddressList());
    EXPECT_EQ(ReadFile(m_dir.filePath("Url.dat")), "http://old.test/\r\nhttp://www.kestrel.test\r\n");
    EXPECT_TRUE(ReadFile(m_dir.filePath("AutoComplete2.dat")).contains("|http://www.kestrel.test|"));

    // The committed address is offered the next time it is typed.
    field()->clear();
    QTest::keyClicks(field(), "kes");
    EXPECT_EQ(field()->text(), "http://www.kestrel.test");
}

TEST_F(AddressBoxTest, EnterOnAWordRaisesDoSearchAndCommitsNothing)
{
    Open();
    QSignalSpy changed(m_box, &XPStyleImageTextBox::UrlChanged);
    QSignalSpy search(m_box, &XPStyleImageTextBox::DoSearch);
    QTest::keyClicks(field(), "kestrel vue");
    QTest::keyClick(field(), Qt::Key_Enter);
    ASSERT_EQ(search.count(), 1);
    EXPECT_EQ(search.at(0).at(0).toString(), "kestrel vue");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(m_box->AddressList()->Count(), 0);
}

TEST_F(AddressBoxTest, DropDownListsTypedAddressesNewestFirstAndEnterChoosesOne)
{
    Open({}, {"http://a.test/", "ftp://ftp.b.test", "http://c.test/"});
    QSignalSpy changed(m_box, &XPStyleImageTextBox::UrlChanged);
    QTest::mouseClick(m_box->PictureFlatButton(), Qt::LeftButton);
    ASSERT_TRUE(typedList()->isVisible());
    EXPECT_EQ(Rows(typedList()), QStringList({"http://c.test/", "ftp://ftp.b.test", "http://a.test/"}));
    EXPECT_EQ(typedList()->SelectedRow(), -1);
    EXPECT_EQ(m_box->Height(), m_box->height() * 15 + 3500);
    ExpectFocusInTextField();

    QTest::keyClick(field(), Qt::Key_Down);
    QTest::keyClick(field(), Qt::Key_Down);
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(m_box->Text(), "ftp://ftp.b.test");
    EXPECT_EQ(m_box->KindShown(), 2);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(typedList()->isVisible());
    EXPECT_EQ(m_box->Height(), m_box->height() * 15);
    EXPECT_EQ(m_box->AddressList()->Item(3).Text, "ftp://ftp.b.test");
}

TEST_F(AddressBoxTest, TypedListByMouseDeleteKeyAndEscape)
{
    Open({}, {"http://a.test/", "http://b.test/", "http://c.test/"});
    QSignalSpy changed(m_box, &XPStyleImageTextBox::UrlChanged);
    QTest::keyClick(field(), Qt::Key_F4);
    ASSERT_TRUE(typedList()->isVisible());
    QTest::keyClick(field(), Qt::Key_Down);
    QTest::keyClick(field(), Qt::Key_Delete);
    EXPECT_EQ(Rows(typedList()), QStringList({"http://b.test/", "http://a.test/"}));
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_FALSE(typedList()->isVisible());

    QTest::mouseClick(m_box->PictureFlatButton(), Qt::LeftButton);
    ClickRow(typedList(), 1);
    EXPECT_EQ(m_box->Text(), "http://a.test/");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(typedList()->isVisible());
    ExpectFocusInTextField();
    ASSERT_TRUE(m_box->WriteAddressList());
    EXPECT_EQ(ReadFile(m_dir.filePath("Url.dat")), "http://b.test/\r\nhttp://a.test/\r\n");
}

TEST_F(AddressBoxTest, ListMenuCopiesEditsAndDeletesEntries)
{
    Open({}, {"http://a.test/", "http://b.test/"});
    QTest::mouseClick(m_box->PictureFlatButton(), Qt::LeftButton);
    ClickRow(typedList(), 0, Qt::RightButton);
    ChooseFromMenu(m_box->ListPopup(), XPStyleImageTextBox::CommandCopyEntry);
    EXPECT_EQ(QApplication::clipboard()->text(), "http://b.test/");

    ClickRow(typedList(), 1, Qt::RightButton);
    ChooseFromMenu(m_box->ListPopup(), XPStyleImageTextBox::CommandEditEntry);
    ASSERT_TRUE(WaitUntil([&] {
        return qobject_cast<QLineEdit *>(QApplication::focusWidget()) && !field()->hasFocus();
    }));
    QWidget *editor = QApplication::focusWidget();
    EXPECT_TRUE(typedList()->isAncestorOf(editor));
    QApplication::clipboard()->setText("http://edited\r\n.test/");
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(WaitUntil([&] { return field()->hasFocus(); }));
    EXPECT_EQ(m_box->AddressList()->Item(1).Text, "http://edited.test/");

    ClickRow(typedList(), 0, Qt::RightButton);
    ChooseFromMenu(m_box->ListPopup(), XPStyleImageTextBox::CommandDeleteEntry);
    EXPECT_EQ(Rows(typedList()), QStringList({"http://edited.test/"}));
    ASSERT_TRUE(m_box->WriteAddressList());
    EXPECT_EQ(ReadFile(m_dir.filePath("Url.dat")), "http://edited.test/\r\n");
}

TEST_F(AddressBoxTest, CutCopyAndPasteGoThroughTheClipboard)
{
    Open();
    QClipboard *clipboard = QApplication::clipboard();
    QTest::keyClicks(field(), "http://kestrel.test/page");
    field()->setSelection(7, 7);
    QTest::keyClick(field(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "kestrel");
    QTest::keyClick(field(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "kestrel");
    EXPECT_EQ(field()->text(), "http://.test/page");
    QTest::keyClick(field(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field()->text(), "http://kestrel.test/page");

    // The same through the text menu of the right button.
    field()->selectAll();
    QTest::mouseClick(field(), Qt::RightButton, {}, QPoint(5, 5));
    ChooseFromMenu(m_box->TextPopup(), XPStyleImageTextBox::CommandCut);
    EXPECT_EQ(clipboard->text(), "http://kestrel.test/page");
    EXPECT_EQ(field()->text(), "");
    QTest::mouseClick(field(), Qt::RightButton, {}, QPoint(5, 5));
    ChooseFromMenu(m_box->TextPopup(), XPStyleImageTextBox::CommandPaste);
    EXPECT_EQ(field()->text(), "http://kestrel.test/page");
    ExpectFocusInTextField();

    // Cut with nothing selected leaves an empty text on the clipboard.
    field()->deselect();
    QTest::mouseClick(field(), Qt::RightButton, {}, QPoint(5, 5));
    ChooseFromMenu(m_box->TextPopup(), XPStyleImageTextBox::CommandCut);
    EXPECT_EQ(clipboard->text(), "");
    EXPECT_EQ(field()->text(), "http://kestrel.test/page");
}

TEST_F(AddressBoxTest, PastedLineBreaksNeverReachTheDataFiles)
{
    Open();
    QApplication::clipboard()->setText("www.kestrel\r\n.test/a\nb\r");
    QTest::keyClick(field(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field()->text(), "www.kestrel.test/ab");
    QTest::keyClick(field(), Qt::Key_Return);
    m_box->SetText("http://set.test/\nnext");
    EXPECT_EQ(m_box->Text(), "http://set.test/next");
    QTest::keyClick(field(), Qt::Key_Return);
    ASSERT_TRUE(m_box->SaveAutoCompleteDataFile());
    ASSERT_TRUE(m_box->WriteAddressList());
    EXPECT_EQ(ReadFile(m_dir.filePath("Url.dat")),
              "http://www.kestrel.test/ab\r\nhttp://set.test/next\r\n");
    EXPECT_EQ(ReadFile(m_dir.filePath("AutoComplete2.dat")).count("\r\n"), 2);
}

TEST_F(AddressBoxTest, PressesOutsideAndLeavingTheBoxCloseTheLists)
{
    Open({"http://www.example.com", "http://www.exchange.org"});
    QTest::keyClicks(field(), "ex");
    ASSERT_TRUE(suggestions()->isVisible());
    QTest::mouseClick(m_window.get(), Qt::LeftButton, {}, QPoint(300, 390));
    EXPECT_FALSE(suggestions()->isVisible());

    QTest::mouseClick(m_box->PictureFlatButton(), Qt::LeftButton);
    ASSERT_TRUE(typedList()->isVisible());
    m_page->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(WaitUntil([&] { return !typedList()->isVisible(); }));
    EXPECT_FALSE(m_box->ListShown());
    EXPECT_FALSE(m_box->BorderHighlighted());
}

TEST_F(AddressBoxTest, MovingFromTheTextOntoTheButtonLeavesThenEnters)
{
    Open();
    QStringList events;
    QObject::connect(m_box, &XPStyleImageTextBox::MouseEnter, [&] { events << "enter"; });
    QObject::connect(m_box, &XPStyleImageTextBox::MouseLeave, [&] { events << "leave"; });
    QTest::mouseMove(field(), QPoint(10, 5));
    EXPECT_TRUE(WaitUntil([&] { return events.contains("enter"); }));
    EXPECT_TRUE(m_box->BorderHighlighted());
    events.clear();
    QTest::mouseMove(m_box->PictureFlatButton(), QPoint(3, 3));
    EXPECT_TRUE(WaitUntil([&] { return events.size() >= 2; }));
    EXPECT_EQ(events, QStringList({"leave", "enter"}));
    events.clear();
    QTest::mouseMove(m_page, QPoint(100, 100));
    EXPECT_TRUE(WaitUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(events, QStringList({"leave"}));
    EXPECT_FALSE(m_box->BorderHighlighted());

    // After a click into the text the border stays highlighted until the focus leaves.
    QTest::mouseClick(field(), Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseMove(field(), QPoint(10, 5));
    QTest::mouseMove(m_page, QPoint(100, 100));
    EXPECT_TRUE(WaitUntil([&] { return events.size() >= 3; }));
    EXPECT_TRUE(m_box->BorderHighlighted());
    m_page->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(WaitUntil([&] { return !m_box->BorderHighlighted(); }));
}

TEST_F(AddressBoxTest, BoxesOnOneFolderShareTheirListsAndAReadOnlyBoxWritesNothing)
{
    Open({}, {"http://a.test/"});
    auto *second = new XPStyleImageTextBox(m_window.get());
    m_window->layout()->addWidget(second);
    second->SetMaxItems(25);
    second->SetAppPath(m_dir.path());
    second->InitializeAutoComplete();
    second->LoadAddressList();
    second->Text1()->clear();
    QTest::keyClicks(second->Text1(), "second.test");
    QTest::keyClick(second->Text1(), Qt::Key_Return);

    QTest::mouseClick(m_box->PictureFlatButton(), Qt::LeftButton);
    EXPECT_EQ(Rows(typedList()), QStringList({"http://www.second.test", "http://a.test/"}));
    delete second;
    ASSERT_TRUE(m_box->WriteAddressList());
    EXPECT_EQ(ReadFile(m_dir.filePath("Url.dat")), "http://a.test/\r\nhttp://www.second.test\r\n");

    XPStyleImageTextBox readOnly;
    readOnly.SetDataFilesReadOnly(true);
    readOnly.SetMaxItems(20);
    readOnly.SetAppPath(m_dir.path());
    readOnly.InitializeAutoComplete();
    readOnly.LoadAddressList();
    EXPECT_EQ(readOnly.Text(), "http://www.second.test");
    EXPECT_TRUE(readOnly.AddItem("third.test"));
    readOnly.SaveAutoCompleteDataFile();
    readOnly.WriteAddressList();
    EXPECT_EQ(ReadFile(m_dir.filePath("Url.dat")), "http://a.test/\r\nhttp://www.second.test\r\n");
    EXPECT_FALSE(ReadFile(m_dir.filePath("AutoComplete2.dat")).contains("third"));
}

// Widths, counts and positions beyond 16 bits.
TEST_F(AddressBoxTest, AWideBoxAndAHugeSuggestionListKeepTheirNumbers)
{
    QStringList many;
    for (int i = 0; i < 40000; ++i)
        many << QStringLiteral("http://www.a%1.test").arg(i, 5, 10, QLatin1Char('0'));
    Open(many);
    m_window->resize(3000, 400);
    ASSERT_TRUE(WaitUntil([&] { return m_box->width() > 2900; }));
    EXPECT_EQ(m_box->Width(), m_box->width() * 15);
    EXPECT_EQ(field()->width(), AddressBoxLayout::ToPixels(m_box->Width() - 600.0));

    QTest::keyClick(field(), Qt::Key_A);
    ASSERT_EQ(suggestions()->RowCount(), 40000);
    QTest::keyClick(field(), Qt::Key_Down);
    QTest::keyClick(field(), Qt::Key_End);
    EXPECT_EQ(suggestions()->SelectedRow(), 39999);
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(field()->text(), "http://www.a39999.test");
}

TEST(AddressBoxLayout, ClosedLayoutInTwips)
{
    using namespace AddressBoxLayout;
    const Parts p = Arrange(6000);
    EXPECT_EQ(p.Box, QRectF(0, 0, 6000, 300));
    EXPECT_EQ(p.FlatButton, QRectF(5785, 20, 200, 275));
    EXPECT_EQ(p.KindIcon, QRectF(40, 30, 320, 240));
    EXPECT_EQ(p.TextField, QRectF(380, 40, 5400, 185));
    EXPECT_EQ(p.List, QRectF(0, 320, 6000, 3480));
    const BorderLines l = Lines(6000, 300, p.FlatButton.left());
    EXPECT_EQ(l.Center, QLineF(5775, 0, 5775, 300));
    EXPECT_EQ(l.Right, QLineF(5990, 0, 5990, 300));
    EXPECT_EQ(l.Bottom, QLineF(0, 280, 6000, 280));
    // 4,000 pixels are 60,000 twips: beyond a 16-bit count, still exact.
    EXPECT_EQ(Arrange(60000).TextField.width(), 59400);
    EXPECT_EQ(ToPixels(QRectF(0, 0, 60000, 300)), QRect(0, 0, 4000, 20));
}

} // namespace
