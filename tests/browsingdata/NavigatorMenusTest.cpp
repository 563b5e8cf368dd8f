#include "app/CommandIds.h"
#include "browsingdata/ClassFBNavigator.h"
#include "platform/CommandBars.h"
#include "platform/Forms.h"

#include <QMainWindow>
#include <QPointer>

#include <gtest/gtest.h>

// Stands in for the program's main window: the navigator finds the default main window by its
// class name and reaches its bars by their titles.
class FormMain : public QMainWindow
{
    Q_OBJECT

public:
    FormMain()
    {
        CommandBarsMain = new CommandBars(this);
        CommandBarControl *navigation = CommandBarsMain->ActiveMenuBar()->Controls().Add(
            CommandBarControlType::MenuTitle, 0, QStringLiteral("&Navigation"));
        navigation->CommandBar()->Controls().Add(CommandBarControlType::Button, CommandId::Back,
                                                 QStringLiteral("&Back"));
        navigation->CommandBar()->Controls().Add(CommandBarControlType::Button, CommandId::Forward,
                                                 QStringLiteral("&Forward"));
        PopupMenuMainNavigation = CommandBarsMain->Add(QStringLiteral("Popup Menu"),
                                                       CommandBarPosition::Popup);
        PopupMenuMainNavigation->Controls().Add(CommandBarControlType::Button, CommandId::Back,
                                                QStringLiteral("Back"));
        PopupMenuMainNavigation->Controls().Add(CommandBarControlType::Button, CommandId::Forward,
                                                QStringLiteral("Forward"));
        ToolBarStandard = AddStandardBar(CommandBarsMain);
    }

    static CommandBar *AddStandardBar(CommandBars *bars)
    {
        CommandBar *bar = bars->Add(QStringLiteral("Standard"), CommandBarPosition::Top);
        bar->Controls().Add(CommandBarControlType::SplitButton, CommandId::Back, QStringLiteral("Back"));
        bar->Controls().Add(CommandBarControlType::SplitButton, CommandId::Forward, QStringLiteral("Forward"));
        return bar;
    }

    CommandBarControl *MenuItem(int id) const
    {
        return CommandBarsMain->ActiveMenuBar()->FindControl(CommandBarControlType::Any, id,
                                                             false, true);
    }
    CommandBarControl *PopupItem(int id) const { return PopupMenuMainNavigation->FindControl(id); }

    CommandBars *CommandBarsMain = nullptr;
    CommandBar *PopupMenuMainNavigation = nullptr;
    CommandBar *ToolBarStandard = nullptr;
};

namespace {

QStringList Captions(const CommandBar *bar, int expectedId)
{
    QStringList captions;
    for (const CommandBarControl *control : bar->Controls().List()) {
        EXPECT_EQ(control->Id(), expectedId);
        captions.append(control->Caption());
    }
    return captions;
}

class NavigatorMenus : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Main = new FormMain();
        Forms::Load(Main);
        Navigator.Initialize();
    }
    void TearDown() override { Forms::Unload(Main); }

    CommandBar *DropDown(int id) const { return Main->ToolBarStandard->FindControl(id)->CommandBar(); }
    CommandBarControl *Button(int id) const { return Main->ToolBarStandard->FindControl(id); }
    void Load(QObject *window, int page)
    {
        Navigator.AddLocation(window, QStringLiteral("http://p%1/").arg(page),
                              QStringLiteral("Page %1").arg(page));
    }
    bool AllEnabled(int id) const
    {
        return Button(id)->Enabled() && Main->MenuItem(id)->Enabled() && Main->PopupItem(id)->Enabled();
    }
    bool NoneEnabled(int id) const
    {
        return !Button(id)->Enabled() && !Main->MenuItem(id)->Enabled()
               && !Main->PopupItem(id)->Enabled();
    }

    QPointer<FormMain> Main;
    ClassFBNavigator Navigator;
};

} // namespace

