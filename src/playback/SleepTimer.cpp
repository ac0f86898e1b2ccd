// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playback/SleepTimer.h"

CSleepTimer::CSleepTimer(QObject* parent, CClock& clock)
    : QObject(parent), m_clock(clock), m_pTimer(clock.NewTimer(this, Qt::PreciseTimer))
{
    connect(m_pTimer, &CClockTimer::Timeout, this, &CSleepTimer::OnTimeout);
}

void CSleepTimer::SetSecondsPerMinute(int nSeconds)
{
    m_nSecondsPerMinute = qMax(1, nSeconds);
}

void CSleepTimer::Start(int nMinutes)
{
    if (nMinutes <= 0)
    {
        Cancel();
        return;
    }
    if (m_dLevel != 1.0)
        emit FadeLevel(m_dLevel = 1.0);
    m_mode = EMode::Timed;
    m_nDeadlineMs = m_clock.NowMs() + nMinutes * MinuteMs();
    OnTimeout();
    if (m_pTimer->IsActive() && nMinutes * MinuteMs() <= FadeMs())
        emit Changed();
}

void CSleepTimer::StartAtEndOfSong()
{
    m_pTimer->Stop();
    if (m_dLevel != 1.0)
        emit FadeLevel(m_dLevel = 1.0);
    m_mode = EMode::EndOfSong;
    emit Changed();
}

void CSleepTimer::Cancel()
{
    if (m_mode == EMode::Off)
        return;
    Finish(false);
}

void CSleepTimer::OnSongChanged()
{
    if (m_mode == EMode::EndOfSong)
        Finish(true);
}

int CSleepTimer::MinutesLeft() const
{
    if (m_mode != EMode::Timed)
        return 0;
    const qint64 nLeft = qMax<qint64>(0, LeftMs());
    return int((nLeft + MinuteMs() - 1) / MinuteMs());
}

QString CSleepTimer::TipLine() const
{
    switch (m_mode)
    {
    case EMode::Timed:
        return tr("Sleep in %1 min").arg(qMax(1, MinutesLeft()));
    case EMode::EndOfSong:
        return tr("Sleep at the end of the song");
    case EMode::Off:
        break;
    }
    return {};
}

void CSleepTimer::OnTimeout()
{
    if (m_mode != EMode::Timed)
        return;
    const qint64 nLeft = LeftMs();
    if (nLeft <= 0)
    {
        Finish(true);
        return;
    }
    const qint64 nFade = FadeMs();
    if (nLeft <= nFade)
    {
        const double dLevel = double(nLeft) / double(nFade);
        if (dLevel != m_dLevel)
            emit FadeLevel(m_dLevel = dLevel);
        m_pTimer->Start(qMin(nLeft, qMax<qint64>(1, nFade / kFadeSteps)));
        return;
    }
    // Wake at the next whole minute (the tool tip's count) or where the fade begins.
    const qint64 nToMinute = nLeft % MinuteMs() == 0 ? MinuteMs() : nLeft % MinuteMs();
    const qint64 nToFade = nLeft - nFade;
    emit Changed();
    m_pTimer->Start(qMin(nToMinute, nToFade));
}

void CSleepTimer::Finish(bool bExpired)
{
    m_pTimer->Stop();
    m_mode = EMode::Off;
    if (bExpired)
        emit Expired();
    if (m_dLevel != 1.0)
        emit FadeLevel(m_dLevel = 1.0);
    emit Changed();
}
