#pragma once

#include <QString>

// The favorites: Internet-shortcut files in the user's Favorites folder tree, and the keys
// by which menus, trees and commands name them.
namespace ModManageFavFile {

// The user's Favorites folder, found anew on every call (created on first use).
QString GetFavoritesFolder();

// Writes a favorite for url into folder. name is changed to the file name actually written
// (".url" added, unsafe characters replaced), which the caller then shows. Refused (false,
// nothing written) when no usable name is left or folder is not a folder inside
// favoritesFolder; an existing favorite of that name is replaced.
bool CreateUrlFile(const QString &url, QString &name, const QString &folder,
                   const QString &favoritesFolder);
bool CreateUrlFile(const QString &url, QString &name, const QString &folder);

// The address in a shortcut file (its last "URL=" line); empty when it has none.
QString GetUrlFromShortcut(const QString &file);

// The address a favorite key opens; empty for a folder key.
QString UrlOfFavoriteKey(const QString &key);

// Deletes the shortcut file a favorite key names, when it lies inside favoritesFolder and
// is not read-only. Folder keys delete nothing.
bool DeleteFavoriteFile(const QString &key, const QString &favoritesFolder);

// Creates a folder named from a user's text under parent (which must lie inside
// favoritesFolder); returns its path, or an empty string when the name is unusable, the
// folder exists already or cannot be made.
QString CreateFavoritesFolder(const QString &parent, const QString &name,
                              const QString &favoritesFolder);

} // namespace ModManageFavFile
