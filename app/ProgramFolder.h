#pragma once

#include <QString>

// Where the program's pages and data files live: the executable's folder, or, where that is
// not writable, the user's application-data folder, seeded once from it.
namespace ProgramFolder {

QString AppPath();
// Points the program at another folder (a copy of the program folder, for instance).
void SetAppPath(const QString &path);

} // namespace ProgramFolder
