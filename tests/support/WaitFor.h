#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <memory>

// Waiting in a test without a fixed sleep: events run until a condition holds or the deadline
// passes. The result goes into a GoogleTest assertion, so that a wait that runs out fails the case
// where it waited.

// The deadline of every wait: long enough for a page load on a loaded machine. A wait ends as
// soon as its condition holds, so only a failing case waits this long.
constexpr int WaitTimeoutMs = 30000;

// Lets events run until condition() holds or the deadline passes; returns whether it held.
// It wakes at each event, and on a short tick for a condition no event announces; it never
// sleeps while events come, so a transfer of many small blocks runs at full speed. Objects
// deleted later go as they would in the program's event loop, which the test does not run.
template <class Condition>
bool WaitUntil(Condition condition)
{
    const QDeadlineTimer deadline(WaitTimeoutMs);
    QTimer tick;
    tick.start(10);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Lets events run until read() gives expected or the deadline passes; returns the last value
// read, so that EXPECT_EQ(WaitForValue(read, expected), expected) shows what came instead.
template <class Read, class T>
auto WaitForValue(Read read, const T &expected)
{
    auto value = read();
    WaitUntil([&] {
        value = read();
        return value == expected;
    });
    return value;
}

// The barrier of a check that something queued did not happen: returns once every call queued,
// every event posted and every object deleted later before it has been dealt with. What those
// queue in turn may still be pending.
inline bool WaitForQueuedCalls()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto ran = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [ran] { *ran = true; }, Qt::QueuedConnection);
    return WaitUntil([&] { return *ran; });
}

// Whether the window of a widget is on the screen.
inline bool Exposed(const QWidget *widget)
{
    const QWindow *window = widget->window()->windowHandle();
    return window && window->isExposed();
}
