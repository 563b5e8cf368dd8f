#pragma once

#include "controls/XPStyleImageTextBox.h"
#include "fullscreen/FormFullScreen.h"
#include "mainwindow/FormMain.h"
#include "platform/Forms.h"
#include "platform/HtmlDocument.h"
#include "platform/WebBrowser.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/LoadedForms.h"
#include "tests/support/WaitFor.h"

#include <QApplication>
#include <QFrame>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

// A full-screen window shown over its default main window on a temporary program folder, with a
// local web server for its pages (two plain ones to go between); every window still loaded at the
// end is unloaded.
class FullScreenFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Start());
        server.AddPage("/one.html", "<html><head><title>Page One</title></head><body>one</body></html>");
        server.AddPage("/two.html", "<html><head><title>Page Two</title></head><body>two</body></html>");
        main = Forms::Default<FormMain>();
        ASSERT_TRUE(WaitUntil([&] { return main->windowTitle() == QStringLiteral(" Kestrelvue - Kestrelvue"); }));
        form = Forms::Default<FormFullScreen>();
        Forms::Show(form);
        ASSERT_TRUE(WaitUntil([&] { return Exposed(form); }));
        // A dialog that a command opens modal is closed again, so that no test waits on it.
        QObject::connect(&dialogCloser, &QTimer::timeout, [] {
            if (QWidget *dialog = QApplication::activeModalWidget())
                dialog->close();
        });
        dialogCloser.start(100);
    }

    void TearDown() override
    {
        dialogCloser.stop();
        // Unloading the full-screen window unloads every other window as well.
        UnloadAllForms();
    }

    QString address(const QString &path) const { return server.Url(path).toString(); }

    // The main windows opened besides the default one.
    QList<FormMain *> NewWindows() const { return LoadedBesides(main); }

    TempProgramFolder folder;
    LocalHttpServer server;
    QTimer dialogCloser;
    FormMain *main = nullptr;
    FormFullScreen *form = nullptr;
};
