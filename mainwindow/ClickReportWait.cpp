#include "mainwindow/ClickReportWait.h"

#include "platform/HtmlDocument.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

// A click report newer than this belongs to the gesture that opens the popup.
constexpr qint64 kClickReportAgeMs = 1000;
// How long a popup opened by a gesture waits for that gesture's click report.
constexpr int kClickReportWaitMs = 1000;

} // namespace

namespace ClickReportWait {

qint64 Now()
{
    return QDeadlineTimer::current().deadline();
}

void Await(HtmlDocument *document, qint64 lastReportAt)
{
    if (!document)
        return;
    if (lastReportAt >= 0 && Now() - lastReportAt < kClickReportAgeMs)
        return;
    QEventLoop loop;
    QObject::connect(document, &HtmlDocument::onclick, &loop, &QEventLoop::quit);
    QTimer::singleShot(kClickReportWaitMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace ClickReportWait
