#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The program's text files: read whole, cut at each line end (CR LF, or LF alone), the piece
// after the last line end ignored; written whole in UTF-8 with CR LF, atomically, so that a
// crash never leaves a half-written file.
namespace TextFile {

// False when the file does not exist or cannot be read; `lines` is then empty.
bool ReadLines(const QString &path, QStringList &lines);
bool WriteLines(const QString &path, const QStringList &lines);

// For large files: the whole text decoded at once, its lines handed out as views into it.
bool ReadText(const QString &path, QString &text);

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

} // namespace TextFile
