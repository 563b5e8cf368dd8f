// The desktop's shell as the browser uses it: the programs it starts, and its answers.
#include "platform/DesktopOpener.h"
#include "platform/Shell.h"
#include "platform/StartEnvironment.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/RecordingProgram.h"
#include "tests/support/WaitFor.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// The desktop's opener in this test is a stand-in first on PATH; the test's own environment
// plays the one the user started the browser with.
class DesktopShell : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(opener.Folder()) + ':' + m_path);
        qputenv("KESTRELVUE_TEST_USERS_OWN", "kept");
        WriteFile(file, "text\n");
    }

    void TearDown() override
    {
        qputenv("PATH", m_path);
        qunsetenv("KESTRELVUE_TEST_USERS_OWN");
    }

    RecordingProgram opener{QStringLiteral("xdg-open")};
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("report 1.txt"));

private:
    QByteArray m_path;
};

// The started program's arguments joined by spaces, or why there is none.
std::string ArgumentsOfNextStart(RecordingProgram &program, QMap<QString, QString> &environment)
{
    if (!WaitUntil([&] { return program.HasStarted(); }))
        return "<no program started>";
    const RecordingProgram::Start start = program.TakeStart();
    environment = start.environment;
    return start.arguments.join(QLatin1Char(' ')).toStdString();
}

} // namespace

// The opener for a file, the program the user chooses for it, the file manager for a folder and
// the opener of an address the page engine hands over start with the user's environment: the
// user's own variables, none of the switches the browser set for Qt and the engine as it started.
TEST_F(DesktopShell, ProgramsItStartsGetTheUsersEnvironmentWithoutTheBrowsersSwitches)
{
    StartEnvironment::Set("KESTRELVUE_TEST_SWITCH", "program's");
    QMap<QString, QString> environment;
    const auto expectUsersEnvironment = [&](const char *what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(environment.value(QStringLiteral("KESTRELVUE_TEST_USERS_OWN")).toStdString(), "kept");
        EXPECT_EQ(environment.value(QStringLiteral("HOME")).toStdString(), qgetenv("HOME").toStdString());
        EXPECT_FALSE(environment.contains(QStringLiteral("KESTRELVUE_TEST_SWITCH")));
    };

    EXPECT_EQ(Shell::Current().OpenFile(nullptr, file), Shell::Succeeded);
    EXPECT_EQ(ArgumentsOfNextStart(opener, environment), QUrl::fromLocalFile(file).toEncoded().toStdString());
    expectUsersEnvironment("the opener of a file");

    EXPECT_EQ(Shell::Current().OpenFolder(nullptr, folder.path()), Shell::Succeeded);
    EXPECT_EQ(ArgumentsOfNextStart(opener, environment), QUrl::fromLocalFile(folder.path()).toEncoded().toStdString());
    expectUsersEnvironment("the file manager");

    ModalAnswerer answerer;
    answerer.onFileDialog = [&](QFileDialog *dialog) {
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        name->clear();
        QTest::keyClicks(name, opener.Path());
        static_cast<QDialog *>(dialog)->accept();
    };
    EXPECT_EQ(Shell::Current().OpenWith(nullptr, file), Shell::Succeeded);
    EXPECT_EQ(ArgumentsOfNextStart(opener, environment), file.toStdString());
    expectUsersEnvironment("the program chosen to open a file with");

    DesktopOpener::Route(QStringLiteral("mailto"));
    EXPECT_TRUE(QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:someone@example.com"))));
    EXPECT_EQ(ArgumentsOfNextStart(opener, environment), "mailto:someone@example.com");
    expectUsersEnvironment("the opener of a mail address");

    qunsetenv("KESTRELVUE_TEST_SWITCH");
}

// Without an opener on the desktop no program is associated with a file, which the download
// dialog answers by letting the user choose one.
TEST_F(DesktopShell, WithoutAnOpenerNoProgramIsAssociated)
{
    const QTemporaryDir empty;
    qputenv("PATH", QFile::encodeName(empty.path()));
    EXPECT_EQ(Shell::Current().OpenFile(nullptr, file), Shell::SE_ERR_NOASSOC);
    EXPECT_EQ(Shell::Current().OpenFolder(nullptr, folder.path()), Shell::SE_ERR_NOASSOC);
    EXPECT_FALSE(opener.HasStarted());
}
