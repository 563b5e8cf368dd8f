#include "platform/TextFile.h"

#include "platform/FileSave.h"

#include <QFile>

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
    FileSave save(path);
    return save.Open() && save.Write(bytes) && save.Commit();
}

} // namespace TextFile
