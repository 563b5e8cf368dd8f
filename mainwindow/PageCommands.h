#pragma once

#include "app/ModSettings.h"

#include <QString>

class ClassFBNavigator;
class CommandBarControl;
class CommandBars;
class HtmlDocument;
class QWidget;
class WebBrowser;

// The commands both browser windows run the same way on their own page: the File and Edit
// commands on the page, view source, the navigation buttons, a pick from the Back or Forward
// list, a favorite of the Favorites menu, a text size, and the Tools and Help dialogs.
namespace PageCommands {

// The window a command runs in, which owns the dialogs it opens and whose page they act on.
// Settings are the options that keep the text size: the window's own, or for the full-screen
// window the program's.
struct Target
{
    QWidget *Window;
    WebBrowser *Browser;
    ClassFBNavigator *Navigator;
    CommandBars *Bars;
    HtmlDocument *Document;
    ModSettings::Options *Settings;
};

// Runs control when it is one of the shared commands; false for any other command.
bool RunShared(const Target &target, CommandBarControl *control);

// With no page that far back (or forward) nothing moves, and the next page load is recorded as
// usual. Otherwise the page that loads next only refreshes the drop-downs: the list has moved.
void GoBackBy(const Target &target, int steps);
void GoForwardBy(const Target &target, int steps);

// The key is the shortcut file's path, "%" and the address; the address is what follows the
// "%" that ends the file's path, so a "%" in the path or in the address stays where it belongs.
void OpenFavorite(const Target &target, const QString &key);

// The size is kept in the settings window and checked in the View menu; the page shows it now.
void ApplyTextSize(const Target &target, int id);

} // namespace PageCommands
