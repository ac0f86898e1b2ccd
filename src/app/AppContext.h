#pragma once
// What the whole program shares, owned by the application and handed to whatever needs it: the
// settings store, the hot key service, the idle update of command elements, what is playing, and the
// main window. Nothing of it is reached through a global.
#include "app/SettingsStore.h"
#include "platform/HotKeyService.h"
#include "platform/IdleUpdate.h"
#include "playback/PlaybackService.h"
#include "player/NowPlaying.h"

#include <memory>

class CMDIFrameWnd;

class CAppContext
{
public:
    CAppContext();
    ~CAppContext();
    CAppContext(const CAppContext&) = delete;
    CAppContext& operator=(const CAppContext&) = delete;

    CSettingsStore& Settings() { return m_settings; }
    CIdleUpdate& IdleUpdate() { return m_idle; }
    CNowPlaying& NowPlaying() { return m_nowPlaying; }
    CPlaybackService& Playback() { return m_playback; }
    // Never null: one that refuses every registration until a backend is set.
    CHotKeyService& HotKeys() const { return *m_pHotKeys; }
    // Takes the backend of the running session (null: back to refusing).
    void SetHotKeyService(std::unique_ptr<CHotKeyService> pService);
    // A service the caller keeps (tests); null: back to refusing.
    void UseHotKeyService(CHotKeyService* pService);

    CMDIFrameWnd* MainWnd() const { return m_pMainWnd; }
    void SetMainWnd(CMDIFrameWnd* pMainWnd) { m_pMainWnd = pMainWnd; }

    // The channel number given on the command line waits here until the channel player takes it
    // (once); -1 when there is none.
    void SetStartChannel(int nChannel) { m_nStartChannel = nChannel; }
    int TakeStartChannel();

private:
    CSettingsStore m_settings;
    CIdleUpdate m_idle;
    CNowPlaying m_nowPlaying;
    CPlaybackService m_playback;
    CRefusingHotKeyService m_refusing;
    std::unique_ptr<CHotKeyService> m_pOwnedHotKeys;
    CHotKeyService* m_pHotKeys = &m_refusing;
    CMDIFrameWnd* m_pMainWnd = nullptr;
    int m_nStartChannel = -1;
};
