// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the whole program shares, owned by the application and handed to whatever needs it: the
// settings store, the hot key service, the command actions, the playback service and what is playing.
// Nothing of it is reached through a global.
#include "base/SettingsStore.h"
#include "platform/HotKeyService.h"
#include "playback/PlaybackService.h"
#include "playback/NowPlaying.h"

#include <memory>

class CCommandActions;

class CAppContext
{
public:
    CAppContext();
    ~CAppContext();
    CAppContext(const CAppContext&) = delete;
    CAppContext& operator=(const CAppContext&) = delete;

    CSettingsStore& Settings() { return m_settings; }
    CNowPlaying& NowPlaying() { return m_nowPlaying; }
    CPlaybackService& Playback() { return m_playback; }
    // Never null: one that refuses every registration until a backend is set.
    CHotKeyService& HotKeys() const { return *m_pHotKeys; }
    // Takes the backend of the running session (null: back to refusing).
    void SetHotKeyService(std::unique_ptr<CHotKeyService> pService);
    // A service the caller keeps (tests); null: back to refusing.
    void UseHotKeyService(CHotKeyService* pService);

    // The actions of every command; the application (or a test) owns them and sets them before it
    // makes any window.
    CCommandActions& Actions() const { return *m_pActions; }
    void SetActions(CCommandActions* pActions) { m_pActions = pActions; }

    // The channel number given on the command line waits here until the channel player takes it
    // (once); -1 when there is none.
    void SetStartChannel(int nChannel) { m_nStartChannel = nChannel; }
    int TakeStartChannel();

private:
    CSettingsStore m_settings;
    CNowPlaying m_nowPlaying;
    CPlaybackService m_playback;
    CRefusingHotKeyService m_refusing;
    std::unique_ptr<CHotKeyService> m_pOwnedHotKeys;
    CHotKeyService* m_pHotKeys = &m_refusing;
    CCommandActions* m_pActions = nullptr;
    int m_nStartChannel = -1;
};
