#pragma once

#include <QString>

// Where the program's pages and data files live, for every reader and writer of them: the folder
// start-up chose, by default the executable's folder.
namespace ProgramFolder {

QString AppPath();
// Points the program at another folder (a copy of the program folder, for instance); an empty
// path goes back to the executable's folder.
void SetAppPath(const QString &path);

} // namespace ProgramFolder
