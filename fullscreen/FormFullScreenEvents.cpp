// The full-screen window follows its page browser and the page's document: address text, the
// task-bar proxy's caption, the history tree and the back/forward list, the link-click flag,
// right-clicks and popups; and it turns the address box's commits and searches into navigation.
#include "fullscreen/FormFullScreen.h"

#include "app/Application.h"
#include "app/ModSettings.h"
#include "browsingdata/ClassFBNavigator.h"
#include "browsingdata/FormSelectSearch.h"
#include "controls/UCTVHistory.h"
#include "controls/XPStyleImageTextBox.h"
#include "fullscreen/FormFullScreenTaskBar.h"
#include "mainwindow/BrowserEventRules.h"
#include "mainwindow/ClickReportWait.h"
#include "mainwindow/FormDeadEnd.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/MainLayout.h"
#include "mainwindow/PageEventRules.h"
#include "mainwindow/PopupBlockerRules.h"
#include "platform/HtmlDocument.h"
#include "platform/WebBrowser.h"

#include <QFrame>

void FormFullScreen::ConnectPageEvents()
{
    WebBrowser *b = WebBrowserFullScreen;
    connect(b, &WebBrowser::NavigateComplete2, this, &FormFullScreen::WebBrowserFullScreen_NavigateComplete2);
    connect(b, &WebBrowser::DocumentComplete, this, &FormFullScreen::WebBrowserFullScreen_DocumentComplete);
    connect(b, &WebBrowser::DownloadComplete, this, &FormFullScreen::WebBrowserFullScreen_DownloadComplete);
    connect(b, &WebBrowser::NewWindow2, this, &FormFullScreen::WebBrowserFullScreen_NewWindow2);
    connect(b, &WebBrowser::StatusTextChange, this, &FormFullScreen::WebBrowserFullScreen_StatusTextChange);
    // The engine shows no FTP: an "ftp" link of the page opens the FTP pane on its address.
    connect(b, &WebBrowser::FtpNavigationRequested, this, [this](const QString &URL) {
        XPStyleImageTextBox1->SetText(URL);
        InitFTPPane();
    });
    connect(XPStyleImageTextBox1, &XPStyleImageTextBox::UrlChanged, this,
            &FormFullScreen::XPStyleImageTextBox1_UrlChanged);
    connect(XPStyleImageTextBox1, &XPStyleImageTextBox::DoSearch, this,
            &FormFullScreen::XPStyleImageTextBox1_DoSearch);

    // One document object follows the browser from page to page: its rules and events are set
    // once here, so that every page reports its clicks and loses the browser's own menu.
    HtmlDocument *document = b->Document();
    document->SetEventRule(QStringLiteral("click"), {true, HtmlDocument::CancelWhen::WithoutParentElement});
    document->SetEventRule(QStringLiteral("contextmenu"), {true, HtmlDocument::CancelWhen::Always});
    connect(document, &HtmlDocument::onclick, this, &FormFullScreen::docMain_onclick, Qt::UniqueConnection);
    connect(document, &HtmlDocument::oncontextmenu, this, &FormFullScreen::docMain_oncontextmenu,
            Qt::UniqueConnection);
    connect(document, &HtmlDocument::onload, this, &FormFullScreen::docMainWindow_onload, Qt::UniqueConnection);
}

// A page event that arrives while this window unloads makes no proxy for a window that is gone.
void FormFullScreen::ShowTaskBarCaption(const QString &title)
{
    if (!Forms::IsLoaded(this))
        return;
    Forms::Default<FormFullScreenTaskBar>()->setWindowTitle(BrowserEventRules::Caption(title));
}

void FormFullScreen::WebBrowserFullScreen_NavigateComplete2(WebBrowser *pDisp, const QString &URL)
{
    Q_UNUSED(pDisp);
    LinkClicked = false;
    if (WebBrowserFullScreen->isHidden())
        WebBrowserFullScreen->setVisible(true);
    // The engine never loads an "ftp" address: the FTP pane would cover the page that the
    // address box and the task-bar caption name.
    HideFTPPane();
    XPStyleImageTextBox1->SetText(URL);
    ShowTaskBarCaption(WebBrowserFullScreen->Document()->Title());
    BindContextMenus();
}

// Only the top frame's completion counts; the history tree records the page in memory, since
// this window never writes the history file.
void FormFullScreen::WebBrowserFullScreen_DocumentComplete(WebBrowser *pDisp, const QString &URL)
{
    Q_UNUSED(URL);
    if (pDisp != WebBrowserFullScreen)
        return;
    docMain = WebBrowserFullScreen->Document();
    docMainWindow = docMain;
    const QString address = WebBrowserFullScreen->LocationURL();
    const QString title = WebBrowserFullScreen->LocationName();
    ShowTaskBarCaption(title);
    XPStyleImageTextBox1->SetText(address);
    BindContextMenus();
    TreeViewHistory->AddHistoryItem2(address, title);
}

