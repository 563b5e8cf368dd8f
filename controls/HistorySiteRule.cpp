#include "controls/HistorySiteRule.h"

#include <QStringView>

namespace HistorySiteRule {

namespace {

// Position (1-based) of the third "/" found by three searches, each starting one past the
// previous result; 0 when the last search finds none.
qsizetype ThirdSlash(QStringView url)
{
    qsizetype position = 1;
    for (int i = 0; i < 3; ++i)
        position = url.indexOf(QLatin1Char('/'), position) + 1;
    return position;
}

QString SiteNameOfRoot(QStringView root)
{
    QStringView rest;
    if (root.startsWith(QLatin1String("http://www")))
        rest = root.mid(qMin<qsizetype>(11, root.size()));
    else if (root.startsWith(QLatin1String("https://www")))
        rest = root.mid(qMin<qsizetype>(12, root.size()));
    else if (root.startsWith(QLatin1String("ftp://ftp.")))
        rest = root.mid(10);
    else
        return {};
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    return (slash < 0 ? rest : rest.left(slash)).toString();
}

} // namespace

HistorySiteRuleResult Apply(const QString &url)
{
    HistorySiteRuleResult result;
    result.Url = url;
    const qsizetype slash = ThirdSlash(url);
    if (slash == 0)
        result.Url += QLatin1Char('/');
    const QStringView root = QStringView(result.Url).left(slash == 0 ? result.Url.size() : slash);
    if (root == QLatin1String("http:///") || root == QLatin1String("https:///") || root == QLatin1String("file:///"))
        return {};
    result.Recorded = true;
    result.SiteName = SiteNameOfRoot(root);
    return result;
}

qsizetype RootLength(QStringView url)
{
    const qsizetype slash = ThirdSlash(url);
    return slash == 0 ? url.size() : slash;
}

QString SiteName(QStringView url)
{
    const qsizetype slash = ThirdSlash(url);
    if (slash == 0)
        return SiteNameOfRoot(QString(url.toString() + QLatin1Char('/')));
    return SiteNameOfRoot(url.left(slash));
}

} // namespace HistorySiteRule
