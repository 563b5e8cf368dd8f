#pragma once

#include "mainwindow/FormMain.h"
#include "platform/Forms.h"
#include "platform/WebBrowser.h"
#include "tests/platform/WebBrowserTestSupport.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/LoadedForms.h"
#include "tests/support/WaitFor.h"

#include <QList>
#include <QUrl>
#include <gtest/gtest.h>

// A main window started on a temporary program folder, with a local web server for its pages;
// every window still loaded at the end is unloaded.
class MainWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Start());
        form = Forms::Default<FormMain>();
        Forms::Show(form);
        ASSERT_TRUE(WaitUntil([&] { return form->windowTitle() == QStringLiteral(" Kestrelvue - Kestrelvue"); }));
    }

    void TearDown() override { UnloadAllForms(); }

    // Navigates a window's browser and waits until that page's window has loaded.
    static bool LoadPage(FormMain *window, const QUrl &url) { return WebBrowserTest::Load(window->WebBrowserMain, url); }

    // The main windows opened besides the first.
    QList<FormMain *> NewWindows() const { return LoadedBesides(form); }

    TempProgramFolder folder;
    LocalHttpServer server;
    FormMain *form = nullptr;
};
