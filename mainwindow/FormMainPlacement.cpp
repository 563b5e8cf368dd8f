// Where the main window stands: beside the window that opened it, and on its screen after its
// page moves it.
#include "mainwindow/FormMain.h"

#include "mainwindow/WindowPlacement.h"
#include "platform/ScreenPlacement.h"

#include <QStyle>
#include <QTimer>

void FormMain::PlaceBeside(const QWidget *opener)
{
    const QRect openerFrame = opener->frameGeometry();
    const QRect area = ScreenPlacement::AvailableAreaOf(openerFrame);
    if (!area.isValid())
        return;
    const QSize size = ScreenPlacement::FrameGeometry(this, opener).size();
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    ScreenPlacement::MoveFrame(this, WindowPlacement::BesideOpener(openerFrame, size, area, step), opener);
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
