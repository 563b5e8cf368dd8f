#include "platform/DesktopOpener.h"

#include "platform/StartEnvironment.h"

#include <QDesktopServices>
#include <QObject>
#include <QProcess>
#include <QSet>
#include <QUrl>

namespace DesktopOpener {

namespace {

// The receiver QDesktopServices calls for a routed scheme.
class Router : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE void Open(const QUrl &url) { DesktopOpener::Open(url); }
};

} // namespace

bool Start(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessEnvironment(StartEnvironment::Users());
    return process.startDetached();
}

bool Open(const QUrl &url)
{
    return Start(QStringLiteral("xdg-open"), {QString::fromLatin1(url.toEncoded())});
}

void Route(const QString &scheme)
{
    static Router router;
    static QSet<QString> routed;
    if (routed.contains(scheme))
        return;
    routed.insert(scheme);
    QDesktopServices::setUrlHandler(scheme, &router, "Open");
}

} // namespace DesktopOpener

#include "DesktopOpener.moc"
