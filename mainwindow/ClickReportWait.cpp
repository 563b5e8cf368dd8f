#include "mainwindow/ClickReportWait.h"

#include "platform/HtmlDocument.h"

#include <QDeadlineTimer>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

// A click report newer than this belongs to the gesture that opens the popup.
constexpr qint64 kClickReportAgeMs = 1000;
// How long a popup opened by a gesture waits for that gesture's click report.
constexpr int kClickReportWaitMs = 1000;

// Holds back the deletion of a window while it waits in the middle of one of its own handlers;
// a deletion asked for meanwhile is asked for again when the hold ends.
class DeletionHold : public QObject
{
public:
    explicit DeletionHold(QWidget *window) : m_window(window)
    {
        if (window)
            window->installEventFilter(this);
    }

    ~DeletionHold() override
    {
        if (!m_window)
            return;
        m_window->removeEventFilter(this);
        if (m_deletionAsked)
            m_window->deleteLater();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window || event->type() != QEvent::DeferredDelete)
            return false;
        m_deletionAsked = true;
        return true;
    }

private:
    QPointer<QWidget> m_window;
    bool m_deletionAsked = false;
};

} // namespace

namespace ClickReportWait {

qint64 Now()
{
    return QDeadlineTimer::current().deadline();
}

void Await(QWidget *window, HtmlDocument *document, qint64 lastReportAt)
{
    if (!document)
        return;
    if (lastReportAt >= 0 && Now() - lastReportAt < kClickReportAgeMs)
        return;
    const DeletionHold hold(window);
    QEventLoop loop;
    QObject::connect(document, &HtmlDocument::onclick, &loop, &QEventLoop::quit);
    QTimer::singleShot(kClickReportWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace ClickReportWait
