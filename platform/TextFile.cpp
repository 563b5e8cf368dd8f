#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <unistd.h>

namespace TextFile {

bool ReadText(const QString &path, QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = QString::fromUtf8(file.readAll());
    return true;
}

bool ReadLines(const QString &path, QStringList &lines)
{
    lines.clear();
    QString text;
    if (!ReadText(path, text))
        return false;
    ForEachLine(text, [&](QStringView line) { lines.append(line.toString()); });
    return true;
}

bool WriteLines(const QString &path, const QStringList &lines)
{
    QByteArray data;
    for (const QString &line : lines) {
        data += line.toUtf8();
        data += "\r\n";
    }
    return WriteBytes(path, data);
}

bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return OpenForSaving(file) && WriteAll(file, bytes) && CommitToDisk(file);
}

bool OpenForSaving(QSaveFile &file)
{
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool WriteAll(QSaveFile &file, const QByteArray &bytes)
{
    // A full disk shows as a short write without an error: anything short fails the save.
    if (file.write(bytes) == bytes.size())
        return true;
    file.cancelWriting();
    return false;
}

bool CommitToDisk(QSaveFile &file)
{
    // A buffered save file reports a failed last flush nowhere but here.
    if (!file.flush() || file.error() != QFileDevice::NoError || ::fsync(file.handle()) != 0) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

void RemoveStrayTemporaries(const QString &folder, const QStringList &fileNames)
{
    const QDir dir(folder);
    for (const QString &name : fileNames) {
        // Six lower-case letters read as a word ("Url.dat.backup"): the user's, not a save's.
        const QRegularExpression temporary(QRegularExpression::anchoredPattern(
            QRegularExpression::escape(name) + QStringLiteral("\\.(?![a-z]{6}$)[A-Za-z0-9]{6}")));
        const QStringList candidates = dir.entryList({name + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
        for (const QString &candidate : candidates) {
            if (temporary.match(candidate).hasMatch())
                QFile::remove(dir.filePath(candidate));
        }
    }
}

} // namespace TextFile
