#include "platform/HtmlEvent.h"

HtmlEvent HtmlEvent::FromMessage(const QVariantMap &m)
{
    HtmlEvent e;
    e.Type = m.value("type").toString();
    e.HasSrcElement = m.value("hasSrcElement").toBool();
    e.SrcTagName = m.value("srcTagName").toString();
    e.SrcOuterHTML = m.value("srcOuterHTML").toString();
    e.SrcText = m.value("srcText").toString();
    e.SrcHref = m.value("srcHref").toString();
    e.LinkHref = m.value("linkHref").toString();
    e.SrcTypeAttribute = m.value("srcTypeAttribute").toString();
    e.HasParentElement = m.value("hasParentElement").toBool();
    e.ParentTagName = m.value("parentTagName").toString();
    e.ParentText = m.value("parentText").toString();
    e.ActiveTagName = m.value("activeTagName").toString();
    e.ActiveHref = m.value("activeHref").toString();
    e.ActiveOuterHTML = m.value("activeOuterHTML").toString();
    e.SelectionType = m.value("selectionType").toString();
    e.KeyCode = m.value("keyCode").toInt();
    e.Button = m.value("button").toInt();
    e.ClientX = m.value("clientX").toInt();
    e.ClientY = m.value("clientY").toInt();
    e.Cancelled = m.value("cancelled").toBool();
    return e;
}
