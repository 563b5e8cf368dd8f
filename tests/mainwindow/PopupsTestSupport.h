#pragma once

#include "mainwindow/FormDeadEnd.h"
#include "mainwindow/FormMain.h"
#include "platform/Forms.h"
#include "platform/WebBrowser.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/LoadedForms.h"
#include "tests/support/WaitFor.h"

#include <QList>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>

// A main window started on a temporary program folder, with a local web server for its pages;
// every window still loaded at the end is unloaded.
class MainWindowFixture : public ::testing::Test
{
protected:
    static constexpr int kTimeout = 30000;

    void SetUp() override
    {
        ASSERT_TRUE(server.Start());
        form = Forms::Default<FormMain>();
        Forms::Show(form);
        ASSERT_TRUE(WaitFor([&] { return form->windowTitle() == QStringLiteral(" Kestrelvue - Kestrelvue"); }));
    }

    void TearDown() override { UnloadAllForms(); }

    static bool WaitFor(const std::function<bool()> &condition, int timeoutMs = kTimeout)
    {
        return WaitUntil(condition, timeoutMs);
    }

    // Navigates a window's browser and waits until that page's window has loaded.
    static bool LoadPage(FormMain *window, const QUrl &url)
    {
        bool complete = false;
        const auto connection = QObject::connect(window->WebBrowserMain, &WebBrowser::DocumentComplete, window,
                                                 [&](WebBrowser *, const QString &address) {
                                                     if (address == url.toString())
                                                         complete = true;
                                                 });
        window->WebBrowserMain->Navigate(url.toString());
        const bool done = WaitFor([&] { return complete; });
        QObject::disconnect(connection);
        return done;
    }

    // The main windows opened besides the first.
    QList<FormMain *> NewWindows() const
    {
        QList<FormMain *> windows = Loaded<FormMain>();
        windows.removeAll(form);
        return windows;
    }

    TempProgramFolder folder;
    LocalHttpServer server;
    FormMain *form = nullptr;
};
