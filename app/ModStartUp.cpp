#include "app/ModStartUp.h"

#include "app/ApplicationTitle.h"
#include "app/DataFiles.h"
#include "browsingdata/ModManageFavFile.h"
#include "mainwindow/FormMain.h"
#include "platform/Forms.h"
#include "platform/InternetOptions.h"
#include "platform/ProgramFolder.h"
#include "platform/SaveTemporaries.h"
#include "platform/WebBrowser.h"

#include <QDir>
#include <QGuiApplication>

namespace ModStartUp {

namespace {

// The engine's data and "HomePage.dat" live in a folder of their own inside the program folder.
QString ProfileFolder(const QString &appPath)
{
    return QDir(appPath).filePath(QStringLiteral("Profile"));
}

} // namespace

bool InitializeCommonControls()
{
    return true;
}

void RemoveStraySaves(const QString &appPath)
{
    for (const QString &name : DataFiles::Names())
        SaveTemporaries::RemoveStray(QDir(appPath).filePath(name));
    SaveTemporaries::RemoveStray(InternetOptions(ProfileFolder(appPath)).FilePath());
    SaveTemporaries::RemoveStrayUnder(ModManageFavFile::GetFavoritesFolder());
}

void Main()
{
    InitializeCommonControls();
    ProgramFolder::SetAppPath(DataFiles::Folder());
    RemoveStraySaves(ProgramFolder::AppPath());
    // The program ends when its last window is unloaded, after every unload has saved: not when
    // the last visible window closes, which may leave hidden windows unsaved.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    Forms::SetQuitWhenNoneLoaded(true);
    WebBrowser::SetDataFolder(ProfileFolder(ProgramFolder::AppPath()));
    WebBrowser::SetMessageTitle(ApplicationTitle);
    Forms::Show(Forms::Default<FormMain>());
}

} // namespace ModStartUp
