#include "app/DataFiles.h"

#include "app/ModSettings.h"
#include "browsingdata/SearchConfig.h"
#include "controls/AutoCompleteStore.h"
#include "controls/HistoryStore.h"
#include "controls/TypedAddressList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace DataFiles {

QStringList Names()
{
    return {QString::fromLatin1(ModSettings::FileName), QString::fromLatin1(TypedAddressList::FileName),
            QString::fromLatin1(AutoCompleteStore::FileName), QString::fromLatin1(HistoryStore::FileName),
            QString::fromLatin1(SearchConfig::FileName)};
}

void Seed(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    // The pages the program opens from its folder, besides its data files.
    const QStringList own = Names() + QStringList{QStringLiteral("blank.html"), QStringLiteral("Help.html")};
    for (const QString &name : own) {
        const QString source = QDir(from).filePath(name);
        const QString target = QDir(to).filePath(name);
        if (QFileInfo(source).isFile() && !QFileInfo::exists(target))
            QFile::copy(source, target);
    }
}

QString Folder()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(exeDir).isWritable())
        return exeDir;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    Seed(exeDir, data);
    return data;
}

} // namespace DataFiles
