// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Tells the program's now-playing state what the playback engine does while the player view exists: the channel it
// opens, the stream's title, whether sound comes out and how loud, and where it plays in the
// rewind buffer; the desktop's moves in the buffer go to the player. Lives as long as the view.
//
// The volume and mute are the user's: the reporter gives the player the stored ones when the view is
// made, stores every change (from the control bar or the desktop), and hands the desktop's volume
// requests to the player.
#include <QObject>

class CNowPlaying;
class CPlaybackEngine;
class CSettingsStore;

class CNowPlayingReporter : public QObject
{
    Q_OBJECT
public:
    CNowPlayingReporter(CPlaybackEngine* pPlayer, CNowPlaying* pNowPlaying, CSettingsStore& settings,
                        QObject* parent);
    // The player goes with the view: nothing plays any more.
    ~CNowPlayingReporter() override;

    // Called with the channel's name and address just before the address goes to the player.
    void OpenChannel(const QString& strName, const QString& strUrl);

private:
    void Update();
    void UpdateListenBack();
    void OnVolumeChange();

    CPlaybackEngine* m_pPlayer;
    CNowPlaying* m_pNowPlaying;
    CSettingsStore& m_settings;
};
