#pragma once

// The program's entry: opens the default main window; the program then lives on its events.
namespace ModStartUp {

void Main();
// Nothing to register on this platform: the common controls are always available.
bool InitializeCommonControls();

} // namespace ModStartUp
