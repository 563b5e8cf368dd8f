// Print Preview of a long local page: from the command to the preview showing its pages, and how
// much of that the engine's own printing takes (offscreen).
#include "platform/WebBrowser.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// About sixteen printed pages. The preview holds every page as an image at the screen's
// resolution, a few megabytes each.
constexpr int kParagraphs = 300;
constexpr int kRuns = 3;

QUrl WriteLongPage(const QString &folder)
{
    QFile file(folder + QStringLiteral("/long.html"));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("<html><head><title>Long page</title></head><body>");
    for (int i = 0; i < kParagraphs; ++i) {
        if (i % 50 == 0)
            file.write("<h2>Chapter " + QByteArray::number(i / 50 + 1) + "</h2>");
        file.write("<p>Paragraph " + QByteArray::number(i)
                   + ": a line of ordinary text that fills the width of the printed page and wraps once"
                     " or twice, as the text of a long article does.</p>");
    }
    file.write("</body></html>");
    return QUrl::fromLocalFile(file.fileName());
}

// Resident memory of this process in MiB: "VmRSS:" now, "VmHWM:" the most since the last reset.
double ResidentMiB(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

void ResetPeakResident()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

bool WaitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

struct Run {
    qint64 ShownMs = -1;
    qint64 EngineMs = 0;
    int Pages = 0;
};

// Opens the preview and closes it as soon as it shows its pages.
Run MeasureOnce(WebBrowser &browser)
{
    Run run;
    QElapsedTimer clock;
    QTimer poll;
    poll.setInterval(2);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto *preview = dialog->findChild<QPrintPreviewWidget *>();
        if (preview && preview->pageCount() > 0 && dialog->isVisible()) {
            run.ShownMs = clock.elapsed();
            run.Pages = preview->pageCount();
            poll.stop();
            dialog->reject();
        }
    });
    QObject::connect(browser.View(), &QWebEngineView::printFinished, &poll,
                     [&] { run.EngineMs = clock.elapsed(); });
    poll.start();
    clock.start();
    browser.ExecWB(WebBrowser::OLECMDID_PRINTPREVIEW);
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    WebBrowser::SetDataFolder(folder.path());

    WebBrowser browser;
    browser.resize(1000, 700);
    browser.show();
    bool loaded = false;
    QObject::connect(&browser, &WebBrowser::DocumentComplete, [&] { loaded = true; });
    browser.Navigate(WriteLongPage(folder.path()).toString());
    if (!WaitFor([&] { return loaded; }, 60000)) {
        std::printf("the long page did not load\n");
        return 1;
    }

    const double peakBefore = ResidentMiB("VmHWM:");
    ResetPeakResident();
    const double residentBefore = ResidentMiB("VmRSS:");
    std::vector<Run> runs;
    for (int i = 0; i < kRuns; ++i) {
        const Run run = MeasureOnce(browser);
        if (run.ShownMs < 0) {
            std::printf("the preview did not show its pages\n");
            return 1;
        }
        std::printf("run %d: preview shown with %d pages after %lld ms (the engine's printing ended at %lld ms)\n",
                    i + 1, run.Pages, static_cast<long long>(run.ShownMs), static_cast<long long>(run.EngineMs));
        runs.push_back(run);
    }
    std::sort(runs.begin(), runs.end(), [](const Run &a, const Run &b) { return a.ShownMs < b.ShownMs; });
    const Run &median = runs[runs.size() / 2];
    const double peakDuring = ResidentMiB("VmHWM:");
    std::printf("peak resident memory: %.0f MiB before the previews, %.0f MiB during them: %.1f MiB more a printed "
                "page (goal: a few MiB; at a printer's 1200 dpi one page alone takes over 500 MiB)\n",
                peakBefore, peakDuring, (peakDuring - residentBefore) / qMax(1, median.Pages));
    double load[3] = {};
    const bool haveLoad = getloadavg(load, 3) == 3;
    std::printf("Print Preview of a %d-paragraph page (%d printed pages): median %lld ms from the command to "
                "the pages shown, %lld ms of it until the engine's printing ended (median of %d)\n",
                kParagraphs, median.Pages, static_cast<long long>(median.ShownMs),
                static_cast<long long>(median.EngineMs), kRuns);
    if (haveLoad)
        std::printf("machine load (1, 5, 15 min): %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    return 0;
}
