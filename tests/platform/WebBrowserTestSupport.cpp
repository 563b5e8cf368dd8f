#include "WebBrowserTestSupport.h"

#include <QMouseEvent>
#include <QTest>

namespace WebBrowserTest {

EventLog::EventLog(WebBrowser *browser)
{
    QObject::connect(browser, &WebBrowser::BeforeNavigate2, browser,
                     [this, browser](WebBrowser *pDisp, const QString &url, bool &) {
                         entries << QStringLiteral("BeforeNavigate2 %1 %2")
                                        .arg(pDisp == browser ? "top" : "frame", url);
                     });
    QObject::connect(browser, &WebBrowser::NavigateComplete2, browser,
                     [this](WebBrowser *, const QString &url) { entries << "NavigateComplete2 " + url; });
    QObject::connect(browser, &WebBrowser::DocumentComplete, browser,
                     [this](WebBrowser *, const QString &url) { entries << "DocumentComplete " + url; });
    QObject::connect(browser, &WebBrowser::DownloadBegin, browser, [this] { entries << "DownloadBegin"; });
    QObject::connect(browser, &WebBrowser::DownloadComplete, browser, [this] { entries << "DownloadComplete"; });
    QObject::connect(browser, &WebBrowser::ProgressChange, browser, [this](int progress, int max) {
        entries << QStringLiteral("ProgressChange %1 %2").arg(progress).arg(max);
    });
    QObject::connect(browser, &WebBrowser::StatusTextChange, browser,
                     [this](const QString &text) { entries << "StatusTextChange " + text; });
    QObject::connect(browser, &WebBrowser::TitleChange, browser,
                     [this](const QString &text) { entries << "TitleChange " + text; });
    QObject::connect(browser, &WebBrowser::CommandStateChange, browser, [this](int command, bool enable) {
        entries << QStringLiteral("CommandStateChange %1 %2").arg(command).arg(enable ? "true" : "false");
    });
    QObject::connect(browser, &WebBrowser::FtpNavigationRequested, browser,
                     [this](const QString &url) { entries << "FtpNavigationRequested " + url; });
}

int EventLog::Count(const QString &prefix) const
{
    return Matching(prefix).size();
}

int EventLog::IndexOf(const QString &prefix, int from) const
{
    for (int i = from; i < entries.size(); ++i)
        if (entries.at(i).startsWith(prefix))
            return i;
    return -1;
}

QStringList EventLog::Matching(const QString &prefix) const
{
    QStringList found;
    for (const QString &entry : entries)
        if (entry.startsWith(prefix))
            found << entry;
    return found;
}

} // namespace WebBrowserTest

namespace WebBrowserTest {

QPoint ElementCentre(WebBrowser *browser, const QString &selector)
{
    const QVariantList box = RunScript(browser->Page(),
                                       QStringLiteral("(function () { const r = document.querySelector('%1')"
                                                      ".getBoundingClientRect(); return [r.left + r.width / 2, "
                                                      "r.top + r.height / 2]; })()")
                                           .arg(selector))
                                 .toList();
    return QPoint(box.value(0).toInt(), box.value(1).toInt());
}

void ClickElement(WebBrowser *browser, const QString &selector, Qt::MouseButton button)
{
    const QPoint centre = ElementCentre(browser, selector);
    RunScript(browser->Page(), "window.mouseSeen = false;"
                               "document.addEventListener('mousemove', () => { window.mouseSeen = true; }, "
                               "{once: true});");
    int step = 0;
    QWidget *input = InputWidget(browser);
    const bool taken = WaitUntil([&] {
        // Sent to the page's own widget: a moved cursor would go to whichever window lies on top.
        const QPointF at = centre + QPoint(step++ % 2, 0);
        QMouseEvent move(QEvent::MouseMove, at, input->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(input, &move);
        return RunScript(browser->Page(), "window.mouseSeen").toBool();
    });
    if (!taken)
        ADD_FAILURE() << "the page never took the mouse over " << selector.toStdString();
    QTest::mouseClick(InputWidget(browser), button, {}, centre);
}

bool TakesKeys(WebBrowser *browser)
{
    RunScript(browser->Page(), "window.keySeen = false;"
                               "window.addEventListener('keydown', () => { window.keySeen = true; }, "
                               "{once: true, capture: true});");
    QWidget *input = InputWidget(browser);
    return WaitUntil([&] {
        QTest::keyClick(input, Qt::Key_Shift);
        return RunScript(browser->Page(), "window.keySeen").toBool();
    });
}

bool Load(WebBrowser *browser, const QUrl &url)
{
    bool complete = false;
    const QMetaObject::Connection connection =
        QObject::connect(browser, &WebBrowser::DocumentComplete, browser,
                         [&](WebBrowser *, const QString &address) { complete = complete || address == url.toString(); });
    browser->Navigate(url.toString());
    const bool done = WaitUntil([&] { return complete; });
    QObject::disconnect(connection);
    return done;
}

} // namespace WebBrowserTest
