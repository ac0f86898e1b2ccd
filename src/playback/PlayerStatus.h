// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The player's status text, worked out from what the playback engine reports: the user's requests
// (load, stop, a refused address) and the engine's events (file started, playback (re)started,
// paused to fill its cache, file ended with a reason). The text changes only through here, and
// every change calls m_onChange once.
//
// "Playing" means that sound or picture really comes out.
//
// Files are told apart by the engine's playlist entry id, so the end of the stream being replaced
// never overwrites the status of the stream that replaces it.
#include "playback/MediaPlayer.h"

#include <QString>
#include <QtGlobal>
#include <functional>

class CPlayerStatus
{
public:
    // Texts that callers and tests compare with.
    static const QString kConnecting;            // "Connecting..."
    static const QString kPlaying;               // "Playing"
    static const QString kStopped;               // "Stopped"
    static QString Buffering(int nPercent);      // "Buffering: NN%"
    static QString Error(const QString& strWhy); // "Error: <why>"

    // Why a file ended, as the engine reports it.
    enum class EndReason
    {
        Eof,
        Stopped,
        Quit,
        Error,
        Redirect
    };
    // What went wrong when EndReason is Error.
    enum class Failure
    {
        None,
        CannotOpen,
        AudioDevice,
        VideoDevice,
        UnknownFormat,
        NothingToPlay,
        Unsupported,
        Other
    };

    // An entry id the engine did not report: the next file that starts is taken as the requested one.
    static constexpr qint64 kAnyEntry = -1;

    QString Text() const { return m_strText; }
    EPlayerState State() const { return m_state; }
    // A stream whose sound device failed shows the error and does not play, even while mpv goes on
    // without sound: it must not count as played, or its end would be taken for a drop and retried.
    bool IsPlaying() const { return m_bPlaying && !m_bAudioFailed; }

    // The user's side.
    void LoadRequested(qint64 nEntryId);
    void LoadRefused(const QString& strWhy);
    void StopRequested();

    // The engine's side.
    void FileStarted(qint64 nEntryId);
    void PlaybackRestarted();
    void PausedForCacheChanged(bool bPaused);
    void BufferingChanged(int nPercent);
    // The sound device could not be opened but the engine goes on with the picture alone: that is
    // still a failure the user must see, never "Playing".
    void AudioOutputFailed();
    // Whether the engine has a sound device open and a picture shown. "Playing" needs one of them:
    // the engine may report playback as started while it is still trying sound devices.
    void AudioOutputChanged(bool bOpen);
    void VideoOutputChanged(bool bShown);
    // strDetail, when not empty, is the engine's own last words about the failure.
    void FileEnded(qint64 nEntryId, EndReason reason, Failure failure, const QString& strDetail = {});

    static QString FailureText(Failure failure);

    std::function<void()> m_onChange;

private:
    void SetText(const QString& strText, EPlayerState state);
    void ShowPlayingOrBuffering();
    bool IsCurrent(qint64 nEntryId) const;

    QString m_strText;
    EPlayerState m_state = EPlayerState::Idle;
    qint64 m_nExpectedEntry = kAnyEntry;
    bool m_bAwaitingStart = false; // a load was requested and its file has not started yet
    qint64 m_nCurrentEntry = kAnyEntry;
    bool m_bHaveCurrent = false; // m_nCurrentEntry is a file we asked for and it has not ended
    bool m_bPlaying = false;     // playback of the current file has begun
    bool m_bPausedForCache = false;
    int m_nBufferPercent = 0;
    bool m_bAudioFailed = false;
    bool m_bAudioOpen = false;
    bool m_bVideoShown = false;
};
