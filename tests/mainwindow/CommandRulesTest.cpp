#include "app/CommandIds.h"
#include "mainwindow/CommandRules.h"
#include "platform/KeyHelper.h"
#include "platform/KeyPreview.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace CommandRules;

TEST(CommandRules, TextSizesFromLargestToSmallestAndNormal)
{
    const int expected[] = {7, 6, 5, 4, 3, 2, 1};
    for (int k = 0; k < 7; ++k) {
        const auto choice = TextSizeFor(CommandId::TextSizeLargest + k);
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->TextSize, expected[k]);
        EXPECT_EQ(choice->AppliedSize, expected[k]);
        EXPECT_FALSE(choice->TextNormal);
    }
    const auto normal = TextSizeFor(CommandId::TextSizeNormal);
    ASSERT_TRUE(normal);
    EXPECT_EQ(normal->TextSize, 2);
    EXPECT_EQ(normal->AppliedSize, 2);
    EXPECT_TRUE(normal->TextNormal);
    EXPECT_FALSE(TextSizeFor(CommandId::TextSize));
    EXPECT_FALSE(TextSizeFor(CommandId::ViewSource));
}

TEST(CommandRules, KeyDownsAsTheWindowReadsThem)
{
    EXPECT_EQ(KeyCodeOf(Qt::Key_S), 83);
    EXPECT_EQ(KeyCodeOf(Qt::Key_Home), 36);
    EXPECT_EQ(KeyCodeOf(Qt::Key_Control), 17);
    EXPECT_EQ(ShiftMaskOf(Qt::Key_A, Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(ShiftMaskOf(Qt::Key_Control, Qt::NoModifier), 2);

    EXPECT_TRUE(ActionsFor(36, AltMask).GoHome);
    EXPECT_FALSE(ActionsFor(36, AltMask).CtrlStep);
    const KeyDownActions ctrlAltHome = ActionsFor(36, AltMask | CtrlMask);
    EXPECT_TRUE(ctrlAltHome.GoHome);
    EXPECT_TRUE(ctrlAltHome.CtrlStep);
    EXPECT_TRUE(ctrlAltHome.Letter.isNull());
    EXPECT_FALSE(ActionsFor(36, ShiftMask).GoHome);
    EXPECT_FALSE(ActionsFor(36, ShiftMask).CtrlStep);
    EXPECT_FALSE(ActionsFor(36, CtrlMask).GoHome);

    for (const char letter : {'S', 'F', 'O', 'P', 'N'}) {
        EXPECT_EQ(ActionsFor(letter, CtrlMask | ShiftMask).Letter, QChar::fromLatin1(letter));
        EXPECT_TRUE(ActionsFor(letter, 0).Letter.isNull());
    }
    EXPECT_TRUE(ActionsFor('A', CtrlMask).Letter.isNull());
    EXPECT_TRUE(ActionsFor(17, CtrlMask).CtrlStep);
}

// A window with an edit box standing in for a page browser, and a plain control that takes no keys.
class KeyPreviewWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        browser = new QWidget(&window);
        edit = new QLineEdit(browser);
        plain = new QWidget(&window);
        layout->addWidget(browser);
        layout->addWidget(plain);
        new KeyPreview(&window, [this](const QKeyEvent &e) { seen << e.key(); });
        window.show();
    }

    QWidget window;
    QWidget *browser = nullptr;
    QLineEdit *edit = nullptr;
    QWidget *plain = nullptr;
    QList<int> seen;
};

TEST_F(KeyPreviewWindow, TheWindowSeesEachKeyDownOnceAndTheControlStillGetsIt)
{
    QTest::keyClick(edit, Qt::Key_A);
    // No control takes this one: it travels up to the window, and still counts once.
    QTest::keyClick(plain, Qt::Key_B);
    QTest::keyClick(&window, Qt::Key_C);
    EXPECT_EQ(seen, (QList<int>{Qt::Key_A, Qt::Key_B, Qt::Key_C}));
    EXPECT_EQ(edit->text(), QStringLiteral("a"));

    // A key that the program sends itself (the page engine handing back an unused key) does not count.
    QKeyEvent echo(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, QStringLiteral("d"));
    QCoreApplication::sendEvent(&window, &echo);
    EXPECT_EQ(seen.size(), 3);
}

TEST_F(KeyPreviewWindow, KeyHelperKeepsItsCombinationsFromTheBrowserOnly)
{
    KeyHelper helper;
    helper.SetBrowser(browser);
    helper.AddKeyCombination('A', 16, 0);
    helper.Activate(0);
    QTest::keyClick(edit, Qt::Key_A, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_B, Qt::ShiftModifier);
    EXPECT_EQ(edit->text().toUpper(), QStringLiteral("B"));
    // The window saw both key-downs (each after its Shift) before the browser's control.
    EXPECT_EQ(seen, (QList<int>{Qt::Key_Shift, Qt::Key_A, Qt::Key_Shift, Qt::Key_B}));
}
