#include "platform/TextFile.h"

#include <QFile>
#include <QSaveFile>

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray data;
    for (const QString &line : lines) {
        data += line.toUtf8();
        data += "\r\n";
    }
    file.write(data);
    return file.commit();
}

} // namespace TextFile
