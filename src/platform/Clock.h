// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Time as the program's timed work sees it: a steady clock and single-shot timers that run on it.
// The sleep timer, the reconnect waits and the station directory's deadline take a clock, so that
// their tests move time on by hand instead of waiting for it; the program itself uses System().
#include <QObject>

// A single-shot timer on a CClock. Stopped when made; fires Timeout once per Start.
class CClockTimer : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // Fires Timeout nMs from now; a wait that runs already starts over.
    virtual void Start(qint64 nMs) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
    // The wait last started, in milliseconds.
    virtual qint64 Interval() const = 0;

signals:
    void Timeout();
};

class CClock
{
public:
    virtual ~CClock() = default;
    // Milliseconds since an arbitrary start; never goes back, whatever the wall clock does.
    virtual qint64 NowMs() const = 0;
    // A new, stopped timer on this clock, owned by pParent. Qt::PreciseTimer where a wait must end
    // on the millisecond (a fade's steps), the default where a few percent do not matter.
    CClockTimer* NewTimer(QObject* pParent, Qt::TimerType type = Qt::CoarseTimer)
    {
        return CreateTimer(pParent, type);
    }

    // The machine's steady clock, with QTimers. It holds no state, so one serves the whole program.
    static CClock& System();

protected:
    virtual CClockTimer* CreateTimer(QObject* pParent, Qt::TimerType type) = 0;
};
