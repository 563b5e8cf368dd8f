#include "platform/HtmlDocumentBridge.h"

void HtmlDocumentBridge::documentCreated(const QString &href)
{
    emit DocumentCreated(href);
}

void HtmlDocumentBridge::windowLoaded(const QString &href, const QString &title)
{
    emit WindowLoaded(href, title);
}

void HtmlDocumentBridge::pageEvent(const QVariantMap &event)
{
    emit PageEvent(event);
}
