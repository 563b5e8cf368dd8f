#pragma once

#include "tests/support/WaitFor.h"

#include <QFile>
#include <QList>
#include <QProcess>
#include <QString>

#include <grp.h>
#include <sys/types.h>
#include <unistd.h>

// A user other than the one running the test, with the groups it belongs to: only root may act as
// one. Such a user need not exist anywhere but in the ids of the files it owns.
struct OtherUser
{
    uid_t Uid;
    QList<gid_t> Groups; // the first is its own group

    // Saves a line into path through the program's save, run as this user from a copy of the
    // save program in folder, which this user may enter. True when the save succeeded.
    bool Save(const QString &folder, const QString &path, const QString &line) const
    {
        const QString program = folder + QStringLiteral("/save-file");
        if (!QFile::exists(program) && !QFile::copy(QStringLiteral(KV_SAVE_FILE_PROGRAM), program))
            return false;
        QProcess save;
        const uid_t uid = Uid;
        const QList<gid_t> groups = Groups;
        save.setChildProcessModifier([uid, groups] {
            if (::setgroups(size_t(groups.size()), groups.constData()) != 0
                || ::setresgid(groups[0], groups[0], groups[0]) != 0 || ::setresuid(uid, uid, uid) != 0)
                ::_exit(126);
        });
        save.start(program, {path, line});
        return save.waitForFinished(WaitTimeoutMs) && save.exitStatus() == QProcess::NormalExit
               && save.exitCode() == 0;
    }
};
