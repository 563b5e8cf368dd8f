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
    if (window && window->isVisible()) {
        const int decoration = window->geometry().top() - window->frameGeometry().top();
        if (decoration > 0)
            return decoration;
    }
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
