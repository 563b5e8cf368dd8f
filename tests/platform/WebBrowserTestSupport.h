#pragma once

#include "platform/WebBrowser.h"
#include "tests/support/WaitFor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <functional>

// Helpers of the browser tests: a data folder of their own, page files, waiting with a deadline,
// scripts run in the page, and a log of the browser's events in the order they came.
namespace WebBrowserTest {

// The data folder that every browser of the test binary uses (set before the first browser).
inline QTemporaryDir &DataFolder()
{
    static QTemporaryDir folder;
    static const bool set = [] {
        WebBrowser::SetDataFolder(folder.path());
        return true;
    }();
    Q_UNUSED(set);
    return folder;
}

namespace Detail {
struct WithDataFolder
{
    WithDataFolder() { DataFolder(); }
};
}

// A browser shown at the tests' size. The data folder is set before the browser is made, since
// the first browser fixes where the engine keeps its storage for the whole binary.
class ShownBrowser : private Detail::WithDataFolder, public WebBrowser
{
public:
    ShownBrowser()
    {
        resize(800, 600);
        show();
    }
};

// Writes a page into the data folder's "pages" folder and returns its address.
inline QUrl WritePage(const QString &name, const QByteArray &html)
{
    QDir dir(DataFolder().path());
    dir.mkpath("pages");
    QFile file(dir.filePath("pages/" + name));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(html);
    file.close();
    return QUrl::fromLocalFile(file.fileName());
}

// Lets events run until the condition holds or the deadline passes; returns the condition.
// Page loads take longer than the other tests' waits.
inline bool WaitFor(const std::function<bool()> &condition, int timeoutMs = 20000)
{
    return WaitUntil(condition, timeoutMs);
}

// Runs a script in the page's main world and waits for its result.
inline QVariant RunScript(QWebEnginePage *page, const QString &script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    WaitFor([&] { return done; });
    return result;
}

// Records the browser's events as short texts, e.g. "BeforeNavigate2 top http://...".
class EventLog
{
public:
    explicit EventLog(WebBrowser *browser);

    QStringList entries;
    int Count(const QString &prefix) const;
    int IndexOf(const QString &prefix, int from = 0) const;
    QStringList Matching(const QString &prefix) const;
};

} // namespace WebBrowserTest

namespace WebBrowserTest {

// The widget of the view that takes the mouse and the keyboard.
inline QWidget *InputWidget(WebBrowser *browser)
{
    return browser->View()->focusProxy() ? browser->View()->focusProxy() : browser->View();
}

// The centre of the first element that matches a selector, in view coordinates.
QPoint ElementCentre(WebBrowser *browser, const QString &selector);

// Clicks the centre of the first element that matches a selector, once the page takes input: the
// engine drops input that comes before the page's first frame is on screen.
void ClickElement(WebBrowser *browser, const QString &selector, Qt::MouseButton button = Qt::LeftButton);

// Navigates and waits for the page's DocumentComplete.
bool Load(WebBrowser *browser, const QUrl &url);

} // namespace WebBrowserTest
