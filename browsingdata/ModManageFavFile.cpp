#include "browsingdata/ModManageFavFile.h"

#include "browsingdata/FavoriteKey.h"
#include "browsingdata/FavoritesFolder.h"
#include "browsingdata/InternetShortcutFile.h"
#include "platform/SystemInfo.h"

#include <QDir>
#include <QFileInfo>

namespace ModManageFavFile {

namespace {

// Works on the path as checked: with "." and ".." taken out by name, so that a link inside
// the folder followed by ".." cannot lead the operation elsewhere.
QString Cleaned(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString &FavoritesFolderOverride()
{
    static QString folder;
    return folder;
}

} // namespace

QString GetFavoritesFolder()
{
    if (!FavoritesFolderOverride().isEmpty())
        return FavoritesFolderOverride();
    return SystemInfo::SpecialFolderPath(SystemInfo::CSIDL_FAVORITES);
}

void SetFavoritesFolder(const QString &folder)
{
    FavoritesFolderOverride() = folder;
}

bool CreateUrlFile(const QString &url, QString &name, const QString &folder,
                   const QString &favoritesFolder)
{
    const QString fileName = FavoritesFolder::FavoriteFileName(name);
    const QString target = Cleaned(folder.trimmed());
    if (fileName.isEmpty() || !QFileInfo(target).isDir()
        || !FavoritesFolder::IsInside(target, favoritesFolder))
        return false;
    const QString path = FavoritesFolder::ChildPath(target, fileName);
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
    const QString path = Cleaned(parts.Path);
    const QFileInfo file(path);
    // Read-only is the owner's write bit, not whether this user may write: an administrator
    // may write anything.
    if (!parts.IsFavorite || !file.isFile() || !(file.permissions() & QFileDevice::WriteOwner)
        || !FavoritesFolder::IsInside(path, favoritesFolder))
        return false;
    return QFile::remove(path);
}

QString CreateFavoritesFolder(const QString &parent, const QString &name,
                              const QString &favoritesFolder)
{
    const QString folderName = FavoritesFolder::SafeFolderName(name);
    const QString target = Cleaned(parent);
    if (folderName.isEmpty() || !QFileInfo(target).isDir()
        || !FavoritesFolder::IsInside(target, favoritesFolder))
        return {};
    const QString path = FavoritesFolder::ChildPath(target, folderName);
    const QFileInfo existing(path);
    if (existing.exists() || existing.isSymLink() || !QDir().mkdir(path))
        return {};
    return path;
}

} // namespace ModManageFavFile
