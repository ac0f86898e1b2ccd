// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What plays, for the whole program: the playback engine, the channel handed to it and the one status
// text that the status bar and the tray's tool tip show. It belongs to the application context and
// outlives every view: the player's page may go and come back while it stays.
//
// The status text is the engine's status, with the stream's title joined to "Playing", followed by
// the notes of what else acts on playback (how far the listener is behind live, the recording, the
// output device standing in for the chosen one, a song just saved), each after " | ".
#include "catalogue/ChannelTableModel.h"
#include "playback/MediaPlayer.h"

#include <QObject>
#include <QString>
#include <array>
#include <memory>

class CPlaybackEngine;

class CPlaybackService : public QObject
{
    Q_OBJECT
public:
    // What else may speak in the status text, in the order it is shown.
    enum class ENote
    {
        BehindLive,
        Recording,
        OutputDevice,
        SavedSong,
        Count
    };

    explicit CPlaybackService(QObject* parent = nullptr);
    ~CPlaybackService() override;

    // The engine, nullptr until one is set (the GUI sets the one that plays, tests their own).
    CPlaybackEngine* Engine() const { return m_pEngine.get(); }
    void SetEngine(std::unique_ptr<CPlaybackEngine> pEngine);

    // The channel handed to the engine next (or just now); a stream that is no row of the list has
    // number 0.
    void SetChannel(const CChannel& channel);
    const CChannel& Channel() const { return m_channel; }

    // strNote "" takes the note away.
    void SetNote(ENote note, const QString& strNote);
    QString StatusText() const;

    // "m:ss", or "h:mm:ss" from an hour on.
    static QString ClockText(double dSeconds);
    // "12:34 behind live"; "" when less than a second behind.
    static QString BehindLiveNote(double dBehind);

    // The engine's status with the stream's title joined to "Playing".
    static QString StatusWithTitle(EPlayerState state, const QString& strStatus, const QString& strTitle);

signals:
    void ChannelChanged(const CChannel& channel);
    // Whenever the engine's status, the title or a note changed (the text may be the same).
    void StatusTextChanged(const QString& strText);

private:
    void OnStatusInput();
    void OnBufferChanged();

    std::unique_ptr<CPlaybackEngine> m_pEngine;
    CChannel m_channel;
    std::array<QString, size_t(ENote::Count)> m_notes;
};
