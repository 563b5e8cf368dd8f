#pragma once

#include <QString>
#include <QStringList>

// The program's data files are read and written whole: lines end in CR LF (LF alone is
// accepted), the text after the last line end is ignored, and a write replaces the file in
// one step so that a crash never leaves half of it.
namespace DataFileText {

// The complete lines of the file; empty when it is missing or unreadable.
QStringList ReadLines(const QString &filePath, bool *exists = nullptr);

// Splits text as ReadLines does (without the file).
QStringList SplitLines(const QString &text);

// Writes every line followed by CR LF, UTF-8; false when the file could not be replaced.
bool WriteLines(const QString &filePath, const QStringList &lines);

} // namespace DataFileText
