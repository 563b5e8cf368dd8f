// The main window's hand-over to the full-screen window: the "&Fullscreen" command, the start in
// full screen, and the full-screen window's controls that the main window keeps in step.
#include "mainwindow/FormMain.h"

#include "controls/UCTVHistory.h"
#include "controls/XPStyleImageTextBox.h"
#include "fullscreen/FormFullScreen.h"
#include "platform/CommandBars.h"
#include "platform/WebBrowser.h"

#include <QEvent>
#include <QTimer>

namespace {

constexpr int IdBlockButton = 3001;

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

// The flag is the first main window's, which the full-screen window reads and clears when it is
// left: set on another window it would keep that window hidden by its own layout.
void FormMain::EnterFullScreen()
{
    Forms::Default<FormMain>()->FullScreen = true;
    FormFullScreen *fullScreen = Forms::Default<FormFullScreen>();
    const QString address = WebBrowserMain->LocationURL();
    if (fullScreen->WebBrowserFullScreen->LocationURL() != address)
        fullScreen->WebBrowserFullScreen->Navigate(address);
    Forms::Show(fullScreen);
    Forms::Default<FormMain>()->hide();
}

void FormMain::StartInFullScreen()
{
    FullScreen = true;
    hide();
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

void FormMain::SetFullScreenBlockButton(bool on)
{
    FormFullScreen *fullScreen = Forms::Default<FormFullScreen>();
    if (!fullScreen->CommandBarsMain)
        return;
    if (CommandBarControl *button = fullScreen->CommandBarsMain->FindControl(CommandBarControlType::Any, IdBlockButton))
        button->SetChecked(on);
}

void FormMain::ClearFullScreenHistory()
{
    Forms::Default<FormFullScreen>()->TreeViewHistory->ClearHistory2();
}

QStringList FormMain::ClearFullScreenAddressList()
{
    return Forms::Default<FormFullScreen>()->XPStyleImageTextBox1->ClearAddressList();
}
