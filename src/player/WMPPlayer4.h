// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The embedded media player's widget: the picture area and its own control bar (play, stop, volume,
// mute, position), over the playback engine (playback/MpvEngine.h), which plays. Audio goes to the
// system's sound server.
//
// Made with the playback service, it drives the service's engine, which stays when the widget goes;
// made alone (tests), it has an engine of its own. Either way the engine's core is held while the
// widget exists.
#include "playback/MediaPlayer.h"

#include <QWidget>
#include <functional>
#include <memory>

class CMpvEngine;
class CMpvRenderWidget;
class CPlaybackService;
class CPlayerControlBar;
class CScreenSaverInhibitor;

class CWMPPlayer4 : public QWidget, public CMediaPlayer
{
    Q_OBJECT
public:
    explicit CWMPPlayer4(QWidget* parent = nullptr);
    CWMPPlayer4(CPlaybackService& service, QWidget* parent);
    ~CWMPPlayer4() override;

    CMpvEngine& Engine() const { return *m_pEngine; }

    void put_URL(const QString& strUrl) override;
    CWMPControls& get_controls() override;
    QString get_status() const override;
    EPlayerState GetState() const override;

    // Says whether an address is one that the user typed in: only such an address may bind a local
    // port (udp://@:1234, see CStreamAddress); every other one is held to the rules for addresses
    // from outside. Unset, none is.
    void SetTypedAddressCheck(std::function<bool(const QString&)> isTyped);

    // The name shown in the picture area while an audio-only channel plays.
    void SetDisplayName(const QString& strName);

    // The address last given to put_URL ("" before the first).
    QString URL() const;
    // The stream's current title (ICY title or the stream's own title tag), "" if none.
    QString StreamTitle() const;
    // Whether the current stream's playback has begun (and not ended or been stopped since).
    bool IsPlaying() const;
    // Whether the picture area shows video now.
    bool HasVideo() const;
    CPlayerControlBar* ControlBar() const { return m_pBar; }
    CMpvRenderWidget* PictureArea() const { return m_pVideo; }
    // The picture alone in a full-screen window of its own (only while there is a picture to show),
    // or back in the player. Double click and F11 switch, Escape returns.
    void SetFullScreen(bool bFullScreen);
    bool IsFullScreen() const { return m_pFullScreen != nullptr; }
    // The sound's volume, 0-100, and mute; changed here or on the control bar, VolumeChange tells.
    int Volume() const;
    bool IsMuted() const;
    void SetVolume(int nVolume);
    void SetMuted(bool bMuted);
    // Plays quieter than the volume by this factor (1.0: as loud as the volume) without changing the
    // volume itself: the control bar and VolumeChange keep showing the user's volume.
    void SetFade(double dLevel);

    // Loads the engine ahead of a stream that is about to be asked for (nothing else happens).
    void Prepare();

signals:
    // The status text changed (and with it, perhaps, the state).
    void StatusChange();
    void StateChanged(EPlayerState state);
    // The picture came or went (HasVideo).
    void VideoChange();
    // The volume or mute changed (on the control bar or through SetVolume/SetMuted).
    void VolumeChange();
private:
    class CControls : public CWMPControls
    {
    public:
        explicit CControls(CWMPPlayer4& player) : m_player(player) {}
        void stop() override { m_player.Stop(); }

    private:
        CWMPPlayer4& m_player;
    };

    void Build();
    void Play();
    void Stop();
    void OnStatusChanged(const QString& strStatus);
    void OnPictureChanged(bool bShown);
    void OnPosition(double dPosition, double dDuration);

    // Only when made alone; else the service's.
    std::unique_ptr<CMpvEngine> m_pOwnEngine;
    CMpvEngine* m_pEngine;
    CMpvRenderWidget* m_pVideo = nullptr;
    CPlayerControlBar* m_pBar = nullptr;
    QWidget* m_pFullScreen = nullptr;
    CControls m_controls{*this};
    // A member, not a child: it watches this widget's events and asks it whether a picture plays, so
    // it must end while this is still a whole player. A child would still be filtering when the
    // QWidget part hides the window on its way out, and call into a player that no longer exists.
    // Declared last, it goes first.
    std::unique_ptr<CScreenSaverInhibitor> m_pInhibitor;
};
