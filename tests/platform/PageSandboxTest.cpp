#include "platform/PageSandbox.h"
#include "platform/StartEnvironment.h"

#include <gtest/gtest.h>

TEST(PageSandbox, EveryUserButRootKeepsPagesSandboxed)
{
    EXPECT_TRUE(PageSandbox::SandboxedFor(1000));
    EXPECT_TRUE(PageSandbox::SandboxedFor(65534)) << "nobody";
    EXPECT_FALSE(PageSandbox::SandboxedFor(0)) << "root";
}

// The switches the program sets for its own start go back to what the user had, the value set
// before the program's first change, or nothing at all.
TEST(StartEnvironment, RestoreGivesBackTheUsersValuesAndRemovesWhatTheUserHadNot)
{
    qputenv("KESTRELVUE_TEST_USERS", "user's");
    qunsetenv("KESTRELVUE_TEST_PROGRAMS");
    StartEnvironment::Set("KESTRELVUE_TEST_USERS", "program's");
    StartEnvironment::Set("KESTRELVUE_TEST_USERS", "program's again");
    StartEnvironment::Set("KESTRELVUE_TEST_PROGRAMS", "program's");
    EXPECT_EQ(qgetenv("KESTRELVUE_TEST_USERS"), "program's again");
    EXPECT_EQ(qgetenv("KESTRELVUE_TEST_PROGRAMS"), "program's");

    StartEnvironment::Restore();

    EXPECT_EQ(qgetenv("KESTRELVUE_TEST_USERS"), "user's");
    EXPECT_FALSE(qEnvironmentVariableIsSet("KESTRELVUE_TEST_PROGRAMS"));
    qunsetenv("KESTRELVUE_TEST_USERS");
}
