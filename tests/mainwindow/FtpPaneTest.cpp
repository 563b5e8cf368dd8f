#include "app/CommandIds.h"
#include "controls/XPStyleImageTextBox.h"
#include "ftp/FormFTPLogin.h"
#include "ftp/FormFileDownload.h"
#include "mainwindow/FormMain.h"
#include "platform/CommandBars.h"
#include "platform/Forms.h"
#include "platform/WebBrowser.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/TempProgramFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kTimeout = 20000;

bool waitFor(const std::function<bool()> &condition, int timeout = kTimeout)
{
    return QTest::qWaitFor(condition, timeout);
}

// Answers each modal window that comes up while it lives, with the answer given for its kind.
class ModalAnswerer
{
public:
    std::function<void(QFileDialog *)> onFileDialog;
    QStringList messages;

    ModalAnswerer()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                messages << box->text();
                QAbstractButton *yes = box->button(QMessageBox::Yes);
                (yes ? yes : box->button(QMessageBox::Ok))->click();
            } else if (auto *dialog = qobject_cast<QFileDialog *>(modal); dialog && dialog != m_answered) {
                // Answered from its own event, so that a question it asks in turn is answered too.
                m_answered = dialog;
                QTimer::singleShot(0, dialog, [this, dialog] { onFileDialog(dialog); });
            }
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
    QPointer<QFileDialog> m_answered;
};

// Types the path into the save dialog's name box, as the user does.
void typeFileName(QFileDialog *dialog, const QString &path)
{
    auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    name->clear();
    QTest::keyClicks(name, path);
}

// The download dialog names where the file goes in a text that its label shows whole, ending
// in the file name's end, and the whole path in the label's tool tip.
void expectLocalPathShown(const FormFileDownload *dialog, const QString &localPath)
{
    const QLabel *label = dialog->LabelDownloadToData;
    const QString text = label->text();
    EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(text), label->contentsRect().width()) << text.toStdString();
    EXPECT_LE(label->x() + label->width(), dialog->width());
    EXPECT_TRUE(text.endsWith(localPath.right(4))) << text.toStdString();
    EXPECT_TRUE(text == localPath || text.contains(QStringLiteral("....."))) << text.toStdString();
    EXPECT_EQ(label->toolTip().toStdString(), localPath.toStdString());
}

class FtpPaneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FormFileDownload::SetAnimationFolder(QStringLiteral(KV_SOURCE_DIR "/resources"));
        fillRoot(server);
    }
    void TearDown() override
    {
        if (form)
            Forms::Unload(form);
        FormFileDownload::SetAnimationFolder(QString());
    }

    void writeServerFile(const QString &relative, const QByteArray &bytes) { writeFile(server, relative, bytes); }
    static void writeFile(const FtpTestServer &to, const QString &relative, const QByteArray &bytes)
    {
        QFile file(to.PathOf(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static void fillRoot(const FtpTestServer &to)
    {
        QDir root(to.Root());
        root.mkdir(QStringLiteral("docs"));
        root.mkdir(QStringLiteral("my folder"));
        writeFile(to, QStringLiteral("readme.txt"), "hello\r\n");
        writeFile(to, QStringLiteral("docs/guide.html"), "<html></html>");
        writeFile(to, QStringLiteral("my folder/inner.bin"), "x");
    }

    void startWindow()
    {
        ASSERT_TRUE(server.Start());
        form = Forms::Default<FormMain>();
        Forms::Show(form);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    }

    QString serverAddress() const { return QStringLiteral("ftp://127.0.0.1:%1/").arg(server.Port()); }

    // Commits the address in the address box, as the user does.
    void commitAddress(const QString &address)
    {
        auto *field = form->XPStyleImageTextBox1->findChild<QLineEdit *>();
        ASSERT_NE(field, nullptr);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, address);
        QTest::keyClick(field, Qt::Key_Return);
        // The client of the previous session goes as soon as control is back in the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    FormFTPLogin *loginDialog() const
    {
        return Forms::DefaultExists<FormFTPLogin>() ? Forms::Default<FormFTPLogin>() : nullptr;
    }

    void logIn(const QString &user, const QString &password)
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

    bool waitForEntries(const QStringList &names)
    {
        return waitFor([&] {
            QStringList sorted = entryNames();
            QStringList expected = names;
            sorted.sort();
            expected.sort();
            return sorted == expected;
        });
    }

    void doubleClick(const QString &name)
    {
        QTreeWidgetItem *item = entry(name);
        ASSERT_NE(item, nullptr) << name.toStdString();
        const QRect rect = form->ListViewFTP->visualItemRect(item);
        // What the system sends for a double click: press, release, double click, release.
        QWidget *viewport = form->ListViewFTP->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, rect.center());
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, rect.center());
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, rect.center());
    }

    // The colour in which the log shows the line that begins with the text.
    QColor logColorOf(const QString &lineStart) const
    {
        for (QTextBlock block = form->RichTextBoxFTP->document()->begin(); block.isValid(); block = block.next())
            if (block.text().startsWith(lineStart))
                return block.begin().fragment().charFormat().foreground().color();
        return QColor();
    }

    FormFileDownload *downloadDialog() const
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<FormFileDownload *>(w); dialog && Forms::IsLoaded(dialog))
                return dialog;
        return nullptr;
    }

    TempProgramFolder folder;
    FtpTestServer server;
    FormMain *form = nullptr;
};

} // namespace

