// The main window's hand-over to the full-screen window: the "&Fullscreen" command, the start in
// full screen, and the full-screen window's controls that the main window keeps in step.
#include "mainwindow/FormMain.h"

#include "app/CommandIds.h"
#include "app/ModSettings.h"
#include "controls/UCTVHistory.h"
#include "controls/XPStyleImageTextBox.h"
#include "fullscreen/FormFullScreen.h"
#include "fullscreen/FormFullScreenTaskBar.h"
#include "platform/CommandBars.h"
#include "platform/WebBrowser.h"

#include <QEvent>
#include <QTimer>

namespace {

// Runs the window's bar layout once, right after the window's next show.
class LayoutAfterShow : public QObject
{
public:
    explicit LayoutAfterShow(FormMain *window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show) {
            QTimer::singleShot(0, m_window, &FormMain::CommandBarsMain_Resize);
            deleteLater();
        }
        return false;
    }

private:
    FormMain *m_window;
};

} // namespace

// Full-screen mode is the program's: the full-screen window stands in for the default main
// window, which hides, whichever window ran the command.
void FormMain::EnterFullScreen()
{
    ModSettings::ProgramOptions().FullScreen = true;
    FormFullScreen *fullScreen = Forms::Default<FormFullScreen>();
    const QString address = WebBrowserMain->LocationURL();
    if (fullScreen->WebBrowserFullScreen->LocationURL() != address)
        fullScreen->WebBrowserFullScreen->Navigate(address);
    fullScreen->PlaceOver(this);
    Forms::Show(fullScreen);
    if (FormMain *first = Forms::Existing<FormMain>())
        first->hide();
}

void FormMain::StartInFullScreen()
{
    FullScreen = true;
    hide();
    // The saved window rectangle is this window's, shown or not.
    Forms::Default<FormFullScreen>()->PlaceOver(this);
    Forms::Show(Forms::Default<FormFullScreen>());
    if (ShowSearchFlag) {
        ShowSearch();
        Forms::Default<FormFullScreen>()->ShowSearch();
    }
    if (ShowHistoryFlag) {
        ShowHistory();
        Forms::Default<FormFullScreen>()->ShowHistory();
    }
    if (ShowFavoritesFlag) {
        ShowFavorites();
        Forms::Default<FormFullScreen>()->ShowFavorites();
    }
    hide();
    // The start-up shows this window once its load is over; the layout that follows that show
    // hides it again while full screen is on.
    new LayoutAfterShow(this);
}

bool FormMain::StaysForFullScreen(const QWidget *form)
{
    if (!ModSettings::ProgramOptions().FullScreen)
        return false;
    return qobject_cast<const FormFullScreen *>(form) || qobject_cast<const FormFullScreenTaskBar *>(form)
        || form == Forms::Existing<FormMain>();
}

FormMain *FormMain::AnyOpen()
{
    if (FormMain *first = Forms::Existing<FormMain>())
        return first;
    for (QWidget *form : Forms::LoadedForms())
        if (auto *main = qobject_cast<FormMain *>(form))
            return main;
    return nullptr;
}

// A window opened while full screen stood alone is the one the user is left with: it keeps what
// it shows of itself (its bars, side-bar pane and text size) and takes from the program what all
// windows share (the blocker, full screen, the history's days, the address box's items, the
// popup depth).
void FormMain::TakeProgramOptions()
{
    const ModSettings::Options &program = ModSettings::ProgramOptions();
    KillPopups = program.KillPopups;
    FullScreen = program.FullScreen;
    DaysInHistory = program.DaysInHistory;
    ItemsInAddressBar = program.ItemsInAddressBar;
    NumberOfChildWindowsAllowed = program.NumberOfChildWindowsAllowed;
    Forms::MakeDefault(this);
    ModSettings::KeepProgramOptionsIn(this);
    ShowPopupBlockerState(KillPopups);
}

// The full-screen window takes the blocker's state, its history and its address list from the
// program when it loads: one that is not loaded is left so.
void FormMain::SetFullScreenBlockButton(bool on)
{
    FormFullScreen *fullScreen = Forms::Existing<FormFullScreen>();
    if (!fullScreen || !fullScreen->CommandBarsMain)
        return;
    if (CommandBarControl *button =
            fullScreen->CommandBarsMain->FindControl(CommandBarControlType::Any, CommandId::Block))
        button->SetChecked(on);
}

void FormMain::ClearFullScreenHistory()
{
    if (FormFullScreen *fullScreen = Forms::Existing<FormFullScreen>())
        fullScreen->TreeViewHistory->ClearHistory2();
}

QStringList FormMain::ClearFullScreenAddressList()
{
    if (FormFullScreen *fullScreen = Forms::Existing<FormFullScreen>())
        return fullScreen->XPStyleImageTextBox1->ClearAddressList();
    return {};
}
