#pragma once

#include <QWebEnginePage>

// The engine page behind a WebBrowser: it hands every navigation request to its owner, which
// decides, before the engine goes on, whether the navigation happens.
class WebBrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    using QWebEnginePage::QWebEnginePage;

signals:
    // Set Accept false to refuse the navigation; the engine then loads nothing.
    void NavigationRequested(const QUrl &url, NavigationType type, bool isMainFrame, bool &Accept);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
};
