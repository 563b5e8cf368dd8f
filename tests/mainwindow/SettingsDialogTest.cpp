#include "DialogsTestSupport.h"

#include "controls/AddressListPopup.h"
#include "controls/AddressTextField.h"
#include "controls/TypedAddressList.h"
#include "controls/UCTVHistory.h"
#include "controls/XPStyleImageTextBox.h"
#include "fullscreen/FormFullScreen.h"
#include "mainwindow/FormApplicationSettings.h"
#include "mainwindow/UpDownArrows.h"
#include "tests/support/TempProgramFolder.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace DialogsTest;

namespace {

class SettingsDialog : public DialogsFixture
{
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        main->DaysInHistory = 20;
        main->ItemsInAddressBar = 25;
        main->NumberOfChildWindowsAllowed = 3;
        dialog = Forms::Default<FormApplicationSettings>();
    }

    static void Retype(QLineEdit *box, const QString &text)
    {
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    FormApplicationSettings *dialog = nullptr;
};

} // namespace

TEST_F(SettingsDialog, ShowsTheMainWindowsValuesAndOkStoresWhatWasTyped)
{
    EXPECT_EQ(dialog->TextDaysInHistory->text(), QStringLiteral("20"));
    EXPECT_EQ(dialog->TextItemsInAddressBar->text(), QStringLiteral("25"));
    EXPECT_EQ(dialog->TextNumberOfChildWindowsAllowed->text(), QStringLiteral("3"));

    Retype(dialog->TextDaysInHistory, QStringLiteral("500"));
    QTest::mouseClick(dialog->UpDown2->UpButton(), Qt::LeftButton);
    Retype(dialog->TextNumberOfChildWindowsAllowed, QStringLiteral("2.5"));
    QTest::mouseClick(dialog->CommandOK, Qt::LeftButton);

    EXPECT_FALSE(Forms::IsLoaded(dialog));
    EXPECT_EQ(main->DaysInHistory, 500) << "beyond the arrows' limit is still taken";
    EXPECT_EQ(main->ItemsInAddressBar, 26);
    EXPECT_EQ(main->NumberOfChildWindowsAllowed, 2) << "a half rounds to the even number";

    // The values reach the settings file when the window closes.
    Forms::Unload(main);
    const QByteArray saved = folder.ReadFile(QStringLiteral("Settings.dat"));
    EXPECT_TRUE(saved.contains("DaysInHistory=500\r\n")) << saved.constData();
    EXPECT_TRUE(saved.contains("ItemsInAddressBar=26\r\n"));
    EXPECT_TRUE(saved.contains("NumberOfChildWindowsAllowed=2\r\n"));
}

TEST_F(SettingsDialog, TextThatIsNoSixteenBitNumberKeepsTheValueAndCancelKeepsThemAll)
{
    Retype(dialog->TextDaysInHistory, QString());
    Retype(dialog->TextItemsInAddressBar, QStringLiteral("forty"));
    Retype(dialog->TextNumberOfChildWindowsAllowed, QStringLiteral("40000"));
    QTest::mouseClick(dialog->CommandOK, Qt::LeftButton);
    EXPECT_EQ(main->DaysInHistory, 20);
    EXPECT_EQ(main->ItemsInAddressBar, 25);
    EXPECT_EQ(main->NumberOfChildWindowsAllowed, 3);

    dialog = Forms::Default<FormApplicationSettings>();
    Retype(dialog->TextDaysInHistory, QStringLiteral("7"));
    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_FALSE(Forms::IsLoaded(dialog));
    EXPECT_EQ(main->DaysInHistory, 20);
}

TEST_F(SettingsDialog, ArrowsStepByOneWithinTheirLimits)
{
    Retype(dialog->TextDaysInHistory, QStringLiteral("364"));
    QTest::mouseClick(dialog->UpDown1->UpButton(), Qt::LeftButton);
    QTest::mouseClick(dialog->UpDown1->UpButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->TextDaysInHistory->text(), QStringLiteral("365"));
    Retype(dialog->TextNumberOfChildWindowsAllowed, QStringLiteral("0"));
    QTest::mouseClick(dialog->UpDown3->DownButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->TextNumberOfChildWindowsAllowed->text(), QStringLiteral("0"));
    EXPECT_EQ(dialog->UpDown2->Max(), 100);
}

