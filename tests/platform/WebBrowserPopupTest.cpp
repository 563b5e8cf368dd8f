#include "WebBrowserTestSupport.h"

#include "../support/LocalHttpServer.h"
#include "platform/HtmlDocument.h"

#include <gtest/gtest.h>
#include <memory>

using namespace WebBrowserTest;

namespace {

// Logs the window requests that a browser passes on to its host.
QStringList *LogWindowRequests(WebBrowser *browser)
{
    auto *log = new QStringList;
    QObject::connect(browser, &QObject::destroyed, [log] { delete log; });
    auto add = [log](const QString &entry) { *log << entry; };
    QObject::connect(browser, &WebBrowser::WindowSetLeft, browser, [add](int v) { add(QString("Left %1").arg(v)); });
    QObject::connect(browser, &WebBrowser::WindowSetTop, browser, [add](int v) { add(QString("Top %1").arg(v)); });
    QObject::connect(browser, &WebBrowser::WindowSetWidth, browser, [add](int v) { add(QString("Width %1").arg(v)); });
    QObject::connect(browser, &WebBrowser::WindowSetHeight, browser, [add](int v) { add(QString("Height %1").arg(v)); });
    QObject::connect(browser, &WebBrowser::OnMenuBar, browser, [add](bool v) { add(QString("MenuBar %1").arg(v)); });
    QObject::connect(browser, &WebBrowser::OnToolBar, browser, [add](bool v) { add(QString("ToolBar %1").arg(v)); });
    QObject::connect(browser, &WebBrowser::OnStatusBar, browser, [add](bool v) { add(QString("StatusBar %1").arg(v)); });
    QObject::connect(browser, &WebBrowser::WindowClosing, browser, [add](bool child) { add(QString("Closing %1").arg(child)); });
    return log;
}

class WebBrowserPopups : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Start());
        server.AddPage("/opener.html",
                       "<html><body><a id=blank href='/popup.html' target=_blank>new</a>"
                       "<button id=features onclick=\"window.open('/popup.html', 'p', "
                       "'left=10,top=20,width=320,height=240')\">open</button></body></html>");
        server.AddPage("/popup.html", "<html><head><title>Popup</title></head><body>popup</body></html>");
        server.AddPage("/resizer.html",
                       "<html><body><button id=resize onclick='window.resizeTo(400, 300)'>resize</button>"
                       "<button id=close onclick='window.close()'>close</button></body></html>");
        ASSERT_TRUE(Load(&opener, server.Url("/opener.html")));
    }

    void Click(WebBrowser *browser, const QString &selector)
    {
        ClickElement(browser, selector);
    }

    LocalHttpServer server;
    ShownBrowser opener;
};

} // namespace

TEST_F(WebBrowserPopups, HostSuppliesTheBrowserOfTheNewWindow)
{
    std::unique_ptr<WebBrowser> popup;
    QString requested;
    bool userInitiated = false;
    QObject::connect(&opener, &WebBrowser::NewWindow2, &opener,
                     [&](WebBrowser *&ppDisp, bool &, const QString &url, bool gesture) {
                         popup = std::make_unique<WebBrowser>();
                         popup->resize(400, 300);
                         popup->show();
                         ppDisp = popup.get();
                         requested = url;
                         userInitiated = gesture;
                     });
    Click(&opener, "#blank");
    ASSERT_TRUE(WaitUntil([&] { return popup != nullptr; }));
    bool complete = false;
    QObject::connect(popup.get(), &WebBrowser::DocumentComplete, popup.get(),
                     [&](WebBrowser *, const QString &) { complete = true; });
    ASSERT_TRUE(WaitUntil([&] { return complete; }));

    EXPECT_EQ(requested, server.Url("/popup.html").toString());
    EXPECT_TRUE(userInitiated);
    EXPECT_EQ(popup->LocationURL(), server.Url("/popup.html").toString());
    EXPECT_EQ(opener.LocationURL(), server.Url("/opener.html").toString());
}

TEST_F(WebBrowserPopups, CancelledPopupOpensNothing)
{
    // The host offers a browser and cancels as well: the cancel holds. The next request for the
    // same page is taken, and its fetch comes after any fetch of the cancelled one.
    WebBrowser offered;
    std::unique_ptr<WebBrowser> taken;
    bool takenComplete = false;
    int requests = 0;
    QObject::connect(&opener, &WebBrowser::NewWindow2, &opener,
                     [&](WebBrowser *&ppDisp, bool &cancel, const QString &, bool) {
                         if (++requests == 1) {
                             ppDisp = &offered;
                             cancel = true;
                             return;
                         }
                         taken = std::make_unique<WebBrowser>();
                         QObject::connect(taken.get(), &WebBrowser::DocumentComplete, taken.get(),
                                          [&](WebBrowser *, const QString &) { takenComplete = true; });
                         ppDisp = taken.get();
                     });
    Click(&opener, "#blank");
    ASSERT_TRUE(WaitUntil([&] { return requests == 1; }));
    Click(&opener, "#blank");
    ASSERT_TRUE(WaitUntil([&] { return takenComplete; }));

    // The opener's page stays in place, and only the taken popup's page was fetched.
    EXPECT_EQ(server.RequestedPaths().count("/popup.html"), 1);
    EXPECT_TRUE(offered.LocationURL().isEmpty()) << offered.LocationURL().toStdString();
    EXPECT_EQ(opener.LocationURL(), server.Url("/opener.html").toString());
}

