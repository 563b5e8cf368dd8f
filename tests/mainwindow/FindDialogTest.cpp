#include "DialogsTestSupport.h"

#include "mainwindow/FormFind.h"
#include "tests/support/TempProgramFolder.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace DialogsTest;

namespace {

const QByteArray FindPage = R"(<!DOCTYPE html><html><head><title>Find Page</title></head><body>
<p id=one>Alpha beta gamma.</p>
<p id=two>Gamma   delta, gammaray.</p>
<p id=hidden style="display:none">gamma hidden</p>
<p id=invisible style="visibility:hidden">gamma invisible</p>
<script>var gamma = 1;</script>
<div style="height:4000px"></div>
<p id=three>Last gamma here.</p>
<p id=four>Split <b id=bold>gam</b>ma inline<br>across lines</p>
<div style="height:2000px"></div>
</body></html>)";

class FindDialog : public DialogsFixture
{
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        folder.WriteFile(QStringLiteral("find.html"), FindPage);
        ASSERT_TRUE(LoadPage(main, folder.FileUrl(QStringLiteral("find.html")), QStringLiteral("Find Page")));
        find = OpenFind();
    }

    FormFind *OpenFind()
    {
        auto *form = Forms::Default<FormFind>();
        form->ShowModeless();
        return form;
    }

    // One press of "Find": the selection's text, its start element and offset, or "" when the
    // step showed a message instead.
    QString Step()
    {
        const qsizetype before = boxes.shown.size();
        QTest::mouseClick(find->CommandFind, Qt::LeftButton);
        if (boxes.shown.size() > before)
            return QString();
        return RunScript(main->WebBrowserMain->Page(), QStringLiteral(R"(
            (function () {
                const s = getSelection();
                if (!s.rangeCount) return 'no selection';
                const r = s.getRangeAt(0);
                return s.toString() + '@' + r.startContainer.parentElement.id + ':' + r.startOffset;
            })())")).toString();
    }

    FormFind *find = nullptr;
    MessageBoxes boxes;
};

} // namespace

TEST_F(FindDialog, DownSelectsEachMatchInTurnThenTellsThatNothingMoreIsFound)
{
    EXPECT_TRUE(find->OptionDown->isChecked());
    find->TextFind->setText(QStringLiteral("gamma"));
    EXPECT_EQ(Step(), QStringLiteral("gamma@one:11"));
    EXPECT_EQ(Step(), QStringLiteral("Gamma@two:0"));
    EXPECT_EQ(Step(), QStringLiteral("gamma@two:15"));
    EXPECT_EQ(Step(), QStringLiteral("gamma@three:5")) << "text hidden from view is passed over";
    EXPECT_EQ(Step(), QStringLiteral("gamma@bold:0")) << "a match may run across elements";
    EXPECT_EQ(Step(), QString());
    EXPECT_EQ(Step(), QString()) << "no wrap-around: the message again";

    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Kestrelvue3"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("The search is complete.       \nNo matches were found.       "));
    EXPECT_EQ(boxes.shown[0].icon, QMessageBox::Information);
}

TEST_F(FindDialog, UpStartsFromTheLastMatchAndScrollsItIntoView)
{
    QTest::mouseClick(find->OptionUp, Qt::LeftButton);
    find->TextFind->setText(QStringLiteral("gamma"));
    EXPECT_EQ(Step(), QStringLiteral("gamma@bold:0"));
    EXPECT_EQ(Step(), QStringLiteral("gamma@three:5"));
    EXPECT_TRUE(WaitUntil([&] {
        return RunScript(main->WebBrowserMain->Page(),
                         QStringLiteral("window.scrollY > 1000 && "
                                        "Math.abs(document.getElementById('three').getBoundingClientRect().top) < 30"))
            .toBool();
    })) << "the match far down the page is scrolled to the top of the view";
    EXPECT_EQ(Step(), QStringLiteral("gamma@two:15"));

    QTest::mouseClick(find->OptionDown, Qt::LeftButton);
    EXPECT_EQ(Step(), QStringLiteral("gamma@two:15")) << "the next step goes on from the edge of the last match";
    EXPECT_EQ(Step(), QStringLiteral("gamma@three:5"));
}

TEST_F(FindDialog, MatchCaseAndWholeWordsNarrowTheSearch)
{
    find->TextFind->setText(QStringLiteral("Gamma"));
    QTest::mouseClick(find->CheckCaseSensitive, Qt::LeftButton);
    EXPECT_EQ(Step(), QStringLiteral("Gamma@two:0"));
    EXPECT_EQ(Step(), QString());

    // A fresh dialog: the options start over.
    Forms::Unload(find);
    find = OpenFind();
    EXPECT_FALSE(find->CheckCaseSensitive->isChecked());
    find->TextFind->setText(QStringLiteral("GAMMA"));
    QTest::mouseClick(find->CheckExludePartialMatches, Qt::LeftButton);
    EXPECT_EQ(Step(), QStringLiteral("gamma@one:11"));
    EXPECT_EQ(Step(), QStringLiteral("Gamma@two:0"));
    EXPECT_EQ(Step(), QStringLiteral("gamma@three:5")) << "\"gammaray\" is only a partial match";

    find->TextFind->setText(QStringLiteral("gam"));
    EXPECT_EQ(Step(), QString());
}

TEST_F(FindDialog, ClearingACheckBoxUndoesItsFlagAndEmptyOrCrossLineTextFindsNothing)
{
    find->TextFind->setText(QStringLiteral("GAMMA"));
    QTest::mouseClick(find->CheckCaseSensitive, Qt::LeftButton);
    QTest::mouseClick(find->CheckCaseSensitive, Qt::LeftButton);
    EXPECT_EQ(Step(), QStringLiteral("gamma@one:11"));

    find->TextFind->setText(QStringLiteral("Gamma delta"));
    EXPECT_EQ(Step(), QStringLiteral("Gamma delta@two:0")) << "runs of white space match one space";

    find->TextFind->setText(QStringLiteral("inline across"));
    EXPECT_EQ(Step(), QString()) << "a line break is not a space";
    find->TextFind->clear();
    EXPECT_EQ(Step(), QString());
}

TEST_F(FindDialog, ShownModalOverTheMainWindowItClosesWithCancel)
{
    Forms::Unload(find);
    find = Forms::Default<FormFind>();
    bool ran = false;
    AnswerNextModal<FormFind>([&](FormFind *dialog) {
        ran = true;
        dialog->TextFind->setText(QStringLiteral("beta"));
        QTest::mouseClick(dialog->CommandFind, Qt::LeftButton);
        QTest::mouseClick(dialog->CommandCancel, Qt::LeftButton);
    });
    find->ShowModal(main);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(Forms::IsLoaded(find));
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(RunScript(main->WebBrowserMain->Page(), QStringLiteral("getSelection().toString()")).toString(),
              QStringLiteral("beta"));
}

TEST_F(FindDialog, ANewPageIsSearchedFromItsStart)
{
    find->TextFind->setText(QStringLiteral("gamma"));
    EXPECT_EQ(Step(), QStringLiteral("gamma@one:11"));
    folder.WriteFile(QStringLiteral("other.html"),
                     "<html><head><title>Other</title></head><body><p id=o>one gamma</p></body></html>");
    ASSERT_TRUE(LoadPage(main, folder.FileUrl(QStringLiteral("other.html")), QStringLiteral("Other")));
    EXPECT_EQ(Step(), QStringLiteral("gamma@o:4"));
    EXPECT_EQ(Step(), QString());
}
