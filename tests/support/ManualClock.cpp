// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ManualClock.h"

class CManualTimer : public CClockTimer
{
public:
    CManualTimer(CManualClock* pClock, QObject* pParent) : CClockTimer(pParent), m_pClock(pClock)
    {
        m_pClock->m_timers.append(this);
    }
    ~CManualTimer() override
    {
        if (m_pClock)
            m_pClock->m_timers.removeOne(this);
    }
    void Start(qint64 nMs) override
    {
        m_nInterval = qMax<qint64>(0, nMs);
        m_nDue = m_pClock->m_nNow + m_nInterval;
        m_nStart = ++m_pClock->m_nStarts;
        m_bActive = true;
    }
    void Stop() override { m_bActive = false; }
    bool IsActive() const override { return m_bActive; }
    qint64 Interval() const override { return m_nInterval; }

    CManualClock* m_pClock;
    qint64 m_nInterval = 0;
    qint64 m_nDue = 0;
    quint64 m_nStart = 0;
    bool m_bActive = false;
};

CManualClock::~CManualClock()
{
    for (CManualTimer* pTimer : std::as_const(m_timers))
    {
        pTimer->m_pClock = nullptr;
        pTimer->m_bActive = false;
    }
}

CClockTimer* CManualClock::CreateTimer(QObject* pParent, Qt::TimerType)
{
    return new CManualTimer(this, pParent);
}

void CManualClock::Advance(qint64 nMs)
{
    const qint64 nEnd = m_nNow + qMax<qint64>(0, nMs);
    for (;;)
    {
        CManualTimer* pNext = nullptr;
        for (CManualTimer* pTimer : std::as_const(m_timers))
        {
            if (pTimer->m_bActive && pTimer->m_nDue <= nEnd &&
                (!pNext || pTimer->m_nDue < pNext->m_nDue ||
                 (pTimer->m_nDue == pNext->m_nDue && pTimer->m_nStart < pNext->m_nStart)))
                pNext = pTimer;
        }
        if (!pNext)
            break;
        m_nNow = qMax(m_nNow, pNext->m_nDue);
        pNext->m_bActive = false;
        emit pNext->Timeout(); // may start, stop or delete any timer, this one included
    }
    m_nNow = nEnd;
}

int CManualClock::RunningTimers() const
{
    int nRunning = 0;
    for (const CManualTimer* pTimer : m_timers)
        nRunning += pTimer->m_bActive ? 1 : 0;
    return nRunning;
}
