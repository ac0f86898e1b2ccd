// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program as a media player on the session bus (MPRIS 2): org.mpris.MediaPlayer2.vedrix at
// /org/mpris/MediaPlayer2, so that the desktop's media keys and panel widgets can show what plays
// and control it. Requests trigger the same actions as the ribbon's buttons, on the next turn of the
// event loop (after the bus call has been answered); the player's commands do something while the
// player's page is shown.
//
// Without a session bus the service does nothing, quietly.
#include "base/Commands.h"
#include "playback/NowPlaying.h"

#include <QObject>
#include <QVariantMap>

class CCommandActions;

class CMprisService : public QObject
{
    Q_OBJECT
public:
    static constexpr const char* kServiceName = "org.mpris.MediaPlayer2.vedrix";
    static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";
    static constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";

    CMprisService(CNowPlaying* pNowPlaying, CCommandActions& actions, QObject* parent);
    ~CMprisService() override;

    // Whether the object is on the bus (the name is asked for without waiting for the answer).
    bool IsRegistered() const { return m_bRegistered; }

    CNowPlaying* NowPlaying() const { return m_pNowPlaying; }
    // The Player interface's properties that change, in their bus form.
    QVariantMap PlayerProperties() const;
    static QVariantMap BusMetadata(const QVariantMap& metadata);

    // What the interfaces' methods do.
    void Raise();
    void Quit();
    void Act(CNowPlaying::EAction action);

private:
    void OnNowPlayingChanged();
    void PostCommand(UINT nID);

    CNowPlaying* m_pNowPlaying;
    CCommandActions& m_actions;
    bool m_bRegistered = false;
    // What the desktop was last told, to announce only what changed.
    QVariantMap m_lastProperties;
};
