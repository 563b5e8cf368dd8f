#include "platform/Shell.h"

#include "platform/DesktopOpener.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

namespace {

class DesktopShell : public Shell
{
public:
    int OpenFile(QWidget *, const QString &file) override
    {
        if (!QFileInfo(file).isFile())
            return ERROR_FILE_NOT_FOUND;
        return DesktopOpener::Open(QUrl::fromLocalFile(file)) ? Succeeded : SE_ERR_NOASSOC;
    }

    int OpenWith(QWidget *window, const QString &file) override
    {
        if (!QFileInfo(file).isFile())
            return ERROR_FILE_NOT_FOUND;
        const QString program = QFileDialog::getOpenFileName(
            window, QStringLiteral("Open With"), QStringLiteral("/usr/bin"));
        // Like the system's own dialog, choosing no program is no failure of the shell.
        if (program.isEmpty())
            return Succeeded;
        return DesktopOpener::Start(program, {file}) ? Succeeded : ERROR_FILE_NOT_FOUND;
    }

    int OpenFolder(QWidget *, const QString &folder) override
    {
        if (!QFileInfo(folder).isDir())
            return ERROR_PATH_NOT_FOUND;
        return DesktopOpener::Open(QUrl::fromLocalFile(folder)) ? Succeeded : SE_ERR_NOASSOC;
    }
};

Shell *&replacement()
{
    static Shell *shell = nullptr;
    return shell;
}

} // namespace

Shell &Shell::Current()
{
    static DesktopShell desktop;
    return replacement() ? *replacement() : desktop;
}

void Shell::SetCurrent(Shell *shell)
{
    replacement() = shell;
}
