#include "mainwindow/SearchPaneRules.h"

#include <QStringList>

namespace SearchPaneRules {

namespace {

// The document gives attribute values quoted (target="_self"); the markers are written without.
QString Unquoted(const QString &html)
{
    QString text = html;
    text.replace(QLatin1String("=\""), QLatin1String("="));
    text.replace(QLatin1String("='"), QLatin1String("="));
    return text;
}

bool Contains(const QString &html, const QString &marker)
{
    return html.contains(marker, Qt::CaseInsensitive);
}

bool HoldsMarker(const QString &html)
{
    static const QStringList markers = {QStringLiteral("target=_self"), QStringLiteral("target=resFrame"),
                                        WebSearchEndpoint, QStringLiteral("/ie?q=")};
    for (const QString &marker : markers) {
        if (Contains(html, marker))
            return true;
    }
    return false;
}

} // namespace

bool StayAfterElement(bool stay, const QString &tagName, const QString &outerHTML)
{
    const QString html = Unquoted(outerHTML);
    const bool input = tagName == QLatin1String("INPUT");
    if (input)
        stay = true;
    if (!input && !Contains(html, QStringLiteral("target=_self")))
        stay = false;
    if (HoldsMarker(html))
        stay = true;
    if (input && Contains(html, QStringLiteral("feeling lucky")))
        stay = false;
    return stay;
}

bool RedirectsToMainBrowser(bool sideBarBuilt, bool keepNextSearchNavigation, bool stayInSearchPane)
{
    return sideBarBuilt && !keepNextSearchNavigation && !stayInSearchPane;
}

} // namespace SearchPaneRules
