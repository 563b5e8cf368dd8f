#pragma once

#include <QString>

// The program's entry: opens the default main window; the program then lives on its events.
namespace ModStartUp {

void Main();
// Nothing to register on this platform: the common controls are always available.
bool InitializeCommonControls();
// Removes the temporary files that saves of an earlier run, cut short, left wherever the
// program saves: beside the data files of appPath (and the files their links name), beside
// "HomePage.dat" in its data folder, and anywhere in the Favorites folder tree.
void RemoveStraySaves(const QString &appPath);

} // namespace ModStartUp