TEST_F(FtpPaneTest, NamedUserLogsInAndTheListShowsTheLoginDirectory)
{
    startWindow();
    commitAddress(serverAddress());
    EXPECT_TRUE(form->PictureFTP->isVisible());
    QPointer<FormFTPLogin> login = loginDialog();
    ASSERT_NE(login, nullptr);
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(login->LabelServerName->text(), QStringLiteral("127.0.0.1:%1/").arg(server.Port()));

    QTreeWidgetItem *header = form->ListViewFTP->headerItem();
    ASSERT_EQ(form->ListViewFTP->columnCount(), 3);
    EXPECT_EQ(header->text(0), QStringLiteral("File Name"));
    EXPECT_EQ(header->text(1), QStringLiteral("File Size(Bytes)"));
    EXPECT_EQ(header->text(2), QStringLiteral("Last Modified"));
    const int expectedWidth = qRound((form->ListViewFTP->width() * 15 / 3.0 - 20) / 15);
    EXPECT_NEAR(form->ListViewFTP->columnWidth(0), expectedWidth, 1);

    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("docs"), QStringLiteral("my folder"), QStringLiteral("readme.txt")}))
        << entryNames().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(login.isNull() || !login->isVisible()) << "the dialog closes after OK";
    EXPECT_EQ(entry(QStringLiteral("readme.txt"))->text(1), QStringLiteral("7"));
    EXPECT_FALSE(entry(QStringLiteral("readme.txt"))->text(2).isEmpty());
    EXPECT_EQ(entry(QStringLiteral("readme.txt"))->data(0, Qt::UserRole + 1).toInt(), 3);
    EXPECT_EQ(entry(QStringLiteral("docs"))->data(0, Qt::UserRole + 1).toInt(), 2);
    EXPECT_EQ(entry(QStringLiteral("Go to parent directory")), nullptr) << "no way above the login directory";

    const QString log = form->RichTextBoxFTP->toPlainText();
    EXPECT_TRUE(log.contains(QStringLiteral("220 Test server ready.")));
    EXPECT_TRUE(log.contains(QStringLiteral("USER tester")));
    EXPECT_TRUE(log.contains(QStringLiteral("PASS secret")));
    EXPECT_TRUE(log.contains(QStringLiteral("LIST")));
    EXPECT_EQ(logColorOf(QStringLiteral("USER tester")), QColor(0, 0, 0x40));
    EXPECT_EQ(logColorOf(QStringLiteral("230")), QColor(0, 0x40, 0));

    // Any other address closes the pane and goes to the page.
    commitAddress(folder.FileUrl(QStringLiteral("blank.html")));
    EXPECT_FALSE(form->PictureFTP->isVisible());
}

TEST_F(FtpPaneTest, FoldersOpenByDoubleClickAndTheParentEntryGoesUp)
{
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("docs"), QStringLiteral("my folder"), QStringLiteral("readme.txt")}));

    doubleClick(QStringLiteral("my folder"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("Go to parent directory"), QStringLiteral("inner.bin")}))
        << entryNames().join(QLatin1Char('|')).toStdString() << form->RichTextBoxFTP->toPlainText().toStdString();
    EXPECT_EQ(form->ListViewFTP->topLevelItem(0)->text(0), QStringLiteral("Go to parent directory"));
    EXPECT_EQ(form->ListViewFTP->topLevelItem(0)->data(0, Qt::UserRole).toString(), QStringLiteral("GoToParent"));
    EXPECT_TRUE(form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("CWD my folder")));

    doubleClick(QStringLiteral("Go to parent directory"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("docs"), QStringLiteral("my folder"), QStringLiteral("readme.txt")}))
        << entryNames().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("CWD /")));
}

