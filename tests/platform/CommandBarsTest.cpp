#include "platform/CommandBars.h"
#include "tests/support/WaitFor.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

ImageList SolidImages(QSize size, const QList<int> &ids)
{
    ImageList list(size, QColor(255, 0, 255));
    for (int id : ids) {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        list.Add(QString::number(id), image);
    }
    return list;
}

QMenu *MenuOf(CommandBar *bar)
{
    return qobject_cast<QMenu *>(bar->Widget());
}

// Opens a menu as the user would and waits until it is on screen.
bool WaitShown(QWidget *widget)
{
    return WaitUntil([widget] { return widget->isVisible(); });
}

struct MainHost
{
    std::unique_ptr<QMainWindow> window = std::make_unique<QMainWindow>();
    CommandBars *bars = new CommandBars(window.get());
};

} // namespace

TEST(CommandBars, ControlsAppendInOrderAndCountFromOne)
{
    MainHost host;
    CommandBar *bar = host.bars->Add("Standard", CommandBarPosition::Top);
    bar->Controls().Add(CommandBarControlType::Button, 1002, "&Stop");
    CommandBarControl *refresh = bar->Controls().Add(CommandBarControlType::Button, 1003, "&Refresh");
    EXPECT_EQ(bar->Controls().Count(), 2);
    EXPECT_EQ(refresh->Index(), 2);
    EXPECT_EQ(bar->Controls().Item(2), refresh);
    EXPECT_EQ(bar->Controls().Item(0), nullptr);
    EXPECT_EQ(bar->Controls().Item(3), nullptr);
    EXPECT_EQ(refresh->Parent(), bar);

    bar->Controls().Item(1)->Delete();
    EXPECT_EQ(refresh->Index(), 1);
    bar->Controls().DeleteAll();
    EXPECT_EQ(bar->Controls().Count(), 0);
    EXPECT_TRUE(qobject_cast<QToolBar *>(bar->Widget())->actions().isEmpty());
}

TEST(CommandBars, DockedCollectionStartsWithMenuBarAndLeavesOutPopups)
{
    MainHost host;
    CommandBar *popup = host.bars->Add("Popup Menu", CommandBarPosition::Popup);
    CommandBar *standard = host.bars->Add("Standard", CommandBarPosition::Top);
    CommandBar *address = host.bars->Add("Address", CommandBarPosition::Top);
    CommandBar *status = host.bars->Add("Status Bar", CommandBarPosition::Bottom);
    standard->SetVisible(false);
    ASSERT_EQ(host.bars->Count(), 4);
    EXPECT_EQ(host.bars->Item(1), host.bars->ActiveMenuBar());
    EXPECT_EQ(host.bars->Item(2), standard);
    EXPECT_EQ(host.bars->Item(3), address);
    EXPECT_EQ(host.bars->Item(4), status);
    EXPECT_TRUE(host.bars->PopupBars().contains(popup));
    EXPECT_EQ(host.window->menuBar(), host.bars->ActiveMenuBar()->Widget());
}

TEST(CommandBars, FindControlSearchesSubmenusOnlyWhenRecursive)
{
    MainHost host;
    CommandBar *menuBar = host.bars->ActiveMenuBar();
    CommandBarControl *view = menuBar->Controls().Add(CommandBarControlType::MenuTitle, 200, "&View");
    CommandBarControl *sideBars =
        view->CommandBar()->Controls().Add(CommandBarControlType::Submenu, 204, "&SideBars");
    CommandBarControl *search =
        sideBars->CommandBar()->Controls().Add(CommandBarControlType::Button, 205, "&Search");
    CommandBar *standard = host.bars->Add("Standard", CommandBarPosition::Top);
    CommandBarControl *toolSearch =
        standard->Controls().Add(CommandBarControlType::Button, 2001, "&Search");
    CommandBar *popup = host.bars->Add("Popup Menu", CommandBarPosition::Popup);
    popup->Controls().Add(CommandBarControlType::Button, 2001, "in a popup");

    EXPECT_EQ(host.bars->FindControl(205), nullptr);
    EXPECT_EQ(host.bars->FindControl(CommandBarControlType::Any, 205, false, true), search);
    EXPECT_EQ(host.bars->FindControl(CommandBarControlType::Button, 205, false, true), search);
    EXPECT_EQ(host.bars->FindControl(CommandBarControlType::Submenu, 205, false, true), nullptr);
    EXPECT_EQ(host.bars->FindControl(2001), toolSearch);
    EXPECT_EQ(host.bars->FindControl(200), view);

    // Hidden entries are found unless only visible ones are asked for; a hidden submenu hides
    // its entries from such a search too.
    toolSearch->SetVisible(false);
    EXPECT_EQ(host.bars->FindControl(2001), toolSearch);
    EXPECT_EQ(host.bars->FindControl(CommandBarControlType::Any, 2001, true), nullptr);
    sideBars->SetVisible(false);
    EXPECT_EQ(host.bars->FindControl(CommandBarControlType::Any, 205, true, true), nullptr);
    EXPECT_EQ(sideBars->CommandBar()->ParentControl(), sideBars);
}

