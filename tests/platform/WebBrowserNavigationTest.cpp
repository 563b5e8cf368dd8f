#include "WebBrowserTestSupport.h"

#include "../support/LocalHttpServer.h"
#include "platform/InternetOptions.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace WebBrowserTest;

namespace {

class WebBrowserNavigation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Start());
        server.AddPage("/a.html", "<html><head><title>Page A</title></head>"
                                  "<body><a id=link href='/b.html'>to b</a></body></html>");
        server.AddPage("/b.html", "<html><head><title>Page B</title></head><body>b</body></html>");
        server.AddPage("/framed.html", "<html><head><title>Framed</title></head>"
                                       "<body><iframe src='/inner.html'></iframe></body></html>");
        server.AddPage("/inner.html", "<html><head><title>Inner</title></head><body>inner</body></html>");
        server.AddPage("/ftplink.html", "<html><body><a id=ftp href='ftp://127.0.0.1/pub/'>ftp</a></body></html>");
    }

    LocalHttpServer server;
    ShownBrowser browser;
};

// Whether the navigation that the log shows at its first entry starting with `entry` has ended:
// the engine ends a refused navigation too. Checks that it loaded nothing wait for this.
bool EndedAfter(const EventLog &log, const QString &entry)
{
    const int at = log.IndexOf(entry);
    return at >= 0 && log.IndexOf("DownloadComplete", at) > at;
}

} // namespace

TEST_F(WebBrowserNavigation, EventsComeInOrderWithStatusProgressAndTitle)
{
    EventLog log(&browser);
    const QString a = server.Url("/a.html").toString();
    ASSERT_TRUE(Load(&browser, server.Url("/a.html")));
    ASSERT_TRUE(WaitUntil([&] { return log.Count("DownloadComplete") >= 1; }));

    const int before = log.IndexOf("BeforeNavigate2 top " + a);
    const int opening = log.IndexOf("StatusTextChange Opening page " + a);
    const int navigated = log.IndexOf("NavigateComplete2 " + a);
    const int complete = log.IndexOf("DocumentComplete " + a);
    EXPECT_EQ(before, 0) << log.entries.join('\n').toStdString();
    EXPECT_LT(before, opening);
    EXPECT_LT(opening, navigated);
    EXPECT_LT(navigated, complete);
    EXPECT_GE(log.IndexOf("TitleChange Page A"), 0);
    EXPECT_GT(log.IndexOf("ProgressChange 100 100"), before);
    EXPECT_GT(log.IndexOf("ProgressChange -1 100"), log.IndexOf("ProgressChange 100 100"));
    EXPECT_GT(log.IndexOf("StatusTextChange Done"), opening);
    EXPECT_EQ(browser.LocationURL(), a);
    EXPECT_EQ(browser.LocationName(), "Page A");
    EXPECT_FALSE(browser.Busy());
}

TEST_F(WebBrowserNavigation, DocumentCompleteComesOncePerPage)
{
    EventLog log(&browser);
    ASSERT_TRUE(Load(&browser, server.Url("/framed.html")));
    ASSERT_TRUE(Load(&browser, server.Url("/a.html")));
    // A reload makes a new document of the same address: one more NavigateComplete2 and one more
    // DocumentComplete.
    browser.Refresh();
    ASSERT_TRUE(WaitUntil([&] { return log.Count("DocumentComplete") == 3; }));
    // A late second report of the reloaded page would come before the next page's.
    ASSERT_TRUE(Load(&browser, server.Url("/b.html")));

    EXPECT_EQ(log.Matching("DocumentComplete"),
              QStringList({"DocumentComplete " + server.Url("/framed.html").toString(),
                           "DocumentComplete " + server.Url("/a.html").toString(),
                           "DocumentComplete " + server.Url("/a.html").toString(),
                           "DocumentComplete " + server.Url("/b.html").toString()}));
    EXPECT_EQ(log.Count("NavigateComplete2"), 4) << log.entries.join('\n').toStdString();
    // The inner frame's navigation is announced, without a browser object of its own.
    EXPECT_GE(log.IndexOf("BeforeNavigate2 frame " + server.Url("/inner.html").toString()), 0);
}

