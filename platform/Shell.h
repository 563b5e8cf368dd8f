#pragma once

#include <QString>

class QWidget;

// The desktop shell: opens a file with the program the desktop associates with it, asks the
// user for a program when there is none, and shows a folder in the file manager. Each call
// answers as the shell does: above 32 on success, else the reason. Tests put a recording
// shell in its place, so that nothing is ever opened.
class Shell
{
public:
    static constexpr int ERROR_FILE_NOT_FOUND = 2;
    static constexpr int ERROR_PATH_NOT_FOUND = 3;
    static constexpr int SE_ERR_NOASSOC = 31;
    static constexpr int Succeeded = 42;

    virtual ~Shell() = default;

    // The "Open" verb on a file; SE_ERR_NOASSOC when no program is associated with its type.
    virtual int OpenFile(QWidget *window, const QString &file) = 0;
    // Lets the user choose a program to open the file with.
    virtual int OpenWith(QWidget *window, const QString &file) = 0;
    // Shows the folder in a new file-manager window.
    virtual int OpenFolder(QWidget *window, const QString &folder) = 0;

    // The shell in use: the desktop's unless one was put in its place.
    static Shell &Current();
    // Puts a shell in place of the desktop's (not owned); nullptr brings the desktop's back.
    static void SetCurrent(Shell *shell);
};
