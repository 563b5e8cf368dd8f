// The caption check itself, on small made-up forms: it reports each cut caption and each overlap
// it is there to find, and nothing on a sound form, so that the windows' empty reports mean what
// they say.
#include "tests/support/CaptionCheck.h"
#include "tests/support/WaitFor.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolBar>
#include <QWidget>

#include <utility>

#include <gtest/gtest.h>

namespace {

class MadeUpForm : public ::testing::Test
{
protected:
    MadeUpForm()
    {
        form.setWindowTitle(QStringLiteral("Made up"));
        form.resize(400, 200);
    }

    template <class T>
    void Add(const QString &name, const QString &caption, const QRect &geometry)
    {
        auto *control = new T(caption, &form);
        control->setObjectName(name);
        control->setGeometry(geometry);
    }

    QStringList Faults()
    {
        form.show();
        EXPECT_TRUE(WaitUntil([&] { return form.isVisible(); }));
        return CaptionCheck::Faults(&form);
    }

    // The sizes in a report of a cut caption: what the caption needs and what it has.
    static std::pair<QSize, QSize> NeedsAndHas(const QString &fault, const QString &control, const QString &caption)
    {
        const QRegularExpression report(
            QStringLiteral("^Made up / %1: \"%2\" needs (\\d+) x (\\d+) px, has (\\d+) x (\\d+)$")
                .arg(control, QRegularExpression::escape(caption)));
        const QRegularExpressionMatch match = report.match(fault);
        if (!match.hasMatch())
            return {};
        return {QSize(match.captured(1).toInt(), match.captured(2).toInt()),
                QSize(match.captured(3).toInt(), match.captured(4).toInt())};
    }

    QWidget form;
};

} // namespace

TEST_F(MadeUpForm, SoundFormHasNoFault)
{
    auto *bar = new QToolBar(&form);
    bar->setGeometry(0, 0, 400, 30);
    bar->addAction(QStringLiteral("Go"));
    Add<QLabel>(QStringLiteral("Label"), QStringLiteral("Name:"), QRect(10, 50, 120, 24));
    Add<QLineEdit>(QStringLiteral("Edit"), QString(), QRect(140, 50, 200, 24));
    Add<QCheckBox>(QStringLiteral("Check"), QStringLiteral("Remember"), QRect(10, 90, 200, 24));
    Add<QPushButton>(QStringLiteral("Button"), QStringLiteral("OK"), QRect(290, 150, 100, 32));
    const QStringList faults = Faults();
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
}

TEST_F(MadeUpForm, CutCaptionsAreReportedWithWhatTheyNeedAndHave)
{
    Add<QLabel>(QStringLiteral("Label"), QStringLiteral("A caption far wider than its label"), QRect(10, 10, 60, 24));
    Add<QPushButton>(QStringLiteral("Button"), QStringLiteral("Download the whole folder"), QRect(10, 60, 60, 32));
    const QStringList faults = Faults();
    ASSERT_EQ(faults.size(), 2) << faults.join(u'\n').toStdString();

    const auto [labelNeeds, labelHas] = NeedsAndHas(faults[0], QStringLiteral("Label"),
                                                    QStringLiteral("A caption far wider than its label"));
    EXPECT_EQ(labelHas, QSize(60, 24)) << faults[0].toStdString();
    EXPECT_GT(labelNeeds.width(), 60);

    const auto [buttonNeeds, buttonHas] = NeedsAndHas(faults[1], QStringLiteral("Button"),
                                                      QStringLiteral("Download the whole folder"));
    EXPECT_GT(buttonHas.width(), 0) << faults[1].toStdString();
    EXPECT_LT(buttonHas.width(), 60) << "the button's frame takes part of its width";
    EXPECT_GT(buttonNeeds.width(), buttonHas.width());
}

TEST_F(MadeUpForm, ControlsOverEachOtherAndUnderABarAreReported)
{
    Add<QPushButton>(QStringLiteral("First"), QStringLiteral("One"), QRect(10, 10, 80, 30));
    Add<QPushButton>(QStringLiteral("Second"), QStringLiteral("Two"), QRect(60, 20, 80, 30));
    Add<QLineEdit>(QStringLiteral("Edit"), QString(), QRect(150, 110, 100, 24));
    // Made after the edit box, the bar is stacked above it and takes its clicks.
    auto *bar = new QToolBar(&form);
    bar->setObjectName(QStringLiteral("Bar"));
    bar->setMovable(false);
    bar->setGeometry(0, 100, 400, 30);
    EXPECT_EQ(Faults().join(u'\n').toStdString(), "Made up / Edit lies under Made up / Bar at 150,110 100 x 20\n"
                                                   "Made up / First lies over Made up / Second at 60,20 30 x 20");
}
