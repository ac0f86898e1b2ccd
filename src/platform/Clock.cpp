// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Clock.h"

#include <QDeadlineTimer>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace
{
class CSystemTimer : public CClockTimer
{
public:
    CSystemTimer(QObject* pParent, Qt::TimerType type) : CClockTimer(pParent)
    {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(type);
        connect(&m_timer, &QTimer::timeout, this, &CClockTimer::Timeout);
    }
    void Start(qint64 nMs) override
    {
        m_timer.start(int(std::clamp<qint64>(nMs, 0, std::numeric_limits<int>::max())));
    }
    void Stop() override { m_timer.stop(); }
    bool IsActive() const override { return m_timer.isActive(); }
    qint64 Interval() const override { return m_timer.interval(); }

private:
    QTimer m_timer;
};

class CSystemClock : public CClock
{
public:
    qint64 NowMs() const override { return QDeadlineTimer::current(Qt::PreciseTimer).deadline(); }

protected:
    CClockTimer* CreateTimer(QObject* pParent, Qt::TimerType type) override
    {
        return new CSystemTimer(pParent, type);
    }
};
} // namespace

CClock& CClock::System()
{
    static CSystemClock clock;
    return clock;
}