TEST(CommandBars, ClickOnToolbarButtonExecutesItWithoutTogglingItsCheck)
{
    MainHost host;
    CommandBar *standard = host.bars->Add("Standard", CommandBarPosition::Top);
    CommandBarControl *block = standard->Controls().Add(CommandBarControlType::Button, 3001, "Block");
    block->SetChecked(true);
    host.window->show();
    ASSERT_TRUE(WaitUntil([&] { return Exposed(host.window.get()); }));

    QSignalSpy spy(host.bars, &CommandBars::Execute);
    auto *button = qobject_cast<QToolButton *>(block->Widget());
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<CommandBarControl *>(), block);
    EXPECT_TRUE(block->Checked());
    EXPECT_TRUE(block->Action()->isChecked());

    block->SetChecked(false);
    EXPECT_FALSE(block->Action()->isChecked());
    block->SetEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
}

TEST(CommandBars, MenuEntryChosenWithTheKeyboardExecutes)
{
    MainHost host;
    CommandBarControl *file =
        host.bars->ActiveMenuBar()->Controls().Add(CommandBarControlType::MenuTitle, 0, "&File");
    file->CommandBar()->Controls().Add(CommandBarControlType::Button, 100, "&New Window");
    CommandBarControl *open =
        file->CommandBar()->Controls().Add(CommandBarControlType::Button, 101, "&Open");
    host.window->show();
    ASSERT_TRUE(WaitUntil([&] { return Exposed(host.window.get()); }));

    QSignalSpy spy(host.bars, &CommandBars::Execute);
    QMenuBar *menuBar = host.window->menuBar();
    QTest::mouseClick(menuBar, Qt::LeftButton, {},
                      menuBar->actionGeometry(file->Action()).center());
    QMenu *menu = MenuOf(file->CommandBar());
    ASSERT_TRUE(WaitShown(menu));
    QTest::keyClick(menu, Qt::Key_O); // the access key of "&Open"
    ASSERT_TRUE(WaitUntil([&] { return spy.count() == 1; }));
    EXPECT_EQ(spy.at(0).at(0).value<CommandBarControl *>(), open);
    EXPECT_EQ(open->Id(), 101);
}

TEST(CommandBars, PopupEntryClickedExecutes)
{
    MainHost host;
    host.window->show();
    ASSERT_TRUE(WaitUntil([&] { return Exposed(host.window.get()); }));
    CommandBar *popup = host.bars->Add("Popup Menu", CommandBarPosition::Popup);
    popup->Controls().Add(CommandBarControlType::Button, 1000, "Back");
    CommandBarControl *print = popup->Controls().Add(CommandBarControlType::Button, 105, "Print");
    print->SetBeginGroup(true);

    QSignalSpy spy(host.bars, &CommandBars::Execute);
    popup->ShowPopup(host.window->mapToGlobal(QPoint(20, 20)));
    QMenu *menu = MenuOf(popup);
    ASSERT_TRUE(WaitShown(menu));
    // A group line stands before "Print".
    const QList<QAction *> actions = menu->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_TRUE(actions.at(1)->isSeparator());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(print->Action()).center());
    ASSERT_TRUE(WaitUntil([&] { return spy.count() == 1; }));
    EXPECT_EQ(spy.at(0).at(0).value<CommandBarControl *>()->Id(), 105);
}

