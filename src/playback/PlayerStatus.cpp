// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playback/PlayerStatus.h"

const QString CPlayerStatus::kConnecting = QStringLiteral("Connecting...");
const QString CPlayerStatus::kPlaying = QStringLiteral("Playing");
const QString CPlayerStatus::kStopped = QStringLiteral("Stopped");

QString CPlayerStatus::Buffering(int nPercent)
{
    return QStringLiteral("Buffering: %1%").arg(qBound(0, nPercent, 100));
}

QString CPlayerStatus::Error(const QString& strWhy)
{
    return QStringLiteral("Error: %1").arg(strWhy);
}

QString CPlayerStatus::FailureText(Failure failure)
{
    switch (failure)
    {
    case Failure::CannotOpen:
        return QStringLiteral("cannot open the stream");
    case Failure::AudioDevice:
        return QStringLiteral("the audio device could not be opened");
    case Failure::VideoDevice:
        return QStringLiteral("the video output could not be opened");
    case Failure::UnknownFormat:
        return QStringLiteral("unsupported stream format");
    case Failure::NothingToPlay:
        return QStringLiteral("the stream has nothing to play");
    case Failure::Unsupported:
        return QStringLiteral("unsupported stream");
    case Failure::None:
    case Failure::Other:
        break;
    }
    return QStringLiteral("playback failed");
}

void CPlayerStatus::SetText(const QString& strText, EPlayerState state)
{
    if (strText == m_strText && state == m_state)
        return;
    m_strText = strText;
    m_state = state;
    if (m_onChange)
        m_onChange();
}

bool CPlayerStatus::IsCurrent(qint64 nEntryId) const
{
    return m_bHaveCurrent && nEntryId == m_nCurrentEntry;
}

void CPlayerStatus::LoadRequested(qint64 nEntryId)
{
    m_nExpectedEntry = nEntryId;
    m_bAwaitingStart = true;
    m_bHaveCurrent = false;
    m_bPlaying = false;
    m_bPausedForCache = false;
    m_nBufferPercent = 0;
    m_bAudioFailed = false;
    SetText(kConnecting, EPlayerState::Connecting);
}

void CPlayerStatus::LoadRefused(const QString& strWhy)
{
    m_bAwaitingStart = false;
    m_bHaveCurrent = false;
    m_bPlaying = false;
    SetText(Error(strWhy), EPlayerState::Error);
}

void CPlayerStatus::StopRequested()
{
    m_bAwaitingStart = false;
    m_bHaveCurrent = false;
    m_bPlaying = false;
    m_bPausedForCache = false;
    SetText(kStopped, EPlayerState::Stopped);
}

void CPlayerStatus::FileStarted(qint64 nEntryId)
{
    if (!m_bAwaitingStart || (m_nExpectedEntry != kAnyEntry && nEntryId != m_nExpectedEntry))
        return;
    m_bAwaitingStart = false;
    m_nCurrentEntry = nEntryId;
    m_bHaveCurrent = true;
    m_bPlaying = false;
    m_bAudioFailed = false;
    SetText(kConnecting, EPlayerState::Connecting);
}

void CPlayerStatus::ShowPlayingOrBuffering()
{
    if (m_bAudioFailed)
    {
        SetText(Error(FailureText(Failure::AudioDevice)), EPlayerState::Error);
        return;
    }
    if (!m_bAudioOpen && !m_bVideoShown)
        return;
    if (m_bPausedForCache)
        SetText(Buffering(m_nBufferPercent), EPlayerState::Buffering);
    else
        SetText(kPlaying, EPlayerState::Playing);
}

void CPlayerStatus::PlaybackRestarted()
{
    if (!m_bHaveCurrent)
        return;
    m_bPlaying = true;
    ShowPlayingOrBuffering();
}

void CPlayerStatus::PausedForCacheChanged(bool bPaused)
{
    m_bPausedForCache = bPaused;
    if (m_bHaveCurrent && m_bPlaying)
        ShowPlayingOrBuffering();
}

void CPlayerStatus::AudioOutputFailed()
{
    if (!m_bHaveCurrent)
        return;
    m_bAudioFailed = true;
    SetText(Error(FailureText(Failure::AudioDevice)), EPlayerState::Error);
}

void CPlayerStatus::AudioOutputChanged(bool bOpen)
{
    m_bAudioOpen = bOpen;
    if (m_bHaveCurrent && m_bPlaying)
        ShowPlayingOrBuffering();
}

void CPlayerStatus::VideoOutputChanged(bool bShown)
{
    m_bVideoShown = bShown;
    if (m_bHaveCurrent && m_bPlaying)
        ShowPlayingOrBuffering();
}

void CPlayerStatus::BufferingChanged(int nPercent)
{
    m_nBufferPercent = nPercent;
    if (m_bHaveCurrent && m_bPlaying && m_bPausedForCache)
        ShowPlayingOrBuffering();
}

void CPlayerStatus::FileEnded(qint64 nEntryId, EndReason reason, Failure failure, const QString& strDetail)
{
    if (!IsCurrent(nEntryId))
        return;
    const bool bWasPlaying = m_bPlaying;
    m_bHaveCurrent = false;
    m_bPlaying = false;
    m_bPausedForCache = false;
    if (reason == EndReason::Stopped || reason == EndReason::Quit)
    {
        SetText(kStopped, EPlayerState::Stopped);
        return;
    }
    // The engine goes on by itself after a redirection or with the next entry of a playlist that the
    // server sent: the next file that starts carries on the status.
    m_bAwaitingStart = true;
    m_nExpectedEntry = kAnyEntry;
    if (reason == EndReason::Redirect)
        return;
    if (reason == EndReason::Eof)
    {
        // A live stream has no end: an end before any sound means nothing came, and an end after it
        // usually means the server dropped the connection.
        if (bWasPlaying)
            SetText(QStringLiteral("Stopped: the stream ended"), EPlayerState::Stopped);
        else
            SetText(Error(FailureText(Failure::CannotOpen)), EPlayerState::Error);
        return;
    }
    QString strWhy = FailureText(failure);
    if (!strDetail.isEmpty())
        strWhy += QStringLiteral(" (%1)").arg(strDetail);
    SetText(Error(strWhy), EPlayerState::Error);
}
