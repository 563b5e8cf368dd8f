#pragma once

#include <QByteArray>
#include <QProcessEnvironment>

// Switches the program sets in its environment for Qt and the page engine, which read them as
// they start and later, from threads of their own. No change of the environment is safe against
// a thread reading it, so the switches are set before the application object exists, while the
// program runs one thread, and the environment never changes after. Programs the browser starts
// get the user's environment explicitly instead of inheriting the switches.
namespace StartEnvironment {

// Sets the variable name to value, remembering what the user had (the value, or none). Only
// before the application object exists.
void Set(const char *name, const QByteArray &value);
// The environment the user started the program with: the process's own, where each variable Set
// changed has the user's value again, or is left out where the user had none.
QProcessEnvironment Users();

}
