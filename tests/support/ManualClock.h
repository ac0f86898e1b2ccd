// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A clock that stands still until the test moves it: the timers on it fire only inside Advance(),
// each at its own time and in order, so a test sees a wait of minutes at once and to the millisecond.
#include "platform/Clock.h"

#include <QList>

class CManualTimer;

class CManualClock : public CClock
{
public:
    ~CManualClock() override;
    qint64 NowMs() const override { return m_nNow; }

    // Moves time on by nMs. Each timer that falls due on the way fires with the clock at its due time,
    // the earliest first (those due together in the order they were started), timers started by
    // those included when they fall due within the span.
    void Advance(qint64 nMs);
    // Moves time on without firing anything, as when the event loop is busy while time passes; the
    // timers that fell due fire at the next Advance (Advance(0) will do).
    void Skip(qint64 nMs) { m_nNow += nMs; }
    // The timers waiting now.
    int RunningTimers() const;

protected:
    CClockTimer* CreateTimer(QObject* pParent, Qt::TimerType type) override;

private:
    friend class CManualTimer;
    qint64 m_nNow = 0;
    quint64 m_nStarts = 0;         // orders the timers due at the same time
    QList<CManualTimer*> m_timers; // every timer alive on this clock
};
