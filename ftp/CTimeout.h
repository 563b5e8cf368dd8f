#pragma once

#include <QObject>

// A periodic time-out timer with a period in whole seconds: TimeOut is raised every
// TimeOutValue seconds while the timer runs. All CTimeout objects share one hidden timer window
// (MTimeOutSupport); each timer is known there by its object's address.
class CTimeout : public QObject
{
    Q_OBJECT

public:
    // Throws NumberedError 17001 when the timer window cannot be made.
    explicit CTimeout(QObject *parent = nullptr);
    ~CTimeout() override;

    // Starts (or restarts from now) the timer when TimeOutValue is above 0; the first start
    // throws NumberedError 17002 when the timer is refused, and 6 for a period over 2147483 s.
    void StartTimer();
    // Stops the timer; a later StartTimer or Reset runs it again.
    void StopTimer();
    void setTimeOutValue(qint32 seconds) { m_timeOutValue = seconds; }
    qint32 TimeOutValue() const { return m_timeOutValue; }
    // Starts the period again from now, also on a stopped timer; nothing before the first start.
    // With TimeOutValue 0 or less it stops the timer.
    void Reset();

    // Called by the timer window's callback only.
    void RaiseTimeOut();

signals:
    void TimeOut();

private:
    qint32 m_timeOutValue = 0;
    quintptr m_timerId = 0;
};
