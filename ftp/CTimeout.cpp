#include "ftp/CTimeout.h"

#include "ftp/MTimeOutSupport.h"

CTimeout::CTimeout(QObject *parent) : QObject(parent)
{
    MTimeOutSupport::CreateTimer();
}

CTimeout::~CTimeout()
{
    StopTimer();
    MTimeOutSupport::DestroyTimer();
}

void CTimeout::StartTimer()
{
    if (m_timeOutValue <= 0)
        return;
    const quintptr identifier = reinterpret_cast<quintptr>(this);
    if (m_timerId == 0)
        m_timerId = MTimeOutSupport::RegisterTimer(m_timeOutValue, identifier);
    else
        MTimeOutSupport::ResetTimer(m_timerId, m_timeOutValue);
}

void CTimeout::StopTimer()
{
    if (m_timerId != 0)
        MTimeOutSupport::UnregisterTimer(m_timerId);
}

void CTimeout::Reset()
{
    if (m_timerId == 0)
        return;
    // A period of no seconds means no time-out, never a timer that fires without pause.
    if (m_timeOutValue <= 0)
        StopTimer();
    else
        MTimeOutSupport::ResetTimer(m_timerId, m_timeOutValue);
}

void CTimeout::RaiseTimeOut()
{
    emit TimeOut();
}
