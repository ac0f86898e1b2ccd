// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the player view needs of the embedded media player: set the address (which starts playing),
// stop, and read the state and its status text. CWMPPlayer4 is the real one; it signals changes.
#include <QString>

// What the player is doing, for code that acts on it; the status text says the same to the user.
enum class EPlayerState
{
    Idle,         // nothing asked for yet
    Connecting,   // opening the stream
    Buffering,    // playback waits for data
    Playing,      // sound or picture comes out
    Reconnecting, // a stream that dropped is being opened again
    Stopped,      // the user stopped, or a stream ended
    Error         // the stream could not be opened or played
};

class CWMPControls
{
public:
    virtual ~CWMPControls() = default;
    virtual void stop() = 0;
};

class CMediaPlayer
{
public:
    virtual ~CMediaPlayer() = default;
    // Closes whatever was open and starts playing strUrl; the same address again restarts it.
    virtual void put_URL(const QString& strUrl) = 0;
    virtual CWMPControls& get_controls() = 0;
    // A short human-readable text of the player's state.
    virtual QString get_status() const = 0;
    virtual EPlayerState GetState() const = 0;
};