TEST_F(WebBrowserPopups, WindowFeaturesReachTheNewWindowsHost)
{
    std::unique_ptr<WebBrowser> popup;
    QStringList *requests = nullptr;
    QObject::connect(&opener, &WebBrowser::NewWindow2, &opener, [&](WebBrowser *&ppDisp, bool &, const QString &, bool) {
        popup = std::make_unique<WebBrowser>();
        requests = LogWindowRequests(popup.get());
        ppDisp = popup.get();
    });
    Click(&opener, "#features");
    ASSERT_TRUE(WaitUntil([&] { return popup && requests->size() >= 7; }))
        << (requests ? requests->join(", ").toStdString() : "no popup");
    EXPECT_TRUE(requests->contains("MenuBar 0"));
    EXPECT_TRUE(requests->contains("ToolBar 0"));
    EXPECT_TRUE(requests->contains("StatusBar 0"));
    EXPECT_TRUE(requests->contains("Width 320")) << requests->join(", ").toStdString();
    EXPECT_TRUE(requests->contains("Height 240"));
    EXPECT_TRUE(requests->contains("Left 10"));
    EXPECT_TRUE(requests->contains("Top 20"));
}

TEST_F(WebBrowserPopups, ResizeAndCloseRequestsReachTheHost)
{
    std::unique_ptr<WebBrowser> popup;
    QStringList *requests = nullptr;
    QObject::connect(&opener, &WebBrowser::NewWindow2, &opener, [&](WebBrowser *&ppDisp, bool &, const QString &, bool) {
        popup = std::make_unique<WebBrowser>();
        popup->resize(600, 500);
        popup->show();
        requests = LogWindowRequests(popup.get());
        ppDisp = popup.get();
    });
    RunScript(opener.Page(), QString("window.open('%1', 'r', 'width=600,height=500')").arg(server.Url("/resizer.html").toString()));
    ASSERT_TRUE(WaitUntil([&] { return popup != nullptr; }));
    ASSERT_TRUE(WaitUntil([&] {
        return RunScript(popup->Page(), "document.getElementById('close') !== null && document.readyState").toString()
            == "complete";
    }));
    requests->clear();

    // A resize keeps the position, a move keeps the size: only what changes is asked for.
    popup->move(100, 80);
    Click(popup.get(), "#resize");
    ASSERT_TRUE(WaitUntil([&] { return requests->contains("Width 400") && requests->contains("Height 300"); }))
        << requests->join(", ").toStdString();
    EXPECT_EQ(*requests, QStringList({"Width 400", "Height 300"}));
    requests->clear();
    RunScript(popup->Page(), "window.moveTo(50, 60)");
    ASSERT_TRUE(WaitUntil([&] { return requests->size() == 2; }));
    EXPECT_EQ(*requests, QStringList({"Left 50", "Top 60"}));

    Click(popup.get(), "#close");
    ASSERT_TRUE(WaitUntil([&] { return requests->contains("Closing 0"); })) << requests->join(", ").toStdString();
}

// The host decides on a popup by the link click before it (the page reports the click over its
// asynchronous channel, the engine asks for the window directly): the click must come first.
TEST_F(WebBrowserPopups, LinkClickIsReportedBeforeTheNewWindowRequest)
{
    opener.Document()->SetEventRule("click", {true, HtmlDocument::CancelWhen::Never});
    RunScript(opener.Page(), "0");
    QStringList order;
    QObject::connect(opener.Document(), &HtmlDocument::onclick, opener.Document(),
                     [&](const HtmlEvent &e) { order << "click " + e.SrcTagName; });
    QObject::connect(&opener, &WebBrowser::NewWindow2, &opener,
                     [&](WebBrowser *&, bool &cancel, const QString &, bool gesture) {
                         order << QString("NewWindow2 %1").arg(gesture);
                         cancel = true;
                     });
    for (int i = 1; i <= 3; ++i) {
        Click(&opener, "#blank");
        ASSERT_TRUE(WaitUntil([&] { return order.size() == 2 * i; }));
    }
    EXPECT_EQ(order, QStringList({"click A", "NewWindow2 1", "click A", "NewWindow2 1", "click A", "NewWindow2 1"}));
}
