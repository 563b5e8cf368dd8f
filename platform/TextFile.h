#pragma once

#include <QString>
#include <QStringList>

// The program's text files: read whole, cut at each line end (CR LF, or LF alone), the piece
// after the last line end ignored; written whole in UTF-8 with CR LF, atomically, so that a
// crash never leaves a half-written file.
namespace TextFile {

// False when the file does not exist or cannot be read; `lines` is then empty.
bool ReadLines(const QString &path, QStringList &lines);
bool WriteLines(const QString &path, const QStringList &lines);

} // namespace TextFile
