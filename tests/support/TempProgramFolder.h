#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh copy of the built program folder's pages and default data files in a temporary
// folder, made the program's folder (and the engine's data folder) for one test.
class TempProgramFolder
{
public:
    // With defaults false the folder gets no "Settings.dat", as on a first run without one.
    explicit TempProgramFolder(bool defaults = true);

    QString Path() const { return m_dir.path(); }
    QString FilePath(const QString &name) const;
    QString FileUrl(const QString &name) const;
    void WriteFile(const QString &name, const QByteArray &bytes) const;
    QByteArray ReadFile(const QString &name) const;

private:
    QTemporaryDir m_dir;
};
