#include "mainwindow/PageEventRules.h"

#include <QStringList>

namespace {

bool ContainsAny(const QString &text, const QStringList &parts)
{
    for (const QString &part : parts)
        if (text.contains(part, Qt::CaseInsensitive))
            return true;
    return false;
}

// Tag names compare exactly: the document reports HTML elements in upper case.
bool IsLinkElement(const HtmlEvent &event)
{
    return event.SrcTagName == QLatin1String("LINK") || event.SrcTagName == QLatin1String("A");
}

} // namespace

namespace PageEventRules {

bool IsLinkClick(const HtmlEvent &event)
{
    static const QStringList addressParts{QStringLiteral("ftp://"), QStringLiteral("http://"),
                                          QStringLiteral("www."), QStringLiteral("https://")};
    return (event.HasParentElement && ContainsAny(event.ParentText, addressParts)) || IsLinkElement(event);
}

bool ClickGoesOn(const HtmlEvent &event, bool &linkClicked)
{
    if (!event.HasParentElement)
        return false;
    if (IsLinkClick(event))
        linkClicked = true;
    return true;
}

ContextMenu ContextMenuFor(const HtmlEvent &event)
{
    static const QStringList webAddressParts{QStringLiteral("http://"), QStringLiteral("https://")};
    if ((event.HasParentElement && ContainsAny(event.ParentText, webAddressParts)) || IsLinkElement(event))
        return ContextMenu::Link;
    if (event.SrcTagName == QLatin1String("IMG"))
        return ContextMenu::Image;
    if (event.SelectionType == QLatin1String("Text"))
        return ContextMenu::TextEdit;
    if (event.SrcTypeAttribute == QLatin1String("text"))
        return ContextMenu::TextEdit;
    return ContextMenu::Page;
}

} // namespace PageEventRules
