#include "platform/SystemInfo.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QStandardPaths>
#include <QStyle>
#include <QWidget>

namespace SystemInfo {

VersionRecord GetVersion()
{
    return VersionRecord{2, 10, 0, 19045};
}

int CaptionHeight(const QWidget *window)
{
    // A window's own frame says how far its client area lies below its outer top; a window
    // without decoration (no window manager, a frameless window) has none.
    if (window)
        return window->geometry().top() - window->frameGeometry().top();
    return QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

QString SpecialFolderPath(int csidl)
{
    if (csidl != CSIDL_FAVORITES)
        return {};
    const QString base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (base.isEmpty())
        return {};
    const QString path = QDir(base).filePath(QStringLiteral("Favorites"));
    if (!QDir().mkpath(path))
        return {};
    return QDir::toNativeSeparators(path);
}

void LockWindowUpdate(QWidget *window)
{
    static QPointer<QWidget> frozen;
    if (frozen && frozen != window)
        frozen->setUpdatesEnabled(true);
    frozen = window;
    if (window)
        window->setUpdatesEnabled(false);
}

} // namespace SystemInfo
