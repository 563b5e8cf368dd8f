#pragma once

#include <QString>

// An Internet-shortcut file as other programs read it: "[InternetShortcut]" then "URL=" and
// the address, each line ended by CR LF.
namespace InternetShortcutFile {

// Writes the two lines atomically (an existing file is replaced whole). Line breaks and other
// control characters are taken out of the address so that it stays one "URL=" line.
bool Write(const QString &path, const QString &URL);

// The address of the last line that begins with "URL=" (exact case), under any section;
// empty when there is none or the file cannot be read.
QString ReadUrl(const QString &path);
QString UrlFromText(const QString &text);

} // namespace InternetShortcutFile
