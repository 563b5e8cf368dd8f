#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QTcpServer>
#include <QUrl>

// A tiny HTTP server on 127.0.0.1 for tests: it answers GET and HEAD with the bodies registered
// for each path (404 for the rest), one request per connection, and keeps the paths asked for.
class LocalHttpServer : public QTcpServer
{
    Q_OBJECT
public:
    explicit LocalHttpServer(QObject *parent = nullptr);

    // Listens on a free port of 127.0.0.1; false when no port could be had.
    bool Start();

    void AddPage(const QString &path, const QByteArray &body,
                 const QByteArray &contentType = "text/html; charset=utf-8");
    // The address of a path on this server, e.g. Url("/a.html").
    QUrl Url(const QString &path) const;

    const QList<QString> &RequestedPaths() const { return m_requested; }

signals:
    void Requested(const QString &path);

private:
    struct Page
    {
        QByteArray body;
        QByteArray contentType;
    };

    void OnNewConnection();
    void Answer(QTcpSocket *socket, const QByteArray &request);

    QHash<QString, Page> m_pages;
    QList<QString> m_requested;
};
