#pragma once

#include <QString>
#include <QStringList>

class QUrl;

// The desktop's programs that the browser starts: its opener ("xdg-open") for a file, a folder
// or an address of a scheme the page engine does not show, and a program the user chose. Each
// starts with the environment the user started the browser with, none of the switches the
// browser set for Qt and the page engine, and runs on without the browser.
namespace DesktopOpener {

// Starts the program with the arguments; false when it could not start.
bool Start(const QString &program, const QStringList &arguments);
// Opens the address with the desktop's opener; false when there is none.
bool Open(const QUrl &url);
// Sends QDesktopServices::openUrl for addresses of the scheme to Open, which Qt would start its
// own choice of program for with the process's environment, switches and all.
void Route(const QString &scheme);

}
