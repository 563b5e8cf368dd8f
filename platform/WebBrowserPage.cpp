#include "platform/WebBrowserPage.h"

bool WebBrowserPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    bool accept = true;
    emit NavigationRequested(url, type, isMainFrame, accept);
    return accept;
}
