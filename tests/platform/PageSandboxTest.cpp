#include "platform/PageSandbox.h"
#include "platform/StartEnvironment.h"

#include <gtest/gtest.h>

TEST(PageSandbox, EveryUserButRootKeepsPagesSandboxed)
{
    EXPECT_TRUE(PageSandbox::SandboxedFor(1000));
    EXPECT_TRUE(PageSandbox::SandboxedFor(65534)) << "nobody";
    EXPECT_FALSE(PageSandbox::SandboxedFor(0)) << "root";
}

// The switches the program sets for its own start stay in its environment; the user's
// environment has the value set before the program's first change, or nothing at all.
TEST(StartEnvironment, TheUsersEnvironmentHasTheUsersValuesAndNotWhatTheUserHadNot)
{
    qputenv("KESTRELVUE_TEST_USERS", "user's");
    qunsetenv("KESTRELVUE_TEST_PROGRAMS");
    StartEnvironment::Set("KESTRELVUE_TEST_USERS", "program's");
    StartEnvironment::Set("KESTRELVUE_TEST_USERS", "program's again");
    StartEnvironment::Set("KESTRELVUE_TEST_PROGRAMS", "program's");

    const QProcessEnvironment users = StartEnvironment::Users();

    EXPECT_EQ(users.value(QStringLiteral("KESTRELVUE_TEST_USERS")).toStdString(), "user's");
    EXPECT_FALSE(users.contains(QStringLiteral("KESTRELVUE_TEST_PROGRAMS")));
    EXPECT_EQ(users.value(QStringLiteral("PATH")), qEnvironmentVariable("PATH"));
    EXPECT_EQ(qgetenv("KESTRELVUE_TEST_USERS"), "program's again");
    EXPECT_EQ(qgetenv("KESTRELVUE_TEST_PROGRAMS"), "program's");
    qunsetenv("KESTRELVUE_TEST_USERS");
    qunsetenv("KESTRELVUE_TEST_PROGRAMS");
}
