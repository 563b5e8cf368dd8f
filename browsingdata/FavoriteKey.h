#pragma once

#include <QString>

// The key by which menus, trees and commands name a favorites entry: a folder by its full
// path; a favorite by its file's full path, "%" and the address read from the file.
namespace FavoriteKey {

QString ForFolder(const QString &folderPath);
QString ForFavorite(const QString &filePath, const QString &URL);

struct Parts
{
    bool IsFavorite = false;
    QString Path; // the folder's or the shortcut file's path
    QString URL;  // a favorite's address, whole, "%" included
};

// Splits a key at the "%" that ends the file's path. Folder names and addresses may hold "%"
// themselves, so the split is checked against the disk: the "%" whose left part is a shortcut
// file holding the right part as its address wins; then the longest left part that is a file;
// with nothing on the disk, the first "%" after a ".url" name, else the first "%". A key that
// names an existing folder is a folder key whatever it holds.
Parts Split(const QString &key);

} // namespace FavoriteKey
