#include "mainwindow/FormMain.h"

#include "controls/TransparentLabel.h"
#include "controls/UCTVHistory.h"
#include "controls/XPStyleImageTextBox.h"
#include "controls/XPStyleProgressBar.h"
#include "controls/XPStyleStatusBarPanel.h"
#include "mainwindow/BrowserEventRules.h"
#include "platform/CommandBars.h"
#include "platform/HtmlDocument.h"
#include "platform/WebBrowser.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>

void FormMain::ConnectBrowserEvents()
{
    WebBrowser *b = WebBrowserMain;
    connect(b, &WebBrowser::DocumentComplete, this, &FormMain::WebBrowserMain_DocumentComplete);
    connect(b, &WebBrowser::NavigateComplete2, this, &FormMain::WebBrowserMain_NavigateComplete2);
    connect(b, &WebBrowser::DownloadComplete, this, &FormMain::WebBrowserMain_DownloadComplete);
    connect(b, &WebBrowser::ProgressChange, this, &FormMain::WebBrowserMain_ProgressChange);
    connect(b, &WebBrowser::StatusTextChange, this, &FormMain::WebBrowserMain_StatusTextChange);
    connect(b, &WebBrowser::WindowSetLeft, this, &FormMain::WebBrowserMain_WindowSetLeft);
    connect(b, &WebBrowser::WindowSetTop, this, &FormMain::WebBrowserMain_WindowSetTop);
    connect(b, &WebBrowser::WindowSetWidth, this, &FormMain::WebBrowserMain_WindowSetWidth);
    connect(b, &WebBrowser::WindowSetHeight, this, &FormMain::WebBrowserMain_WindowSetHeight);
    connect(b, &WebBrowser::WindowClosing, this, &FormMain::WebBrowserMain_WindowClosing);
    connect(b, &WebBrowser::OnMenuBar, this, &FormMain::WebBrowserMain_OnMenuBar);
    connect(b, &WebBrowser::OnStatusBar, this, &FormMain::WebBrowserMain_OnStatusBar);
    connect(b, &WebBrowser::OnToolBar, this, &FormMain::WebBrowserMain_OnToolBar);
    connect(b, &WebBrowser::NewWindow2, this, &FormMain::WebBrowserMain_NewWindow2);
}

void FormMain::WebBrowserMain_DocumentComplete(WebBrowser *pDisp, const QString &URL)
{
    Q_UNUSED(URL);
    if (pDisp != WebBrowserMain)
        return;
    docMain = WebBrowserMain->Document();
    if (!TextNormal) {
        // Select all, size the selection, deselect: the page's scripts see the same steps.
        WebBrowserMain->ExecWB(WebBrowser::OLECMDID_SELECTALL);
        QPointer<WebBrowser> browser = WebBrowserMain;
        docMain->execCommand(QStringLiteral("FontSize"), false, TextSize, [browser](bool) {
            if (browser)
                browser->ExecWB(WebBrowser::OLECMDID_CLEARSELECTION);
        });
    }
    const QString title = WebBrowserMain->LocationName();
    const QString address = WebBrowserMain->LocationURL();
    setWindowTitle(BrowserEventRules::Caption(title));
    XPStyleImageTextBox1->SetText(address);
    HookMainDocument();
    TreeViewHistory->AddHistoryItem2(WebBrowserMain->LocationURL(), WebBrowserMain->LocationName());
}

void FormMain::WebBrowserMain_NavigateComplete2(WebBrowser *pDisp, const QString &URL)
{
    Q_UNUSED(pDisp);
    LinkClicked = IsChildWindow;
    if (!WebBrowserMain->isVisible())
        WebBrowserMain->setVisible(true);
    // The page now shows an address the engine loads, which is never an "ftp" one: the FTP pane
    // would cover the page that the caption and the address box name.
    if (PictureFTP->isVisible())
        HideFTPPane();
    XPStyleImageTextBox1->SetText(URL);
    setWindowTitle(BrowserEventRules::Caption(WebBrowserMain->Document()->Title()));
    HookMainDocument();
}

void FormMain::WebBrowserMain_DownloadComplete()
{
    if (IsChildWindow)
        setVisible(true);
}

void FormMain::WebBrowserMain_ProgressChange(qint64 Progress, qint64 ProgressMax)
{
    if (const auto value = BrowserEventRules::ProgressValue(Progress, ProgressMax))
        XPStyleProgressBar1->setProgress(static_cast<qint16>(*value));
}

void FormMain::WebBrowserMain_StatusTextChange(const QString &Text)
{
    TransparentLabelStatusText->setLabelText(Text);
}

void FormMain::WebBrowserMain_WindowSetLeft(int n)
{
    SetLeft(BrowserEventRules::PixelsToTwips(n));
    Form_Resize();
    KeepOnScreenSoon();
}

void FormMain::WebBrowserMain_WindowSetTop(int n)
{
    SetTop(BrowserEventRules::PixelsToTwips(n));
    Form_Resize();
    KeepOnScreenSoon();
}

void FormMain::WebBrowserMain_WindowSetWidth(int n)
{
    SetWidth(BrowserEventRules::PixelsToTwips(n));
    Form_Resize();
    KeepOnScreenSoon();
}

void FormMain::WebBrowserMain_WindowSetHeight(int n)
{
    SetHeight(BrowserEventRules::PageHeightToWindowTwips(n));
    Form_Resize();
    KeepOnScreenSoon();
}

void FormMain::WebBrowserMain_WindowClosing()
{
    // Unloading destroys this window and its browser: leave the browser's signal first.
    QMetaObject::invokeMethod(this, [this] { Forms::Unload(this); }, Qt::QueuedConnection);
}

void FormMain::WebBrowserMain_OnMenuBar(bool MenuBar)
{
    ShowHideMenuBar(MenuBar);
}

void FormMain::WebBrowserMain_OnStatusBar(bool StatusBar)
{
    ShowHideStatusBar(StatusBar);
}

void FormMain::WebBrowserMain_OnToolBar(bool ToolBar)
{
    ShowHideToolBar(ToolBar);
    ShowHideAddressBar(ToolBar);
}

void FormMain::ShowHideToolBar(bool Show)
{
    ToolBarStandard->SetVisible(Show);
    ShowControlsOverBars();
    Form_Resize();
}

void FormMain::ShowHideAddressBar(bool Show)
{
    ToolBarAddress->SetVisible(Show);
    ShowControlsOverBars();
    Form_Resize();
}

void FormMain::ShowHideMenuBar(bool Show)
{
    CommandBarsMain->ActiveMenuBar()->SetVisible(Show);
    Form_Resize();
}

void FormMain::ShowHideStatusBar(bool Show)
{
    StatusBar->SetVisible(Show);
    ShowControlsOverBars();
    Form_Resize();
}
