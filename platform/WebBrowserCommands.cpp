// ExecWB: the page commands of WebBrowser, with the dialogs of Print, Print Preview and Page
// Setup. Save As has a file of its own.
#include "platform/WebBrowser.h"

#include "platform/HtmlDocument.h"
#include "platform/WebBrowserPage.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWebEngineView>

namespace {

// Shows the wait cursor over the whole program for as long as it lives.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace

void WebBrowser::ExecWB(int cmdID, int cmdexecopt)
{
    Q_UNUSED(cmdexecopt);
    switch (cmdID) {
    case OLECMDID_SAVEAS:
        SaveAs();
        break;
    case OLECMDID_PRINT:
        Print();
        break;
    case OLECMDID_PRINTPREVIEW:
        PrintPreview();
        break;
    case OLECMDID_PAGESETUP:
        PageSetup();
        break;
    case OLECMDID_CUT:
        EditAction(QWebEnginePage::Cut);
        break;
    case OLECMDID_COPY:
        EditAction(QWebEnginePage::Copy);
        break;
    case OLECMDID_PASTE:
        EditAction(QWebEnginePage::Paste);
        break;
    case OLECMDID_SELECTALL:
        m_document->selectAll();
        break;
    case OLECMDID_CLEARSELECTION:
        m_document->clearSelection();
        break;
    default:
        break;
    }
}

// The engine's editing actions overtake the document's commands; a Copy after a Select All must
// find the selection made.
void WebBrowser::EditAction(int action)
{
    m_document->WaitForCommands();
    m_page->triggerAction(static_cast<QWebEnginePage::WebAction>(action));
}

QPrinter &WebBrowser::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void WebBrowser::Print()
{
    if (m_page->url().isEmpty())
        return;
    QPrintDialog dialog(&Printer(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_view->print(&Printer());
}

void WebBrowser::PrintPreview()
{
    if (m_page->url().isEmpty())
        return;
    QPrinter &printer = Printer();
    const int printResolution = printer.resolution();
    // The engine hands each page over as an image at the printer's resolution, and the preview
    // keeps them all: at a printer's full resolution a page takes hundreds of megabytes. The
    // preview draws at the screen's resolution instead; the dialog's Print button, which paints
    // on the same printer outside the preview, prints at the full one.
    const int previewResolution = qRound(logicalDpiY() * devicePixelRatioF());
    QPrintPreviewDialog dialog(&printer, this);
    // The preview paints synchronously; the engine prints asynchronously, so wait for it here.
    // Printing a long page takes a while: the cursor shows the wait.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter *target) {
        const bool previewing = target->paintEngine()->type() == QPaintEngine::Picture;
        target->setResolution(previewing ? previewResolution : printResolution);
        const BusyCursor busy;
        QEventLoop loop;
        connect(m_view, &QWebEngineView::printFinished, &loop, &QEventLoop::quit);
        m_view->print(target);
        loop.exec();
    });
    dialog.exec();
    printer.setResolution(printResolution);
}

void WebBrowser::PageSetup()
{
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
}
