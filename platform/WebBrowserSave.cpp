// Saving the page: the Save As dialog, the engine's save that it starts, and the message when
// that save does not put the page in place.
#include "platform/WebBrowser.h"

#include "platform/WebBrowserPage.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QWebEngineDownloadRequest>

namespace {

// A file name made from the page title, without the characters that file names cannot hold.
QString SuggestedFileName(const QString &title)
{
    QString name = title;
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|\\r\\n\\t]")), QStringLiteral(" "));
    name = name.simplified();
    if (name.isEmpty())
        name = QStringLiteral("page");
    return name + QStringLiteral(".html");
}

// The documents folder, or the home folder where the user has none: given a folder that does
// not exist, the dialog would open in the working folder, often one the user may not write.
QString StartFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

// Whether the save has put a new page in place of what the file was (its modification time,
// invalid where there was none). The engine's word is not enough: it reports a page saved as
// complete where it could not move the file into place, or where a full disk left it empty.
bool PageInPlace(const QWebEngineDownloadRequest &save, const QString &path, const QDateTime &before)
{
    const QFileInfo file(path);
    return save.state() == QWebEngineDownloadRequest::DownloadCompleted && file.size() > 0
           && file.lastModified() != before;
}

// Why a folder takes no new file, as the system says it ("Read-only file system", "Permission
// denied"); empty where it takes one.
QString FolderRefusal(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("XXXXXX")));
    return probe.open() ? QString() : probe.errorString();
}

} // namespace

void WebBrowser::SaveAs()
{
    if (m_page->url().isEmpty())
        return;
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save Web Page"), QDir(StartFolder()).filePath(SuggestedFileName(m_page->title())),
        tr("Web Page, complete (*.htm *.html);;Web Archive, single file (*.mht *.mhtml)"));
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool archive = suffix == QLatin1String("mht") || suffix == QLatin1String("mhtml");
    m_page->save(path, archive ? QWebEngineDownloadRequest::MimeHtmlSaveFormat
                               : QWebEngineDownloadRequest::CompleteHtmlSaveFormat);
}

// Saving a page is a download of the engine's own; other downloads are not taken. The profile
// is shared by all browsers: each takes, and checks, the saves of its own page.
void WebBrowser::OnDownloadRequested(QWebEngineDownloadRequest *download)
{
    if (download->page() != m_page || !download->isSavePageDownload())
        return;
    const QString path = QDir(download->downloadDirectory()).filePath(download->downloadFileName());
    // Nothing is written before the save is accepted.
    const QDateTime before = QFileInfo(path).lastModified();
    connect(download, &QWebEngineDownloadRequest::stateChanged, this,
            [this, download, path, before](QWebEngineDownloadRequest::DownloadState state) {
                if (state != QWebEngineDownloadRequest::DownloadInProgress
                    && !PageInPlace(*download, path, before))
                    ReportFailedSave(path);
            });
    download->accept();
}

// The engine writes the page after the dialog has closed: without a word, a save that failed
// would pass for done. The engine names no reason for a failed page save: it reports one as
// complete, or as cancelled for a reason that its interface has no name for (and asking that
// interface for the reason's text then crashes it). So the folder tells why. The message keeps
// the saving window, not the whole program, waiting.
void WebBrowser::ReportFailedSave(const QString &path)
{
    QString reason = FolderRefusal(QFileInfo(path).path());
    if (reason.isEmpty())
        reason = tr("The disk may be full");
    auto *box = new QMessageBox(QMessageBox::Warning, MessageTitle(),
                                tr("The page could not be saved as \"%1\".\n\n%2.")
                                    .arg(QDir::toNativeSeparators(path), reason),
                                QMessageBox::Ok, window());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
