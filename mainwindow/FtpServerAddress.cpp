#include "mainwindow/FtpServerAddress.h"

#include <QUrl>

FtpServerAddress FtpServerAddress::Parse(const QString &address)
{
    FtpServerAddress server;
    // A host name with a port or a path is no host name: the client is given the host alone.
    const QUrl url(QStringLiteral("ftp://") + address.mid(6), QUrl::StrictMode);
    if (!url.isValid())
        return server;
    server.Host = url.host();
    server.Port = url.port(21);
    return server;
}
