#include "platform/ProgramFolder.h"
#include "browsingdata/FormSelectSearch.h"
#include "browsingdata/ModReadWriteSearchConfig.h"
#include "browsingdata/SaveFailureMessage.h"
#include "tests/support/FullFileSystem.h"
#include "tests/support/WaitFor.h"

#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QByteArray ThreeEngines = "One|False|q|http://one/pane|http://one/s\r\n"
                                "Two|True|w|http://two/pane|http://two/s\r\n"
                                "Three True|False|t|http://three/False|http://three/s\r\n";

class SelectSearch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetAppPath(m_dir.path());
        WriteFile(ThreeEngines);
    }
    void TearDown() override
    {
        if (Forms::DefaultExists<FormSelectSearch>()) {
            QPointer<FormSelectSearch> form = Forms::Default<FormSelectSearch>();
            Forms::Unload(form);
            EXPECT_TRUE(WaitUntil([&] { return form.isNull(); }));
        }
        ProgramFolder::SetAppPath({});
    }

    QString FilePath() const { return m_dir.filePath(u"SearchConfig.dat"_qs); }
    void WriteFile(const QByteArray &bytes)
    {
        QFile file(FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadFile() const
    {
        QFile file(FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QList<Qt::CheckState> Checks(const FormSelectSearch *form)
    {
        QList<Qt::CheckState> states;
        for (int i = 0; i < form->ListSearchEngines->count(); ++i)
            states.append(form->ListSearchEngines->item(i)->checkState());
        return states;
    }
    // The user selects a row and toggles its check box with the space bar.
    static void ToggleRow(FormSelectSearch *form, int row)
    {
        form->ListSearchEngines->setCurrentRow(row);
        QTest::keyClick(form->ListSearchEngines, Qt::Key_Space);
    }

private:
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SelectSearch, LoadingShowsTheEnginesAndTakesTheSelectedStrings)
{
    FormSelectSearch *form = Forms::Default<FormSelectSearch>();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), u"Search Settings"_qs);
    ASSERT_EQ(form->ListSearchEngines->count(), 3);
    EXPECT_EQ(form->ListSearchEngines->item(2)->text(), u"Three True"_qs);
    EXPECT_EQ(Checks(form), (QList<Qt::CheckState>{Qt::Unchecked, Qt::Checked, Qt::Unchecked}));
    EXPECT_EQ(FormSelectSearch::SearchChar, u"w"_qs);
    EXPECT_EQ(FormSelectSearch::SearchBrowserUrl, u"http://two/pane"_qs);
    EXPECT_EQ(FormSelectSearch::MainSearchUrl, u"http://two/s"_qs);
    EXPECT_EQ(FormSelectSearch::SearchUrl(u"a b"_qs), u"http://two/s?w=a%20b"_qs);
}

TEST_F(SelectSearch, CheckingOneRowUnchecksTheOthersAndOkWritesIt)
{
    FormSelectSearch *form = Forms::Default<FormSelectSearch>();
    form->show();
    ToggleRow(form, 2);
    EXPECT_EQ(Checks(form), (QList<Qt::CheckState>{Qt::Unchecked, Qt::Unchecked, Qt::Checked}));
    QTest::mouseClick(form->CommandOK, Qt::LeftButton);
    EXPECT_EQ(ReadFile(), QByteArray("One|False|q|http://one/pane|http://one/s\r\n"
                                     "Two|False|w|http://two/pane|http://two/s\r\n"
                                     "Three True|True|t|http://three/False|http://three/s\r\n"));
    EXPECT_EQ(FormSelectSearch::SearchBrowserUrl, u"http://three/False"_qs);
    EXPECT_EQ(FormSelectSearch::MainSearchUrl, u"http://three/s"_qs);
    EXPECT_TRUE(form->isVisible()) << "OK leaves the dialog open";
}

TEST_F(SelectSearch, OkThatCannotWriteTheFileSaysSoAndKeepsTheChoiceShown)
{
    FullFileSystem disk(64);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why().toStdString();
    const QString path = disk.FilePath(u"SearchConfig.dat"_qs);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ThreeEngines);
    file.close();
    ProgramFolder::SetAppPath(disk.Path());
    QStringList messages;
    SaveFailureMessage::SetHandler([&](const QString &text) { messages << text; });

    FormSelectSearch *form = Forms::Default<FormSelectSearch>();
    form->show();
    ToggleRow(form, 2);
    ASSERT_TRUE(disk.LeaveFree(0));
    QTest::mouseClick(form->CommandOK, Qt::LeftButton);
    SaveFailureMessage::SetHandler({});

    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), ThreeEngines);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(u"\"SearchConfig.dat\""_qs)) << messages.first().toStdString();
    EXPECT_EQ(Checks(form), (QList<Qt::CheckState>{Qt::Unchecked, Qt::Unchecked, Qt::Checked}))
        << "the choice stays on screen";
    EXPECT_EQ(FormSelectSearch::MainSearchUrl, u"http://two/s"_qs) << "searches keep the engine of the file";
}

TEST_F(SelectSearch, OkWithNothingCheckedKeepsThePreviousStrings)
{
    FormSelectSearch *form = Forms::Default<FormSelectSearch>();
    form->show();
    ToggleRow(form, 1);
    EXPECT_EQ(Checks(form), (QList<Qt::CheckState>{Qt::Unchecked, Qt::Unchecked, Qt::Unchecked}));
    QTest::mouseClick(form->CommandOK, Qt::LeftButton);
    EXPECT_FALSE(ReadFile().contains("|True|"));
    EXPECT_EQ(FormSelectSearch::MainSearchUrl, u"http://two/s"_qs);
}

TEST_F(SelectSearch, CloseWritesNothingAndTheNextShowingReadsTheFile)
{
    QPointer<FormSelectSearch> form = Forms::Default<FormSelectSearch>();
    form->show();
    ToggleRow(form, 0);
    QTest::mouseClick(form->CommandClose, Qt::LeftButton);
    EXPECT_EQ(ReadFile(), ThreeEngines);
    ASSERT_TRUE(WaitUntil([&] { return form.isNull(); }));
    FormSelectSearch *again = Forms::Default<FormSelectSearch>();
    EXPECT_EQ(Checks(again), (QList<Qt::CheckState>{Qt::Unchecked, Qt::Checked, Qt::Unchecked}));
}

TEST_F(SelectSearch, MissingFileLeavesStringsAsTheyWere)
{
    QFile::remove(FilePath());
    FormSelectSearch::MainSearchUrl = u"http://before/"_qs;
    FormSelectSearch *form = Forms::Default<FormSelectSearch>();
    EXPECT_EQ(form->ListSearchEngines->count(), 0);
    EXPECT_TRUE(ModReadWriteSearchConfig::EngineTable().Engines().isEmpty());
    EXPECT_EQ(FormSelectSearch::MainSearchUrl, u"http://before/"_qs);
}

TEST_F(SelectSearch, ShowModalReturnsWhenClosed)
{
    QWidget owner;
    owner.resize(600, 400);
    owner.show();
    FormSelectSearch *form = Forms::Default<FormSelectSearch>();
    QTimer::singleShot(0, form, [form] {
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(form->isModal());
        QTest::mouseClick(form->CommandClose, Qt::LeftButton);
    });
    form->ShowModal(&owner);
    EXPECT_FALSE(Forms::DefaultExists<FormSelectSearch>() && Forms::Default<FormSelectSearch>()->isVisible());
}