TEST(CommandBars, SplitButtonRunsItselfAndItsDropDownEntries)
{
    MainHost host;
    CommandBar *standard = host.bars->Add("Standard", CommandBarPosition::Top);
    CommandBarControl *back =
        standard->Controls().Add(CommandBarControlType::SplitButton, 1000, "Back");
    host.window->show();
    ASSERT_TRUE(WaitUntil([&] { return Exposed(host.window.get()); }));

    // The back/forward list refills the drop-down at run time.
    CommandBarControls &list = back->CommandBar()->Controls();
    for (int round = 0; round < 2; ++round) {
        list.DeleteAll();
        for (int i = 1; i <= 3; ++i) {
            CommandBarControl *entry =
                list.Add(CommandBarControlType::Button, 30000, QString("Page %1").arg(i));
            entry->SetParameter(QString("http://127.0.0.1/%1 %1").arg(i));
        }
    }
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(standard->FindControl(1000), back);

    auto *button = qobject_cast<QToolButton *>(back->Widget());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->popupMode(), QToolButton::MenuButtonPopup);
    QSignalSpy spy(host.bars, &CommandBars::Execute);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<CommandBarControl *>(), back);

    // The arrow at the right edge opens the list, which runs its own event loop until an entry
    // is chosen; the third entry runs with its position.
    QMenu *menu = MenuOf(back->CommandBar());
    bool shown = false;
    QTimer::singleShot(0, menu, [&] {
        shown = WaitShown(menu);
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(list.Item(3)->Action()).center());
    });
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() - 3, button->height() / 2));
    ASSERT_TRUE(shown);
    ASSERT_TRUE(WaitUntil([&] { return spy.count() == 2; }));
    auto *chosen = spy.at(1).at(0).value<CommandBarControl *>();
    EXPECT_EQ(chosen->Id(), 30000);
    EXPECT_EQ(chosen->Index(), 3);
    EXPECT_EQ(chosen->Parameter(), "http://127.0.0.1/3 3");
}

TEST(CommandBars, IconsComeFromRegisteredListsByIdInEverySize)
{
    MainHost host;
    CommandBar *standard = host.bars->Add("Standard", CommandBarPosition::Top);
    CommandBarControl *back = standard->Controls().Add(CommandBarControlType::Button, 1000, "Back");
    CommandBarControl *none = standard->Controls().Add(CommandBarControlType::Button, 110, "Select");
    EXPECT_TRUE(back->Action()->icon().isNull());

    host.bars->AddImageList(SolidImages(QSize(16, 16), {1000, 41000}));
    host.bars->AddImageList(SolidImages(QSize(24, 24), {1000}));
    const QList<QSize> sizes = back->Action()->icon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(24, 24)));
    EXPECT_TRUE(none->Action()->icon().isNull());

    // An entry made later, without an image of its own, shows its id's icon.
    CommandBarControl *favorite = host.bars->ActiveMenuBar()
        ->Controls().Add(CommandBarControlType::MenuTitle, 401, "&Favorites")
        ->CommandBar()->Controls().Add(CommandBarControlType::Button, 41000, "A link");
    EXPECT_EQ(favorite->Action()->icon().availableSizes(), QList<QSize>{QSize(16, 16)});
}

TEST(CommandBars, ImageListMaskColourIsTransparent)
{
    ImageList list(QSize(16, 16), QColor(255, 0, 255));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    image.setPixel(0, 0, qRgb(0, 0, 0));
    list.Add("1", image);
    const QImage stored = list.Pixmap("1").toImage();
    EXPECT_EQ(stored.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(stored.pixel(15, 15)), 0);
    EXPECT_EQ(qAlpha(stored.pixel(0, 0)), 255);
}

