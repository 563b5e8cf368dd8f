#include "app/ModStartUp.h"

#include "app/ProgramFolder.h"
#include "mainwindow/FormMain.h"
#include "platform/Forms.h"
#include "platform/SaveTemporaries.h"
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
    for (const QString &name : ProgramFolder::DataFiles())
        SaveTemporaries::RemoveStray(QDir(appPath).filePath(name));
}

void Main()
{
    InitializeCommonControls();
    RemoveStraySaves(ProgramFolder::AppPath());
    // The program ends when its last window is unloaded, after every unload has saved: not when
    // the last visible window closes, which may leave hidden windows unsaved.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    Forms::SetQuitWhenNoneLoaded(true);
    WebBrowser::SetDataFolder(QDir(ProgramFolder::AppPath()).filePath(QStringLiteral("Profile")));
    Forms::Show(Forms::Default<FormMain>());
}

} // namespace ModStartUp
