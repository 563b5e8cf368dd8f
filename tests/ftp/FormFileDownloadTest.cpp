#include "ftp/FormFileDownload.h"
#include "platform/Animation.h"
#include "platform/NumberedError.h"
#include "tests/ftp/FtpDialogsTestSupport.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/WaitFor.h"

#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class FormFileDownloadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FormFileDownload::SetAnimationFolder(QStringLiteral(KV_SOURCE_DIR "/resources"));
    }
    void TearDown() override
    {
        if (dialog)
            Forms::Unload(dialog);
        FormFileDownload::SetAnimationFolder(QString());
    }

    // Shows the pane's download dialog as a download starts, and enables Open and Open Folder
    // as its end does.
    void StartDownload(const QString &path, const QString &name)
    {
        dialog = new FormFileDownload();
        Forms::Show(dialog);
        dialog->SetParentWindow(&host);
        dialog->SetDownloadedFilePath(path);
        dialog->SetDownloadedFileName(name);
        ASSERT_TRUE(WaitUntil([&] { return Exposed(dialog); }));
    }
    void FinishDownload()
    {
        dialog->Animation1->Stop();
        dialog->CommandOpen->setEnabled(true);
        dialog->CommandOpenFolder->setEnabled(true);
        dialog->CommandCancel->setText(QStringLiteral("Close"));
    }
    bool WaitUntilUnloaded()
    {
        return WaitUntil([&] { return dialog.isNull(); });
    }

    HostWindow host;
    RecordingShell shell;
    QPointer<FormFileDownload> dialog;
};

} // namespace

TEST_F(FormFileDownloadTest, LoadPlaysTheDownloadAnimation)
{
    StartDownload(QStringLiteral("/tmp/files/a.bin"), QStringLiteral("a.bin"));
    Animation *animation = dialog->Animation1;
    ASSERT_TRUE(animation->IsOpen());
    EXPECT_GT(animation->FrameCount(), 2);
    EXPECT_TRUE(animation->IsPlaying());
    const int first = animation->CurrentFrame();
    EXPECT_TRUE(WaitUntil([&] { return animation->CurrentFrame() != first; }));
    EXPECT_FALSE(dialog->CommandOpen->isEnabled());
    EXPECT_FALSE(dialog->CommandOpenFolder->isEnabled());
    EXPECT_FALSE(dialog->CheckCloseDialogOnFinish->isChecked());
}

TEST_F(FormFileDownloadTest, WithoutItsAnimationFileTheDialogStillLoads)
{
    QTemporaryDir empty;
    FormFileDownload::SetAnimationFolder(empty.path());
    StartDownload(QStringLiteral("/tmp/files/a.bin"), QStringLiteral("a.bin"));
    EXPECT_TRUE(Forms::IsLoaded(dialog));
    EXPECT_FALSE(dialog->Animation1->IsOpen());
    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_TRUE(WaitUntilUnloaded());
}

TEST_F(FormFileDownloadTest, CancelCallsCancelFTPDownloadAndCloses)
{
    StartDownload(QStringLiteral("/tmp/files/a.bin"), QStringLiteral("a.bin"));
    bool loadedDuringCall = false;
    host.onCancel = [&] { loadedDuringCall = Forms::IsLoaded(dialog); };
    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_EQ(host.cancelCalls, 1);
    EXPECT_TRUE(loadedDuringCall);
    EXPECT_TRUE(WaitUntilUnloaded());
    EXPECT_TRUE(shell.calls.isEmpty());
}

