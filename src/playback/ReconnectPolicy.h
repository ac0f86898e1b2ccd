// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// When a stream that was playing ends by itself (the server dropped it, the network failed), the
// player opens the same address again after 1, 2, 4, 8 and 16 seconds, then every 30 seconds, until
// it plays again or the user stops or picks another channel. A stream that never played is an error
// and is not retried: the address is most likely wrong, and retrying would hide that.
//
// One single-shot timer per attempt: while nothing is pending (playing, stopped, idle) no timer runs.
#include "platform/Clock.h"

#include <QObject>
#include <QString>
#include <functional>

class CReconnectPolicy : public QObject
{
    Q_OBJECT
public:
    explicit CReconnectPolicy(QObject* parent = nullptr, CClock& clock = CClock::System());

    // "Reconnecting... (attempt N)"
    static QString Text(int nAttempt);
    // Seconds to wait before attempt nAttempt (1-based).
    static int DelaySeconds(int nAttempt);

    // The user asked for a stream (another channel, Play) or stopped: no attempt is pending and the
    // next stream must play before a drop of it is retried.
    void Cancel();
    // The current stream plays (sound or picture comes out).
    void PlaybackStarted();
    // The current stream (or a reconnect attempt) ended by itself. Returns whether an attempt is
    // scheduled; false when the stream never played. The player may call it as soon as the server
    // ends a live stream, while the sound sent ahead still plays: a stream's end counts once, and
    // that sound playing on does not count as the stream playing again.
    bool StreamEnded();

    // Between a drop and the stream playing again (waiting for an attempt or inside one).
    bool IsReconnecting() const { return m_nAttempt > 0; }
    // The attempt waited for or under way, 0 when not reconnecting.
    int Attempt() const { return m_nAttempt; }
    bool IsWaiting() const { return m_pTimer->IsActive(); }
    // Milliseconds of the pending wait, -1 when none is pending.
    int PendingDelayMs() const { return m_pTimer->IsActive() ? int(m_pTimer->Interval()) : -1; }

    // The wait is over (the timer calls it): the attempt begins with m_onAttempt.
    void WaitOver();

    // Called when the wait for an attempt is over: open the address again.
    std::function<void()> m_onAttempt;

private:
    CClockTimer* m_pTimer;
    int m_nAttempt = 0;
    bool m_bPlayed = false; // the stream asked for has played since the user's request
};
