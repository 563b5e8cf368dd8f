#include "mainwindow/FormMain.h"

#include "mainwindow/SearchPaneRules.h"
#include "platform/HtmlDocument.h"
#include "platform/HtmlEvent.h"
#include "platform/WebBrowser.h"

#include <QPointer>

void FormMain::WebBrowserSearch_BeforeNavigate2(WebBrowser *pDisp, const QString &URL, bool &Cancel)
{
    Q_UNUSED(pDisp);
    if (SearchPaneRules::RedirectsToMainBrowser(SideBarBuilt, KeepNextSearchNavigation, StayInSearchPane)) {
        Cancel = true;
        // The pane's navigation is refused before the main browser starts its own.
        QPointer<WebBrowser> main = WebBrowserMain;
        QMetaObject::invokeMethod(
            this,
            [main, URL] {
                if (main)
                    main->Navigate(URL);
            },
            Qt::QueuedConnection);
        StayInSearchPane = true;
    }
    KeepNextSearchNavigation = false;
    SearchPageNeeded = false;
}

void FormMain::doc_onkeypress(const HtmlEvent &event)
{
    ApplySearchPaneElementRule(event);
}

void FormMain::doc_onmouseup(const HtmlEvent &event)
{
    ApplySearchPaneElementRule(event);
}

void FormMain::ApplySearchPaneElementRule(const HtmlEvent &event)
{
    StayInSearchPane = SearchPaneRules::StayAfterElement(StayInSearchPane, event.SrcTagName, event.SrcOuterHTML);
}
