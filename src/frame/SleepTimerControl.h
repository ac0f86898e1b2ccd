// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The sleep timer's place in the window: its commands (15, 30, 60, 90 minutes, the end of the song
// that plays, cancel), the menu that the tray and the ribbon show them in, and what the timer does
// to playback: the fade goes to the player through the now-playing state, the end stops playback as
// the Stop command does. The commands belong to the main frame, so they work whichever page is shown.
#include "base/Commands.h"
#include "playback/SleepTimer.h"

#include <QObject>

class CCommandActions;
class CNowPlaying;
class CSettingsStore;
class QMenu;
class QWidget;

class CSleepTimerControl : public QObject
{
    Q_OBJECT
public:
    // Binds the timer's commands for as long as it lives (it belongs to the frame).
    CSleepTimerControl(CNowPlaying* pNowPlaying, CSettingsStore& settings, CCommandActions& actions, QObject* pFrame);

    // A menu with the timer's entries: their actions, shared by every such menu.
    QMenu* CreateMenu(const QString& strTitle, QWidget* parent);
    CSleepTimer& Timer() { return m_timer; }

signals:
    // The tool tip's line changed.
    void TipChanged(const QString& strLine);

private:
    void Choose(UINT nID);
    void UpdateActions();

    CCommandActions& m_actions;
    CNowPlaying* m_pNowPlaying;
    CSettingsStore& m_settings;
    CSleepTimer m_timer;
    UINT m_nChosen = 0; // the entry of the armed timer
};
