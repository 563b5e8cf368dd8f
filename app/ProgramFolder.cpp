#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramFolder {

namespace {

QString &overridden()
{
    static QString path;
    return path;
}

// Copies the program folder's files that the data folder lacks; never overwrites.
void seed(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QFileInfoList entries = QDir(from).entryInfoList(QDir::Files);
    for (const QFileInfo &fi : entries) {
        const QString target = QDir(to).filePath(fi.fileName());
        if (!fi.isExecutable() && !QFileInfo::exists(target))
            QFile::copy(fi.absoluteFilePath(), target);
    }
}

QString resolve()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(exeDir).isWritable())
        return exeDir;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    seed(exeDir, data);
    return data;
}

} // namespace

QString AppPath()
{
    if (overridden().isEmpty())
        overridden() = resolve();
    return overridden();
}

void SetAppPath(const QString &path)
{
    overridden() = path;
}

} // namespace ProgramFolder
