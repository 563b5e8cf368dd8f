#pragma once

#include <QList>
#include <QString>

// One entry of a favorites folder: a sub-folder or a favorite (any file of the folder).
struct FavoritesEntry
{
    enum Kind { Folder, File };

    Kind EntryKind = File;
    QString Name; // the text shown: a folder's name; a file's name less its last four characters
    QString Path; // full path, no trailing separator
    QString URL;  // a favorite's address (empty for a folder or a file without "URL=")
    QString Key;  // the entry's favorite key
};

// A folder with its whole sub-tree, for the menu that is built in one go.
struct FavoritesTreeFolder
{
    FavoritesEntry Entry;
    QList<FavoritesTreeFolder> Folders;
    QList<FavoritesEntry> Files;

    bool HasEntries() const { return !Folders.isEmpty() || !Files.isEmpty(); }
};

namespace FavoritesFolder {

// The shown name of a favorite file: its name less the last four characters (the ".url");
// a name of four characters or fewer is shown whole.
QString DisplayName(const QString &fileName);

// One level of a folder: sub-folders first, then files, each sorted by name. A link back to
// the folder itself or to one of its parents is left out, and so are dangling links and the
// temporaries of saves.
QList<FavoritesEntry> List(const QString &folderPath);

// The whole tree under a folder. A folder reached again through links on the way down is
// listed but not entered, so a link loop ends the walk instead of repeating it.
FavoritesTreeFolder ReadTree(const QString &folderPath);

// The file name for a favorite from a page title or a user's text: a name that does not end
// in ".url" (any case) is trimmed and gets it; ":" "/" and "\" become "-"; control characters
// become blanks; a name too long for the file system (255 bytes) is shortened before its
// extension. Empty when no usable name is left.
QString FavoriteFileName(const QString &name);

// A folder name from a user's text: "/", "\" and control characters replaced, trimmed,
// shortened to 255 bytes; empty for a name that is empty, "." or "..".
QString SafeFolderName(const QString &name);

// The path of the entry called name inside folder, whatever the name holds: a name beginning
// with ":" is not read as a resource path, so it never leads out of the folder.
QString ChildPath(const QString &folder, const QString &name);

// True when path (which must exist) is folder or lies inside it, by its cleaned name or with
// links resolved.
bool IsInside(const QString &path, const QString &folder);

} // namespace FavoritesFolder
