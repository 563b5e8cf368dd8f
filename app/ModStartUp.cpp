#include "app/ModStartUp.h"

#include "app/DataFiles.h"
#include "platform/ProgramFolder.h"
#include "mainwindow/FormMain.h"
#include "platform/Forms.h"
#include "platform/TextFile.h"
#include "platform/WebBrowser.h"

#include <QDir>
#include <QGuiApplication>

namespace ModStartUp {

bool InitializeCommonControls()
{
    return true;
}

void RemoveStraySaves(const QString &appPath)
{
    TextFile::RemoveStrayTemporaries(appPath, DataFiles::Names());
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
    WebBrowser::SetDataFolder(QDir(ProgramFolder::AppPath()).filePath(QStringLiteral("Profile")));
    Forms::Show(Forms::Default<FormMain>());
}

} // namespace ModStartUp
