#pragma once

#include <QString>

#include <optional>

// How the main window answers its page browser's events, as rules without a window.
namespace BrowserEventRules {

// The window caption for a page title: " Kestrelvue - " and the title.
QString Caption(const QString &title);

// The progress bar's new value for a progress report, or none to leave it as it is
// (the bar never shows 100: at the end it keeps its last value until a 0 or -1 arrives).
std::optional<int> ProgressValue(qint64 progress, qint64 progressMax);

// A page's geometry request in pixels to the window's twips; the height gets the caption and
// bars' 700 twips on top. Results beyond the 32-bit range are held at its ends.
int PixelsToTwips(qint64 pixels);
int PageHeightToWindowTwips(qint64 pixels);

} // namespace BrowserEventRules
