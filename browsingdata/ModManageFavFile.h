#pragma once

#include <QString>

class QObject;
class QTreeWidget;
class QTreeWidgetItem;

// The favorites: Internet-shortcut files in the user's Favorites folder tree, and the keys
// by which menus, trees and commands name them.
namespace ModManageFavFile {

// The user's Favorites folder, found anew on every call (created on first use).
QString GetFavoritesFolder();
// Puts the favorites in another folder (a test's own); empty goes back to the user's.
void SetFavoritesFolder(const QString &folder);

// The tags of tree nodes.
inline const QString FolderTag = QStringLiteral("Folder");
inline const QString FileTag = QStringLiteral("File");

// Appends the whole Favorites folder tree to the menu that form exposes as its property
// "MenuFavorites": sub-folders as submenus (a plain entry for an empty folder below the top
// level), then favorites; each entry's parameter is its key.
void LoadFavoritesMenu(QObject *form);

// Adds the top level of the Favorites folder to tree as root nodes: folders, then favorites.
// The caller clears the tree first.
void LoadFavoritesTree(QTreeWidget *tree);

// Adds the entries of the folder keyed path as children of node (one level). The caller
// removes the old children first. Nothing is added for a folder outside the Favorites folder.
void ExpandFavoritesNode(QTreeWidget *tree, const QString &path, QTreeWidgetItem *node);

// The favorites clipboard: "Cut" or "Copy", set by the host right before
// SetFavoritesClipboard; only these exact texts move or copy on paste.
inline QString ClipboardOperation;
inline QString &FavoritesClipboardOperation = ClipboardOperation;

// Remembers tree and the key of its selected node as the source of the next paste.
void SetFavoritesClipboard(QTreeWidget *tree);
QTreeWidget *GetClipboardTree();

// Moves ("Cut") or copies ("Copy") the remembered favorite into the folder selected now in
// the clipboard's tree and shows it there. A file of that name in the folder is never
// replaced: the user is told, and nothing changes. Does nothing unless the source is a
// favorite and the target a folder, both inside the Favorites folder.
void PasteFavorite();

// Deletes the favorite selected in tree: its file, then its node. A read-only file stays, and
// so does its node; folder nodes are not deleted.
void DeleteFavorite(QTreeWidget *tree);

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
