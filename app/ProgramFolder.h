#pragma once

#include <QString>
#include <QStringList>

// Where the program's pages and data files live: the executable's folder, or, where that is
// not writable, the user's application-data folder, seeded once from it.
namespace ProgramFolder {

QString AppPath();
// Points the program at another folder (a copy of the program folder, for instance).
void SetAppPath(const QString &path);

// The names of the data files the program keeps in its folder.
QStringList DataFiles();
// Copies into `to` the program's own files of `from` (its data files and the pages it opens
// from its folder) that `to` lacks; never overwrites, and leaves every other file alone.
void Seed(const QString &from, const QString &to);

} // namespace ProgramFolder
