// Where the main window stands: beside the window that opened it, and on its screen after its
// page moves it.
#include "mainwindow/FormMain.h"

#include "mainwindow/WindowPlacement.h"
#include "platform/ScreenPlacement.h"

#include <QScreen>
#include <QStyle>
#include <QTimer>

void FormMain::PlaceBeside(const QWidget *opener)
{
    const QScreen *screen = opener->screen();
    if (!screen)
        return;
    ScreenPlacement::MoveFrame(this,
                               WindowPlacement::BesideOpener(opener->frameGeometry(),
                                                             ScreenPlacement::FrameGeometry(this, opener).size(),
                                                             screen->availableGeometry(),
                                                             style()->pixelMetric(QStyle::PM_TitleBarHeight)),
                               opener);
}

void FormMain::KeepOnScreen()
{
    ScreenPlacement::KeepOnScreen(this);
}

void FormMain::KeepOnScreenSoon()
{
    if (m_keepOnScreenDue)
        return;
    m_keepOnScreenDue = true;
    QTimer::singleShot(0, this, [this] {
        m_keepOnScreenDue = false;
        KeepOnScreen();
    });
}
