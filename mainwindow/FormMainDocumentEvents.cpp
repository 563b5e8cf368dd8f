#include "mainwindow/FormMain.h"

#include "browsingdata/ClassFBNavigator.h"
#include "mainwindow/ClickReportWait.h"
#include "mainwindow/MainLayout.h"
#include "mainwindow/PageEventRules.h"
#include "platform/CommandBars.h"
#include "platform/HtmlDocument.h"
#include "platform/WebBrowser.h"

#include <QFrame>

// One document object follows the browser's pages, so its events are hooked once; the rules
// registered with it decide in the page whether each event's default action goes on.
void FormMain::HookMainDocument()
{
    docMain = WebBrowserMain->Document();
    if (!docMain || m_hookedDocument == docMain)
        return;
    m_hookedDocument = docMain;
    docMain->SetEventRule(QStringLiteral("click"), {true, HtmlDocument::CancelWhen::WithoutParentElement});
    docMain->SetEventRule(QStringLiteral("keypress"), {true, HtmlDocument::CancelWhen::Never});
    docMain->SetEventRule(QStringLiteral("selectstart"), {true, HtmlDocument::CancelWhen::Never});
    docMain->SetEventRule(QStringLiteral("contextmenu"), {true, HtmlDocument::CancelWhen::Always});
    connect(docMain, &HtmlDocument::onclick, this, &FormMain::docMain_onclick);
    connect(docMain, &HtmlDocument::onkeypress, this, &FormMain::docMain_onkeypress);
    connect(docMain, &HtmlDocument::onselectstart, this, &FormMain::docMain_onselectstart);
    connect(docMain, &HtmlDocument::oncontextmenu, this, &FormMain::docMain_oncontextmenu);
    connect(docMain, &HtmlDocument::onload, this, &FormMain::docMainWindow_onload);
}

bool FormMain::docMain_onclick(const HtmlEvent &event)
{
    m_lastClickReportAt = ClickReportWait::Now();
    return PageEventRules::ClickGoesOn(event, LinkClicked);
}

bool FormMain::docMain_onkeypress(const HtmlEvent &event)
{
    Q_UNUSED(event);
    return true;
}

bool FormMain::docMain_onselectstart(const HtmlEvent &event)
{
    Q_UNUSED(event);
    return true;
}

// The browser's own menu never shows: the page cancels it, and one of the window's menus opens.
bool FormMain::docMain_oncontextmenu(const HtmlEvent &event)
{
    CommandBar *menu = PagePopupMenu;
    switch (PageEventRules::ContextMenuFor(event)) {
    case PageEventRules::ContextMenu::Link:
        menu = LinkPopupMenu;
        break;
    case PageEventRules::ContextMenu::Image:
        menu = ImagePopupMenu;
        break;
    case PageEventRules::ContextMenu::TextEdit:
        menu = TextEditPopupMenu;
        break;
    case PageEventRules::ContextMenu::Page:
        break;
    }
    if (menu)
        menu->ShowPopup();
    return false;
}

// The page's window has loaded: the split bar is set level with the side bar, the panes are laid
// out again and the page enters the back/forward list.
void FormMain::docMainWindow_onload(const QString &href, const QString &title)
{
    const QRectF side = RectTwips(PictureSideBar);
    MoveTwips(ImageSplitBar, RectTwips(ImageSplitBar).left(), side.top(), MainLayout::SplitBarWidth, side.height());
    LayoutPanes();
    LayoutBrowser();
    LayoutSideBar();
    LayoutSideBar();
    if (m_objFBNavigator)
        m_objFBNavigator->AddLocation(this, href, title);
}
