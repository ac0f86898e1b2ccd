#pragma once
// The sleep timer's place in the window: its commands (15, 30, 60, 90 minutes, the end of the song
// that plays, cancel), the menu that the tray and the ribbon show them in, and what the timer does
// to playback: the fade goes to the player through the now-playing state, the end stops playback as
// the Stop command does. The main frame handles the commands, so they work whichever view is active.
#include "platform/CmdTarget.h"
#include "player/SleepTimer.h"

#include <QObject>

class CNowPlaying;
class CSettingsStore;
class QMenu;
class QWidget;

class CSleepTimerControl : public QObject
{
    Q_OBJECT
public:
    // Commands are posted to the frame.
    CSleepTimerControl(CNowPlaying* pNowPlaying, CSettingsStore& settings, QObject* pFrame);

    void AddCommands(CCommandMap& commandMap);
    // A menu with the timer's entries; each entry posts its command to the frame.
    QMenu* CreateMenu(const QString& strTitle, QWidget* parent);
    CSleepTimer& Timer() { return m_timer; }

signals:
    // The tool tip's line changed.
    void TipChanged(const QString& strLine);

private:
    void Choose(UINT nID);
    void UpdateMenu(QMenu* pMenu);

    QObject* m_pFrame;
    CNowPlaying* m_pNowPlaying;
    CSettingsStore& m_settings;
    CSleepTimer m_timer;
    UINT m_nChosen = 0; // the entry of the armed timer
};
