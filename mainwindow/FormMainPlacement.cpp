// Where the main window stands: beside the window that opened it, and on its screen after its
// page moves it.
#include "mainwindow/FormMain.h"

#include "mainwindow/WindowPlacement.h"

#include <QScreen>
#include <QStyle>
#include <QTimer>

void FormMain::PlaceBeside(const QWidget *opener)
{
    const QScreen *screen = opener->screen();
    if (!screen)
        return;
    move(WindowPlacement::BesideOpener(opener->frameGeometry(), screen->availableGeometry(),
                                       style()->pixelMetric(QStyle::PM_TitleBarHeight)));
}

void FormMain::KeepOnScreen()
{
    if (const QScreen *screen = this->screen())
        move(WindowPlacement::KeptOnScreen(frameGeometry(), screen->availableGeometry()));
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
