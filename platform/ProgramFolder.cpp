#include "platform/ProgramFolder.h"

#include <QCoreApplication>

namespace ProgramFolder {

namespace {

QString &chosen()
{
    static QString path;
    return path;
}

} // namespace

QString AppPath()
{
    return chosen().isEmpty() ? QCoreApplication::applicationDirPath() : chosen();
}

void SetAppPath(const QString &path)
{
    chosen() = path;
}

} // namespace ProgramFolder
