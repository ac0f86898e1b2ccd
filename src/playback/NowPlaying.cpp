// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playback/NowPlaying.h"

#include "playback/PlaybackService.h"
#include "playback/PlayerStatus.h"

#include <QStringList>
#include <QtNumeric>

namespace
{
// Track paths must not lie under /org/mpris, which belongs to the interface itself.
constexpr const char* kTrackPathFormat = "/com/palomer/vedrix/track/%1";
// Smaller changes than this are the engine's own jitter, not a move.
constexpr double kLeastMove = 1.0;
} // namespace

CNowPlaying::CNowPlaying(QObject* parent) : QObject(parent) {}

void CNowPlaying::SetPlayerPresent(bool bPresent)
{
    if (bPresent == m_bPlayerPresent)
        return;
    m_bPlayerPresent = bPresent;
    emit Changed();
}

void CNowPlaying::OpenChannel(const QString& strName, const QString& strUrl)
{
    ++m_nTrack;
    m_strChannel = strName;
    m_strUrl = strUrl;
    m_strTitle.clear();
    emit Changed();
}

void CNowPlaying::SetStreamTitle(const QString& strTitle)
{
    if (strTitle == m_strTitle)
        return;
    m_strTitle = strTitle;
    emit Changed();
    if (!m_strTitle.isEmpty())
        emit SongChanged(m_strChannel, m_strTitle);
}

void CNowPlaying::SetPlaying(bool bPlaying)
{
    if (bPlaying == m_bPlaying)
        return;
    m_bPlaying = bPlaying;
    emit Changed();
}

void CNowPlaying::SetListenBack(bool bBuffered, bool bPaused, double dPlaying, double dBehind)
{
    // Playing on, the distance to live stays; paused, the playing point stays. Anything else moved.
    const bool bMoved =
        bBuffered && m_bBuffered &&
        (bPaused && m_bPaused ? qAbs(dPlaying - m_dPlaying) >= kLeastMove
                              : !bPaused && !m_bPaused && qAbs(dBehind - m_dBehind) >= kLeastMove);
    const bool bChanged = bBuffered != m_bBuffered || bPaused != m_bPaused;
    m_bBuffered = bBuffered;
    m_bPaused = bBuffered && bPaused;
    m_dPlaying = bBuffered ? dPlaying : 0;
    m_dBehind = bBuffered ? dBehind : 0;
    if (bChanged)
        emit Changed();
    if (bMoved)
        emit Seeked(PositionMicroseconds());
}

void CNowPlaying::RequestSeek(double dSeconds)
{
    if (m_bBuffered && qIsFinite(dSeconds))
        emit SeekRequested(dSeconds);
}

void CNowPlaying::RequestPosition(const QString& strTrackId, double dSeconds)
{
    // A position for a track that is no longer the current one means nothing now.
    if (m_bBuffered && qIsFinite(dSeconds) && dSeconds >= 0 && strTrackId == TrackId())
        emit PositionRequested(dSeconds);
}

qint64 CNowPlaying::PositionMicroseconds() const
{
    return m_bBuffered ? qint64(m_dPlaying * 1e6) : 0;
}

void CNowPlaying::SetVolume(double dVolume)
{
    dVolume = qBound(0.0, dVolume, 1.0);
    if (qFuzzyCompare(1.0 + dVolume, 1.0 + m_dVolume))
        return;
    m_dVolume = dVolume;
    emit Changed();
}

void CNowPlaying::RequestVolume(double dVolume)
{
    // NaN is what a careless client may send; it means nothing.
    if (!qIsFinite(dVolume))
        return;
    emit VolumeRequested(qBound(0.0, dVolume, 1.0));
}

void CNowPlaying::SetFadeLevel(double dLevel)
{
    dLevel = qIsFinite(dLevel) ? qBound(0.0, dLevel, 1.0) : 1.0;
    if (dLevel == m_dFade)
        return;
    m_dFade = dLevel;
    emit FadeLevelChanged(m_dFade);
}

void CNowPlaying::Reset()
{
    m_bPlayerPresent = false;
    m_bPlaying = false;
    m_bBuffered = false;
    m_bPaused = false;
    m_strChannel.clear();
    m_strUrl.clear();
    m_strTitle.clear();
    emit Changed();
}

QString CNowPlaying::TrackId() const
{
    if (m_strChannel.isEmpty() && m_strUrl.isEmpty())
        return {};
    return QString::fromLatin1(kTrackPathFormat).arg(m_nTrack);
}

QString CNowPlaying::PlaybackStatus() const
{
    if (m_bPaused)
        return QStringLiteral("Paused");
    return m_bPlaying ? QStringLiteral("Playing") : QStringLiteral("Stopped");
}

QVariantMap CNowPlaying::Metadata() const
{
    const QString strTrack = TrackId();
    if (strTrack.isEmpty())
        return {};
    QVariantMap metadata;
    metadata.insert(QStringLiteral("mpris:trackid"), strTrack);
    metadata.insert(QStringLiteral("xesam:title"), m_strTitle.isEmpty() ? m_strChannel : m_strTitle);
    metadata.insert(QStringLiteral("xesam:artist"), QStringList{m_strChannel});
    metadata.insert(QStringLiteral("xesam:url"), m_strUrl);
    return metadata;
}

QString CNowPlaying::StatusText(EPlayerState state, const QString& strStatus, const QString& strTitle)
{
    return CPlaybackService::StatusWithTitle(state, strStatus, strTitle);
}

UINT CNowPlaying::CommandFor(EAction action, bool bPlaying, bool bBuffered, bool bPaused)
{
    if (bBuffered && bPaused)
        return action == EAction::Play || action == EAction::PlayPause ? ID_PLAY
               : action == EAction::Pause                              ? 0
                                                                       : CommandFor(action, bPlaying);
    switch (action)
    {
    case EAction::Play:
        return bPlaying ? 0 : ID_PLAY;
    case EAction::Pause:
        return !bPlaying ? 0 : bBuffered ? ID_PAUSE : ID_STOP;
    case EAction::PlayPause:
        return !bPlaying ? ID_PLAY : bBuffered ? ID_PAUSE : ID_STOP;
    case EAction::Stop:
        return ID_STOP;
    case EAction::Next:
        return ID_PLAY_NEXT;
    case EAction::Previous:
        return ID_PLAY_PREVIOUS;
    }
    return 0;
}
