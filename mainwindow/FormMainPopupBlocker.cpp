// The popup blocker as either window sets it: the default main window's setting, the marks and
// status text that show it, and the full-screen window's Block button, so that each window shows
// the right state when it comes back.
#include "mainwindow/FormMain.h"

void FormMain::SetPopupBlocker(bool on)
{
    ShowPopupBlockerState(on);
    SetFullScreenBlockButton(on);
}
