#pragma once

#include <QFile>
#include <QString>
#include <QStringView>

// Large data files read without a string per line: the file is decoded at once and its
// lines are handed out as views into that text, in the program's convention (CR LF or LF
// alone; the piece after the last line end ignored).
namespace TextFileLines {

// False when the file does not exist or cannot be read.
inline bool ReadText(const QString &path, QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = QString::fromUtf8(file.readAll());
    return true;
}

template <class Use>
void ForEachLine(QStringView text, Use use)
{
    qsizetype start = 0;
    for (qsizetype lf = text.indexOf(QLatin1Char('\n')); lf >= 0; lf = text.indexOf(QLatin1Char('\n'), start)) {
        qsizetype end = lf;
        if (end > start && text[end - 1] == QLatin1Char('\r'))
            --end;
        use(text.mid(start, end - start));
        start = lf + 1;
    }
}

} // namespace TextFileLines
