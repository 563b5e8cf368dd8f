#include "OpenedWindows.h"

#include "app/CommandIds.h"
#include "controls/TransparentLabel.h"
#include "controls/XPStyleImageTextBox.h"
#include "mainwindow/FormMain.h"
#include "platform/CommandBars.h"
#include "platform/Forms.h"
#include "tests/support/LoadedForms.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/WaitFor.h"

#include <QFrame>
#include <QLabel>
#include <QRect>
#include <gtest/gtest.h>

namespace {

QList<QWidget *> VisibleControls(const FormMain *form)
{
    QList<QWidget *> visible;
    for (QWidget *child : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (child->isVisible())
            visible << child;
    return visible;
}

// Each visible control of the window and where it stands, one a line.
std::string Look(const FormMain *form)
{
    QStringList look;
    for (const QWidget *control : VisibleControls(form)) {
        const QRect r = control->geometry();
        const QString name = control->objectName().isEmpty() ? QString::fromLatin1(control->metaObject()->className())
                                                             : control->objectName();
        look << QStringLiteral("%1 %2,%3 %4x%5").arg(name).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    look.sort();
    return look.join(QLatin1Char('\n')).toStdString();
}

std::string OverMenuBar(const FormMain *form)
{
    const QWidget *menuBar = form->CommandBarsMain->ActiveMenuBar()->Widget();
    QStringList over;
    for (const QWidget *control : VisibleControls(form))
        if (control != menuBar && control->geometry().intersects(menuBar->geometry()))
            over << control->objectName();
    return over.join(QLatin1Char(' ')).toStdString();
}

class BarsHiddenAtStart : public ::testing::Test
{
protected:
    void TearDown() override { UnloadAllForms(); }

    // The shipped settings with the given lines in place of theirs.
    void WriteSettings(const QList<QByteArray> &lines)
    {
        QByteArray settings = folder.ReadFile(QStringLiteral("Settings.dat"));
        for (const QByteArray &line : lines) {
            const qsizetype at = settings.indexOf(line.left(line.indexOf('=') + 1));
            ASSERT_GE(at, 0) << line.constData();
            settings.replace(at, settings.indexOf("\r\n", at) - at, line);
        }
        folder.WriteFile(QStringLiteral("Settings.dat"), settings);
    }

    static FormMain *Start()
    {
        FormMain *form = Forms::Default<FormMain>();
        Forms::Show(form);
        return form;
    }

    // Once the bars are laid out anew, the page's top follows the area they leave.
    static bool Settled(FormMain *form)
    {
        return WaitForQueuedCalls() && WaitUntil([&] {
                   return FormMain::RectTwips(form->PictureBrowser).top()
                       == form->CommandBarsMain->ClientRectTwips().top();
               });
    }

    static QList<QWidget *> AddressControls(FormMain *form)
    {
        return {form->TransparentLabelAddress, form->XPStyleImageTextBox1, form->PictureGo};
    }

    TempProgramFolder folder;
};

} // namespace

TEST_F(BarsHiddenAtStart, AWindowStartedWithBarsHiddenLooksAsOneWhoseBarsWereHiddenAfterStart)
{
    const struct
    {
        QList<QByteArray> settings;
        QList<int> commands;
    } cases[] = {
        {{"ShowAddressBar=False"}, {CommandId::AddressBar}},
        {{"ShowAddressBar=False", "ShowToolBarStandard=False"}, {CommandId::AddressBar, CommandId::ToolBarStandard}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.settings.join(' ').constData());
        WriteSettings({"ShowAddressBar=True", "ShowToolBarStandard=True"});
        FormMain *form = Start();
        for (int id : c.commands)
            OpenedWindows::Choose(form, id);
        ASSERT_TRUE(Settled(form));
        const std::string hiddenAfterStart = Look(form);
        Forms::Unload(form);

        WriteSettings(c.settings);
        form = Start();
        ASSERT_TRUE(Settled(form));
        EXPECT_FALSE(form->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::AddressBar, false, true)
                         ->Checked());
        for (QWidget *control : AddressControls(form))
            EXPECT_FALSE(control->isVisible()) << control->objectName().toStdString();
        EXPECT_EQ(OverMenuBar(form), "");
        EXPECT_EQ(Look(form), hiddenAfterStart);

        for (int id : c.commands)
            OpenedWindows::Choose(form, id);
        ASSERT_TRUE(Settled(form));
        const QWidget *bar = form->CommandBarsMain->Item(3)->Widget();
        for (QWidget *control : AddressControls(form)) {
            EXPECT_TRUE(control->isVisible()) << control->objectName().toStdString();
            EXPECT_TRUE(bar->geometry().contains(control->geometry().center())) << control->objectName().toStdString();
        }
        EXPECT_EQ(OverMenuBar(form), "");
        Forms::Unload(form);
    }
}
