#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

// Waiting in a test without a fixed sleep: events run until a condition holds or a deadline
// passes. The result goes into a GoogleTest assertion, so that a wait that runs out fails the case.

// Lets events run until condition() holds or timeoutMs have passed; returns whether it held.
template <class Condition>
bool WaitUntil(Condition condition, int timeoutMs = 5000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        // Wakes at the next event, or after a short tick for a condition no event announces.
        QTimer tick;
        tick.setSingleShot(true);
        tick.start(10);
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Lets events run until read() gives expected or timeoutMs have passed; returns the last value
// read, so that EXPECT_EQ(WaitForValue(read, expected), expected) shows what came instead.
template <class Read, class T>
auto WaitForValue(Read read, const T &expected, int timeoutMs = 5000)
{
    auto value = read();
    WaitUntil(
        [&] {
            value = read();
            return value == expected;
        },
        timeoutMs);
    return value;
}
