#include "platform/WebBrowserPage.h"

#include "platform/DesktopOpener.h"

bool WebBrowserPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    // The engine hands an accepted link of a scheme it does not show (a "mailto" link) to
    // QDesktopServices::openUrl right after asking here; routed, it reaches the desktop's opener
    // with the user's environment. The engine never hands over a scheme it shows, so routing
    // that one changes nothing.
    DesktopOpener::Route(url.scheme());
    bool accept = true;
    emit NavigationRequested(url, type, isMainFrame, accept);
    return accept;
}
