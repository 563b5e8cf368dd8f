#include "DialogsTestSupport.h"
#include "OpenedWindows.h"

#include "app/CommandIds.h"
#include "browsingdata/FormCreateNewFolder.h"
#include "mainwindow/FormFind.h"
#include "mainwindow/FormHelp.h"
#include "mainwindow/FormOpenFile.h"
#include "tests/support/LoadedForms.h"
#include "tests/support/TempProgramFolder.h"

#include <QPointer>
#include <QScreen>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace DialogsTest;
using namespace OpenedWindows;

namespace {

class DialogPlacement : public DialogsFixture
{
protected:
    void Press(Qt::Key key) { QTest::keyClick(main, key, Qt::ControlModifier); }

    // Centred within the width of a window frame.
    static bool Near(QPoint a, QPoint b) { return std::abs(a.x() - b.x()) <= 8 && std::abs(a.y() - b.y()) <= 8; }
};

// Where the user may drag the window: partly past the screen's right edge, and past each of the
// screen's corners.
const QPoint OffScreenPlaces[] = {{702, 100}, {-600, -450}, {900, -450}, {-600, 750}, {900, 750}};

} // namespace

TEST_F(DialogPlacement, FindSettingsAndOpenComeUpCentredOverTheirWindow)
{
    // Find, Application Settings, Open; each twice, the window moved in between.
    for (const int id : {CommandId::Find, CommandId::ApplicationSettings, CommandId::Open}) {
        for (const QPoint at : {QPoint(40, 30), QPoint(300, 170)}) {
            main->move(at);
            const QPoint centre = FrameOfModalOpenedBy([&] { Choose(main, id); }).center();
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
        Choose(main, CommandId::HelpContents);
        QPointer<FormHelp> help = Forms::Default<FormHelp>();
        ASSERT_TRUE(WaitUntil([&] { return help && help->isVisible(); }));
        const QPoint centre = help->frameGeometry().center();
        EXPECT_TRUE(Near(centre, main->frameGeometry().center()))
            << centre.x() << "," << centre.y() << ", window centre " << main->frameGeometry().center().x() << ","
            << main->frameGeometry().center().y();

        // Shown again while open, it stays where the user may have put it.
        help->move(help->pos() + QPoint(5, 5));
        const QPoint moved = help->pos();
        Choose(main, CommandId::HelpContents);
        EXPECT_EQ(help->pos(), moved);
        help->close();
    }
}

TEST_F(DialogPlacement, DialogsOfAWindowPartlyOffTheScreenComeUpWhollyOnIt)
{
    const QRect area = main->screen()->availableGeometry();
    for (const QPoint at : OffScreenPlaces) {
        main->move(at);
        const auto expectOnScreen = [&](const char *dialog, const QRect &frame) {
            EXPECT_TRUE(area.contains(frame)) << dialog << " at " << frame << " over the window at " << main->frameGeometry();
        };
        expectOnScreen("Find", FrameOfModelessOpenedBy<FormFind>([&] { Press(Qt::Key_F); }));
        expectOnScreen("Open", FrameOfModelessOpenedBy<FormOpenFile>([&] { Press(Qt::Key_O); }));
        expectOnScreen("Help", FrameOfModelessOpenedBy<FormHelp>([&] { Choose(main, CommandId::HelpContents); }));
        expectOnScreen("Application Settings",
                       FrameOfModalOpenedBy([&] { Choose(main, CommandId::ApplicationSettings); }));
    }
}

TEST_F(DialogPlacement, SideBarDialogsOfAWindowPartlyOffTheScreenComeUpWhollyOnIt)
{
    const QRect area = main->screen()->availableGeometry();
    for (const QPoint at : {OffScreenPlaces[0], OffScreenPlaces[4]}) {
        main->move(at);
        main->ShowSearch();
        const QRect search = FrameOfModalOpenedBy([&] { ChooseOnSideBar(main, 4000); });
        EXPECT_TRUE(area.contains(search)) << "Search Settings at " << search;
        main->ShowFavorites();
        const QMap<QString, QRect> favorites = FramesOfModalsOpenedBy([&] { ChooseOnSideBar(main, 4001); });
        ASSERT_EQ(favorites.size(), 2);
        for (auto frame = favorites.begin(); frame != favorites.end(); ++frame)
            EXPECT_TRUE(area.contains(frame.value())) << frame.key().toStdString() << " at " << frame.value();
    }
}