TEST_F(WebBrowserNavigation, RefusedNavigationLoadsNothing)
{
    ASSERT_TRUE(Load(&browser, server.Url("/a.html")));
    EventLog log(&browser);
    QObject::connect(&browser, &WebBrowser::BeforeNavigate2, &browser,
            [](WebBrowser *, const QString &url, bool &cancel) { cancel = url.endsWith("/b.html"); });
    // A click on the link asks for b, which the host refuses.
    ClickElement(&browser, "#link");
    ASSERT_TRUE(WaitUntil([&] { return EndedAfter(log, "BeforeNavigate2 top " + server.Url("/b.html").toString()); }))
        << log.entries.join('\n').toStdString();

    EXPECT_EQ(log.Count("NavigateComplete2"), 0);
    EXPECT_EQ(log.Count("DocumentComplete"), 0);
    EXPECT_EQ(browser.LocationURL(), server.Url("/a.html").toString());
    EXPECT_FALSE(server.RequestedPaths().contains("/b.html"));
}

TEST_F(WebBrowserNavigation, BackAndForwardCommandStatesFollowTheHistory)
{
    EventLog log(&browser);
    ASSERT_TRUE(Load(&browser, server.Url("/a.html")));
    EXPECT_EQ(log.Count("CommandStateChange"), 0);
    ASSERT_TRUE(Load(&browser, server.Url("/b.html")));
    EXPECT_EQ(log.Matching("CommandStateChange"), QStringList({"CommandStateChange 2 true"}));

    log.entries.clear();
    browser.GoBack();
    ASSERT_TRUE(WaitUntil([&] { return log.Count("DocumentComplete") == 1; }));
    ASSERT_TRUE(WaitUntil([&] { return log.Count("CommandStateChange") == 2; }));
    EXPECT_EQ(browser.LocationURL(), server.Url("/a.html").toString());
    EXPECT_TRUE(log.entries.contains("CommandStateChange 2 false"));
    EXPECT_TRUE(log.entries.contains("CommandStateChange 1 true"));

    log.entries.clear();
    browser.GoForward();
    ASSERT_TRUE(WaitUntil([&] { return log.Count("DocumentComplete") == 1; }));
    ASSERT_TRUE(WaitUntil([&] { return log.Count("CommandStateChange") == 2; }));
    EXPECT_EQ(browser.LocationURL(), server.Url("/b.html").toString());
    EXPECT_TRUE(log.entries.contains("CommandStateChange 2 true"));
    EXPECT_TRUE(log.entries.contains("CommandStateChange 1 false"));
}

TEST_F(WebBrowserNavigation, FtpAddressesAreHandedOverAndNotLoaded)
{
    ASSERT_TRUE(Load(&browser, server.Url("/ftplink.html")));
    EventLog log(&browser);
    browser.Navigate("ftp://127.0.0.1/pub/file.txt");
    EXPECT_EQ(log.entries, QStringList({"BeforeNavigate2 top ftp://127.0.0.1/pub/file.txt",
                                        "FtpNavigationRequested ftp://127.0.0.1/pub/file.txt"}));

    // A link to an FTP address in the page is handed over the same way.
    ClickElement(&browser, "#ftp");
    ASSERT_TRUE(WaitUntil([&] { return log.Count("FtpNavigationRequested") == 2; }))
        << log.entries.join('\n').toStdString();
    EXPECT_EQ(log.Matching("FtpNavigationRequested").last(), "FtpNavigationRequested ftp://127.0.0.1/pub/");
    ASSERT_TRUE(WaitUntil([&] { return EndedAfter(log, "FtpNavigationRequested ftp://127.0.0.1/pub/"); }));
    EXPECT_EQ(log.Count("NavigateComplete2"), 0);
    EXPECT_EQ(browser.LocationURL(), server.Url("/ftplink.html").toString());

    // A typed FTP host name is an FTP address too.
    browser.Navigate("ftp.example.test");
    EXPECT_EQ(log.Matching("FtpNavigationRequested").last(), "FtpNavigationRequested ftp://ftp.example.test");

    // The host may refuse it before it is handed over.
    log.entries.clear();
    QObject::connect(&browser, &WebBrowser::BeforeNavigate2, &browser,
            [](WebBrowser *, const QString &, bool &cancel) { cancel = true; });
    browser.Navigate("ftp://127.0.0.1/");
    EXPECT_EQ(log.Count("FtpNavigationRequested"), 0);
}

