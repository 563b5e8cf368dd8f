#pragma once

#include "mainwindow/FormMain.h"
#include "platform/Forms.h"
#include "platform/WebBrowser.h"
#include "tests/platform/WebBrowserTestSupport.h"
#include "tests/support/LoadedForms.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/WaitFor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

// Texts in failure messages as text.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// Helpers of the dialog tests: the default main window on a page, and the message boxes that
// come up meanwhile.
namespace DialogsTest {

using WebBrowserTest::RunScript;

// The default main window, shown, once its home page has completed.
inline FormMain *StartMainWindow()
{
    auto *form = Forms::Default<FormMain>();
    Forms::Show(form);
    EXPECT_TRUE(WaitUntil([form] { return form->docMain != nullptr; })) << "the home page never completed";
    return form;
}

// The default main window on a temporary program folder, for a dialog to come up over; every
// form still loaded at the end is unloaded.
class DialogsFixture : public ::testing::Test
{
protected:
    void SetUp() override { main = StartMainWindow(); }
    void TearDown() override { UnloadAllForms(); }

    TempProgramFolder folder;
    FormMain *main = nullptr;
};

// Navigates the main window and waits until the page with that title has completed.
inline bool LoadPage(FormMain *form, const QString &url, const QString &title)
{
    form->WebBrowserMain->Navigate(url);
    const QString caption = QStringLiteral(" Kestrelvue - ") + title;
    return WaitUntil([&] {
        return form->WebBrowserMain->LocationURL() == url && form->windowTitle() == caption
            && form->docMain != nullptr;
    });
}

// Closes every message box that comes up while it lives with its OK button, keeping its texts.
class MessageBoxes : public QObject
{
public:
    MessageBoxes()
    {
        connect(&m_timer, &QTimer::timeout, this, &MessageBoxes::Poll);
        m_timer.start(10);
    }

    struct Shown
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };
    QList<Shown> shown;

private:
    void Poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        shown.append({box->windowTitle(), box->text(), box->icon()});
        if (QAbstractButton *ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    }

    QTimer m_timer;
};

// Runs an action on the modal window of type T at every tick while it shows, for as long as the
// returned timer lives: for windows whose answer may come before they take it.
template <class T>
std::unique_ptr<QTimer> OnModalShown(const std::function<void(T *)> &action)
{
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(), [action] {
        auto *window = qobject_cast<T *>(QApplication::activeModalWidget());
        if (window && window->isVisible())
            action(window);
    });
    timer->start(20);
    return timer;
}

} // namespace DialogsTest