TEST_F(FtpPaneTest, AnonymousLoginFromTheDialogAndFromAnEmptyUserName)
{
    startWindow();
    commitAddress(serverAddress());
    FormFTPLogin *login = loginDialog();
    ASSERT_NE(login, nullptr);
    ASSERT_TRUE(login->CheckUseAnonymous->isChecked());
    QTest::mouseClick(login->CommandOK, Qt::LeftButton);
    ASSERT_TRUE(waitForEntries({QStringLiteral("docs"), QStringLiteral("my folder"), QStringLiteral("readme.txt")}))
        << form->RichTextBoxFTP->toPlainText().toStdString();
    EXPECT_TRUE(form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("USER anonymous")));

    // A second session: the list starts empty, the first session's log stays above. It goes to a
    // second server: the test server may lose track of a session when another one that has
    // transferred data drops its connection.
    FtpTestServer other;
    fillRoot(other);
    ASSERT_TRUE(other.Start());
    commitAddress(QStringLiteral("ftp://127.0.0.1:%1/").arg(other.Port()));
    EXPECT_EQ(form->ListViewFTP->topLevelItemCount(), 0);
    logIn(QString(), QString());
    ASSERT_TRUE(waitForEntries({QStringLiteral("docs"), QStringLiteral("my folder"), QStringLiteral("readme.txt")}))
        << form->RichTextBoxFTP->toPlainText().toStdString();
    EXPECT_EQ(form->RichTextBoxFTP->toPlainText().count(QStringLiteral("USER anonymous")), 2);
}

TEST_F(FtpPaneTest, WrongPasswordShowsTheServersRefusalInRed)
{
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("wrong"));
    ASSERT_TRUE(waitFor([&] { return form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("530")); }));
    EXPECT_EQ(logColorOf(QStringLiteral("530")), QColor(255, 0, 0));
    QTest::qWait(200);
    EXPECT_EQ(form->ListViewFTP->topLevelItemCount(), 0);

    // The pane stays usable: the address committed again logs in.
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("docs"), QStringLiteral("my folder"), QStringLiteral("readme.txt")}));
}

TEST_F(FtpPaneTest, UnreachablePortAndMissingServerAreTold)
{
    startWindow();
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 closedPort = probe.serverPort();
    probe.close();

    commitAddress(QStringLiteral("ftp://127.0.0.1:%1/").arg(closedPort));
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitFor([&] { return form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("refused")); }))
        << form->RichTextBoxFTP->toPlainText().toStdString();
    EXPECT_EQ(form->ListViewFTP->topLevelItemCount(), 0);

    ModalAnswerer answerer;
    form->InitFTPPane(QStringLiteral("ftp://"));
    QTest::mouseClick(loginDialog()->CommandOK, Qt::LeftButton);
    EXPECT_EQ(answerer.messages, QStringList{QStringLiteral("Please specify the FTP server to connect to.")});
}

TEST_F(FtpPaneTest, ServerTextIsLoggedAsPlainText)
{
    QDir(server.Root()).mkdir(QStringLiteral("<b>bold & <i>"));
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitFor([&] { return entry(QStringLiteral("<b>bold & <i>")) != nullptr; }));
    doubleClick(QStringLiteral("<b>bold & <i>"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("Go to parent directory")}));
    EXPECT_TRUE(form->RichTextBoxFTP->toPlainText().contains(QStringLiteral("CWD <b>bold & <i>")))
        << "markup in server text is shown as it is, not interpreted";
}

