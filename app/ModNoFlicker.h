#pragma once

class QWidget;

// Freezes and releases the drawing of a window around menu and tree rebuilds; always paired
// in one procedure, since only one window can be frozen at a time.
namespace ModNoFlicker {

void BeginNoFlicker(QWidget *hWnd);
void EndNoFlicker();

} // namespace ModNoFlicker