TEST_F(SettingsDialog, ClearButtonsEmptyHistoryAndAddressListAtOnceAndCancelDoesNotUndoThem)
{
    main->TreeViewHistory->AddHistoryItem2(QStringLiteral("http://127.0.0.1/a.html"), QStringLiteral("A"));
    main->XPStyleImageTextBox1->AddItem(QStringLiteral("http://www.example.test/"));
    ASSERT_GT(main->TreeViewHistory->TreeView1()->topLevelItemCount(), 0);
    ASSERT_GT(main->XPStyleImageTextBox1->AddressList()->Count(), 0);
    ASSERT_TRUE(main->TreeViewHistory->SaveHistory());
    ASSERT_TRUE(main->XPStyleImageTextBox1->WriteAddressList());
    ASSERT_FALSE(folder.ReadFile(QStringLiteral("History.dat")).isEmpty());

    QTest::mouseClick(dialog->CommandClearHistory, Qt::LeftButton);
    QTest::mouseClick(dialog->CommandClearAddressBar, Qt::LeftButton);
    EXPECT_TRUE(Forms::IsLoaded(dialog)) << "the dialog stays open";
    EXPECT_EQ(main->TreeViewHistory->TreeView1()->topLevelItemCount(), 0);
    EXPECT_EQ(main->XPStyleImageTextBox1->AddressList()->Count(), 0);
    EXPECT_TRUE(folder.ReadFile(QStringLiteral("History.dat")).isEmpty());
    EXPECT_TRUE(folder.ReadFile(QStringLiteral("Url.dat")).isEmpty());

    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_EQ(main->TreeViewHistory->TreeView1()->topLevelItemCount(), 0);
    EXPECT_EQ(main->XPStyleImageTextBox1->AddressList()->Count(), 0);
}

TEST_F(SettingsDialog, ClearButtonsAlsoEmptyTheListsOfALoadedFullScreenWindow)
{
    main->TreeViewHistory->AddHistoryItem2(QStringLiteral("http://127.0.0.1/a.html"), QStringLiteral("A"));
    main->XPStyleImageTextBox1->AddItem(QStringLiteral("http://www.example.test/"));
    ASSERT_TRUE(main->TreeViewHistory->SaveHistory());
    ASSERT_TRUE(main->XPStyleImageTextBox1->WriteAddressList());
    auto *full = Forms::Default<FormFullScreen>();
    ASSERT_GT(full->TreeViewHistory->TreeView1()->topLevelItemCount(), 0);
    ASSERT_GT(full->XPStyleImageTextBox1->AddressList()->Count(), 0);

    QTest::mouseClick(dialog->CommandClearHistory, Qt::LeftButton);
    QTest::mouseClick(dialog->CommandClearAddressBar, Qt::LeftButton);
    EXPECT_EQ(full->TreeViewHistory->TreeView1()->topLevelItemCount(), 0);
    EXPECT_EQ(full->XPStyleImageTextBox1->AddressList()->Count(), 0);
    Forms::Unload(full);
}

TEST_F(SettingsDialog, ClearAddressBarAlsoForgetsTheCompletionsLearnedFromTheAddresses)
{
    XPStyleImageTextBox *box = main->XPStyleImageTextBox1;
    box->AddItem(QStringLiteral("http://www.cleared.test/"));
    ASSERT_TRUE(box->SaveAutoCompleteDataFile());
    ASSERT_TRUE(folder.ReadFile(QStringLiteral("AutoComplete2.dat")).contains("cleared.test"));

    QTest::mouseClick(dialog->CommandClearAddressBar, Qt::LeftButton);
    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);

    box->SetText(QString());
    box->Text1()->setFocus();
    QTest::keyClicks(box->Text1(), QStringLiteral("clea"));
    EXPECT_EQ(box->Text(), QStringLiteral("clea")) << "nothing is completed in this run";
    EXPECT_FALSE(box->TreeVeiwAutoComplete()->isVisible());
    EXPECT_FALSE(folder.ReadFile(QStringLiteral("AutoComplete2.dat")).contains("cleared.test")) << "nor in a later one";
    ASSERT_TRUE(box->SaveAutoCompleteDataFile());
    EXPECT_FALSE(folder.ReadFile(QStringLiteral("AutoComplete2.dat")).contains("cleared.test"));
}

TEST_F(SettingsDialog, ShownModalOverTheMainWindowReturnsOnOk)
{
    bool ran = false;
    AnswerNextModal<FormApplicationSettings>([&](FormApplicationSettings *shown) {
        ran = true;
        EXPECT_TRUE(shown->isModal());
        Retype(shown->TextItemsInAddressBar, QStringLiteral("40"));
        QTest::mouseClick(shown->CommandOK, Qt::LeftButton);
    });
    dialog->ShowModal(main);
    EXPECT_TRUE(ran);
    EXPECT_EQ(main->ItemsInAddressBar, 40);
    EXPECT_FALSE(Forms::IsLoaded(dialog));
}
