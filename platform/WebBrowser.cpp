#include "platform/WebBrowser.h"

#include "platform/HtmlDocument.h"
#include "platform/InternetOptions.h"
#include "platform/WebBrowserPage.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPrinter>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

QString &DataFolderSetting()
{
    static QString folder;
    return folder;
}

QString &MessageTitleSetting()
{
    static QString title;
    return title;
}

// The engine's own error page stands for the address that failed.
bool IsErrorPage(const QString &href)
{
    return href.startsWith(QLatin1String("chrome-error:"));
}

bool IsFtp(const QUrl &url)
{
    return url.scheme() == QLatin1String("ftp");
}

} // namespace

void WebBrowser::SetDataFolder(const QString &folder)
{
    DataFolderSetting() = folder;
}

QString WebBrowser::DataFolder()
{
    const QString &folder = DataFolderSetting();
    return folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : folder;
}

void WebBrowser::SetMessageTitle(const QString &title)
{
    MessageTitleSetting() = title;
}

QString WebBrowser::MessageTitle()
{
    const QString &title = MessageTitleSetting();
    return title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
}

QWebEngineProfile *WebBrowser::Profile()
{
    static QWebEngineProfile *profile = nullptr;
    if (!profile) {
        const QString storage = QDir(DataFolder()).filePath("WebEngine");
        profile = new QWebEngineProfile(QStringLiteral("Kestrelvue"), QCoreApplication::instance());
        profile->setPersistentStoragePath(storage);
        profile->setCachePath(QDir(storage).filePath("Cache"));
    }
    return profile;
}

WebBrowser::WebBrowser(QWidget *parent)
    : QWidget(parent), m_view(new QWebEngineView(this)), m_page(new WebBrowserPage(Profile(), m_view)),
      m_document(new HtmlDocument(m_page, this))
{
    m_view->setPage(m_page);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    connect(m_page, &WebBrowserPage::NavigationRequested, this,
            [this](const QUrl &url, QWebEnginePage::NavigationType, bool isMainFrame, bool &accept) {
                OnNavigationRequested(url, isMainFrame, accept);
            });
    connect(m_page, &QWebEnginePage::loadingChanged, this, &WebBrowser::OnLoadingChanged);
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int progress) {
        if (m_busy)
            emit ProgressChange(progress, 100);
    });
    connect(m_page, &QWebEnginePage::linkHovered, this, &WebBrowser::OnLinkHovered);
    connect(m_document, &HtmlDocument::oncontextmenu, this, [this](const HtmlEvent &event) {
        // The right button names the link under the pointer at once: the engine's own report of
        // the hovered link may still be on its way when the window's menu opens.
        if (!event.LinkHref.isEmpty())
            emit StatusTextChange(event.LinkHref);
    });
    connect(m_page, &QWebEnginePage::titleChanged, this, &WebBrowser::TitleChange);
    connect(m_page, &QWebEnginePage::urlChanged, this, &WebBrowser::OnUrlChanged);
    connect(m_page, &QWebEnginePage::newWindowRequested, this, &WebBrowser::OnNewWindowRequested);
    connect(m_page, &QWebEnginePage::geometryChangeRequested, this, &WebBrowser::OnGeometryChangeRequested);
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, [this] { emit WindowClosing(false); });
    connect(m_document, &HtmlDocument::DocumentCreated, this, &WebBrowser::OnDocumentCreated);
    connect(m_document, &HtmlDocument::WindowLoadReported, this, &WebBrowser::OnWindowLoaded);
    connect(Profile(), &QWebEngineProfile::downloadRequested, this, &WebBrowser::OnDownloadRequested);
}

WebBrowser::~WebBrowser() = default;

QWebEnginePage *WebBrowser::Page() const
{
    return m_page;
}

void WebBrowser::Navigate(const QString &URL)
{
    const QUrl url = QUrl::fromUserInput(URL);
    if (IsFtp(url)) {
        // The engine has no FTP: the request goes to the host as it would have gone to the engine.
        bool cancel = false;
        emit BeforeNavigate2(this, url.toString(), cancel);
        if (!cancel)
            emit FtpNavigationRequested(url.toString());
        return;
    }
    m_page->load(url);
}

void WebBrowser::Stop()
{
    m_page->triggerAction(QWebEnginePage::Stop);
}

void WebBrowser::Refresh()
{
    m_page->triggerAction(QWebEnginePage::Reload);
}

void WebBrowser::GoBack()
{
    m_page->triggerAction(QWebEnginePage::Back);
}

void WebBrowser::GoForward()
{
    m_page->triggerAction(QWebEnginePage::Forward);
}

void WebBrowser::GoHome()
{
    Navigate(InternetOptions(DataFolder()).HomePage());
}

QString WebBrowser::LocationURL() const
{
    return m_page->url().toString();
}

QString WebBrowser::LocationName() const
{
    return m_page->title();
}

void WebBrowser::OnNavigationRequested(const QUrl &url, bool isMainFrame, bool &accept)
{
    bool cancel = false;
    emit BeforeNavigate2(isMainFrame ? this : nullptr, url.toString(), cancel);
    if (cancel) {
        accept = false;
        return;
    }
    if (IsFtp(url)) {
        accept = false;
        if (isMainFrame)
            emit FtpNavigationRequested(url.toString());
        return;
    }
    if (isMainFrame)
        m_committed = false;
}

// The address that the page reports for its document, as the browser names it: the engine's
// error page and a page's source view report what they stand for.
QString WebBrowser::DocumentAddress(const QString &href) const
{
    const QString location = LocationURL();
    if (IsErrorPage(href) || location == QLatin1String("view-source:") + href)
        return location;
    return href;
}

