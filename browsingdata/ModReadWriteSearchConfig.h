#pragma once

#include "browsingdata/SearchConfig.h"

#include <QString>

class FormSelectSearch;

// Reads and writes "SearchConfig.dat" for the search-settings dialog: the engine table,
// the dialog's list and the selected engine's strings.
namespace ModReadWriteSearchConfig {

// "SearchConfig.dat" in the program folder.
QString ConfigFilePath();

// The engines as last read, in file order.
SearchConfig &EngineTable();

// Fills the engine table, the dialog's list and, from the selected engine, the strings.
// Without the file the table is empty and the list and strings stay as they were.
void ReadSearchConfig(FormSelectSearch &form);
// Rewrites the file from the dialog's list: each engine line as read, its flag from the
// row's check mark. False when the file cannot be written (the old file then stays whole).
bool WriteSearchConfig(FormSelectSearch &form);

} // namespace ModReadWriteSearchConfig
