#include "app/ModStartUp.h"
#include "tests/support/FileBytes.h"
#include "tests/support/HelperProcess.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Another copy of the program in the middle of saving "Url.dat": it holds its temporary
// locked until the new file is in place.
class SaveInProgress
{
public:
    explicit SaveInProgress(const QString &temporary)
    {
        StartHelper(m_writer, QStringLiteral("flock"),
                    {QStringLiteral("--exclusive"), temporary, QStringLiteral("-c"), QStringLiteral("echo locked; exec cat")});
    }
    // The writer ends at the end of its input.
    ~SaveInProgress()
    {
        m_writer.closeWriteChannel();
        AwaitEnd(m_writer);
    }
    bool Holding() { return NextLine(m_writer) == "locked"; }

private:
    QProcess m_writer;
};

} // namespace

// A save cut short by a kill leaves its temporary beside the data file; the next start removes
// it. Everything else stays: files a user named after a data file, and the temporary of a save
// that another copy of the program, running from the same folder, has not finished.
TEST(StraySaves, OnlyTheTemporariesOfSavesCutShortGoAtStart)
{
    QTemporaryDir dir;
    const QString inProgress = QStringLiteral("Url.dat.kestrelvue-save-Xy12ab");
    const QStringList kept = {QStringLiteral("AutoComplete2.dat"), QStringLiteral("History.dat"),
                              QStringLiteral("History.dat.backup"), QStringLiteral("History.dat.2024v1"),
                              QStringLiteral("Url.dat.bak001"), QStringLiteral("Settings.dat.0aZ9kq"),
                              QStringLiteral("blank.html"), QStringLiteral("Help.html.kestrelvue-save-Ab3xYz"),
                              inProgress};
    const QStringList stray = {QStringLiteral("AutoComplete2.dat.kestrelvue-save-Ab3xYz"),
                               QStringLiteral("Settings.dat.kestrelvue-save-0aZ9kq"),
                               QStringLiteral("Url.dat.kestrelvue-save-QQwe12"),
                               QStringLiteral("History.dat.kestrelvue-save-x1y2z3"),
                               QStringLiteral("SearchConfig.dat.kestrelvue-save-AAAAAA")};
    for (const QString &name : kept + stray)
        WriteFile(dir.filePath(name), "data\r\n");
    SaveInProgress otherCopy(dir.filePath(inProgress));
    ASSERT_TRUE(otherCopy.Holding());

    ModStartUp::RemoveStraySaves(dir.path());

    EXPECT_EQ(FileNames(dir.path()), SortedNames(kept));
}