TEST_F(FormFileDownloadTest, CloseAfterTheEndStillCallsBackAndSurvivesTheHostClosingItFirst)
{
    StartDownload(QStringLiteral("/tmp/files/a.bin"), QStringLiteral("a.bin"));
    FinishDownload();
    // The host's completion may close the dialog (its check box) inside the call.
    host.onCancel = [&] { dialog->close(); };
    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_EQ(host.cancelCalls, 1);
    EXPECT_TRUE(WaitUntilUnloaded());

    StartDownload(QStringLiteral("/tmp/files/b.bin"), QStringLiteral("b.bin"));
    host.onCancel = [&] { delete dialog.data(); };
    QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    EXPECT_EQ(host.cancelCalls, 2);
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(FormFileDownloadTest, OpenStartsTheDownloadedFileAndCloses)
{
    StartDownload(QStringLiteral("/home/user/Downloads/report.txt"), QStringLiteral("report.txt"));
    FinishDownload();
    QTest::mouseClick(dialog->CommandOpen, Qt::LeftButton);
    EXPECT_EQ(shell.calls, QStringList{QStringLiteral("OpenFile /home/user/Downloads/report.txt")});
    EXPECT_TRUE(WaitUntilUnloaded());
    EXPECT_EQ(host.cancelCalls, 0);
}

TEST_F(FormFileDownloadTest, OpenOfAFileWithoutAProgramOffersOpenWith)
{
    shell.openFileAnswer = Shell::SE_ERR_NOASSOC;
    StartDownload(QStringLiteral("/srv/in/data.xyz"), QStringLiteral("data.xyz"));
    EXPECT_EQ(dialog->StartFile(QStringLiteral("/srv/in/data.xyz")), Shell::Succeeded);
    EXPECT_EQ(shell.calls, (QStringList{QStringLiteral("OpenFile /srv/in/data.xyz"),
                                        QStringLiteral("OpenWith /srv/in/data.xyz")}));
    EXPECT_EQ(shell.lastWindow, nullptr);
}

TEST_F(FormFileDownloadTest, OpenFolderOpensThePathLessTheFileNameAndOneMoreCharacter)
{
    StartDownload(QStringLiteral("/home/user/Downloads/report.txt"), QStringLiteral("report.txt"));
    FinishDownload();
    QTest::mouseClick(dialog->CommandOpenFolder, Qt::LeftButton);
    EXPECT_EQ(shell.calls, QStringList{QStringLiteral("OpenFolder /home/user/Downloads")});
    EXPECT_TRUE(WaitUntilUnloaded());
}

TEST_F(FormFileDownloadTest, OpenFolderFindsTheFolderWhenTheNameDoesNotMatchThePath)
{
    FormFileDownload form;
    const auto folderOf = [&](const QString &path, const QString &name) {
        form.SetDownloadedFilePath(path);
        form.SetDownloadedFileName(name);
        return form.DownloadedFileFolder();
    };
    // Saved under another name than the remote one.
    EXPECT_EQ(folderOf(QStringLiteral("/home/user/mine.txt"), QStringLiteral("report.txt")),
              QStringLiteral("/home/user"));
    // A remote name longer than the whole local path.
    EXPECT_EQ(folderOf(QStringLiteral("/a/b"), QStringLiteral("a-much-longer-name.txt")),
              QStringLiteral("/a"));
    // A name that only ends the path without being its last part.
    EXPECT_EQ(folderOf(QStringLiteral("/data/myreport.txt"), QStringLiteral("report.txt")),
              QStringLiteral("/data"));
    EXPECT_EQ(folderOf(QStringLiteral("/report.txt"), QStringLiteral("report.txt")),
              QStringLiteral("/"));
    EXPECT_TRUE(folderOf(QString(), QString()).isEmpty());
}

TEST_F(FormFileDownloadTest, AShellErrorIsShownAsAnErrorMessage)
{
    StartDownload(QStringLiteral("/tmp/files/a.bin"), QStringLiteral("a.bin"));
    FinishDownload();
    shell.onOpen = [] {
        throw NumberedError(53, QStringLiteral("File not found"), QStringLiteral("Shell"));
    };
    ModalAnswerer answerer;
    QTest::mouseClick(dialog->CommandOpen, Qt::LeftButton);
    EXPECT_EQ(answerer.messages, QStringList{QStringLiteral("Error: 53 File not found")});
    EXPECT_TRUE(WaitUntilUnloaded());
}

TEST(Shell, TheDesktopShellAnswersNotFoundWithoutOpeningAnything)
{
    Shell &desktop = Shell::Current();
    EXPECT_EQ(desktop.OpenFile(nullptr, QStringLiteral("/nonexistent/report.txt")),
              Shell::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(desktop.OpenWith(nullptr, QStringLiteral("/nonexistent/report.txt")),
              Shell::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(desktop.OpenFolder(nullptr, QStringLiteral("/nonexistent/folder")),
              Shell::ERROR_PATH_NOT_FOUND);
    RecordingShell recording;
    EXPECT_EQ(&Shell::Current(), &recording);
}
