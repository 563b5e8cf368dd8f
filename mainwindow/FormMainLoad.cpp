#include "mainwindow/FormMain.h"

#include "app/ModSettings.h"
#include "browsingdata/ClassFBNavigator.h"
#include "browsingdata/FavoritesNode.h"
#include "browsingdata/FormSelectSearch.h"
#include "browsingdata/ModManageFavFile.h"
#include "browsingdata/SaveFailureMessage.h"
#include "controls/AutoCompleteStore.h"
#include "controls/HistoryStore.h"
#include "controls/TransparentCloseButton.h"
#include "controls/TransparentLabel.h"
#include "controls/TypedAddressList.h"
#include "controls/UCTVHistory.h"
#include "controls/XPStyleImageTextBox.h"
#include "controls/XPStyleProgressBar.h"
#include "controls/XPStyleStatusBarPanel.h"
#include "fullscreen/FormFullScreen.h"
#include "platform/CommandBars.h"
#include "platform/ProgramFolder.h"
#include "platform/WebBrowser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

namespace {

bool OtherMainWindowOpen(const FormMain *window)
{
    for (QWidget *form : Forms::LoadedForms())
        if (form != window && qobject_cast<FormMain *>(form))
            return true;
    return false;
}

bool FullScreenIsOn()
{
    return Forms::DefaultExists<FormFullScreen>() && ModSettings::ProgramOptions().FullScreen;
}

} // namespace

void FormMain::Form_Load()
{
    const QString appPath = ProgramFolder::AppPath();
    ModSettings::LoadSettings(appPath);
    const ModSettings::SettingsValues &s = ModSettings::Settings();

    SetWindowState(s.WindowState);
    SetTop(s.WindowTop);
    SetLeft(s.WindowLeft);
    SetHeight(s.WindowHeight);
    SetWidth(s.WindowWidth);

    KillPopups = s.KillPopups;
    ShowSearchFlag = s.ShowSearch;
    ShowHistoryFlag = s.ShowHistory;
    ShowFavoritesFlag = s.ShowFavorites;
    FullScreen = s.FullScreen;
    DaysInHistory = s.DaysInHistory;
    ItemsInAddressBar = s.ItemsInAddressBar;
    NumberOfChildWindowsAllowed = s.NumberOfChildWindowsAllowed;
    ShowToolBarStandard = s.ShowToolBarStandard;
    ShowAddressBar = s.ShowAddressBar;
    TextNormal = s.TextNormal;
    TextSize = s.TextSize;

    // The first main window of a run, and one opened while no main window is open and full
    // screen is off, is the default main window: its options are the program's. While the
    // full-screen window is open those are in use, and it takes them as they are, not as the
    // file has them.
    if (!Forms::DefaultExists<FormMain>() && !OtherMainWindowOpen(this) && !FullScreenIsOn())
        Forms::MakeDefault(this);
    const bool isDefault = Forms::Existing<FormMain>() == this;
    if (isDefault && Forms::DefaultExists<FormFullScreen>())
        static_cast<ModSettings::Options &>(*this) = ModSettings::ProgramOptions();
    if (isDefault)
        ModSettings::KeepProgramOptionsIn(this);

    PictureFTP->hide();
    LinkClicked = false;
    IsChildWindow = false;

    BuildCommandBars();
    ShowControlsOverBars();
    // The close button lies over the side bar's own bar, built after it: on top, it takes its clicks.
    TransparentCloseButton1->raise();

    TreeViewHistory->setAppPath(appPath);
    TreeViewHistory->SetNumberOfDaysInHistory(DaysInHistory);
    TreeViewHistory->LoadTreeview2();

    m_objFBNavigator = new ClassFBNavigator(this);
    m_objFBNavigator->Initialize();

    WebBrowserMain->Navigate(QUrl::fromLocalFile(QDir(appPath).filePath(QStringLiteral("blank.html"))).toString());

    Forms::Default<FormSelectSearch>();

    SideBarBuilt = false;
    QCoreApplication::processEvents();

    PictureSideBar->hide();
    ImageSplitBar->hide(); // it stands at the side bar's edge only while the side bar shows
    MoveTwips(ImageSplitBar, 3600, RectTwips(ImageSplitBar).top(), RectTwips(ImageSplitBar).width(),
              RectTwips(ImageSplitBar).height());

    WebBrowserMain->GoHome();

    TransparentLabelPopupStatus->setLabelText(KillPopups ? QStringLiteral("Popup Blocker is On")
                                                         : QStringLiteral("Popup Blocker is Off"));
    // The search pane gets its page when it first opens (the side bar navigates it while
    // SearchPageNeeded holds): a window whose search pane stays shut starts no page for it.
    SearchPageNeeded = true;

    XPStyleImageTextBox1->SetMaxItems(ItemsInAddressBar);
    XPStyleImageTextBox1->SetNumberOfDaysInHistory(2);
    XPStyleImageTextBox1->SetAppPath(appPath);
    XPStyleImageTextBox1->InitializeAutoComplete();
    XPStyleImageTextBox1->LoadAddressList();
    XPStyleImageTextBox1->SetText(QString());

    TransparentLabelAddress->setLabelText(QStringLiteral("Address:"));

    XPStyleImageTextBox1->SetFlatButtonBackColor(CommandBarsMain->GetSpecialColor(30));
    TransparentCloseButton1->setBackColorLight(palette().color(QPalette::Dark));
    TransparentCloseButton1->setBackColorDark(CommandBarsMain->GetSpecialColor(46));
    XPStyleProgressBar1->setParentBackColor(CommandBarsMain->GetSpecialColor(51));
    for (XPStyleStatusBarPanel *panel : {XPStyleStatusBarPanel1, XPStyleStatusBarPanel2, XPStyleStatusBarPanel3})
        panel->setBorderColorDark(CommandBarsMain->GetSpecialColor(38));

    // Only the default main window hands over to the full-screen window: a further window opened
    // meanwhile would otherwise hide itself behind it.
    if (FullScreen && isDefault) {
        StartInFullScreen();
    } else {
        FullScreen = false;
        ShowSavedSideBarPane();
    }

    TreeViewFavorites->clear();
    FavoritesNode::ShowExpandedImages(TreeViewFavorites);
    ModManageFavFile::LoadFavoritesTree(TreeViewFavorites);
    TreeViewFavorites->update();
    if (CommandBarsMain->ActiveMenuBar()->Visible())
        ModManageFavFile::LoadFavoritesMenu(this);
}

