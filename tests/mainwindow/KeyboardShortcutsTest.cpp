#include "tests/mainwindow/CommandsTestSupport.h"

#include "controls/XPStyleImageTextBox.h"
#include "mainwindow/FormFind.h"
#include "mainwindow/FormOpenFile.h"
#include "platform/KeyHelper.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QTest>

class KeyboardShortcuts : public CommandsFixture
{
protected:
    void Press(int key, Qt::KeyboardModifiers modifiers) { QTest::keyClick(form, Qt::Key(key), modifiers); }
};

TEST_F(KeyboardShortcuts, CtrlSAndCtrlPShowSaveAsAndPrint)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    bool saveShown = false;
    AnswerNextModal([&](QWidget *dialog) {
        saveShown = qobject_cast<QFileDialog *>(dialog) != nullptr;
        qobject_cast<QDialog *>(dialog)->reject();
    });
    // The Shift bit is not read: Ctrl+Shift+S saves as Ctrl+S does.
    Press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(WaitUntil([&] { return saveShown; }));

    bool printShown = false;
    AnswerNextModal([&](QWidget *dialog) {
        printShown = qobject_cast<QPrintDialog *>(dialog) != nullptr;
        qobject_cast<QDialog *>(dialog)->reject();
    });
    Press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(WaitUntil([&] { return printShown; }));
}

TEST_F(KeyboardShortcuts, CtrlFAndCtrlOShowTheirDialogsModeless)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    Press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(WaitUntil([] { return Forms::DefaultExists<FormFind>() && Forms::Default<FormFind>()->isVisible(); }));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    Forms::Unload(Forms::Default<FormFind>());

    // Keys typed into the address box reach the window first.
    form->XPStyleImageTextBox1->setFocus();
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form, Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(WaitUntil([] { return Forms::DefaultExists<FormOpenFile>() && Forms::Default<FormOpenFile>()->isVisible(); }));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(KeyboardShortcuts, CtrlNOpensTheSamePageInANewWindow)
{
    ASSERT_TRUE(Load(Url("/b.html")));
    Press(Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(WaitUntil([&] { return NewWindows().size() == 1; }));
    FormMain *second = NewWindows().first();
    EXPECT_TRUE(WaitUntil([&] { return second->WebBrowserMain->LocationURL() == Url("/b.html"); }));
    EXPECT_FALSE(second->IsChildWindow);
}

TEST_F(KeyboardShortcuts, AltHomeGoesHomeAndShiftOrCtrlHomeDoNot)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    {
        WebBrowserTest::NavigationRecorder recorder(form->WebBrowserMain);
        Press(Qt::Key_Home, Qt::ShiftModifier);
        Press(Qt::Key_Home, Qt::ControlModifier);
        ASSERT_TRUE(WebBrowserTest::NavigationsStarted(form->WebBrowserMain));
        EXPECT_TRUE(recorder.requested.isEmpty()) << recorder.requested.join(' ').toStdString();
    }
    EXPECT_EQ(form->WebBrowserMain->LocationURL(), Url("/a.html"));
    ASSERT_TRUE(RunAndWaitForPage([&] { Press(Qt::Key_Home, Qt::AltModifier); },
                                  folder.FileUrl(QStringLiteral("blank.html"))));
}

TEST_F(KeyboardShortcuts, CtrlDuringALoadSetsUpTheKeystrokeComponent)
{
    ASSERT_TRUE(Load(Url("/a.html")));
    // Ctrl after the page has completed: no component. The page's load event can come before
    // the browser reports the end of the load, so the test waits for that too.
    ASSERT_TRUE(WaitUntil([&] { return !form->WebBrowserMain->Busy(); }));
    Press(Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(form->findChild<KeyHelper *>(), nullptr);

    // While a page loads, Ctrl alone makes one, hands it the browser and three combinations,
    // and opens nothing. The key goes in as the load begins: a page of the local server can
    // start and complete within one pass of the event loop, before a check for "busy" runs.
    bool pressed = false;
    QObject::connect(
        form->WebBrowserMain, &WebBrowser::DownloadBegin, form,
        [&] {
            ASSERT_TRUE(form->WebBrowserMain->Busy());
            Press(Qt::Key_Control, Qt::ControlModifier);
            pressed = true;
        },
        Qt::SingleShotConnection);
    form->WebBrowserMain->Navigate(Url("/c.html"));
    ASSERT_TRUE(WaitUntil([&] { return pressed; }));
    KeyHelper *helper = form->findChild<KeyHelper *>();
    ASSERT_NE(helper, nullptr);
    EXPECT_EQ(helper->Browser(), form->WebBrowserMain);
    EXPECT_EQ(helper->CombinationCount(), 3);
    EXPECT_TRUE(helper->IsActive());
    // A key's command runs from a queued call.
    ASSERT_TRUE(WaitForQueuedCalls());
    EXPECT_TRUE(NewWindows().isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // The first Ctrl key-down after the load releases it.
    ASSERT_TRUE(WaitUntil([&] { return !form->WebBrowserMain->Busy(); }));
    Press(Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(form->findChild<KeyHelper *>(), nullptr);
}
