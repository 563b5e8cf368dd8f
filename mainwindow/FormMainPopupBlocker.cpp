// The popup blocker as any window sets it: the program's setting, the marks and status text of
// the default main window, and the full-screen window's Block button, so that each window shows
// the right state when it comes back.
#include "mainwindow/FormMain.h"

void FormMain::SetPopupBlocker(bool on)
{
    ModSettings::ProgramOptions().KillPopups = on;
    if (FormMain *first = Forms::Existing<FormMain>())
        first->ShowPopupBlockerState(on);
    SetFullScreenBlockButton(on);
}
