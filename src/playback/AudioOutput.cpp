// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playback/AudioOutput.h"

#include "base/SettingsStore.h"
#include "playback/PlaybackEngine.h"
#include "playback/PlaybackService.h"

#include <QTimer>

CAudioOutput::CAudioOutput(CPlaybackService& service, CSettingsStore& settings, QObject* parent)
    : QObject(parent), m_service(service), m_pPlayer(service.Engine()), m_settings(settings)
{
    Apply();
    connect(m_pPlayer, &CPlaybackEngine::StateChanged, this,
            [this](EPlayerState state)
            {
                if (state == EPlayerState::Connecting && m_bFallback)
                    Apply();
            });
    connect(m_pPlayer, &CPlaybackEngine::AudioDeviceFailed, this, &CAudioOutput::OnDeviceFailed);
    connect(m_pPlayer, &CPlaybackEngine::DevicesChanged, this, &CAudioOutput::OnDevicesChanged);
}

CAudioOutput::~CAudioOutput()
{
    m_service.SetNote(CPlaybackService::ENote::OutputDevice, QString());
}

QString CAudioOutput::StatusNote() const
{
    return m_bFallback ? tr("Output device not found: system default used") : QString();
}

void CAudioOutput::Apply()
{
    const QString strChosen = m_settings.Read(settings::kAudioDevice);
    // Asking mpv for its list costs a round trip to the sound server; the default needs no check.
    bool bThere = strChosen == QLatin1String(audiodevices::kDefault);
    if (!bThere)
    {
        const bool bListed = audiodevices::Contains(m_pPlayer->Devices(), strChosen);
        if (!bListed)
            m_strFailed.clear();
        bThere = bListed && strChosen != m_strFailed;
    }
    m_pPlayer->SetAudioDevice(bThere ? strChosen : QString::fromLatin1(audiodevices::kDefault));
    SetFallback(!bThere);
}

void CAudioOutput::OnDeviceFailed()
{
    if (m_pPlayer->AudioDevice() == QLatin1String(audiodevices::kDefault))
        return;
    m_strFailed = m_pPlayer->AudioDevice();
    m_pPlayer->SetAudioDevice(QString::fromLatin1(audiodevices::kDefault));
    SetFallback(true);
    // The failure ended the stream: open it again, once the player has finished with the event.
    QTimer::singleShot(0, m_pPlayer,
                       [pPlayer = m_pPlayer]
                       {
                           if (!pPlayer->Url().isEmpty())
                               pPlayer->Open(pPlayer->Url());
                       });
}

void CAudioOutput::OnDevicesChanged(const QList<audiodevices::SDevice>& devices)
{
    const QString strChosen = m_settings.Read(settings::kAudioDevice);
    if (strChosen == QLatin1String(audiodevices::kDefault))
        return;
    if (!audiodevices::Contains(devices, strChosen))
    {
        // Gone while playing: the sound server has moved the sound to its default; the player
        // follows, so that the device's return can take the sound back.
        m_strFailed.clear();
        m_pPlayer->SetAudioDevice(QString::fromLatin1(audiodevices::kDefault));
        SetFallback(true);
    }
    else if (m_bFallback && strChosen != m_strFailed)
    {
        // Back: the sound goes to it again.
        Apply();
    }
}

void CAudioOutput::SetFallback(bool bFallback)
{
    if (bFallback == m_bFallback)
        return;
    m_bFallback = bFallback;
    m_service.SetNote(CPlaybackService::ENote::OutputDevice, StatusNote());
    emit Changed();
}
