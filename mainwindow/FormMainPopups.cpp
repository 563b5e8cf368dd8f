#include "mainwindow/FormMain.h"

#include "app/Application.h"
#include "controls/TransparentLabel.h"
#include "mainwindow/ClickReportWait.h"
#include "mainwindow/FormDeadEnd.h"
#include "mainwindow/PopupBlockerRules.h"
#include "platform/HtmlDocument.h"
#include "platform/WebBrowser.h"

// Every popup is given a browser: a new window's when it passes, a hidden sink's when it is
// blocked. Cancel is never set.
void FormMain::WebBrowserMain_NewWindow2(WebBrowser *&ppDisp, bool &Cancel, const QString &URL, bool UserInitiated)
{
    Q_UNUSED(Cancel);
    Q_UNUSED(URL);
    if (KillPopups && !LinkClicked && UserInitiated) {
        AwaitClickReport();
        // Closed by the user meanwhile: no window is left to open the popup from.
        if (!Forms::IsLoaded(this))
            return;
    }

    switch (PopupBlockerRules::Decide(KillPopups, LinkClicked, NumberOfChildWindowsReached,
                                      NumberOfChildWindowsAllowed)) {
    case PopupBlockerRules::Decision::Open:
        delete m_objNewWindow;
        m_objNewWindow = new Application(this);
        m_objNewWindow->SetppDisp(ppDisp);
        m_objNewWindow->SetAllowPopup(true);
        m_objNewWindow->SetIsChildWindow(true);
        return;
    case PopupBlockerRules::Decision::OpenAfterLinkClick:
        delete m_objNewWindow;
        m_objNewWindow = new Application(this);
        m_objNewWindow->SetppDisp(ppDisp);
        m_objNewWindow->SetNumberOfChildWindowsReached(NumberOfChildWindowsReached + 1);
        m_objNewWindow->SetAllowPopup(true);
        m_objNewWindow->SetIsChildWindow(true);
        LinkClicked = false;
        return;
    case PopupBlockerRules::Decision::Block:
        ppDisp = FormDeadEnd::LoadHidden()->WebBrowser1;
        ++BlockedPopupCount;
        TransparentLabelPopupStatus->setLabelText(PopupBlockerRules::StatusText(BlockedPopupCount));
        return;
    }
}

// A request that a user gesture started waits a moment for that gesture's click report.
void FormMain::AwaitClickReport()
{
    ClickReportWait::Await(this, docMain, m_lastClickReportAt);
}
