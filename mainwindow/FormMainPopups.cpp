#include "mainwindow/FormMain.h"

#include "app/Application.h"
#include "controls/TransparentLabel.h"
#include "mainwindow/FormDeadEnd.h"
#include "mainwindow/PopupBlockerRules.h"
#include "platform/HtmlDocument.h"
#include "platform/WebBrowser.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

// A click report newer than this belongs to the gesture that opens the popup.
constexpr qint64 kClickReportAgeMs = 1000;
// How long a popup opened by a gesture waits for that gesture's click report.
constexpr int kClickReportWaitMs = 1000;

} // namespace

// Every popup is given a browser: a new window's when it passes, a hidden sink's when it is
// blocked. Cancel is never set.
void FormMain::WebBrowserMain_NewWindow2(WebBrowser *&ppDisp, bool &Cancel, const QString &URL, bool UserInitiated)
{
    Q_UNUSED(Cancel);
    Q_UNUSED(URL);
    if (KillPopups && !LinkClicked && UserInitiated)
        AwaitClickReport();

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

// The page reports its clicks over an asynchronous channel while the engine asks for a new window
// at once, so the report of the click that opens a popup may still be on its way. A request that
// a user gesture started, with no click reported just before it, waits a moment for that report.
void FormMain::AwaitClickReport()
{
    if (!docMain)
        return;
    if (m_lastClickReportAt >= 0 && QDeadlineTimer::current().deadline() - m_lastClickReportAt < kClickReportAgeMs)
        return;
    QEventLoop loop;
    connect(docMain, &HtmlDocument::onclick, &loop, &QEventLoop::quit);
    QTimer::singleShot(kClickReportWaitMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
