#include "DialogsTestSupport.h"

#include "app/CommandIds.h"
#include "mainwindow/FormHelp.h"
#include "platform/CommandBars.h"
#include "tests/support/LoadedForms.h"
#include "tests/support/TempProgramFolder.h"

#include <QPointer>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace DialogsTest;

namespace {

class DialogPlacement : public ::testing::Test
{
protected:
    void SetUp() override { main = StartMainWindow(); }

    void TearDown() override { UnloadAllForms(); }

    // Chooses a command of the main window's menus, as the user does.
    void Choose(int id)
    {
        CommandBarControl *control = main->CommandBarsMain->FindControl(CommandBarControlType::Any, id, false, true);
        ASSERT_NE(control, nullptr) << id;
        control->Execute();
    }

    // Chooses a command that opens a modal window, and gives back where that window's centre
    // stood once it had come up (then closes it).
    QPoint CentreOfModalOpenedBy(int id)
    {
        QPoint centre;
        QTimer timer;
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (QWidget *dialog = QApplication::activeModalWidget(); dialog && dialog->isVisible()) {
                timer.stop();
                centre = dialog->frameGeometry().center();
                dialog->close();
            }
        });
        timer.start();
        Choose(id);
        return centre;
    }

    // Centred within the width of a window frame.
    static bool Near(QPoint a, QPoint b) { return std::abs(a.x() - b.x()) <= 8 && std::abs(a.y() - b.y()) <= 8; }

    TempProgramFolder folder;
    FormMain *main = nullptr;
};

} // namespace

TEST_F(DialogPlacement, FindSettingsAndOpenComeUpCentredOverTheirWindow)
{
    // Find, Application Settings, Open; each twice, the window moved in between.
    for (const int id : {CommandId::Find, CommandId::ApplicationSettings, CommandId::Open}) {
        for (const QPoint at : {QPoint(40, 30), QPoint(300, 170)}) {
            main->move(at);
            const QPoint centre = CentreOfModalOpenedBy(id);
            EXPECT_TRUE(Near(centre, main->frameGeometry().center()))
                << id << " at " << centre.x() << "," << centre.y() << ", window centre "
                << main->frameGeometry().center().x() << "," << main->frameGeometry().center().y();
        }
    }
}

TEST_F(DialogPlacement, HelpComesUpCentredOverTheWindowThatAskedForIt)
{
    for (const QPoint at : {QPoint(300, 170), QPoint(40, 30)}) {
        main->move(at);
        Choose(CommandId::HelpContents);
        QPointer<FormHelp> help = Forms::Default<FormHelp>();
        ASSERT_TRUE(WaitFor([&] { return help && help->isVisible(); }));
        const QPoint centre = help->frameGeometry().center();
        EXPECT_TRUE(Near(centre, main->frameGeometry().center()))
            << centre.x() << "," << centre.y() << ", window centre " << main->frameGeometry().center().x() << ","
            << main->frameGeometry().center().y();

        // Shown again while open, it stays where the user may have put it.
        help->move(help->pos() + QPoint(5, 5));
        const QPoint moved = help->pos();
        Choose(CommandId::HelpContents);
        EXPECT_EQ(help->pos(), moved);
        help->close();
    }
}
