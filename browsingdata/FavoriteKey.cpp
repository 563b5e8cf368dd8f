#include "browsingdata/FavoriteKey.h"

#include "browsingdata/InternetShortcutFile.h"

#include <QFileInfo>
#include <QList>

namespace FavoriteKey {

QString ForFolder(const QString &folderPath)
{
    return folderPath;
}

QString ForFavorite(const QString &filePath, const QString &URL)
{
    return filePath + u'%' + URL;
}

namespace {

Parts SplitAt(const QString &key, qsizetype at)
{
    return {true, key.left(at), key.mid(at + 1)};
}

} // namespace

Parts Split(const QString &key)
{
    QList<qsizetype> marks;
    for (qsizetype at = key.indexOf(u'%'); at >= 0; at = key.indexOf(u'%', at + 1))
        marks.append(at);
    if (marks.isEmpty() || QFileInfo(key).isDir())
        return {false, key, {}};

    qsizetype longestFile = -1;
    for (const qsizetype at : marks) {
        const QFileInfo file(key.left(at));
        if (!file.isFile())
            continue;
        if (InternetShortcutFile::ReadUrl(file.filePath()) == key.mid(at + 1))
            return SplitAt(key, at);
        longestFile = at;
    }
    if (longestFile >= 0)
        return SplitAt(key, longestFile);
    for (const qsizetype at : marks) {
        if (key.left(at).endsWith(u".url", Qt::CaseInsensitive))
            return SplitAt(key, at);
    }
    return SplitAt(key, marks.first());
}

} // namespace FavoriteKey