TEST_F(WebBrowserNavigation, FailedPageCompletesUnderItsOwnAddress)
{
    EventLog log(&browser);
    const QString failing = "http://127.0.0.1:1/missing.html";
    ASSERT_TRUE(Load(&browser, QUrl(failing)));
    EXPECT_EQ(log.Matching("DocumentComplete"), QStringList({"DocumentComplete " + failing}));
    EXPECT_EQ(log.Matching("NavigateComplete2"), QStringList({"NavigateComplete2 " + failing}));
}

TEST_F(WebBrowserNavigation, LinkUnderTheMouseIsTheStatusText)
{
    ASSERT_TRUE(Load(&browser, server.Url("/a.html")));
    EventLog log(&browser);
    const QPoint link = ElementCentre(&browser, "#link");
    int step = 0;
    // Moves again until the page takes input (it drops what comes before its first frame).
    ASSERT_TRUE(WaitUntil([&] {
        QTest::mouseMove(InputWidget(&browser), link + QPoint(step++ % 2, 0));
        return log.Count("StatusTextChange " + server.Url("/b.html").toString()) == 1;
    }));
    QTest::mouseMove(InputWidget(&browser), QPoint(700, 500));
    ASSERT_TRUE(WaitUntil([&] { return log.entries.last() == "StatusTextChange "; }));
}

TEST_F(WebBrowserNavigation, GoHomeOpensTheHomePageOfTheInternetOptions)
{
    const QUrl home = WritePage("home.html", "<html><head><title>Home</title></head><body>home</body></html>");
    InternetOptions options(WebBrowser::DataFolder());
    ASSERT_TRUE(options.SetHomePage(home.toString()));
    bool complete = false;
    QObject::connect(&browser, &WebBrowser::DocumentComplete, &browser, [&](WebBrowser *, const QString &) { complete = true; });
    browser.GoHome();
    ASSERT_TRUE(WaitUntil([&] { return complete; }));
    EXPECT_EQ(browser.LocationURL(), home.toString());
    EXPECT_EQ(browser.LocationName(), "Home");
    ASSERT_TRUE(options.SetHomePage(""));
}

TEST_F(WebBrowserNavigation, BlankAndSourcePagesCompleteUnderTheirAddresses)
{
    EventLog log(&browser);
    ASSERT_TRUE(Load(&browser, QUrl("about:blank")));
    const QString source = "view-source:" + server.Url("/a.html").toString();
    ASSERT_TRUE(Load(&browser, QUrl(source)));
    // A second completion of either would come before the next page's.
    ASSERT_TRUE(Load(&browser, server.Url("/b.html")));
    EXPECT_EQ(log.Matching("DocumentComplete"),
              QStringList({"DocumentComplete about:blank", "DocumentComplete " + source,
                           "DocumentComplete " + server.Url("/b.html").toString()}));
}

// Whatever draws the windows on this machine (OpenGL, or Qt's software renderer where there is
// no graphics device), the page's own colours reach the window.
TEST_F(WebBrowserNavigation, ThePageIsDrawnInTheWindow)
{
    const QUrl page = WritePage("red.html", "<html><body style='margin:0;background:#c80000'>"
                                            "<div style='height:100px;background:#0000c8'></div></body></html>");
    ASSERT_TRUE(Load(&browser, page));
    const QPoint inRed(browser.width() / 2, browser.height() - 50);
    const QPoint inBlue(browser.width() / 2, 50);
    QImage shot;
    const bool drawn = WaitUntil([&] {
        shot = browser.grab().toImage();
        return shot.pixelColor(inRed) == QColor(200, 0, 0) && shot.pixelColor(inBlue) == QColor(0, 0, 200);
    });
    EXPECT_TRUE(drawn) << "red part " << shot.pixelColor(inRed).name().toStdString() << ", blue part "
                       << shot.pixelColor(inBlue).name().toStdString();
}
