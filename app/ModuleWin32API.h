#pragma once

#include <QString>

class QWidget;

// Names the running system, gives the caption height the layout uses, finds special folders.
namespace ModuleWin32API {

// "Win95", "Win98", "WinME", "WinNT351", "WinNT40", "Win2K", "WinXP", "Win2K3", "Failed" or empty.
QString OSVersionName(int platformId, int majorVersion, int minorVersion);
QString GetOSVersionName();
// Caption height in pixels of `window`; one less on the 95 family.
long GetCaptionHeight(const QWidget *window = nullptr);
// The path of special folder `CSIDL` (6: Favorites); empty when it cannot be found.
QString GetSpecialFolderPath(const QWidget *hWnd, long CSIDL);

} // namespace ModuleWin32API
