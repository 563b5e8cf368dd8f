#include "browsingdata/SaveFailureMessage.h"

#include "app/ApplicationTitle.h"

#include <QMessageBox>

namespace SaveFailureMessage {

namespace {

Handler &CurrentHandler()
{
    static Handler handler;
    return handler;
}

QString Quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

} // namespace

QString Text(const QStringList &fileNames)
{
    if (fileNames.size() == 1)
        return QStringLiteral("Kestrelvue could not save %1. The disk may be full, or the file may be "
                              "read-only. The file keeps what it held before.")
            .arg(Quoted(fileNames.first()));
    QStringList quoted;
    for (const QString &name : fileNames)
        quoted << Quoted(name);
    return QStringLiteral("Kestrelvue could not save these files: %1. The disk may be full, or the files "
                          "may be read-only. Each file keeps what it held before.")
        .arg(quoted.join(QStringLiteral(", ")));
}

void Show(QWidget *parent, const QStringList &fileNames)
{
    if (fileNames.isEmpty())
        return;
    const QString text = Text(fileNames);
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