TEST_F(NavigatorMenus, FirstTwoPagesLeaveBackDisabled)
{
    Load(Main, 1);
    EXPECT_TRUE(NoneEnabled(CommandId::Back));
    EXPECT_TRUE(NoneEnabled(CommandId::Forward));
    EXPECT_EQ(DropDown(CommandId::Back)->Controls().Count(), 0);
    Load(Main, 2);
    EXPECT_TRUE(NoneEnabled(CommandId::Back));
    Load(Main, 3);
    EXPECT_TRUE(AllEnabled(CommandId::Back));
    EXPECT_EQ(Captions(DropDown(CommandId::Back), CommandId::BackList), QStringList{u"Page 2"_qs});
}

TEST_F(NavigatorMenus, PickingBackAndForwardItemsRebuildsBothLists)
{
    for (int page = 1; page <= 5; ++page)
        Load(Main, page);
    EXPECT_EQ(Captions(DropDown(CommandId::Back), CommandId::BackList),
              (QStringList{u"Page 4"_qs, u"Page 3"_qs, u"Page 2"_qs}));
    EXPECT_TRUE(NoneEnabled(CommandId::Forward));

    // The host's handler for a Back entry: announce, move by the entry's position, navigate.
    const CommandBarControl *second = DropDown(CommandId::Back)->Controls().Item(2);
    Navigator.CancelAddLocation = true;
    const QString url = Navigator.GoBack(second->Index());
    EXPECT_EQ(url, u"http://p3/"_qs);
    Navigator.AddLocation(Main, url, u"Page 3"_qs);
    EXPECT_EQ(Captions(DropDown(CommandId::Back), CommandId::BackList), QStringList{u"Page 2"_qs});
    EXPECT_EQ(Captions(DropDown(CommandId::Forward), CommandId::ForwardList),
              (QStringList{u"Page 4"_qs, u"Page 5"_qs}));
    EXPECT_TRUE(AllEnabled(CommandId::Forward));

    Navigator.CancelAddLocation = true;
    EXPECT_EQ(Navigator.GoForward(DropDown(CommandId::Forward)->Controls().Item(2)->Index()), u"http://p5/"_qs);
    Navigator.AddLocation(Main, u"http://p5/"_qs, u"Page 5"_qs);
    EXPECT_TRUE(NoneEnabled(CommandId::Forward));
    EXPECT_EQ(DropDown(CommandId::Back)->Controls().Count(), 3);
}

TEST_F(NavigatorMenus, AnotherWindowsListDrivesTheMainWindowsItems)
{
    // A full-screen-like window with a Standard bar of its own and a list of its own.
    QWidget fullScreen;
    auto *bars = new CommandBars(&fullScreen);
    CommandBar *standard = FormMain::AddStandardBar(bars);
    for (int page = 1; page <= 3; ++page)
        Load(&fullScreen, page);
    EXPECT_EQ(Captions(standard->FindControl(CommandId::Back)->CommandBar(), CommandId::BackList),
              QStringList{u"Page 2"_qs});
    EXPECT_TRUE(Main->MenuItem(CommandId::Back)->Enabled());
    EXPECT_TRUE(Main->PopupItem(CommandId::Back)->Enabled());
    EXPECT_EQ(DropDown(CommandId::Back)->Controls().Count(), 0) << "the main window's own drop-down is untouched";

    ClassFBNavigator mainList;
    mainList.Initialize();
    mainList.AddLocation(Main, u"http://m/"_qs, u"M"_qs);
    EXPECT_FALSE(Main->MenuItem(CommandId::Back)->Enabled());
    EXPECT_FALSE(Main->PopupItem(CommandId::Back)->Enabled());
}

TEST_F(NavigatorMenus, TitlesShowAmpersandsAsTheyAre)
{
    Navigator.AddLocation(Main, u"http://a/"_qs, u"A"_qs);
    Navigator.AddLocation(Main, u"http://b/"_qs, u"Fish & Chips"_qs);
    Navigator.AddLocation(Main, u"http://c/"_qs, u"C"_qs);
    EXPECT_EQ(DropDown(CommandId::Back)->Controls().Item(1)->Caption(), u"Fish && Chips"_qs);
}

TEST_F(NavigatorMenus, WindowWithoutBarsOnlyKeepsTheList)
{
    QObject bare;
    Navigator.AddLocation(&bare, u"http://a/"_qs, u"A"_qs);
    Navigator.AddLocation(nullptr, u"http://b/"_qs, u"B"_qs);
    EXPECT_EQ(Navigator.Size(), 2);
}

#include "NavigatorMenusTest.moc"
