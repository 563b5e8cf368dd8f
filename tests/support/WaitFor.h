#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

// Waiting in a test without a fixed sleep: events run until a condition holds or a deadline
// passes. The result goes into a GoogleTest assertion, so that a wait that runs out fails the case.

// Lets events run until condition() holds or timeoutMs have passed; returns whether it held.
// It wakes at each event, and on a short tick for a condition no event announces; it never
// sleeps while events come, so a transfer of many small blocks runs at full speed.
template <class Condition>
bool WaitUntil(Condition condition, int timeoutMs = 10000)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTimer tick;
    tick.start(10);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Lets events run until read() gives expected or timeoutMs have passed; returns the last value
// read, so that EXPECT_EQ(WaitForValue(read, expected), expected) shows what came instead.
template <class Read, class T>
auto WaitForValue(Read read, const T &expected, int timeoutMs = 10000)
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
