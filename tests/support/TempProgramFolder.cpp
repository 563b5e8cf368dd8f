#include "tests/support/TempProgramFolder.h"

#include "browsingdata/ModManageFavFile.h"
#include "platform/InternetOptions.h"
#include "platform/ProgramFolder.h"
#include "platform/WebBrowser.h"

#include <QDir>
#include <QFile>
#include <QUrl>

TempProgramFolder::TempProgramFolder(bool defaults)
{
    const QDir built(QStringLiteral(KV_PROGRAM_DIR));
    for (const QString &name : {QStringLiteral("blank.html"), QStringLiteral("Help.html")})
        QFile::copy(built.filePath(name), FilePath(name));
    if (defaults) {
        // The shipped settings, not the build folder's, which a run may have changed.
        QFile::copy(QStringLiteral(KV_SOURCE_DIR "/resources/Settings.dat"), FilePath(QStringLiteral("Settings.dat")));
    }
    // One search engine whose pages are local files: a test never reaches off this machine.
    WriteFile(QStringLiteral("SearchConfig.dat"),
              (QStringLiteral("Local|True|q|") + FileUrl(QStringLiteral("blank.html")) + QLatin1Char('|')
               + FileUrl(QStringLiteral("Help.html")) + QStringLiteral("\r\n"))
                  .toUtf8());
    ProgramFolder::SetAppPath(Path());
    QDir(Path()).mkdir(QStringLiteral("Favorites"));
    ModManageFavFile::SetFavoritesFolder(FilePath(QStringLiteral("Favorites")));
    // The engine keeps one profile for the whole process: its folder outlives each test's folder.
    static QTemporaryDir engineData;
    WebBrowser::SetDataFolder(engineData.path());
    InternetOptions(engineData.path()).SetHomePage(FileUrl(QStringLiteral("blank.html")));
}

QString TempProgramFolder::FilePath(const QString &name) const
{
    return QDir(Path()).filePath(name);
}

QString TempProgramFolder::FileUrl(const QString &name) const
{
    return QUrl::fromLocalFile(FilePath(name)).toString();
}

void TempProgramFolder::WriteFile(const QString &name, const QByteArray &bytes) const
{
    QFile f(FilePath(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray TempProgramFolder::ReadFile(const QString &name) const
{
    QFile f(FilePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
