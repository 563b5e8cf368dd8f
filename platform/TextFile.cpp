#include "platform/TextFile.h"

#include <QFile>
#include <QSaveFile>

namespace TextFile {

bool ReadLines(const QString &path, QStringList &lines)
{
    lines.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    qsizetype start = 0;
    for (;;) {
        const qsizetype lf = data.indexOf('\n', start);
        if (lf < 0)
            break;
        qsizetype end = lf;
        if (end > start && data.at(end - 1) == '\r')
            --end;
        lines.append(QString::fromUtf8(data.constData() + start, end - start));
        start = lf + 1;
    }
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
