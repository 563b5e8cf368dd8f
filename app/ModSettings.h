#pragma once

#include <QMap>
#include <QRectF>
#include <QString>

class QWidget;

// The program's seventeen settings and their file "Settings.dat" in the program folder.
namespace ModSettings {

constexpr const char *FileName = "Settings.dat";

struct SettingsValues
{
    // The window rectangle in twips: 32 bits, so a window beyond 32767 twips still saves.
    int WindowTop = 0;
    int WindowLeft = 0;
    int WindowHeight = 0;
    int WindowWidth = 0;
    int WindowState = 0;
    bool FullScreen = false;
    int NumberOfChildWindowsAllowed = 0;
    bool KillPopups = false;
    bool ShowSearch = false;
    bool ShowHistory = false;
    bool ShowFavorites = false;
    int DaysInHistory = 0;
    int ItemsInAddressBar = 0;
    bool ShowToolBarStandard = false;
    bool ShowAddressBar = false;
    bool TextNormal = false;
    int TextSize = 0;
};

// The options of the file as a main window works on them: its public fields of these names.
struct Options
{
    bool KillPopups = false;
    bool ShowSearchFlag = false;
    bool ShowHistoryFlag = false;
    bool ShowFavoritesFlag = false;
    bool ShowToolBarStandard = false;
    bool ShowAddressBar = false;
    bool FullScreen = false;
    int DaysInHistory = 0;
    int ItemsInAddressBar = 0;
    int NumberOfChildWindowsAllowed = 0;
    bool TextNormal = false;
    int TextSize = 0;
};

// The placement a save writes: the closing window's rectangle and state.
struct SavedWindow
{
    QRectF rectTwips; // left, top, width, height of the normal window
    int windowState = 0; // 0 normal, 1 minimized, 2 maximized
};

SettingsValues &Settings();
// The program's options while it runs: the default main window's own fields while it is open,
// else a record of the program's own that keeps them meanwhile. The full-screen window and the
// dialogs read and change them, and every save writes them, so that saving needs no window.
Options &ProgramOptions();
// From now on the program's options are `fields` (a default main window's, which the caller
// fills); null gives them back to the program's own record with the values they have.
void KeepProgramOptionsIn(Options *fields);
// The key table: the lines last read, key to value text; a key read twice is left out.
const QMap<QString, QString> &SettingsTable();

QString SettingsFilePath(const QString &appPath);

// Reads the file into the values and the key table. Without a file to read every value is the
// shipped one and the key table stays empty; a bad line or value counts as missing.
void LoadSettings(const QString &appPath);
// Writes the file whole and atomically.
bool WriteSettings(const QString &appPath, const SavedWindow &window, const Options &options);
// Writes `form`'s placement and the program's options. Without a form (the full-screen window
// closing after every main window) the placement last written stays, else the one last read.
bool SaveSettings(const QWidget *form);

// Value conversions of the file: decimal text, a half rounds to the even neighbour; flags are
// "True"/"False" in any case or a number. Return false for text they do not take.
bool ToInteger(const QString &text, qint64 &value);
bool ToBoolean(const QString &text, bool &value);

} // namespace ModSettings
