#include "WebBrowserTestSupport.h"

#include "platform/HtmlDocument.h"
#include "platform/HtmlDocumentScript.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

using namespace WebBrowserTest;

namespace {

const QByteArray EventPage = R"(<!DOCTYPE html><html><head><title>Events</title></head><body>
<p id=text>Plain text of the page.</p>
<a id=link href='#anchor'>a link <b id=bold>bold</b></a>
<p><input id=box type=text value=''></p>
<p><img id=image width=40 height=40 src='data:image/gif;base64,R0lGODlhAQABAAAAACw='></p>
<script>
  window.prevented = {};
  for (const type of ['click', 'contextmenu', 'keypress'])
      document.addEventListener(type, e => { window.prevented[type] = e.defaultPrevented; });
</script>
</body></html>)";

class HtmlDocumentEvents : public ::testing::Test
{
protected:
    void SetUp() override
    {
        document = browser.Document();
        QObject::connect(document, &HtmlDocument::onclick, document, [this](const HtmlEvent &e) { events << e; });
        QObject::connect(document, &HtmlDocument::oncontextmenu, document, [this](const HtmlEvent &e) { events << e; });
        QObject::connect(document, &HtmlDocument::onkeypress, document, [this](const HtmlEvent &e) { events << e; });
        QObject::connect(document, &HtmlDocument::onselectstart, document, [this](const HtmlEvent &e) { events << e; });
        QObject::connect(document, &HtmlDocument::onmouseup, document, [this](const HtmlEvent &e) { events << e; });
    }

    void Click(const QString &selector, Qt::MouseButton button = Qt::LeftButton)
    {
        ClickElement(&browser, selector, button);
    }

    // Waits for the next reported event of a type and returns it.
    HtmlEvent Next(const QString &type)
    {
        const int from = events.size();
        HtmlEvent found;
        const bool came = WaitUntil([&] {
            for (int i = from; i < events.size(); ++i)
                if (events.at(i).Type == type) {
                    found = events.at(i);
                    return true;
                }
            return false;
        });
        if (!came)
            ADD_FAILURE() << "no " << type.toStdString() << " event came";
        return found;
    }

    QVariant Prevented(const QString &type)
    {
        return RunScript(browser.Page(), "window.prevented['" + type + "']");
    }

    ShownBrowser browser;
    HtmlDocument *document = nullptr;
    QList<HtmlEvent> events;
};

double TextHeight(WebBrowser *browser)
{
    // The text's own boxes: a smaller font cannot make the paragraph's line lower than its strut.
    return RunScript(browser->Page(), "(function () { const r = document.createRange();"
                                      " r.selectNodeContents(document.getElementById('text'));"
                                      " return r.getBoundingClientRect().height; })()")
        .toDouble();
}

void ApplyFontSize(WebBrowser *browser, int size)
{
    bool done = false;
    browser->ExecWB(WebBrowser::OLECMDID_SELECTALL);
    browser->Document()->execCommand("FontSize", false, size, [&](bool) { done = true; });
    browser->ExecWB(WebBrowser::OLECMDID_CLEARSELECTION);
    ASSERT_TRUE(WaitUntil([&] { return done; }));
}

} // namespace

TEST_F(HtmlDocumentEvents, ClicksAreReportedWithTheElementAndItsParent)
{
    ASSERT_TRUE(Load(&browser, WritePage("events.html", EventPage)));
    document->SetEventRule("click", {true, HtmlDocument::CancelWhen::WithoutParentElement});

    Click("#link");
    HtmlEvent e = Next("click");
    EXPECT_EQ(e.SrcTagName, "A");
    EXPECT_TRUE(e.SrcHref.endsWith("events.html#anchor")) << e.SrcHref.toStdString();
    EXPECT_EQ(e.SrcText, e.SrcHref);
    EXPECT_EQ(e.ParentTagName, "BODY");
    EXPECT_TRUE(e.SrcOuterHTML.startsWith("<a id=\"link\" href=\"#anchor\">"));
    EXPECT_FALSE(e.Cancelled);
    EXPECT_EQ(Prevented("click"), false);

    // An element inside a link: its parent's text value is the link's address.
    Click("#bold");
    e = Next("click");
    EXPECT_EQ(e.SrcTagName, "B");
    EXPECT_TRUE(e.ParentText.endsWith("events.html#anchor"));

    // Below the body the click lands on the root element, which has no parent: cancelled.
    QTest::mouseClick(InputWidget(&browser), Qt::LeftButton, {}, QPoint(400, 560));
    e = Next("click");
    EXPECT_EQ(e.SrcTagName, "HTML");
    EXPECT_FALSE(e.HasParentElement);
    EXPECT_TRUE(e.Cancelled);
    EXPECT_EQ(Prevented("click"), true);
}

