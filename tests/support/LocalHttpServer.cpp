#include "LocalHttpServer.h"

#include <QTcpSocket>

LocalHttpServer::LocalHttpServer(QObject *parent) : QTcpServer(parent)
{
    connect(this, &QTcpServer::newConnection, this, &LocalHttpServer::OnNewConnection);
}

bool LocalHttpServer::Start()
{
    return listen(QHostAddress::LocalHost, 0);
}

void LocalHttpServer::AddPage(const QString &path, const QByteArray &body, const QByteArray &contentType)
{
    m_pages.insert(path, Page{body, contentType});
}

QUrl LocalHttpServer::Url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
}

void LocalHttpServer::OnNewConnection()
{
    while (QTcpSocket *socket = nextPendingConnection()) {
        auto *buffer = new QByteArray;
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, socket, [buffer] { delete buffer; });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            if (buffer->contains("\r\n\r\n")) {
                Answer(socket, *buffer);
                buffer->clear();
            }
        });
    }
}

void LocalHttpServer::Answer(QTcpSocket *socket, const QByteArray &request)
{
    const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
    const QByteArray method = words.value(0);
    QString path = QString::fromLatin1(words.value(1));
    const qsizetype query = path.indexOf('?');
    if (query >= 0)
        path.truncate(query);
    m_requested.append(path);
    emit Requested(path);

    const auto it = m_pages.constFind(path);
    const bool found = it != m_pages.cend();
    const QByteArray body = found ? it->body : QByteArray("<html><body>Not found</body></html>");
    QByteArray reply = found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n";
    reply += "Content-Type: " + (found ? it->contentType : QByteArray("text/html")) + "\r\n";
    reply += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    reply += "Cache-Control: no-store\r\nConnection: close\r\n\r\n";
    if (method != "HEAD")
        reply += body;
    socket->write(reply);
    socket->disconnectFromHost();
}