TEST(CommandBars, ClientRectangleInTwipsLiesBetweenTheDockedBars)
{
    MainHost host;
    host.bars->ActiveMenuBar()->Controls().Add(CommandBarControlType::MenuTitle, 0, "&File");
    CommandBar *standard = host.bars->Add("Standard", CommandBarPosition::Top);
    standard->Controls().Add(CommandBarControlType::Button, 1002, "&Stop");
    CommandBar *address = host.bars->Add("Address", CommandBarPosition::Top);
    address->Controls().Add(CommandBarControlType::Button, 2111758, "");
    CommandBar *status = host.bars->Add("Status Bar", CommandBarPosition::Bottom);
    status->Controls().Add(CommandBarControlType::Custom, 1235698745, "");
    host.window->resize(640, 480);
    host.window->show();
    ASSERT_TRUE(WaitUntil([&] { return Exposed(host.window.get()); }));

    QWidget *addressBar = address->Widget();
    QWidget *statusBar = host.window->statusBar();
    int l, t, r, b;
    host.bars->GetClientRect(l, t, r, b);
    EXPECT_EQ(l, 0);
    EXPECT_EQ(r, 640 * 15);
    EXPECT_EQ(t, (addressBar->geometry().bottom() + 1) * 15);
    EXPECT_EQ(b, statusBar->geometry().top() * 15);
    EXPECT_LT(t, b);

    // Rows: menu bar, Standard, Address, each below the one before.
    const QRectF menuRect = host.bars->ActiveMenuBar()->RectTwips();
    const QRectF standardRect = standard->RectTwips();
    const QRectF addressRect = address->RectTwips();
    EXPECT_EQ(menuRect.top(), 0);
    EXPECT_GE(standardRect.top(), menuRect.bottom());
    EXPECT_GE(addressRect.top(), standardRect.bottom());
    EXPECT_EQ(addressRect, QRectF(addressBar->x() * 15, addressBar->y() * 15,
                                  addressBar->width() * 15, addressBar->height() * 15));
    EXPECT_EQ(status->RectTwips().top(), statusBar->y() * 15.0);

    int sl, st, sr, sb;
    address->GetWindowRect(sl, st, sr, sb);
    const QPoint screen = addressBar->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(sl, screen.x());
    EXPECT_EQ(st, screen.y());
    EXPECT_EQ(sb - st, addressBar->height());

    // Hiding a bar frees its row and is announced.
    QSignalSpy resized(host.bars, &CommandBars::Resize);
    const int heightBefore = b - t;
    address->SetVisible(false);
    ASSERT_TRUE(WaitUntil([&] { return !resized.isEmpty(); }));
    host.bars->GetClientRect(l, t, r, b);
    EXPECT_EQ(b - t, heightBefore + addressBar->height() * 15);
    status->SetVisible(false);
    host.bars->GetClientRect(l, t, r, b);
    EXPECT_EQ(b, host.window->height() * 15);
}

TEST(CommandBars, PlainHostStacksBarsOverItsTopEdge)
{
    QWidget host;
    host.resize(300, 400);
    auto *bars = new CommandBars(&host);
    bars->ActiveMenuBar()->SetVisible(false);
    CommandBar *sideBar = bars->Add("SideBar", CommandBarPosition::Top);
    CommandBarControl *button = sideBar->Controls().Add(CommandBarControlType::Button, 4000, "Search Settings");
    button->SetStyle(CommandBarControlStyle::IconAndCaption);
    host.show();
    ASSERT_TRUE(WaitUntil([&] { return Exposed(&host); }));
    bars->RecalcLayout();

    QWidget *toolBar = sideBar->Widget();
    EXPECT_EQ(toolBar->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(toolBar->width(), 300);
    EXPECT_EQ(sideBar->RectTwips(), QRectF(0, 0, 300 * 15, toolBar->height() * 15));
    const QRectF client = bars->ClientRectTwips();
    EXPECT_EQ(client.top(), toolBar->height() * 15);
    EXPECT_EQ(client.bottom(), 400 * 15);
    EXPECT_EQ(qobject_cast<QToolButton *>(button->Widget())->toolButtonStyle(),
              Qt::ToolButtonTextBesideIcon);

    // The bar follows the host's width.
    host.resize(200, 400);
    EXPECT_TRUE(WaitUntil([&] { return toolBar->width() == 200; }));
}

TEST(CommandBars, SpecialColoursComeFromThePalette)
{
    QWidget host;
    QPalette palette = host.palette();
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Mid, QColor(4, 5, 6));
    palette.setColor(QPalette::Dark, QColor(7, 8, 9));
    palette.setColor(QPalette::Window, QColor(10, 11, 12));
    host.setPalette(palette);
    CommandBars bars(&host);
    EXPECT_EQ(bars.GetSpecialColor(30), QColor(1, 2, 3));
    EXPECT_EQ(bars.GetSpecialColor(38), QColor(4, 5, 6));
    EXPECT_EQ(bars.GetSpecialColor(46), QColor(7, 8, 9));
    EXPECT_EQ(bars.GetSpecialColor(51), QColor(10, 11, 12));
}