TEST_F(FtpPaneTest, DownloadShowsProgressSpeedAndCompletion)
{
    const QByteArray content = QByteArray(300000, 'k') + "end";
    writeServerFile(QStringLiteral("data.bin"), content);
    server.SetDownloadLimit(100000);
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitFor([&] { return entry(QStringLiteral("data.bin")) != nullptr; }));
    EXPECT_EQ(entry(QStringLiteral("data.bin"))->data(0, Qt::UserRole + 1).toInt(), 4);

    QTemporaryDir downloads;
    const QString localPath = downloads.filePath(QStringLiteral("data.bin"));
    ModalAnswerer answerer;
    QString dialogTitle;
    QString proposedName;
    answerer.onFileDialog = [&](QFileDialog *dialog) {
        dialogTitle = dialog->windowTitle();
        proposedName = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
        typeFileName(dialog, localPath);
        static_cast<QDialog *>(dialog)->accept();
    };
    doubleClick(QStringLiteral("data.bin"));
    EXPECT_EQ(dialogTitle, QStringLiteral("Download file and save as..."));
    EXPECT_EQ(proposedName, QStringLiteral("data.bin"));

    FormFileDownload *dialog = downloadDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    QPointer<FormFileDownload> guard(dialog);
    ASSERT_TRUE(waitFor([&] { return guard && guard->windowTitle().endsWith(QStringLiteral("% of data.bin completed")); }));
    EXPECT_TRUE(dialog->LabelTransferRateData->text().endsWith(QStringLiteral(" KB/Second")));
    EXPECT_TRUE(dialog->LabelTimeRemainingData->text().contains(QStringLiteral(" KB of 300 KB copied)")))
        << dialog->LabelTimeRemainingData->text().toStdString();
    EXPECT_EQ(dialog->LabelRemoteFilePath->text(), QStringLiteral("data.bin from 127.0.0.1"));
    expectLocalPathShown(dialog, localPath);
    EXPECT_GT(dialog->ProgressBar1->value(), 0);
    EXPECT_FALSE(dialog->CommandOpen->isEnabled());

    ASSERT_TRUE(waitFor([&] { return guard && guard->windowTitle() == QStringLiteral("Download Complete"); }));
    EXPECT_EQ(dialog->LabelDownloading->text(), QStringLiteral("Finished Downloading:"));
    EXPECT_EQ(dialog->LabelTimeRemaining->text(), QStringLiteral("Downloaded:"));
    EXPECT_TRUE(dialog->LabelTimeRemainingData->text().startsWith(QStringLiteral("300 KB in ")))
        << dialog->LabelTimeRemainingData->text().toStdString();
    EXPECT_EQ(dialog->ProgressBar1->value(), 100);
    EXPECT_TRUE(dialog->CommandOpen->isEnabled());
    EXPECT_TRUE(dialog->CommandOpenFolder->isEnabled());
    EXPECT_EQ(dialog->CommandCancel->text(), QStringLiteral("Close"));
    EXPECT_FALSE(form->Timer1->isActive());

    QFile local(localPath);
    ASSERT_TRUE(local.open(QIODevice::ReadOnly));
    EXPECT_EQ(local.readAll(), content);
    local.close();

    // Close finds the client idle and closes the dialog only.
    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return guard.isNull(); }));
}

TEST_F(FtpPaneTest, BackAndHomeTakeThePaneAwayWithTheFtpAddress)
{
    folder.WriteFile(QStringLiteral("first.html"), "<html><head><title>First</title></head><body>1</body></html>");
    folder.WriteFile(QStringLiteral("second.html"), "<html><head><title>Second</title></head><body>2</body></html>");
    startWindow();
    const auto showPage = [&](const QString &url, const char *title) {
        return waitFor([&] {
            return form->WebBrowserMain->LocationURL() == url
                && form->windowTitle() == QStringLiteral(" Kestrelvue - ") + QLatin1String(title)
                && form->XPStyleImageTextBox1->Text() == url;
        });
    };
    const auto choose = [&](int id) {
        form->CommandBarsMain->FindControl(CommandBarControlType::Any, id, false, true)->Execute();
    };
    const QString first = folder.FileUrl(QStringLiteral("first.html"));
    form->WebBrowserMain->Navigate(first);
    ASSERT_TRUE(showPage(first, "First"));
    const QString second = folder.FileUrl(QStringLiteral("second.html"));
    form->WebBrowserMain->Navigate(second);
    ASSERT_TRUE(showPage(second, "Second"));

    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitFor([&] { return entry(QStringLiteral("readme.txt")) != nullptr; }));
    ASSERT_TRUE(form->PictureFTP->isVisible());
    choose(CommandId::Back);
    ASSERT_TRUE(showPage(first, "First"));
    EXPECT_TRUE(waitFor([&] { return !form->PictureFTP->isVisible(); })) << "Back shows the page it names";

    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitFor([&] { return form->PictureFTP->isVisible() && entry(QStringLiteral("readme.txt")); }));
    choose(CommandId::Home);
    ASSERT_TRUE(showPage(folder.FileUrl(QStringLiteral("blank.html")), "Kestrelvue"));
    EXPECT_TRUE(waitFor([&] { return !form->PictureFTP->isVisible(); })) << "Home shows the page it names";
}

