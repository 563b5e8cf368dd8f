#pragma once

#include "app/CommandIds.h"
#include "mainwindow/FormMain.h"
#include "platform/CommandBars.h"
#include "platform/Forms.h"
#include "platform/HtmlDocument.h"
#include "platform/WebBrowser.h"
#include "tests/mainwindow/MainWindowFixture.h"
#include "tests/support/ModalAnswerer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>

// The first main window on its home page, with three pages on the local web server and the
// commands run as the user runs them.
class CommandsFixture : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        server.AddPage(QStringLiteral("/a.html"), Page("Page A", "First words of page A."));
        server.AddPage(QStringLiteral("/b.html"), Page("Page B", "Second page."));
        server.AddPage(QStringLiteral("/c.html"), Page("Page C", "Third page."));
    }

    static QByteArray Page(const char *title, const char *text)
    {
        return QByteArray("<html><head><title>") + title + "</title></head><body><p id=text>" + text
            + "</p><p><a id=link href='/b.html'>to page B</a></p></body></html>";
    }

    QString Url(const char *path) const { return server.Url(QString::fromLatin1(path)).toString(); }

    // Navigates the window and waits until the page has loaded and entered the back/forward list.
    bool Load(const QString &url)
    {
        return RunAndWaitForPage([&] { form->WebBrowserMain->Navigate(url); }, url);
    }

    // Runs an action and waits for the page at url to have loaded in the window.
    bool RunAndWaitForPage(const std::function<void()> &action, const QString &url)
    {
        bool loaded = false;
        const auto connection = QObject::connect(form->WebBrowserMain->Document(), &HtmlDocument::onload, form,
                                                 [&](const QString &href, const QString &) {
                                                     if (href == url)
                                                         loaded = true;
                                                 });
        action();
        const bool done = WaitUntil([&] { return loaded; });
        QObject::disconnect(connection);
        // The window's own load handler runs after this one: let it record the page.
        return done && WaitForQueuedCalls();
    }

    CommandBarControl *Control(int id) const
    {
        return form->CommandBarsMain->FindControl(CommandBarControlType::Any, id, false, true);
    }

    void Execute(int id) const
    {
        CommandBarControl *control = Control(id);
        ASSERT_NE(control, nullptr) << id;
        control->Execute();
    }

    // Runs an entry of the context menus, which are not among the docked bars.
    void ExecuteInMenus(int id) const
    {
        for (CommandBar *bar : form->CommandBarsMain->PopupBars()) {
            if (CommandBarControl *control = bar->FindControl(id)) {
                control->Execute();
                return;
            }
        }
        ADD_FAILURE() << "no context-menu entry " << id;
    }
};
