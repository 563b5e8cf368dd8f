#pragma once

#include <QString>

// The program's entry: opens the default main window; the program then lives on its events.
namespace ModStartUp {

void Main();
// Nothing to register on this platform: the common controls are always available.
bool InitializeCommonControls();
// Removes the temporary files that saves of an earlier run, cut short, left beside the data
// files in appPath.
void RemoveStraySaves(const QString &appPath);

} // namespace ModStartUp