TEST_F(FtpPaneTest, AQuickDownloadStillNamesTheFileAndWhereItWentWithinTheDialog)
{
    const QString name = QStringLiteral("big_slow_with_a_long_file_name.bin");
    writeServerFile(name, "x");
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitFor([&] { return entry(name) != nullptr; }));

    // A few folders deep: the path is far wider than the label beside "Download To:".
    QTemporaryDir downloads;
    const QString folder = QStringLiteral("saved files/from the server");
    ASSERT_TRUE(QDir(downloads.path()).mkpath(folder));
    const QString localPath = downloads.filePath(folder + QLatin1Char('/') + name);
    ModalAnswerer answerer;
    answerer.onFileDialog = [&](QFileDialog *dialog) {
        typeFileName(dialog, localPath);
        static_cast<QDialog *>(dialog)->accept();
    };
    doubleClick(name);
    QPointer<FormFileDownload> dialog = downloadDialog();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(waitFor([&] { return dialog && dialog->windowTitle() == QStringLiteral("Download Complete"); }));
    EXPECT_EQ(dialog->LabelDownloading->text(), QStringLiteral("Finished Downloading:"));
    EXPECT_EQ(dialog->LabelRemoteFilePath->text(), name + QStringLiteral(" from 127.0.0.1"));
    expectLocalPathShown(dialog, localPath);
    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return dialog.isNull(); }));
}

TEST_F(FtpPaneTest, CancelEndsTheDownloadAndLeavesNoPartialFile)
{
    writeServerFile(QStringLiteral("big.bin"), QByteArray(3000000, 'b'));
    server.SetDownloadLimit(100000);
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitFor([&] { return entry(QStringLiteral("big.bin")) != nullptr; }));

    QTemporaryDir downloads;
    const QString localPath = downloads.filePath(QStringLiteral("big.bin"));
    ModalAnswerer answerer;
    answerer.onFileDialog = [&](QFileDialog *dialog) {
        typeFileName(dialog, localPath);
        static_cast<QDialog *>(dialog)->accept();
    };
    doubleClick(QStringLiteral("big.bin"));
    QPointer<FormFileDownload> dialog = downloadDialog();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(waitFor([&] { return dialog && dialog->ProgressBar1->value() > 0; }));
    EXPECT_TRUE(dialog->LabelTimeRemainingData->text().isEmpty() || dialog->LabelTimeRemainingData->text().contains(QStringLiteral("of 3 MB copied)")));

    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return dialog.isNull(); }));
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_FALSE(QFile::exists(localPath)) << "a cancelled download leaves no partial file";

    // The session goes on: the next folder opens.
    doubleClick(QStringLiteral("docs"));
    ASSERT_TRUE(waitForEntries({QStringLiteral("Go to parent directory"), QStringLiteral("guide.html")}))
        << form->RichTextBoxFTP->toPlainText().toStdString();
}

TEST_F(FtpPaneTest, AnExistingLocalFileIsReplacedNotAppendedTo)
{
    writeServerFile(QStringLiteral("readme2.txt"), "remote text");
    startWindow();
    commitAddress(serverAddress());
    logIn(QStringLiteral("tester"), QStringLiteral("secret"));
    ASSERT_TRUE(waitFor([&] { return entry(QStringLiteral("readme2.txt")) != nullptr; }));

    QTemporaryDir downloads;
    const QString localPath = downloads.filePath(QStringLiteral("existing.txt"));
    {
        QFile existing(localPath);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("old");
    }
    ModalAnswerer answerer;
    answerer.onFileDialog = [&](QFileDialog *dialog) {
        typeFileName(dialog, localPath);
        static_cast<QDialog *>(dialog)->accept();
    };
    doubleClick(QStringLiteral("readme2.txt"));
    EXPECT_EQ(answerer.messages.size(), 1) << "the save dialog asks before replacing";
    QPointer<FormFileDownload> dialog = downloadDialog();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(waitFor([&] { return dialog && dialog->windowTitle() == QStringLiteral("Download Complete"); }));
    EXPECT_EQ(dialog->DownloadedFilePath(), localPath);
    QFile local(localPath);
    ASSERT_TRUE(local.open(QIODevice::ReadOnly));
    EXPECT_EQ(local.readAll(), QByteArray("remote text"));
}

