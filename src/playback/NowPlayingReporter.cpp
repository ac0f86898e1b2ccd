// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playback/NowPlayingReporter.h"

#include "base/SettingsStore.h"
#include "playback/NowPlaying.h"
#include "playback/PlaybackEngine.h"

CNowPlayingReporter::CNowPlayingReporter(CPlaybackEngine* pPlayer, CNowPlaying* pNowPlaying,
                                         CSettingsStore& settings, QObject* parent)
    : QObject(parent), m_pPlayer(pPlayer), m_pNowPlaying(pNowPlaying), m_settings(settings)
{
    connect(m_pPlayer, &CPlaybackEngine::StatusChanged, this, &CNowPlayingReporter::Update);
    connect(m_pPlayer, &CPlaybackEngine::TitleChanged, this, &CNowPlayingReporter::Update);
    connect(m_pNowPlaying, &CNowPlaying::VolumeRequested, this,
            [this](double dVolume) { m_pPlayer->SetVolume(qRound(dVolume * 100)); });

    connect(m_pNowPlaying, &CNowPlaying::FadeLevelChanged, m_pPlayer, &CPlaybackEngine::SetFade);
    connect(m_pPlayer, &CPlaybackEngine::PausedChanged, this, &CNowPlayingReporter::UpdateListenBack);
    connect(m_pPlayer, &CPlaybackEngine::BufferChanged, this, &CNowPlayingReporter::UpdateListenBack);
    // After the desktop's call has been answered, as its other requests.
    connect(m_pNowPlaying, &CNowPlaying::SeekRequested, m_pPlayer, &CPlaybackEngine::SeekBy,
            Qt::QueuedConnection);
    connect(m_pNowPlaying, &CNowPlaying::PositionRequested, m_pPlayer, &CPlaybackEngine::SeekToBuffer,
            Qt::QueuedConnection);

    // Both stored values are read before either is given to the player: setting the volume first
    // would store it with the mute not yet given, and the stored mute would be lost. Changes are
    // stored only from here on.
    const int nVolume = qBound(0, m_settings.Read(settings::kVolume), 100);
    const bool bMuted = m_settings.Read(settings::kMuted) != 0;
    m_pNowPlaying->SetVolume(nVolume / 100.0);
    m_pPlayer->SetVolume(nVolume);
    m_pPlayer->SetMuted(bMuted);
    connect(m_pPlayer, &CPlaybackEngine::VolumeChanged, this, &CNowPlayingReporter::OnVolumeChange);
    m_pPlayer->SetFade(m_pNowPlaying->FadeLevel());
    m_pNowPlaying->SetPlayerPresent(true);
    Update();
    UpdateListenBack();
}

CNowPlayingReporter::~CNowPlayingReporter()
{
    m_pNowPlaying->Reset();
}

void CNowPlayingReporter::OpenChannel(const QString& strName, const QString& strUrl)
{
    m_pNowPlaying->OpenChannel(strName, strUrl);
}

void CNowPlayingReporter::Update()
{
    m_pNowPlaying->SetPlaying(m_pPlayer->IsPlaying());
    m_pNowPlaying->SetStreamTitle(m_pPlayer->Title());
}

void CNowPlayingReporter::UpdateListenBack()
{
    const SListenBuffer buffer = m_pPlayer->Buffer();
    m_pNowPlaying->SetListenBack(buffer.bActive, m_pPlayer->IsPaused(), buffer.dPlaying, buffer.dBehind);
}

void CNowPlayingReporter::OnVolumeChange()
{
    const int nVolume = m_pPlayer->Volume();
    const int nMuted = m_pPlayer->IsMuted() ? 1 : 0;
    m_pNowPlaying->SetVolume(nVolume / 100.0);
    // A drag of the slider brings many changes; only those that differ reach the disk.
    if (m_settings.Read(settings::kVolume) != nVolume)
        m_settings.Write(settings::kVolume, nVolume);
    if (m_settings.Read(settings::kMuted) != nMuted)
        m_settings.Write(settings::kMuted, nMuted);
}
