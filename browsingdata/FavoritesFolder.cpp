#include "browsingdata/FavoritesFolder.h"

#include "browsingdata/FavoriteKey.h"
#include "browsingdata/InternetShortcutFile.h"
#include "platform/SaveTemporaries.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace FavoritesFolder {

namespace {

constexpr qsizetype MaxNameBytes = 255;

bool NameLess(const FavoritesEntry &a, const FavoritesEntry &b)
{
    const int byCase = a.Name.compare(b.Name, Qt::CaseInsensitive);
    return byCase != 0 ? byCase < 0 : a.Name < b.Name;
}

bool IsAncestorOrSelf(const QString &candidate, const QString &canonicalFolder)
{
    return canonicalFolder == candidate || candidate == u"/"
           || canonicalFolder.startsWith(candidate + u'/');
}

QString ReplaceUnsafe(QString text, bool colons)
{
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u' ';
        else if (c == u'/' || c == u'\\' || (colons && c == u':'))
            c = u'-';
    }
    return text;
}

// Keeps the longest start of stem that fits in 255 bytes of UTF-8 together with suffix, never
// splitting a surrogate pair; one pass over the name, however long it is.
QString FitName(const QString &stem, const QString &suffix)
{
    qsizetype bytes = suffix.toUtf8().size();
    qsizetype kept = 0;
    while (kept < stem.size()) {
        const char32_t c = stem.at(kept).unicode();
        const bool pair = QChar::isHighSurrogate(c) && kept + 1 < stem.size() && stem.at(kept + 1).isLowSurrogate();
        const qsizetype width = pair ? 4 : c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
        if (bytes + width > MaxNameBytes)
            break;
        bytes += width;
        kept += pair ? 2 : 1;
    }
    return stem.left(kept);
}

FavoritesEntry FolderEntry(const QFileInfo &info)
{
    const QString path = info.absoluteFilePath();
    return {FavoritesEntry::Folder, info.fileName(), path, {}, FavoriteKey::ForFolder(path)};
}

FavoritesEntry FileEntry(const QFileInfo &info)
{
    const QString path = info.absoluteFilePath();
    const QString url = InternetShortcutFile::ReadUrl(path);
    return {FavoritesEntry::File, DisplayName(info.fileName()), path, url,
            FavoriteKey::ForFavorite(path, url)};
}

void SortEntries(QList<FavoritesEntry> &entries)
{
    std::stable_sort(entries.begin(), entries.end(), NameLess);
}

void ReadFolder(FavoritesTreeFolder &node, QSet<QString> &walked)
{
    const QString canonical = QFileInfo(node.Entry.Path).canonicalFilePath();
    if (canonical.isEmpty() || walked.contains(canonical))
        return;
    walked.insert(canonical);
    for (const FavoritesEntry &entry : List(node.Entry.Path)) {
        if (entry.EntryKind == FavoritesEntry::File) {
            node.Files.append(entry);
            continue;
        }
        FavoritesTreeFolder child{entry, {}, {}};
        ReadFolder(child, walked);
        node.Folders.append(child);
    }
    walked.remove(canonical);
}

} // namespace

QString DisplayName(const QString &fileName)
{
    return fileName.size() > 4 ? fileName.chopped(4) : fileName;
}

QList<FavoritesEntry> List(const QString &folderPath)
{
    const QDir dir(folderPath);
    const QString canonical = QFileInfo(folderPath).canonicalFilePath();
    QList<FavoritesEntry> folders;
    QList<FavoritesEntry> files;
    const QFileInfoList infos =
        dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &info : infos) {
        if (info.isDir()) {
            if (!IsAncestorOrSelf(info.canonicalFilePath(), canonical))
                folders.append(FolderEntry(info));
        } else if (info.isFile() && !SaveTemporaries::IsTemporaryName(info.fileName())) {
            // A favorite's save in progress, or one cut short, is no favorite.
            files.append(FileEntry(info));
        }
    }
    SortEntries(folders);
    SortEntries(files);
    return folders + files;
}

FavoritesTreeFolder ReadTree(const QString &folderPath)
{
    FavoritesTreeFolder root{FolderEntry(QFileInfo(folderPath)), {}, {}};
    QSet<QString> walked;
    ReadFolder(root, walked);
    return root;
}

QString FavoriteFileName(const QString &name)
{
    const QString cleaned = ReplaceUnsafe(name, true);
    QString stem;
    QString extension;
    if (cleaned.right(4).toLower() == u".url") {
        stem = cleaned.chopped(4);
        extension = cleaned.right(4);
    } else {
        stem = cleaned.trimmed();
        extension = u".url"_qs;
    }
    stem = FitName(stem, extension);
    if (stem.trimmed().isEmpty())
        return {};
    return stem + extension;
}

QString SafeFolderName(const QString &name)
{
    const QString folder = FitName(ReplaceUnsafe(name, false).trimmed(), {}).trimmed();
    if (folder == u"." || folder == u"..")
        return {};
    return folder;
}

QString ChildPath(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

bool IsInside(const QString &path, const QString &folder)
{
    // By name first, so that a link the user made inside the folder still counts as inside;
    // then with links resolved.
    const QString cleanPath = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString cleanFolder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (QFileInfo::exists(path)
        && (cleanPath == cleanFolder || cleanPath.startsWith(cleanFolder + u'/')))
        return true;
    const QString canonicalPath = QFileInfo(path).canonicalFilePath();
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    if (canonicalPath.isEmpty() || canonicalFolder.isEmpty())
        return false;
    return canonicalPath == canonicalFolder || canonicalPath.startsWith(canonicalFolder + u'/');
}

} // namespace FavoritesFolder
