#pragma once

#include <QString>
#include <QWidget>
#include <memory>

class HtmlDocument;
class QPrinter;
class QWebEngineDownloadRequest;
class QWebEngineNewWindowRequest;
class QWebEngineLoadingInfo;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;
class WebBrowserPage;

// The page browser control: navigation, page commands and the control's events, over one engine
// view. All browsers share one engine profile stored in the data folder. Events that carry a
// reference argument (Cancel, ppDisp) must be handled by direct connections: the value is read
// back as soon as the signal returns.
//
// The engine reports navigation events for the top-level page only: a frame's navigation reaches
// BeforeNavigate2 (with no browser object), but never NavigateComplete2 or DocumentComplete.
class WebBrowser : public QWidget
{
    Q_OBJECT
public:
    // ExecWB command numbers and options. The numbers are those the browser's callers pass, so
    // they stay fixed.
    enum OLECMDID {
        OLECMDID_SAVEAS = 4,
        OLECMDID_PRINT = 6,
        OLECMDID_PRINTPREVIEW = 7,
        OLECMDID_PAGESETUP = 8,
        OLECMDID_CUT = 11,
        OLECMDID_COPY = 12,
        OLECMDID_PASTE = 13,
        OLECMDID_SELECTALL = 17,
        OLECMDID_CLEARSELECTION = 18
    };
    enum OLECMDEXECOPT { OLECMDEXECOPT_DODEFAULT = 0, OLECMDEXECOPT_PROMPTUSER = 1,
                         OLECMDEXECOPT_DONTPROMPTUSER = 2 };
    // The Command argument of CommandStateChange.
    enum CommandStateChangeConstants { CSC_NAVIGATEFORWARD = 1, CSC_NAVIGATEBACK = 2 };

    explicit WebBrowser(QWidget *parent = nullptr);
    ~WebBrowser() override;

    // The folder of the engine's stored data and of the Internet options; set it at start-up,
    // before the first browser exists. By default a folder under the user's application data.
    static void SetDataFolder(const QString &folder);
    static QString DataFolder();
    static QWebEngineProfile *Profile();
    // The caption of the messages that the browser shows of its own (a page save that did not
    // complete); set it at start-up. By default the application's display name.
    static void SetMessageTitle(const QString &title);
    static QString MessageTitle();

    void Navigate(const QString &URL);
    void Stop();
    void Refresh();
    void GoBack();
    void GoForward();
    // Goes to the home page kept by the Internet options.
    void GoHome();

    QString LocationURL() const;
    // The page's title; a page without one reports its address.
    QString LocationName() const;
    HtmlDocument *Document() const { return m_document; }
    bool Busy() const { return m_busy; }

    // Kept for the host, which registers each popup's browser before handing it over; the engine
    // finds a popup's browser through the page that opened it, so the flag changes nothing here.
    bool RegisterAsBrowser() const { return m_registerAsBrowser; }
    void SetRegisterAsBrowser(bool value) { m_registerAsBrowser = value; }

    // Runs a page command; a command that the page does not offer at the moment changes nothing.
    // Save As, Print, Print Preview and Page Setup show their dialogs.
    void ExecWB(int cmdID, int cmdexecopt = OLECMDEXECOPT_DODEFAULT);

    QWebEngineView *View() const { return m_view; }
    QWebEnginePage *Page() const;

signals:
    // pDisp is this browser for the top-level page, nullptr for a frame. Set Cancel to refuse.
    void BeforeNavigate2(WebBrowser *pDisp, const QString &URL, bool &Cancel);
    // A new top-level document has arrived (its address), before its content has loaded.
    void NavigateComplete2(WebBrowser *pDisp, const QString &URL);
    // The top-level page's window has loaded: once per page.
    void DocumentComplete(WebBrowser *pDisp, const QString &URL);
    void DownloadBegin();
    void DownloadComplete();
    // Progress out of ProgressMax; -1 when the load has ended.
    void ProgressChange(int Progress, int ProgressMax);
    // The address under the mouse, or the state of the load ("" when there is none). A right-click
    // on a link names that link, and it stays named while a menu is open over the page.
    void StatusTextChange(const QString &Text);
    void TitleChange(const QString &Text);
    // Whether GoBack (CSC_NAVIGATEBACK) or GoForward (CSC_NAVIGATEFORWARD) can go anywhere.
    void CommandStateChange(int Command, bool Enable);
    // The page asks for a new window. Put a browser into ppDisp to take the popup there, or set
    // Cancel; with neither, the popup is dropped. URL and UserInitiated (a user gesture started
    // it) describe the request.
    void NewWindow2(WebBrowser *&ppDisp, bool &Cancel, const QString &URL, bool UserInitiated);
    // The page's script asks to close its window.
    void WindowClosing(bool IsChildWindow);
    // The page asks for a window position or size, in pixels (a popup's window features, or a
    // script's moveTo / resizeTo).
    void WindowSetLeft(int Left);
    void WindowSetTop(int Top);
    void WindowSetWidth(int Width);
    void WindowSetHeight(int Height);
    // The page asks to show or hide the window's bars (a popup opened with window features).
    void OnMenuBar(bool MenuBar);
    void OnToolBar(bool ToolBar);
    void OnStatusBar(bool StatusBar);
    // An "ftp:" address was asked for; the engine loads nothing for it.
    void FtpNavigationRequested(const QString &URL);

private:
    void OnNavigationRequested(const QUrl &url, bool isMainFrame, bool &accept);
    void OnLinkHovered(const QString &url);
    void OnLoadingChanged(const QWebEngineLoadingInfo &info);
    void OnUrlChanged(const QUrl &url);
    void OnDocumentCreated(const QString &href);
    void RaiseNavigateComplete(const QString &address);
    void OnWindowLoaded(const QString &href, const QString &title);
    void Complete(const QString &address, const QString &href, const QString &title);
    void CompleteFromEngine();
    QString DocumentAddress(const QString &href) const;
    void OnNewWindowRequested(QWebEngineNewWindowRequest &request);
    void OnGeometryChangeRequested(const QRect &geometry);
    void TakeNewWindow(const QWebEngineNewWindowRequest &request);
    void UpdateCommandStates();
    void EditAction(int action);
    QPrinter &Printer();
    void SaveAs();
    void OnDownloadRequested(QWebEngineDownloadRequest *download);
    void ReportFailedSave(const QString &path);
    void Print();
    void PrintPreview();
    void PageSetup();

    QWebEngineView *m_view;
    WebBrowserPage *m_page;
    HtmlDocument *m_document;
    std::unique_ptr<QPrinter> m_printer;
    bool m_busy = false;
    bool m_committed = false; // NavigateComplete2 has been raised for the last navigation
    bool m_completed = false; // DocumentComplete has been raised for that navigation's document
    bool m_documentReported = true; // the page has reported the creation of the document announced last
    bool m_registerAsBrowser = false;
    bool m_positionUnrequested = false; // the page opening in this browser asked for no position
    bool m_canGoBack = false;
    bool m_canGoForward = false;
};
