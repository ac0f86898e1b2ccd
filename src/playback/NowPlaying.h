// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What is playing, for everything outside the player view that tells the desktop about it (the
// media player interface on the session bus, song notifications). The player view reports the
// channel it opens, the stream's title and whether sound comes out; listeners hear Changed, and
// SongChanged when a new title arrives.
//
// The rules that turn that state into what the desktop sees live here too, free of D-Bus, so that
// they can be checked without a bus.
#include "base/Commands.h"
#include "playback/MediaPlayer.h"

#include <QObject>
#include <QString>
#include <QVariantMap>

class CNowPlaying : public QObject
{
    Q_OBJECT
public:
    // Requests of a desktop's media controls.
    enum class EAction
    {
        Play,
        Pause,
        PlayPause,
        Stop,
        Next,
        Previous
    };

    explicit CNowPlaying(QObject* parent = nullptr);

    // The player view exists (the only place where the playback commands are handled).
    void SetPlayerPresent(bool bPresent);
    // A channel is handed to the player: a new track for the desktop, without a title yet.
    void OpenChannel(const QString& strName, const QString& strUrl);
    // The stream's own title ("" when it has none or it went away).
    void SetStreamTitle(const QString& strTitle);
    void SetPlaying(bool bPlaying);
    // A stream that plays from its rewind buffer: whether it is paused, where it plays (seconds on
    // the buffer's line) and how far behind live. A move in the buffer (not the passing of time
    // while it plays or pauses) is told by Seeked.
    void SetListenBack(bool bBuffered, bool bPaused, double dPlaying, double dBehind);
    // A desktop asks to move by dSeconds, or to a moment on the buffer's line: the player view hears
    // SeekRequested / PositionRequested. Only while a buffered stream plays; SetPosition only for
    // the current track.
    void RequestSeek(double dSeconds);
    void RequestPosition(const QString& strTrackId, double dSeconds);
    // The player's volume, 0.0 (silent) to 1.0 (full), as the player view reports it.
    void SetVolume(double dVolume);
    // A desktop asks for another volume: the player view hears VolumeRequested and, once the player
    // has it, reports it back through SetVolume. Out-of-range values are clamped.
    void RequestVolume(double dVolume);
    // A passing attenuation on top of the volume (1.0: none), such as the sleep timer's fade. It is
    // not the user's volume: neither stored nor shown to the desktop.
    void SetFadeLevel(double dLevel);
    double FadeLevel() const { return m_dFade; }
    // The player view is gone, and with it the channel and its sound.
    void Reset();

    bool IsPlayerPresent() const { return m_bPlayerPresent; }
    bool IsPlaying() const { return m_bPlaying; }
    bool IsBuffered() const { return m_bBuffered; }
    bool IsPaused() const { return m_bPaused; }
    // Microseconds on the buffer's line; 0 without a buffer.
    qint64 PositionMicroseconds() const;
    QString Channel() const { return m_strChannel; }
    QString Url() const { return m_strUrl; }
    QString StreamTitle() const { return m_strTitle; }
    double Volume() const { return m_dVolume; }
    // The object path that names the current track (a new one for every channel opened); "" if none.
    QString TrackId() const;

    // "Playing", "Paused" (a buffered stream only) or "Stopped".
    QString PlaybackStatus() const;
    // The track's metadata under the xesam and mpris keys; mpris:trackid is the object path as a
    // string, which the bus side turns into an object path. Empty while no channel is open.
    QVariantMap Metadata() const;

    // The player's status text with the stream's title joined to "Playing".
    static QString StatusText(EPlayerState state, const QString& strStatus, const QString& strTitle);
    // The command a media control's request posts (0 for none). A stream without a rewind buffer
    // cannot pause: pausing stops it. A buffered one pauses, and Play goes on from the pause. A
    // pause or play that would not change anything does nothing.
    static UINT CommandFor(EAction action, bool bPlaying, bool bBuffered = false, bool bPaused = false);

signals:
    void Changed();
    // A new, non-empty title of the channel that plays.
    void SongChanged(const QString& strChannel, const QString& strTitle);
    void VolumeRequested(double dVolume);
    void FadeLevelChanged(double dLevel);
    void SeekRequested(double dSeconds);
    void PositionRequested(double dSeconds);
    // Playback moved in the buffer; the new position in microseconds.
    void Seeked(qint64 nPosition);

private:
    bool m_bPlayerPresent = false;
    bool m_bPlaying = false;
    bool m_bBuffered = false;
    bool m_bPaused = false;
    double m_dPlaying = 0;
    double m_dBehind = 0;
    QString m_strChannel;
    QString m_strUrl;
    QString m_strTitle;
    quint64 m_nTrack = 0;
    double m_dVolume = 0.5;
    double m_dFade = 1.0;
};
