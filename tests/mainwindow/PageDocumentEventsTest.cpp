#include "MainWindowFixture.h"

#include "app/CommandIds.h"
#include "platform/CommandBars.h"
#include "platform/HtmlDocument.h"
#include "tests/platform/WebBrowserTestSupport.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QMenu>

namespace {

QByteArray PngDataUrl()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return "data:image/png;base64," + png.toBase64();
}

class PageDocumentEvents : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        const QByteArray image = PngDataUrl();
        server.AddPage("/menus.html",
                       "<html><body style='margin:0'>"
                       "<p><a id=link href='/target.html'>a link</a></p>"
                       "<p><img id=image src='" + image + "' width=60 height=60></p>"
                       "<p><a href='/target.html'><img id=linkimage src='" + image + "' width=60 height=60></a></p>"
                       "<p><input id=box type=text value=''></p>"
                       "<p id=text>Some plain text of the page.</p>"
                       "<div id=empty style='height:80px'></div>"
                       "</body></html>");
        server.AddPage("/target.html", "<html><head><title>Target</title></head><body>target</body></html>");
        ASSERT_TRUE(LoadPage(form, server.Url("/menus.html")));
    }

    // The first command of the context menu that is open, 0 while none is.
    int OpenMenuFirstCommand() const
    {
        for (CommandBar *bar : form->CommandBarsMain->PopupBars())
            if (bar->Widget() && bar->Widget()->isVisible())
                return bar->Controls().Item(1)->Id();
        return 0;
    }

    // Right-clicks an element and returns the menu that opens for it (then closes it).
    int ContextMenuOf(const QString &selector)
    {
        WebBrowserTest::ClickElement(form->WebBrowserMain, selector, Qt::RightButton);
        if (!WaitUntil([&] { return OpenMenuFirstCommand() != 0; }))
            ADD_FAILURE() << "no menu opened for " << selector.toStdString();
        const int shown = OpenMenuFirstCommand();
        for (CommandBar *bar : form->CommandBarsMain->PopupBars())
            if (bar->Widget())
                bar->Widget()->hide();
        return shown;
    }

    // Every visible menu in the program other than the window's own context menus.
    int ForeignMenusShown() const
    {
        int count = 0;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (qobject_cast<QMenu *>(top) && top->isVisible()) {
                bool own = false;
                for (CommandBar *bar : form->CommandBarsMain->PopupBars())
                    own = own || bar->Widget() == top;
                count += own ? 0 : 1;
            }
        return count;
    }
};

// Each context menu, known by its first command.
constexpr int kLinkMenu = CommandId::OpenLink;
constexpr int kImageMenu = CommandId::SaveImageAs;
constexpr int kTextEditMenu = CommandId::TextEditCut;
constexpr int kPageMenu = CommandId::Back;

} // namespace

TEST_F(PageDocumentEvents, RightClickShowsTheWindowsMenuForWhatIsUnderTheMouse)
{
    EXPECT_EQ(ContextMenuOf("#link"), kLinkMenu);
    EXPECT_EQ(ContextMenuOf("#linkimage"), kLinkMenu) << "an image inside a link";
    EXPECT_EQ(ContextMenuOf("#image"), kImageMenu);
    EXPECT_EQ(ContextMenuOf("#box"), kTextEditMenu);
    EXPECT_EQ(ContextMenuOf("#empty"), kPageMenu);
    EXPECT_EQ(ForeignMenusShown(), 0) << "the browser's own menu never shows";
    EXPECT_EQ(form->WebBrowserMain->LocationURL(), server.Url("/menus.html").toString());
}

TEST_F(PageDocumentEvents, RightClickWhileTextIsSelectedShowsTheTextEditMenu)
{
    WebBrowserTest::RunScript(form->WebBrowserMain->Page(),
                              "getSelection().selectAllChildren(document.getElementById('text'))");
    EXPECT_EQ(ContextMenuOf("#text"), kTextEditMenu);
}

TEST_F(PageDocumentEvents, ClickOnALinkIsNotedAndGoesOn)
{
    form->LinkClicked = false;
    int clicks = 0;
    QObject::connect(form->docMain, &HtmlDocument::onclick, form, [&](const HtmlEvent &) { ++clicks; });
    WebBrowserTest::ClickElement(form->WebBrowserMain, "#text");
    ASSERT_TRUE(WaitUntil([&] { return clicks == 1; }));
    EXPECT_FALSE(form->LinkClicked) << "a click on text leaves the flag alone";

    // The flag is set when the click is reported, and cleared when the link's page has arrived.
    bool setBeforeNavigation = false;
    QObject::connect(form->WebBrowserMain, &WebBrowser::NavigateComplete2, form,
                     [&](WebBrowser *, const QString &) { setBeforeNavigation = setBeforeNavigation || form->LinkClicked; });
    const auto hook = QObject::connect(form->docMain, &HtmlDocument::onclick, form,
                                       [&](const HtmlEvent &) { setBeforeNavigation = form->LinkClicked; });
    WebBrowserTest::ClickElement(form->WebBrowserMain, "#link");
    ASSERT_TRUE(WaitUntil([&] { return form->windowTitle() == QStringLiteral(" Kestrelvue - Target"); }));
    QObject::disconnect(hook);
    EXPECT_TRUE(setBeforeNavigation);
    EXPECT_FALSE(form->LinkClicked);
}

TEST_F(PageDocumentEvents, EveryPageLoadAddsOneBackEntry)
{
    CommandBar *backList = form->ToolBarStandard->FindControl(CommandId::Back)->CommandBar();
    ASSERT_NE(backList, nullptr);
    const int before = backList->Controls().Count();
    server.AddPage("/a.html", "<html><head><title>Page A</title></head><body>a</body></html>");
    server.AddPage("/b.html", "<html><head><title>Page B</title></head><body>b</body></html>");
    ASSERT_TRUE(LoadPage(form, server.Url("/a.html")));
    EXPECT_EQ(backList->Controls().Count(), before + 1);
    ASSERT_TRUE(LoadPage(form, server.Url("/b.html")));
    EXPECT_EQ(backList->Controls().Count(), before + 2);
    EXPECT_EQ(backList->Controls().Item(1)->Caption(), QStringLiteral("Page A"));

    form->WebBrowserMain->Refresh();
    ASSERT_TRUE(WaitUntil([&] { return backList->Controls().Count() == before + 3; }));
    EXPECT_EQ(backList->Controls().Item(1)->Caption(), QStringLiteral("Page B"));
}
