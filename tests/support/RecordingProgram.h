#pragma once

#include "tests/support/FileBytes.h"

#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A stand-in for a program the browser starts (the desktop's opener "xdg-open", a program the
// user chose to open a file with), alone in a temporary folder: each start writes the arguments
// and the environment it got to a file beside it, whole or not at all.
class RecordingProgram
{
public:
    struct Start
    {
        QStringList arguments;
        QMap<QString, QString> environment;
    };

    explicit RecordingProgram(const QString &name) : m_path(m_dir.filePath(name))
    {
        const QByteArray record = QFile::encodeName(RecordPath());
        WriteFile(m_path, "#!/bin/sh\n{ printf '%s\\n' \"$@\"; echo --; env; } > '" + record + ".part' && mv '"
                              + record + ".part' '" + record + "'\n");
        QFile::setPermissions(m_path, QFile::permissions(m_path) | QFile::ExeOwner);
    }

    QString Folder() const { return m_dir.path(); }
    QString Path() const { return m_path; }

    bool HasStarted() const { return QFile::exists(RecordPath()); }

    // What the last start got, taken away so that the next start is seen; empty before any start.
    Start TakeStart()
    {
        Start start;
        QFile file(RecordPath());
        if (!file.open(QIODevice::ReadOnly))
            return start;
        bool arguments = true;
        for (const QByteArray &line : file.readAll().split('\n')) {
            const qsizetype equals = line.indexOf('=');
            if (arguments && line == "--")
                arguments = false;
            else if (arguments)
                start.arguments.append(QString::fromLocal8Bit(line));
            else if (equals > 0)
                start.environment.insert(QString::fromLocal8Bit(line.left(equals)),
                                         QString::fromLocal8Bit(line.mid(equals + 1)));
        }
        file.remove();
        return start;
    }

private:
    QString RecordPath() const { return m_dir.filePath(QStringLiteral("started")); }

    QTemporaryDir m_dir;
    QString m_path;
};
