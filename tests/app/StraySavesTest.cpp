#include "app/ModStartUp.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A save cut short by a kill leaves its temporary file beside the data file; the next start
// removes it and keeps everything else.
TEST(StraySaves, TheTemporariesOfEveryDataFileGoAtStartAndNothingElse)
{
    QTemporaryDir dir;
    const QStringList kept = {QStringLiteral("AutoComplete2.dat"), QStringLiteral("History.dat"),
                              QStringLiteral("History.dat.backup"), QStringLiteral("blank.html"),
                              QStringLiteral("Help.html.Ab3xYz")};
    const QStringList stray = {QStringLiteral("AutoComplete2.dat.Ab3xYz"), QStringLiteral("Settings.dat.0aZ9kq"),
                               QStringLiteral("Url.dat.QQwe12"), QStringLiteral("History.dat.x1y2z3"),
                               QStringLiteral("SearchConfig.dat.AAAAAA")};
    for (const QString &name : kept + stray) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("data\r\n");
    }

    ModStartUp::RemoveStraySaves(dir.path());

    QStringList expected = kept;
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
}
