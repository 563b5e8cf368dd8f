#pragma once

#include <QString>
#include <QStringList>

// The program's data files and the folder they live in.
namespace DataFiles {

// The names of the data files the program keeps in its folder.
QStringList Names();
// Copies into `to` the program's own files of `from` (its data files and the pages it opens
// from its folder) that `to` lacks; never overwrites, and leaves every other file alone.
void Seed(const QString &from, const QString &to);
// The program folder start-up chooses: the executable's folder, or, where that is not writable,
// the user's application-data folder, seeded once from it.
QString Folder();

} // namespace DataFiles
