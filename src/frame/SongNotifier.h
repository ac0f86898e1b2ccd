// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A desktop notification (org.freedesktop.Notifications) with the channel's name and the new title
// whenever the playing stream's title changes, while "ShowSongNotifications" is on. Each one
// replaces the one before, so a long evening of radio leaves one bubble, not a pile of them. The
// title is the station's text: escaped in the body for a server that reads markup there, as it is
// for one that does not.
//
// The ribbon's check box "Show Song Notifications" (command 334) switches it; the main frame
// handles that command, so it works whichever page is shown.
#include "base/Commands.h"

#include <QObject>

class CCommandActions;
class CNowPlaying;
class CSettingsStore;

class CSongNotifier : public QObject
{
    Q_OBJECT
public:
    CSongNotifier(CNowPlaying* pNowPlaying, CSettingsStore& settings, QObject* parent);

    // Binds the check box's command for as long as the notifier lives.
    void BindCommands(CCommandActions& actions);
    bool IsEnabled();
    void Toggle();

    // The id the notification server gave the last notification (0 before the first answer).
    uint LastNotificationId() const { return m_nLastId; }

private:
    void OnSongChanged(const QString& strChannel, const QString& strTitle);
    void Notify(const QString& strSummary, const QString& strBody);

    CSettingsStore& m_settings;
    int m_nShow = -1; // the stored choice, -1 until read
    uint m_nLastId = 0;
};
