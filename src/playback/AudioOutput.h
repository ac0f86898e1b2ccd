// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The player's sound output device: the stored choice is given to the player when the player view
// is made, unless the device is not there, and the player then plays on the system default and the
// status bar says so. The choice stays stored, and is used again once the device is back (checked at
// each channel opened while the default stands in for it, and at once when the sound server reports
// it back). A device that goes away while playing brings the note at once. A device that mpv fails
// to open is treated the same way, and the channel is opened again on the default.
#include <QObject>
#include <QString>

#include "playback/AudioDevices.h"

class CPlaybackEngine;
class CSettingsStore;
class CPlaybackService;

class CAudioOutput : public QObject
{
    Q_OBJECT
public:
    // Works on the service's engine, and gives the service its note for the status text.
    CAudioOutput(CPlaybackService& service, CSettingsStore& settings, QObject* parent);
    ~CAudioOutput() override;

    // What the status bar says while the default stands in for the chosen device ("" otherwise).
    QString StatusNote() const;

signals:
    void Changed();

private:
    void Apply();
    void OnDeviceFailed();
    void OnDevicesChanged(const QList<audiodevices::SDevice>& devices);
    void SetFallback(bool bFallback);

    CPlaybackService& m_service;
    CPlaybackEngine* m_pPlayer;
    CSettingsStore& m_settings;
    bool m_bFallback = false;
    // A device that was listed but failed to open: not tried again until it has gone and come back.
    QString m_strFailed;
};
