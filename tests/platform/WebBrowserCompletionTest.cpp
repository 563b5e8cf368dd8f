#include "WebBrowserTestSupport.h"

#include "platform/HtmlDocument.h"

#include <QSignalSpy>
#include <QWebEngineScriptCollection>
#include <gtest/gtest.h>

using namespace WebBrowserTest;

namespace {

// A browser that loads two local pages and refuses every navigation to "refused.html".
class WebBrowserCompletion : public ::testing::Test
{
protected:
    void SetUp() override
    {
        a = WritePage("complete-a.html", "<html><head><title>A</title></head><body>a</body></html>");
        b = WritePage("complete-b.html", "<html><head><title>B</title></head><body>b</body></html>");
        refused = WritePage("refused.html", "<html><head><title>Refused</title></head><body>r</body></html>");
        QObject::connect(&browser, &WebBrowser::BeforeNavigate2, &browser,
                         [](WebBrowser *, const QString &url, bool &cancel) { cancel = url.endsWith("/refused.html"); });
    }

    // Starts a navigation and waits until the engine has ended its load.
    void NavigateAndWait(const std::function<void()> &navigate)
    {
        const int before = loadsEnded;
        navigate();
        ASSERT_TRUE(WaitUntil([&] { return loadsEnded > before; }));
    }

    QUrl a, b, refused;
    ShownBrowser browser;
    int loadsEnded = 0;
    QMetaObject::Connection loadCount = QObject::connect(
        browser.Page(), &QWebEnginePage::loadFinished, &browser, [this] { ++loadsEnded; });
};

// The addresses of the events of one kind, one a line, or the addresses given.
std::string Texts(const EventLog &log, const QString &event)
{
    QStringList addresses;
    for (const QString &entry : log.Matching(event + " "))
        addresses << entry.mid(event.size() + 1);
    return addresses.join('\n').toStdString();
}

std::string Texts(const QList<QUrl> &urls)
{
    QStringList addresses;
    for (const QUrl &url : urls)
        addresses << url.toString();
    return addresses.join('\n').toStdString();
}

} // namespace

// The page reports its loaded window over the script channel, and the engine reports the end of
// the load: whichever comes first completes the document, the other changes nothing.
TEST_F(WebBrowserCompletion, EachPageCompletesOnceAndARefusedNavigationNever)
{
    EventLog log(&browser);
    QSignalSpy pageReports(browser.Document(), &HtmlDocument::WindowLoadReported);
    QSignalSpy windowLoads(browser.Document(), &HtmlDocument::onload);
    NavigateAndWait([&] { browser.Navigate(a.toString()); });
    NavigateAndWait([&] { browser.Navigate(refused.toString()); });
    NavigateAndWait([&] { browser.Navigate(b.toString()); });
    NavigateAndWait([&] { browser.GoBack(); });
    ASSERT_TRUE(WaitUntil([&] { return pageReports.count() == 3; }));

    EXPECT_EQ(Texts(log, "NavigateComplete2"), Texts({a, b, a})) << log.entries.join("\n").toStdString();
    EXPECT_EQ(Texts(log, "DocumentComplete"), Texts({a, b, a})) << log.entries.join('\n').toStdString();
    for (int from = 0, i = 0; i < 3; ++i) {
        const int navigated = log.IndexOf("NavigateComplete2", from);
        const int complete = log.IndexOf("DocumentComplete", from);
        EXPECT_LT(navigated, complete) << log.entries.join('\n').toStdString();
        from = complete + 1;
    }
    EXPECT_EQ(browser.LocationURL(), a.toString());
    // The window's load comes once per page, with the page's own address and title.
    ASSERT_EQ(windowLoads.count(), 3);
    EXPECT_EQ(windowLoads.at(1), QVariantList({b.toString(), QString("B")}));
}

// A page without a title has an empty one, whoever reports its load.
TEST_F(WebBrowserCompletion, UntitledPageLoadsWithAnEmptyTitle)
{
    const QUrl untitled = WritePage("untitled.html", "<html><body>no title</body></html>");
    QSignalSpy pageReports(browser.Document(), &HtmlDocument::WindowLoadReported);
    QSignalSpy windowLoads(browser.Document(), &HtmlDocument::onload);
    NavigateAndWait([&] { browser.Navigate(untitled.toString()); });
    ASSERT_TRUE(WaitUntil([&] { return pageReports.count() == 1; }));
    ASSERT_EQ(windowLoads.count(), 1);
    EXPECT_EQ(windowLoads.at(0), QVariantList({untitled.toString(), QString()}));
}

// The end of the load completes the page without the page's own report: the document is
// complete even when the page's script channel never opens.
TEST_F(WebBrowserCompletion, PageCompletesWithoutThePageScript)
{
    browser.Page()->scripts().clear();
    EventLog log(&browser);
    NavigateAndWait([&] { browser.Navigate(a.toString()); });
    NavigateAndWait([&] { browser.Navigate(refused.toString()); });
    NavigateAndWait([&] { browser.Navigate(b.toString()); });

    EXPECT_EQ(Texts(log, "NavigateComplete2"), Texts({a, b}));
    EXPECT_EQ(Texts(log, "DocumentComplete"), Texts({a, b})) << log.entries.join('\n').toStdString();
    EXPECT_LT(log.IndexOf("NavigateComplete2 " + b.toString()), log.IndexOf("DocumentComplete " + b.toString()));
    EXPECT_EQ(browser.LocationName(), "B");
}