TEST_F(HtmlDocumentEvents, ContextMenuIsCancelledAndReportedWithTheActiveElementAndSelection)
{
    ASSERT_TRUE(Load(&browser, WritePage("events.html", EventPage)));
    document->SetEventRule("contextmenu", {true, HtmlDocument::CancelWhen::Always});

    Click("#image", Qt::RightButton);
    HtmlEvent e = Next("contextmenu");
    EXPECT_EQ(e.SrcTagName, "IMG");
    EXPECT_EQ(e.SelectionType, "None");
    EXPECT_TRUE(e.Cancelled);
    EXPECT_EQ(Prevented("contextmenu"), true);

    // A right-click inside a link makes the link the active element; the selection stays.
    browser.ExecWB(WebBrowser::OLECMDID_SELECTALL);
    Click("#bold", Qt::RightButton);
    e = Next("contextmenu");
    EXPECT_EQ(e.SrcTagName, "B");
    EXPECT_EQ(e.SelectionType, "Text");
    EXPECT_EQ(e.ActiveTagName, "A");
    EXPECT_TRUE(e.ActiveHref.endsWith("#anchor"));
    EXPECT_TRUE(e.ActiveOuterHTML.startsWith("<a id=\"link\""));

    Click("#box", Qt::RightButton);
    e = Next("contextmenu");
    EXPECT_EQ(e.SrcTagName, "INPUT");
    EXPECT_EQ(e.SrcTypeAttribute, "text");
}

TEST_F(HtmlDocumentEvents, KeyPressesGoOnAndEventsWithoutRuleAreNotReported)
{
    ASSERT_TRUE(Load(&browser, WritePage("events.html", EventPage)));
    document->SetEventRule("keypress", {true, HtmlDocument::CancelWhen::Never});
    Click("#box");
    QTest::keyClick(InputWidget(&browser), Qt::Key_Q);
    const HtmlEvent e = Next("keypress");
    EXPECT_EQ(e.SrcTagName, "INPUT");
    EXPECT_EQ(e.KeyCode, int('q'));
    EXPECT_FALSE(e.Cancelled);
    ASSERT_TRUE(WaitUntil([&] { return RunScript(browser.Page(), "document.getElementById('box').value") == "q"; }));
    for (const HtmlEvent &event : events)
        EXPECT_NE(event.Type, "click");

    // A rule that is not reported still decides in the page.
    document->SetEventRule("keypress", {false, HtmlDocument::CancelWhen::Always});
    RunScript(browser.Page(), "0"); // the page has the new rule once a later script has run
    const int reported = events.size();
    QTest::keyClick(InputWidget(&browser), Qt::Key_W);
    ASSERT_TRUE(WaitUntil([&] { return Prevented("keypress") == true; }));
    EXPECT_EQ(RunScript(browser.Page(), "document.getElementById('box').value"), "q");
    EXPECT_EQ(events.size(), reported);
}

TEST_F(HtmlDocumentEvents, RulesHoldForLaterDocumentsAndLoadIsReported)
{
    document->SetEventRule("mouseup", {true, HtmlDocument::CancelWhen::Never});
    QStringList loads;
    QObject::connect(document, &HtmlDocument::onload, document,
                     [&](const QString &href, const QString &title) { loads << href + " " + title; });
    const QUrl url = WritePage("events.html", EventPage);
    ASSERT_TRUE(Load(&browser, url));
    ASSERT_TRUE(WaitUntil([&] { return loads.size() == 1; }));
    EXPECT_EQ(loads.first(), url.toString() + " Events");
    EXPECT_EQ(document->Title(), "Events");
    EXPECT_EQ(document->URL(), url.toString());

    Click("#text");
    EXPECT_EQ(Next("mouseup").SrcTagName, "P");
}

