#include "browsingdata/InternetShortcutFile.h"

#include "platform/TextFile.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// A shortcut is a few lines; a large file in the folder is not read whole while menus build.
constexpr qint64 MaxShortcutBytes = 1 << 20;

QString WithoutControlCharacters(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F)
            result.append(c);
    }
    return result;
}

// UTF-8, or, for a file that is not valid UTF-8 (written in a single-byte code page by
// another program), Latin-1, so that every byte still reads as a character.
QString Decode(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace

namespace InternetShortcutFile {

bool Write(const QString &path, const QString &URL)
{
    return TextFile::WriteLines(
        path, {u"[InternetShortcut]"_qs, u"URL="_qs + WithoutControlCharacters(URL)});
}

QString UrlFromText(const QString &text)
{
    QString url;
    auto take = [&](QStringView line) {
        if (line.startsWith(u"URL="))
            url = line.mid(4).toString();
    };
    // Every piece between line ends counts, the last one too: other programs may end the
    // file without a line end.
    TextFile::ForEachLine(text + u'\n', take);
    return url;
}

QString ReadUrl(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return UrlFromText(Decode(file.read(MaxShortcutBytes)));
}

} // namespace InternetShortcutFile
