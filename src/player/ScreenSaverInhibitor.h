// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Keeps the screen saver away while a picture plays where it can be seen: a stream with video plays
// and the player's window is shown. It asks the desktop's org.freedesktop.ScreenSaver on the session
// bus (Inhibit, which answers with a cookie) and gives the cookie back (UnInhibit) when playback
// stops, the picture goes, the window is hidden or the player goes. Without the service nothing
// happens, quietly; the calls never wait for their answers.
//
// The player owns it and must end it before the player's own parts go (see CWMPPlayer4): it watches
// the player's events, and a QWidget on its way out still sends some (the hide when it closes).
#include <QObject>
#include <QPointer>

class CWMPPlayer4;

class CScreenSaverInhibitor : public QObject
{
    Q_OBJECT
public:
    static constexpr const char* kService = "org.freedesktop.ScreenSaver";
    static constexpr const char* kPath = "/org/freedesktop/ScreenSaver";

    explicit CScreenSaverInhibitor(CWMPPlayer4* pPlayer, QObject* parent = nullptr);
    ~CScreenSaverInhibitor() override;

    bool IsInhibiting() const { return m_bWanted; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void Update();
    void Inhibit();
    void Release();

    CWMPPlayer4* m_pPlayer;
    QPointer<QObject> m_pWatchedWindow;
    bool m_bWanted = false;
    // The desktop's cookie, while one is held.
    uint m_nCookie = 0;
    bool m_bHasCookie = false;
    // An Inhibit is on its way (its cookie is given back as soon as it comes if no longer wanted).
    bool m_bPending = false;
};