// The engine may hand a new document the channel's transport only after the document script has
// run there: the document's commands work at once, and its events are reported once it comes.
TEST_F(HtmlDocumentEvents, TheDocumentScriptWorksBeforeTheChannelArrivesAndReportsOnceItHas)
{
    ASSERT_TRUE(Load(&browser, WritePage("events.html", EventPage)));
    const quint32 world = HtmlDocument::ScriptWorldId;
    RunScript(browser.Page(), "delete window.__kvDocument; window.__kvQt = window.qt; window.qt = undefined;", world);
    RunScript(browser.Page(), HtmlDocumentScript::Source("{}"), world);
    EXPECT_EQ(RunScript(browser.Page(), "typeof window.__kvDocument", world).toString(), "object");
    browser.ExecWB(WebBrowser::OLECMDID_SELECTALL);
    EXPECT_TRUE(WaitUntil([&] { return RunScript(browser.Page(), "document.getSelection().type") == "Range"; }));

    RunScript(browser.Page(), "window.qt = window.__kvQt;", world);
    // Only the script run last takes new rules: a report comes through its own channel.
    document->SetEventRule("mouseup", {true, HtmlDocument::CancelWhen::Never});
    Click("#text");
    EXPECT_EQ(Next("mouseup").SrcTagName, "P");
}

TEST(HtmlDocument, FontSizeChangesTheRenderedTextSize)
{
    ShownBrowser browser;
    ASSERT_TRUE(Load(&browser, WritePage("sizes.html", EventPage)));
    const double normal = TextHeight(&browser);
    ASSERT_GT(normal, 0);

    ApplyFontSize(&browser, 7);
    const double largest = TextHeight(&browser);
    EXPECT_GT(largest, normal * 1.5);
    ApplyFontSize(&browser, 1);
    EXPECT_LT(TextHeight(&browser), normal);
    // The page is not left editable, and the selection is gone.
    EXPECT_EQ(RunScript(browser.Page(), "document.designMode"), "off");
    EXPECT_NE(RunScript(browser.Page(), "document.getSelection().type"), "Range");
}

TEST(HtmlDocument, DesignModeMakesThePageEditable)
{
    ShownBrowser browser;
    ASSERT_TRUE(Load(&browser, WritePage("design.html", "<html><body><p id=text>x</p></body></html>")));
    EXPECT_EQ(browser.Document()->designMode(), "Off");
    browser.Document()->setDesignMode("On");
    EXPECT_EQ(browser.Document()->designMode(), "On");
    ASSERT_TRUE(WaitUntil([&] { return RunScript(browser.Page(), "document.designMode") == "on"; }));
    browser.Document()->setDesignMode("Off");
    ASSERT_TRUE(WaitUntil([&] { return RunScript(browser.Page(), "document.designMode") == "off"; }));
}

TEST(WebBrowserCommands, SelectAllAndCopyPutThePageTextOnTheClipboard)
{
    ShownBrowser browser;
    ASSERT_TRUE(Load(&browser, WritePage("copy.html", "<html><body><p>Copied words</p>"
                                                      "<input id=box type=text></body></html>")));
    QApplication::clipboard()->setText("before");
    browser.ExecWB(WebBrowser::OLECMDID_SELECTALL);
    browser.ExecWB(WebBrowser::OLECMDID_COPY);
    ASSERT_TRUE(WaitUntil([] { return QApplication::clipboard()->text().contains("Copied words"); }))
        << QApplication::clipboard()->text().toStdString();

    // Clearing the selection and copying again changes nothing.
    browser.ExecWB(WebBrowser::OLECMDID_CLEARSELECTION);
    QApplication::clipboard()->setText("kept");
    browser.ExecWB(WebBrowser::OLECMDID_COPY);
    ASSERT_TRUE(WaitUntil([&] { return RunScript(browser.Page(), "document.getSelection().type") != "Range"; }));
    EXPECT_EQ(QApplication::clipboard()->text(), "kept");

    // Paste goes into the focused text box.
    RunScript(browser.Page(), "document.getElementById('box').focus()");
    browser.ExecWB(WebBrowser::OLECMDID_PASTE);
    ASSERT_TRUE(WaitUntil([&] { return RunScript(browser.Page(), "document.getElementById('box').value") == "kept"; }));
}
