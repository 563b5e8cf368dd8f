#pragma once

#include <QtGlobal>

class HtmlDocument;
class QWidget;

// The page reports its clicks over an asynchronous channel while the engine asks for a new window
// at once, so the report of the click that opens a popup may still be on its way. A window that
// decides on popups by the last click keeps the time of each click report and, for a request a
// user gesture started, waits a moment for that gesture's report.
namespace ClickReportWait {

// The time of a click report, for Await.
qint64 Now();

// Returns at once when a click was reported just before (lastReportAt from Now, -1 for none) or
// there is no document; else lets events run, the user's input among them, until the document
// reports a click or a second has passed. window, which waits, stays in place meanwhile: if it
// is closed, it is deleted once the wait is over.
void Await(QWidget *window, HtmlDocument *document, qint64 lastReportAt);

} // namespace ClickReportWait
