#include "browsingdata/SaveFailureMessage.h"

#include "app/ApplicationTitle.h"
#include "platform/FileSave.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QMessageBox>

namespace SaveFailureMessage {

namespace {

Handler &CurrentHandler()
{
    static Handler handler;
    return handler;
}

// One sentence for a single file, another for several; the names quoted.
QString Sentences(const QStringList &names, const QString &one, const QString &several)
{
    auto quoted = [](const QString &name) { return QLatin1Char('"') + name + QLatin1Char('"'); };
    if (names.size() == 1)
        return one.arg(quoted(names.first()));
    QStringList list;
    for (const QString &name : names)
        list << quoted(name);
    return several.arg(list.join(QStringLiteral(", ")));
}

} // namespace

QString Text(const QStringList &kept, const QStringList &unconfirmed)
{
    QStringList parts;
    if (!kept.isEmpty())
        parts << Sentences(kept,
                           QStringLiteral("Kestrelvue could not save %1. The disk may be full, or the file may be "
                                          "read-only. The file keeps what it held before."),
                           QStringLiteral("Kestrelvue could not save these files: %1. The disk may be full, or the "
                                          "files may be read-only. Each file keeps what it held before."));
    if (!unconfirmed.isEmpty())
        parts << Sentences(unconfirmed,
                           QStringLiteral("Kestrelvue wrote %1, but the disk did not confirm it. The file holds the "
                                          "new content, which may not be on the disk yet."),
                           QStringLiteral("Kestrelvue wrote these files, but the disk did not confirm them: %1. Each "
                                          "file holds the new content, which may not be on the disk yet."));
    return parts.join(QStringLiteral("\n\n"));
}

void Show(QWidget *parent, const QStringList &fileNames)
{
    if (fileNames.isEmpty())
        return;
    QStringList kept;
    QStringList unconfirmed;
    const QDir folder(ProgramFolder::AppPath());
    for (const QString &name : fileNames)
        (FileSave::LeftUnconfirmed(folder.filePath(name)) ? unconfirmed : kept) << name;
    const QString text = Text(kept, unconfirmed);
    if (CurrentHandler()) {
        CurrentHandler()(text);
        return;
    }
    QMessageBox::warning(parent, ApplicationTitle, text, QMessageBox::Ok);
}

void SetHandler(Handler handler)
{
    CurrentHandler() = std::move(handler);
}

} // namespace SaveFailureMessage
