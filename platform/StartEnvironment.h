#pragma once

#include <QByteArray>

// Switches the program sets in its environment for Qt and the page engine, which read them as
// they start. Every program the browser starts later inherits the environment, so once both
// have read them, the user's own values come back.
namespace StartEnvironment {

// Sets the variable name to value, remembering what the user had (the value, or none).
void Set(const char *name, const QByteArray &value);
// Gives every variable Set changed the value the user had, or removes it where there was none.
void Restore();

}
