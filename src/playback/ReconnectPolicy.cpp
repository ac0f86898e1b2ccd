// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playback/ReconnectPolicy.h"

namespace
{
constexpr int kLongestBackoffSeconds = 16;
constexpr int kSteadyRetrySeconds = 30;
} // namespace

CReconnectPolicy::CReconnectPolicy(QObject* parent, CClock& clock)
    : QObject(parent), m_pTimer(clock.NewTimer(this))
{
    connect(m_pTimer, &CClockTimer::Timeout, this, &CReconnectPolicy::WaitOver);
}

void CReconnectPolicy::WaitOver()
{
    // The attempt opens a new stream, whose own end counts again.
    m_pTimer->Stop();
    if (m_onAttempt)
        m_onAttempt();
}

QString CReconnectPolicy::Text(int nAttempt)
{
    return QStringLiteral("Reconnecting... (attempt %1)").arg(nAttempt);
}

int CReconnectPolicy::DelaySeconds(int nAttempt)
{
    if (nAttempt < 1)
        return 1;
    // 1, 2, 4, 8, 16; the shift stays small so it cannot overflow however long the retrying lasts.
    if (nAttempt <= 5)
        return qMin(1 << (nAttempt - 1), kLongestBackoffSeconds);
    return kSteadyRetrySeconds;
}

void CReconnectPolicy::Cancel()
{
    m_pTimer->Stop();
    m_nAttempt = 0;
    m_bPlayed = false;
}

void CReconnectPolicy::PlaybackStarted()
{
    // What a dropped stream sent ahead still playing is not the stream coming back.
    if (IsWaiting())
        return;
    m_nAttempt = 0;
    m_bPlayed = true;
}

bool CReconnectPolicy::StreamEnded()
{
    // Counted already: the wait for its attempt runs.
    if (IsWaiting())
        return true;
    if (!m_bPlayed)
        return false;
    ++m_nAttempt;
    m_pTimer->Start(DelaySeconds(m_nAttempt) * 1000);
    return true;
}
