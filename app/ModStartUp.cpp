#include "app/ModStartUp.h"

#include "app/ProgramFolder.h"
#include "mainwindow/FormMain.h"
#include "platform/Forms.h"
#include "platform/WebBrowser.h"

#include <QDir>

namespace ModStartUp {

bool InitializeCommonControls()
{
    return true;
}

void Main()
{
    InitializeCommonControls();
    Forms::SetQuitWhenNoneLoaded(true);
    WebBrowser::SetDataFolder(QDir(ProgramFolder::AppPath()).filePath(QStringLiteral("Profile")));
    Forms::Show(Forms::Default<FormMain>());
}

} // namespace ModStartUp
