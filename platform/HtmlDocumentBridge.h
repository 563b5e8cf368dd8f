#pragma once

#include <QObject>
#include <QVariantMap>

// The host object that the document script calls over the web channel. Its calls arrive
// asynchronously, after the page has gone on; they are only passed on as signals.
class HtmlDocumentBridge : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

public slots:
    void documentCreated(const QString &href);
    void windowLoaded(const QString &href, const QString &title);
    void pageEvent(const QVariantMap &event);

signals:
    void DocumentCreated(const QString &href);
    void WindowLoaded(const QString &href, const QString &title);
    void PageEvent(const QVariantMap &event);
};
