#include "browsingdata/ModManageFavFile.h"

#include "browsingdata/FavoriteKey.h"
#include "browsingdata/FavoritesFolder.h"
#include "browsingdata/InternetShortcutFile.h"
#include "platform/SystemInfo.h"

#include <QDir>
#include <QFileInfo>

namespace ModManageFavFile {

QString GetFavoritesFolder()
{
    return SystemInfo::SpecialFolderPath(SystemInfo::CSIDL_FAVORITES);
}

bool CreateUrlFile(const QString &url, QString &name, const QString &folder,
                   const QString &favoritesFolder)
{
    const QString fileName = FavoritesFolder::FavoriteFileName(name);
    const QString target = folder.trimmed();
    if (fileName.isEmpty() || !QFileInfo(target).isDir()
        || !FavoritesFolder::IsInside(target, favoritesFolder))
        return false;
    const QString path = QDir(target).filePath(fileName);
    if (QFileInfo(path).isDir())
        return false;
    if (!InternetShortcutFile::Write(path, url))
        return false;
    name = fileName;
    return true;
}

bool CreateUrlFile(const QString &url, QString &name, const QString &folder)
{
    return CreateUrlFile(url, name, folder, GetFavoritesFolder());
}

QString GetUrlFromShortcut(const QString &file)
{
    return InternetShortcutFile::ReadUrl(file);
}

QString UrlOfFavoriteKey(const QString &key)
{
    return FavoriteKey::Split(key).URL;
}

bool DeleteFavoriteFile(const QString &key, const QString &favoritesFolder)
{
    const FavoriteKey::Parts parts = FavoriteKey::Split(key);
    const QFileInfo file(parts.Path);
    if (!parts.IsFavorite || !file.isFile() || !file.isWritable()
        || !FavoritesFolder::IsInside(parts.Path, favoritesFolder))
        return false;
    return QFile::remove(parts.Path);
}

QString CreateFavoritesFolder(const QString &parent, const QString &name,
                              const QString &favoritesFolder)
{
    const QString folderName = FavoritesFolder::SafeFolderName(name);
    if (folderName.isEmpty() || !QFileInfo(parent).isDir()
        || !FavoritesFolder::IsInside(parent, favoritesFolder))
        return {};
    QDir dir(parent);
    if (dir.exists(folderName) || !dir.mkdir(folderName))
        return {};
    return dir.filePath(folderName);
}

} // namespace ModManageFavFile
