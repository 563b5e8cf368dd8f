#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

// The program's text files: read whole, cut at each line end (CR LF, LF alone or CR alone),
// the piece after the last line end ignored; written whole in UTF-8 with CR LF by the program's
// atomic save (FileSave), so that neither a crash nor a full disk ever leaves a half-written
// file, and a file the user may not write is never replaced.
namespace TextFile {

// False when the file does not exist or cannot be read; `lines` is then empty.
bool ReadLines(const QString &path, QStringList &lines);
// False when the file could not be written whole and put on the disk; unless the failure came
// after the new file took the old one's place (FileSave::LeftUnconfirmed), the old file then
// stays as it was.
bool WriteLines(const QString &path, const QStringList &lines);
bool WriteBytes(const QString &path, const QByteArray &bytes);

// For large files: the whole text decoded at once, its lines handed out as views into it.
bool ReadText(const QString &path, QString &text);

template <class Use>
void ForEachLine(QStringView text, Use use)
{
    qsizetype start = 0;
    const qsizetype size = text.size();
    const QChar *data = text.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = data[i].unicode();
        if (c != u'\n' && c != u'\r')
            continue;
        use(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && data[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
}

} // namespace TextFile
