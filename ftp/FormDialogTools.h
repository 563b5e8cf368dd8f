#pragma once

#include <QString>

class QObject;
class QWidget;

// What the FTP dialogs share: design geometry in twips, a fixed dialog frame, the call of a host
// window's procedure by name, and the "Error: " message.
namespace FormDialogTools {

void PlaceTwips(QWidget *control, int left, int top, int width, int height);
// A fixed single border without a maximize button, with a client area of that size.
void MakeFixedDialog(QWidget *dialog, int clientWidthTwips, int clientHeightTwips);
// Calls the public procedure of that name on the host window, with no arguments; an error
// the host lets escape is shown rather than passed on through the event dispatch.
void CallHostByName(QWidget *dialog, QObject *host, const char *procedure);
// A message box with an OK button only: "Error: ", the number, a blank and the description.
void ShowError(QWidget *dialog, int number, const QString &description);

} // namespace FormDialogTools
