#include "app/ModuleWin32API.h"

#include "platform/SystemInfo.h"

namespace ModuleWin32API {

QString OSVersionName(int platformId, int majorVersion, int minorVersion)
{
    if (platformId == 1) {
        switch (minorVersion) {
        case 0: return QStringLiteral("Win95");
        case 10: return QStringLiteral("Win98");
        case 90: return QStringLiteral("WinME");
        default: return {};
        }
    }
    if (platformId == 2) {
        if (majorVersion == 3)
            return QStringLiteral("WinNT351");
        if (majorVersion == 4)
            return QStringLiteral("WinNT40");
        if (majorVersion == 5) {
            switch (minorVersion) {
            case 0: return QStringLiteral("Win2K");
            case 1: return QStringLiteral("WinXP");
            case 2: return QStringLiteral("Win2K3");
            default: return {};
            }
        }
        return {};
    }
    return QStringLiteral("Failed");
}

QString GetOSVersionName()
{
    const SystemInfo::VersionRecord v = SystemInfo::GetVersion();
    return OSVersionName(v.platformId, v.majorVersion, v.minorVersion);
}

long GetCaptionHeight(const QWidget *window)
{
    const long metric = SystemInfo::CaptionHeight(window);
    const QString os = GetOSVersionName();
    if (os == QLatin1String("Win95") || os == QLatin1String("Win98") || os == QLatin1String("WinME"))
        return metric - 1;
    return metric;
}

QString GetSpecialFolderPath(const QWidget *hWnd, long CSIDL)
{
    Q_UNUSED(hWnd);
    return SystemInfo::SpecialFolderPath(static_cast<int>(CSIDL));
}

} // namespace ModuleWin32API
