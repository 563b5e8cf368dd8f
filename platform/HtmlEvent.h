#pragma once

#include <QMetaType>
#include <QString>
#include <QVariantMap>

// One page-document event as the host sees it: the element the user acted on (srcElement), its
// parent element, the document's active element and selection at that moment. Text values follow
// the document model: an element's text value is its default value as text, for a link its address.
struct HtmlEvent
{
    QString Type;              // "click", "keypress", "selectstart", "contextmenu", "mouseup"
    bool HasSrcElement = false;
    QString SrcTagName;        // as the document reports it, upper case for HTML elements
    QString SrcOuterHTML;
    QString SrcText;
    QString SrcHref;           // the element's address when it is a link, else empty
    QString LinkHref;          // the address of the link the element is or lies in, else empty
    QString SrcTypeAttribute;  // the attribute "type", name matched without regard to case
    bool HasParentElement = false;
    QString ParentTagName;
    QString ParentText;
    QString ActiveTagName;
    QString ActiveHref;
    QString ActiveOuterHTML;
    QString SelectionType;     // "None" or "Text"
    int KeyCode = 0;
    int Button = 0;
    int ClientX = 0;
    int ClientY = 0;
    bool Cancelled = false;    // the page's default action was cancelled by the registered rule

    static HtmlEvent FromMessage(const QVariantMap &message);
};

Q_DECLARE_METATYPE(HtmlEvent)
