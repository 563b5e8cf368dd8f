#pragma once

#include "controls/XPStyleImageTextBox.h"
#include "ftp/FormFTPLogin.h"
#include "ftp/FormFileDownload.h"
#include "mainwindow/FtpPaneView.h"
#include "platform/Forms.h"
#include "tests/support/AddressBoxTyping.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/LoadedForms.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/WaitFor.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

// The FTP pane of a window (the main or the full-screen window, which name the pane's controls
// alike) driven as the user drives it, against a real FTP server on 127.0.0.1: the address box,
// the login dialog, the list of the remote directory and the download dialog.
template <class Window>
class FtpPaneFixture : public ::testing::Test
{
protected:
    void SetUp() override { FormFileDownload::SetAnimationFolder(QStringLiteral(KV_SOURCE_DIR "/resources")); }
    void TearDown() override
    {
        UnloadAllForms();
        FormFileDownload::SetAnimationFolder(QString());
    }

    static void writeFile(const FtpTestServer &to, const QString &relative, const QByteArray &bytes)
    {
        WriteFile(to.PathOf(relative), bytes);
    }
    void writeServerFile(const QString &relative, const QByteArray &bytes) { writeFile(server, relative, bytes); }

    void startWindow()
    {
        ASSERT_TRUE(server.Start());
        form = Forms::Default<Window>();
        Forms::Show(form);
        ASSERT_TRUE(WaitUntil([&] { return Exposed(form); }));
    }

    QString serverAddress() const { return QStringLiteral("ftp://127.0.0.1:%1/").arg(server.Port()); }

    // Starts the window and logs in to the test server; whether the list came to show the entry.
    [[nodiscard]] bool openSession(const QString &shown)
    {
        startWindow();
        if (!::testing::Test::HasFatalFailure())
            commitAddress(serverAddress());
        if (!::testing::Test::HasFatalFailure())
            logIn(QStringLiteral("tester"), QStringLiteral("secret"));
        return !::testing::Test::HasFatalFailure() && WaitUntil([&] { return entry(shown) != nullptr; });
    }

    // Commits the address in the address box, as the user does.
    void commitAddress(const QString &address)
    {
        CommitInAddressBox(form->XPStyleImageTextBox1, address);
        // The client of the previous session goes as soon as control is back in the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static FormFTPLogin *loginDialog()
    {
        return Forms::DefaultExists<FormFTPLogin>() ? Forms::Default<FormFTPLogin>() : nullptr;
    }

    static void logIn(const QString &user, const QString &password)
    {
        FormFTPLogin *login = loginDialog();
        ASSERT_NE(login, nullptr);
        ASSERT_TRUE(login->isVisible());
        if (login->CheckUseAnonymous->isChecked())
            QTest::mouseClick(login->CheckUseAnonymous, Qt::LeftButton);
        QTest::keyClicks(login->TextUserName, user);
        QTest::keyClicks(login->TextPassword, password);
        QTest::mouseClick(login->CommandOK, Qt::LeftButton);
    }

    QStringList entryNames() const
    {
        QStringList names;
        for (int i = 0; i < form->ListViewFTP->topLevelItemCount(); ++i)
            names << form->ListViewFTP->topLevelItem(i)->text(0);
        return names;
    }

    QTreeWidgetItem *entry(const QString &name) const
    {
        const auto found = form->ListViewFTP->findItems(name, Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.first();
    }

    // Waits until the list holds these entries, in any order.
    bool waitForEntries(QStringList names)
    {
        names.sort();
        return WaitUntil([&] {
            QStringList shown = entryNames();
            shown.sort();
            return shown == names;
        });
    }

    void doubleClick(const QString &name)
    {
        QTreeWidgetItem *item = entry(name);
        ASSERT_NE(item, nullptr) << name.toStdString();
        const QPoint at = form->ListViewFTP->visualItemRect(item).center();
        // What the system sends for a double click: press, release, double click, release.
        QWidget *viewport = form->ListViewFTP->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    }

    static int iconOf(const QTreeWidgetItem *item) { return item->data(0, FtpPaneView::EntryIconRole).toInt(); }

    static FormFileDownload *downloadDialog()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<FormFileDownload *>(w); dialog && Forms::IsLoaded(dialog))
                return dialog;
        return nullptr;
    }

    // Types the path into the save dialog's name box, as the user does.
    static void typeFileName(QFileDialog *dialog, const QString &path)
    {
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        name->clear();
        QTest::keyClicks(name, path);
    }

    // Double-clicks the file and saves it as localPath in the save dialog.
    void startDownload(const QString &name, const QString &localPath)
    {
        ModalAnswerer answerer;
        answerer.onFileDialog = [&](QFileDialog *dialog) {
            typeFileName(dialog, localPath);
            static_cast<QDialog *>(dialog)->accept();
        };
        doubleClick(name);
    }

    // The download dialog names where the file goes in a text that its label shows whole, ending
    // in the file name's end, and the whole path in the label's tool tip.
    static void expectLocalPathShown(const FormFileDownload *dialog, const QString &localPath)
    {
        const QLabel *label = dialog->LabelDownloadToData;
        const QString text = label->text();
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(text), label->contentsRect().width()) << text.toStdString();
        EXPECT_LE(label->x() + label->width(), dialog->width());
        EXPECT_TRUE(text.endsWith(localPath.right(4))) << text.toStdString();
        EXPECT_TRUE(text == localPath || text.contains(QStringLiteral("....."))) << text.toStdString();
        EXPECT_EQ(label->toolTip().toStdString(), localPath.toStdString());
    }

    TempProgramFolder folder;
    FtpTestServer server;
    Window *form = nullptr;
};