void FormMain::Form_Unload(int &Cancel)
{
    Q_UNUSED(Cancel);
    delete m_objFBNavigator;
    m_objFBNavigator = nullptr;
    ReleaseFtpPane();
    docMain = nullptr;
    Timer1->stop();

    SaveDataFiles();
    GiveBackProgramOptions();
    UnloadAllForms();
}

void FormMain::GiveBackProgramOptions()
{
    if (&ModSettings::ProgramOptions() == this)
        ModSettings::KeepProgramOptionsIn(nullptr);
}

// A file that could not be written keeps what it held; the user is told which it was.
void FormMain::SaveDataFiles()
{
    QStringList failed;
    if (!ModSettings::SaveSettings(this))
        failed << QString::fromLatin1(ModSettings::FileName);
    if (!XPStyleImageTextBox1->SaveAutoCompleteDataFile())
        failed << QString::fromLatin1(AutoCompleteStore::FileName);
    if (!XPStyleImageTextBox1->WriteAddressList())
        failed << QString::fromLatin1(TypedAddressList::FileName);
    if (!TreeViewHistory->SaveHistory())
        failed << QString::fromLatin1(HistoryStore::FileName);
    SaveFailureMessage::Show(this, failed);
}

// The hidden auxiliary windows go (search-engine dialog, popup sinks, a full-screen window that
// was left); visible windows stay, and so do the windows of full-screen mode while it is on: the
// full-screen window, its task-bar proxy and the main window hidden behind it.
void FormMain::UnloadAllForms()
{
    Forms::UnloadAll([](const QWidget *form) { return !form->isVisible() && !StaysForFullScreen(form); });
}
