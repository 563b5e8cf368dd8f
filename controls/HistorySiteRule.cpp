#include "controls/HistorySiteRule.h"

namespace HistorySiteRule {

namespace {

// Position (1-based) of the third "/" found by three searches, each starting one past the
// previous result; 0 when the last search finds none.
qsizetype ThirdSlash(const QString &url)
{
    qsizetype position = 1;
    for (int i = 0; i < 3; ++i)
        position = url.indexOf(QLatin1Char('/'), position) + 1;
    return position;
}

QString SiteNameOfRoot(const QString &root)
{
    QString rest;
    if (root.left(10) == QLatin1String("http://www"))
        rest = root.mid(11);
    else if (root.left(11) == QLatin1String("https://www"))
        rest = root.mid(12);
    else if (root.left(10) == QLatin1String("ftp://ftp."))
        rest = root.mid(10);
    else
        return {};
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    return slash < 0 ? rest : rest.left(slash);
}

} // namespace

HistorySiteRuleResult Apply(const QString &url)
{
    HistorySiteRuleResult result;
    result.Url = url;
    QString root;
    const qsizetype slash = ThirdSlash(url);
    if (slash != 0) {
        root = url.left(slash);
    } else {
        result.Url += QLatin1Char('/');
        root = result.Url;
    }
    if (root == QLatin1String("http:///") || root == QLatin1String("https:///") || root == QLatin1String("file:///"))
        return {};
    result.Recorded = true;
    result.SiteName = SiteNameOfRoot(root);
    return result;
}

QString SiteName(const QString &url)
{
    const qsizetype slash = ThirdSlash(url);
    return SiteNameOfRoot(slash != 0 ? url.left(slash) : url + QLatin1Char('/'));
}

} // namespace HistorySiteRule