void FormFullScreen::WebBrowserFullScreen_DownloadComplete()
{
    docMain = WebBrowserFullScreen->Document();
}

// The window has no status bar: the page's status text is not shown.
void FormFullScreen::WebBrowserFullScreen_StatusTextChange(const QString &Text)
{
    Q_UNUSED(Text);
}

// The page's window has loaded: the split bar is set level with the side bar, the panes are laid
// out again and the page enters the back/forward list, which decides itself whether to add it.
void FormFullScreen::docMainWindow_onload(const QString &href, const QString &title)
{
    const QRectF side = RectTwips(PictureSideBar);
    MoveTwips(ImageSplitBar, RectTwips(ImageSplitBar).left(), side.top(), MainLayout::SplitBarWidth, side.height());
    LayoutPanes();
    LayoutBrowser();
    LayoutSideBar();
    LayoutSideBar();
    if (m_objNavigator)
        m_objNavigator->AddLocation(this, href, title);
}

bool FormFullScreen::docMain_onclick(const HtmlEvent &event)
{
    m_lastClickReportAt = ClickReportWait::Now();
    return PageEventRules::ClickGoesOn(event, LinkClicked);
}

// The page cancels the browser's own menu (the rule registered for "contextmenu"), and this
// window shows none of its own.
bool FormFullScreen::docMain_oncontextmenu(const HtmlEvent &event)
{
    if (PageEventRules::ContextMenuFor(event) != PageEventRules::ContextMenu::TextEdit)
        BindContextMenus();
    return false;
}

// Popups are decided by the program's blocker and counted by the default main window, while it
// is open; one that passes opens in a new main window. Cancel is never set.
void FormFullScreen::WebBrowserFullScreen_NewWindow2(WebBrowser *&ppDisp, bool &Cancel, const QString &URL,
                                                     bool UserInitiated)
{
    Q_UNUSED(Cancel);
    Q_UNUSED(URL);
    const ModSettings::Options &options = ModSettings::ProgramOptions();
    if (options.KillPopups && !LinkClicked && UserInitiated) {
        ClickReportWait::Await(this, docMain, m_lastClickReportAt);
        if (!Forms::IsLoaded(this))
            return;
    }
    // Found after the wait, in which the user may have closed windows.
    FormMain *main = Forms::Existing<FormMain>();
    const int reached = main ? main->NumberOfChildWindowsReached : 0;

    const auto decision =
        PopupBlockerRules::Decide(options.KillPopups, LinkClicked, reached, options.NumberOfChildWindowsAllowed);
    if (decision == PopupBlockerRules::Decision::Block) {
        ppDisp = FormDeadEnd::LoadHidden()->WebBrowser1;
        if (main)
            ++main->BlockedPopupCount;
        return;
    }
    delete m_objNewWindow;
    m_objNewWindow = new Application(this);
    m_objNewWindow->LoadForm();
    m_objNewWindow->SetppDisp(ppDisp);
    if (decision == PopupBlockerRules::Decision::OpenAfterLinkClick)
        m_objNewWindow->SetNumberOfChildWindowsReached(reached + 1);
    m_objNewWindow->SetAllowPopup(true);
    m_objNewWindow->SetIsChildWindow(true);
    m_objNewWindow->ShowForm();
    if (decision == PopupBlockerRules::Decision::OpenAfterLinkClick)
        LinkClicked = false;
}

// An address that is not an FTP one is navigated to and also given to a main window's address
// box (the first one's, else any open one's: they share one list), which keeps it in its list
// and saves it when that window unloads.
void FormFullScreen::XPStyleImageTextBox1_UrlChanged()
{
    const QString text = XPStyleImageTextBox1->Text();
    if (!text.startsWith(QLatin1String("ftp"), Qt::CaseSensitive)) {
        HideFTPPane();
        WebBrowserFullScreen->Navigate(text);
        if (FormMain *main = FormMain::AnyOpen())
            main->XPStyleImageTextBox1->AddItem(text);
    } else {
        InitFTPPane();
    }
}

void FormFullScreen::XPStyleImageTextBox1_DoSearch(const QString &text)
{
    Forms::Default<FormSelectSearch>();
    // The query is percent-encoded, so that "&", "#" or "+" in the text stay part of it.
    WebBrowserFullScreen->Navigate(FormSelectSearch::SearchUrl(text));
}
