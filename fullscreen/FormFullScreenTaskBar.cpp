#include "fullscreen/FormFullScreenTaskBar.h"

#include "fullscreen/FormFullScreen.h"
#include "platform/ScreenPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWindowStateChangeEvent>

FormFullScreenTaskBar::FormFullScreenTaskBar(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral(" Kestrelvue"));
    setWindowIcon(QApplication::windowIcon());
    resize(320, 120);
    if (const QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    setWindowState(Qt::WindowMinimized);
}

void FormFullScreenTaskBar::Form_Activate()
{
    if (FormFullScreen *fullScreen = Forms::Existing<FormFullScreen>())
        fullScreen->show();
    hide();
    setWindowState(Qt::WindowMinimized);
}

void FormFullScreenTaskBar::ShowMinimizedOver(const QWidget *window)
{
    // On X11 a minimized window that moves is restored: the hidden stand-in is made anew where it
    // goes, and comes up minimized there.
    if (!isVisible()) {
        destroy();
        overrideWindowState(Qt::WindowNoState);
    }
    ScreenPlacement::CentreOver(this, window);
    setWindowState(Qt::WindowMinimized);
    show();
}

void FormFullScreenTaskBar::Form_Unload(int &Cancel)
{
    Q_UNUSED(Cancel);
    if (!isVisible())
        return;
    if (FormFullScreen *fullScreen = Forms::Existing<FormFullScreen>())
        Forms::Unload(fullScreen);
}

// The proxy only ever stands minimized on the task bar: being restored from there is the
// user's click on its task-bar button.
void FormFullScreenTaskBar::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isVisible())
        return;
    const auto *change = static_cast<QWindowStateChangeEvent *>(event);
    if ((change->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized))
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                Form_Activate();
        });
}
