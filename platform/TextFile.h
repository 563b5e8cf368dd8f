#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

class QSaveFile;

// The program's text files: read whole, cut at each line end (CR LF, LF alone or CR alone),
// the piece after the last line end ignored; written whole in UTF-8 with CR LF, atomically,
// so that neither a crash nor a full disk ever leaves a half-written file. A save writes the
// new text beside the file as "<name>.kestrelvue-save-" and six letters or digits, holds that
// temporary locked while it writes, and renames it over the file once it is on the disk.
namespace TextFile {

// False when the file does not exist or cannot be read; `lines` is then empty.
bool ReadLines(const QString &path, QStringList &lines);
// False when the file could not be written whole; the old file then stays as it was.
bool WriteLines(const QString &path, const QStringList &lines);
bool WriteBytes(const QString &path, const QByteArray &bytes);

// For files saved in pieces (downloads): opens a save file unbuffered, so that a write the disk
// refuses is reported by that write.
bool OpenForSaving(QSaveFile &file);
// Writes all of bytes or cancels the save.
bool WriteAll(QSaveFile &file, const QByteArray &bytes);
// Puts the new file in place only when everything written has reached the disk; otherwise
// the save is cancelled and the old file stays.
bool CommitToDisk(QSaveFile &file);

// Removes what saves cut short (a kill, a power cut) left in folder: the save temporaries of
// the named files that no save holds any more. A save in progress in another copy of the
// program holds its temporary and keeps it; no other file is touched.
void RemoveStrayTemporaries(const QString &folder, const QStringList &fileNames);

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
