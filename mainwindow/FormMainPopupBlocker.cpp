// The popup blocker as the full-screen window sets it: the default main window's setting, and the
// marks and status text that show it, so that the main window shows the right state when it
// comes back.
#include "mainwindow/FormMain.h"

void FormMain::SetPopupBlocker(bool on)
{
    ShowPopupBlockerState(on);
}