// The address changes when a navigation commits, before the new document has content; that is
// the moment of NavigateComplete2. A reload keeps the address, so there the new document's
// creation, reported by the page, stands in for it.
void WebBrowser::OnUrlChanged(const QUrl &url)
{
    // After a navigation the address names a new document, whose own report is still to come;
    // without one (a move within the page) the document stays.
    if (!m_committed)
        m_documentReported = false;
    RaiseNavigateComplete(url.toString());
}

void WebBrowser::OnDocumentCreated(const QString &href)
{
    // The page's report may come late: after the engine has announced its document, even after
    // the next navigation has started. It then announces nothing; nor does a report of a
    // document that has been replaced meanwhile.
    if (!m_documentReported) {
        m_documentReported = true;
        return;
    }
    const QString address = DocumentAddress(href);
    if (m_committed || address != LocationURL())
        return;
    RaiseNavigateComplete(address);
}

void WebBrowser::RaiseNavigateComplete(const QString &address)
{
    m_committed = true;
    m_completed = false;
    UpdateCommandStates();
    emit NavigateComplete2(this, address);
}

// The page's window has loaded. The engine's own report of the finished load usually comes
// first, and then this document is complete already; a late report of a document that has been
// replaced meanwhile is not this load's.
void WebBrowser::OnWindowLoaded(const QString &href, const QString &title)
{
    const QString address = DocumentAddress(href);
    if (m_completed || address != LocationURL())
        return;
    Complete(address, href, title);
}

// The document is complete and its window has loaded: DocumentComplete, then the window's load,
// with the address that the page's own location holds.
void WebBrowser::Complete(const QString &address, const QString &href, const QString &title)
{
    m_completed = true;
    emit DocumentComplete(this, address);
    m_document->WindowLoaded(href, title);
}

void WebBrowser::CompleteFromEngine()
{
    const QString address = LocationURL();
    const QLatin1String sourceView("view-source:");
    const QString href = address.startsWith(sourceView) ? address.mid(sourceView.size()) : address;
    // The history keeps the document's own title, empty when it has none.
    const QString title = m_page->history()->currentItem().title();
    if (m_page->url().scheme() != QLatin1String("about")) {
        Complete(address, href, title);
        return;
    }
    // The engine runs no script in its "about:" pages: they have no window of their own to load.
    m_completed = true;
    emit DocumentComplete(this, address);
}

void WebBrowser::OnLoadingChanged(const QWebEngineLoadingInfo &info)
{
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        m_busy = true;
        emit DownloadBegin();
        emit StatusTextChange(QStringLiteral("Opening page %1...").arg(info.url().toString()));
        return;
    }
    m_busy = false;
    emit ProgressChange(-1, 100);
    emit StatusTextChange(QStringLiteral("Done"));
    emit DownloadComplete();
    UpdateCommandStates();
    // A load that succeeded for the document announced last completes it at once: the page's
    // own report of its loaded window comes later, over the script channel. A refused
    // navigation, which also ends here, has announced no document, and a failed load shows the
    // engine's error page, which reports itself.
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus && m_committed && !m_completed
        && info.url() == m_page->url())
        CompleteFromEngine();
}

// The engine reports an empty address when the pointer leaves the link, and also when it
// leaves the page for a menu opened over it: while such a menu is open, the address stays.
void WebBrowser::OnLinkHovered(const QString &url)
{
    if (url.isEmpty() && QApplication::activePopupWidget())
        return;
    emit StatusTextChange(url);
}

void WebBrowser::UpdateCommandStates()
{
    const bool back = m_page->history()->canGoBack();
    const bool forward = m_page->history()->canGoForward();
    if (back != m_canGoBack) {
        m_canGoBack = back;
        emit CommandStateChange(CSC_NAVIGATEBACK, back);
    }
    if (forward != m_canGoForward) {
        m_canGoForward = forward;
        emit CommandStateChange(CSC_NAVIGATEFORWARD, forward);
    }
}

void WebBrowser::OnNewWindowRequested(QWebEngineNewWindowRequest &request)
{
    WebBrowser *target = nullptr;
    bool cancel = false;
    emit NewWindow2(target, cancel, request.requestedUrl().toString(), request.isUserInitiated());
    if (cancel || !target)
        return;
    // The engine gives a window that the page placed nowhere the screen's corner as its
    // position: the new window then keeps the place its host gave it.
    target->m_positionUnrequested = request.requestedGeometry().topLeft().isNull();
    request.openIn(target->Page());
    target->m_positionUnrequested = false;
    target->TakeNewWindow(request);
}

void WebBrowser::TakeNewWindow(const QWebEngineNewWindowRequest &request)
{
    // A popup opened with window features asks for a bare window; its position and size follow
    // from the engine as a geometry request of the new page.
    if (request.destination() != QWebEngineNewWindowRequest::InNewDialog)
        return;
    emit OnMenuBar(false);
    emit OnToolBar(false);
    emit OnStatusBar(false);
}

// The engine asks for the whole outer window rectangle, built from the window's present one;
// only the parts that the page changes are passed on (a moveTo keeps the size, a resizeTo the
// position), so that the host never re-applies a size measured another way.
void WebBrowser::OnGeometryChangeRequested(const QRect &geometry)
{
    if (!geometry.isValid())
        return;
    const QRect present = window()->frameGeometry();
    if (geometry.x() != present.x() && !m_positionUnrequested)
        emit WindowSetLeft(geometry.x());
    if (geometry.y() != present.y() && !m_positionUnrequested)
        emit WindowSetTop(geometry.y());
    if (geometry.width() != present.width())
        emit WindowSetWidth(geometry.width());
    if (geometry.height() != present.height())
        emit WindowSetHeight(geometry.height());
}
