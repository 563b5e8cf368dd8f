// The full-screen window's life cycle: load and unload, its keyboard shortcuts, the window
// buttons (minimize to the task-bar proxy, leave full screen, close) and the close of the whole
// program.
#include "fullscreen/FormFullScreen.h"

#include "app/Application.h"
#include "app/ModSettings.h"
#include "browsingdata/ClassFBNavigator.h"
#include "browsingdata/FormSelectSearch.h"
#include "controls/TransparentCloseButton.h"
#include "controls/TransparentLabel.h"
#include "controls/UCTVHistory.h"
#include "controls/XPStyleImageTextBox.h"
#include "ftp/CFtpClient.h"
#include "fullscreen/FormFullScreenTaskBar.h"
#include "mainwindow/CommandRules.h"
#include "mainwindow/FormFind.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/FormOpenFile.h"
#include "mainwindow/LoadingKeyHelper.h"
#include "platform/KeyHelper.h"
#include "platform/ProgramFolder.h"
#include "platform/WebBrowser.h"

#include <QFrame>
#include <QTimer>
#include <QToolBar>

namespace {

// The full-screen window's address box holds this many typed addresses, whatever the main
// window's setting.
constexpr int FullScreenAddressItems = 20;
constexpr double SplitBarStartLeft = 3600;

} // namespace

void FormFullScreen::Form_Load()
{
    const QString appPath = ProgramFolder::AppPath();
    const ModSettings::Options &options = ModSettings::ProgramOptions();

    PictureFTP->hide();

    TreeViewHistory->setAppPath(appPath);
    TreeViewHistory->LoadTreeview2();

    PictureSideBar->hide();
    const QRectF split = RectTwips(ImageSplitBar);
    MoveTwips(ImageSplitBar, SplitBarStartLeft, split.top(), split.width(), split.height());

    SearchPageDue = true;
    SideBarOpen = false;

    XPStyleImageTextBox1->SetMaxItems(FullScreenAddressItems);
    XPStyleImageTextBox1->SetAppPath(appPath);
    XPStyleImageTextBox1->InitializeAutoComplete();
    XPStyleImageTextBox1->LoadAddressList();
    XPStyleImageTextBox1->SetText(QString());

    Forms::Default<FormSelectSearch>();
    if (!FormSelectSearch::SearchBrowserUrl.isEmpty())
        WebBrowserSearch->Navigate(FormSelectSearch::SearchBrowserUrl);

    BuildCommandBars();
    // The address label, the address box and the window buttons lie over the Standard bar.
    for (QWidget *overBar : {static_cast<QWidget *>(TransparentLabelAddress),
                             static_cast<QWidget *>(XPStyleImageTextBox1), static_cast<QWidget *>(ToolbarWindow)})
        overBar->raise();
    // So does the close button over the side bar's own bar: on top, it takes its clicks.
    TransparentCloseButton1->raise();

    m_objNavigator = new ClassFBNavigator(this);
    m_objNavigator->Initialize();

    // Entering full screen goes home first and the main window then sends its own page. A page
    // runs here only for full-screen mode: a hidden window's page would run a second time.
    if (options.FullScreen)
        WebBrowserFullScreen->GoHome();

    if (options.ShowSearchFlag)
        ShowSearch();
    if (options.ShowHistoryFlag)
        ShowHistory();
    if (options.ShowFavoritesFlag)
        ShowFavorites();

    LayoutPanes();
    LayoutBrowser();
}

void FormFullScreen::Form_Unload(int &Cancel)
{
    Q_UNUSED(Cancel);
    delete m_objNavigator;
    m_objNavigator = nullptr;
    delete m_objFtpClient;
    m_objFtpClient = nullptr;
    doc = nullptr;
    docMain = nullptr;
    docMainWindow = nullptr;
    delete m_objKeyForwarder;
    m_objKeyForwarder = nullptr;
    Timer1->stop();
    // Nothing is saved here: the main window's own unload writes the settings and the stores.
    // Closing the window of full-screen mode closes the program; a window left hidden after
    // full screen was left goes alone, with the other hidden windows.
    if (ModSettings::ProgramOptions().FullScreen)
        UnloadAllForms();
}

// Closing the full-screen window closes the program: every loaded window is hidden and unloaded
// in load order, each running its own unload.
void FormFullScreen::UnloadAllForms()
{
    Forms::UnloadAll();
}

void FormFullScreen::Form_KeyDown(int KeyCode, int Shift)
{
    const CommandRules::KeyDownActions actions = CommandRules::ActionsFor(KeyCode, Shift);
    if (actions.GoHome)
        WebBrowserFullScreen->GoHome();
    if (!actions.CtrlStep)
        return;

    delete m_objKeyForwarder;
    m_objKeyForwarder = nullptr;
    // Before the first page document exists the page counts as still loading.
    const bool pageComplete = docMain && !WebBrowserFullScreen->Busy();
    if (!pageComplete)
        m_objKeyForwarder = NewLoadingKeyHelper(this, WebBrowserFullScreen);

    if (actions.Letter.isNull())
        return;
    // The key is still on its way to the focused control: its action runs once it has arrived,
    // so that a dialog's own event loop never runs inside the key's delivery.
    const QChar letter = actions.Letter;
    QTimer::singleShot(0, this, [this, letter] {
        try {
            switch (letter.unicode()) {
            case 'S':
                WebBrowserFullScreen->ExecWB(WebBrowser::OLECMDID_SAVEAS, WebBrowser::OLECMDEXECOPT_DODEFAULT);
                break;
            case 'F':
                Forms::Default<FormFind>()->SearchIn(docMain);
                Forms::Default<FormFind>()->ShowModeless(this);
                break;
            case 'O':
                Forms::Default<FormOpenFile>()->OpenIn(WebBrowserFullScreen);
                Forms::Default<FormOpenFile>()->ShowModeless(this);
                break;
            case 'P':
                WebBrowserFullScreen->ExecWB(WebBrowser::OLECMDID_PRINT, WebBrowser::OLECMDEXECOPT_DODEFAULT);
                break;
            case 'N':
                delete m_objNewWindow;
                m_objNewWindow = new Application(this);
                m_objNewWindow->SetLocation(WebBrowserFullScreen->LocationURL());
                break;
            default:
                break;
            }
        } catch (const std::exception &) {
            // The page does not offer the command now: nothing changes.
        }
    });
}

void FormFullScreen::Form_KeyUp(int KeyCode, int Shift)
{
    Q_UNUSED(KeyCode);
    Q_UNUSED(Shift);
}

void FormFullScreen::ToolbarWindow_ButtonClick(const QString &Key)
{
    if (Key == QLatin1String("Close")) {
        UnloadAllForms();
    } else if (Key == QLatin1String("Minimize")) {
        hide();
        Forms::Default<FormFullScreenTaskBar>()->ShowMinimizedOver(this);
    } else if (Key == QLatin1String("Maximize")) {
        FormMain *main = LeaveFullScreen();
        if (!main)
            return;
        if (main->ShowSearchFlag)
            main->BuildSideBar(QStringLiteral("Search"));
        if (main->ShowHistoryFlag)
            main->BuildSideBar(QStringLiteral("History"));
        if (main->ShowFavoritesFlag)
            main->BuildSideBar(QStringLiteral("Favorites"));
    }
}
