#pragma once

#include <QString>

class QWidget;

// System version, metrics, special folders and the drawing freeze of one window.
namespace SystemInfo {

// The version record that the system reports: platform 1 is the 95 family, 2 the NT family.
struct VersionRecord
{
    int platformId = 0;
    int majorVersion = 0;
    int minorVersion = 0;
    int buildNumber = 0;
};

// This platform reports itself as a current NT-family system.
VersionRecord GetVersion();

// The height of a window caption in pixels: the top decoration of `window`'s frame (0 without
// one), or with no window the style's title-bar height.
int CaptionHeight(const QWidget *window);

// The file-system path of a special folder, created on first use; empty when it has none here.
constexpr int CSIDL_FAVORITES = 6;
QString SpecialFolderPath(int csidl);

// Freezes the drawing of one window (nullptr releases the frozen one); one window at a time.
void LockWindowUpdate(QWidget *window);

} // namespace SystemInfo
