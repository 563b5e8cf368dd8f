#include "app/ModStartUp.h"

#include "app/ProgramFolder.h"
#include "browsingdata/SearchConfig.h"
#include "controls/AutoCompleteStore.h"
#include "controls/HistoryStore.h"
#include "controls/TypedAddressList.h"
#include "mainwindow/FormMain.h"
#include "platform/Forms.h"
#include "platform/TextFile.h"
#include "platform/WebBrowser.h"

#include <QDir>

namespace ModStartUp {

bool InitializeCommonControls()
{
    return true;
}

void RemoveStraySaves(const QString &appPath)
{
    TextFile::RemoveStrayTemporaries(
        appPath, {QStringLiteral("Settings.dat"), QString::fromLatin1(TypedAddressList::FileName),
                  QString::fromLatin1(AutoCompleteStore::FileName), QString::fromLatin1(HistoryStore::FileName),
                  QString::fromLatin1(SearchConfig::FileName)});
}

void Main()
{
    InitializeCommonControls();
    RemoveStraySaves(ProgramFolder::AppPath());
    Forms::SetQuitWhenNoneLoaded(true);
    WebBrowser::SetDataFolder(QDir(ProgramFolder::AppPath()).filePath(QStringLiteral("Profile")));
    Forms::Show(Forms::Default<FormMain>());
}

} // namespace ModStartUp
