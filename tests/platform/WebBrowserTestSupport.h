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
#include <QWebEngineScript>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

// Helpers of the browser tests: a data folder of their own, page files, scripts run in the page,
// and a log of the browser's events in the order they came.
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

// Runs a script in one of the page's worlds (the main world by default) and waits for its result;
// a page that never answers fails the case.
inline QVariant RunScript(QWebEnginePage *page, const QString &script, quint32 worldId = QWebEngineScript::MainWorld)
{
    const auto result = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, worldId, [result](const QVariant &value) { *result = value; });
    if (!WaitUntil([&] { return result->has_value(); }))
        ADD_FAILURE() << "the page never answered " << script.toStdString();
    return result->value_or(QVariant());
}

// The barrier of a check that a browser did not navigate: returns once the calls queued before
// have run and the page has answered a script sent after them. By then every navigation asked of
// the browser before has reached BeforeNavigate2; a later navigation would replace it unseen.
inline bool NavigationsStarted(WebBrowser *browser)
{
    if (!WaitForQueuedCalls())
        return false;
    const auto answered = std::make_shared<bool>(false);
    browser->Page()->runJavaScript(QStringLiteral("0"), [answered](const QVariant &) { *answered = true; });
    return WaitUntil([&] { return *answered; });
}

// Refuses every navigation of a browser while it lives and keeps the addresses it was asked
// for: a check that nothing was asked looks once NavigationsStarted has passed.
class NavigationRecorder
{
public:
    explicit NavigationRecorder(WebBrowser *browser)
        : m_connection(QObject::connect(browser, &WebBrowser::BeforeNavigate2, browser,
                                        [this](WebBrowser *, const QString &url, bool &cancel) {
                                            requested << url;
                                            cancel = true;
                                        }))
    {
    }
    ~NavigationRecorder() { QObject::disconnect(m_connection); }
    NavigationRecorder(const NavigationRecorder &) = delete;
    NavigationRecorder &operator=(const NavigationRecorder &) = delete;

    QStringList requested;

private:
    QMetaObject::Connection m_connection;
};

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

// Waits until the page takes keys, which it drops before its first frame is on screen: Shift, which
// types nothing, goes to the page until the page has seen one.
bool TakesKeys(WebBrowser *browser);

// Navigates and waits for the DocumentComplete of that address.
bool Load(WebBrowser *browser, const QUrl &url);

} // namespace WebBrowserTest
