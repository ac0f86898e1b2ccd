// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/ListenBackControl.h"

#include "base/Commands.h"
#include "context/CommandActions.h"
#include "playback/PlaybackEngine.h"

#include <QShortcut>
#include <QWidget>

namespace
{
constexpr double kShortStep = 10;
constexpr double kLongStep = 60;
// A title that begins this close after the playing point is the one heard now (a jump lands a
// little before its mark).
constexpr double kSameMoment = 0.5;
} // namespace

CListenBackControl::CListenBackControl(CPlaybackEngine* pEngine, CCommandActions& actions, QWidget* pPage)
    : QObject(pPage), m_pEngine(pEngine), m_actions(actions)
{
    m_actions.Bind(ID_PAUSE, this, [this] { m_pEngine->Pause(); });
    m_actions.Bind(ID_GO_LIVE, this, [this] { m_pEngine->GoLive(); });
    m_actions.Bind(ID_PREVIOUS_SONG, this, [this] { m_pEngine->PreviousSong(); });
    m_actions.Bind(ID_NEXT_SONG, this, [this] { m_pEngine->NextSong(); });

    for (const auto& [key, dStep] :
         {std::pair{QKeyCombination(Qt::Key_Left), -kShortStep},
          std::pair{QKeyCombination(Qt::Key_Right), kShortStep},
          std::pair{Qt::SHIFT | Qt::Key_Left, -kLongStep}, std::pair{Qt::SHIFT | Qt::Key_Right, kLongStep}})
    {
        // A text box takes its arrow keys before a shortcut sees them (it accepts the override);
        // the channel list does not, and has no use for them.
        auto* pKey =
            new QShortcut(QKeySequence(key), pPage, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(pKey, &QShortcut::activated, this, [this, dStep] { m_pEngine->SeekBy(dStep); });
        m_keys << pKey;
    }

    connect(m_pEngine, &CPlaybackEngine::PausedChanged, this, &CListenBackControl::Update);
    connect(m_pEngine, &CPlaybackEngine::BufferChanged, this, &CListenBackControl::Update);
    connect(m_pEngine, &CPlaybackEngine::BufferedSongsChanged, this, &CListenBackControl::Update);
    Update();
}

int CListenBackControl::PlayingSong(const CPlaybackEngine& engine)
{
    const SListenBuffer buffer = engine.Buffer();
    if (!buffer.bActive)
        return -1;
    const QList<SBufferedSong> songs = engine.BufferedSongs();
    for (qsizetype i = songs.size() - 1; i >= 0; --i)
        if (songs[i].dStart <= buffer.dPlaying + kSameMoment)
            return int(i);
    return -1;
}

bool CListenBackControl::HasNextSong(const CPlaybackEngine& engine)
{
    return PlayingSong(engine) + 1 < engine.BufferedSongs().size();
}

void CListenBackControl::Update()
{
    const SListenBuffer buffer = m_pEngine->Buffer();
    const bool bActive = buffer.bActive;
    m_actions.SetEnabled(ID_PAUSE, bActive && !m_pEngine->IsPaused());
    m_actions.SetEnabled(ID_GO_LIVE, bActive && buffer.dBehind >= 1);
    m_actions.SetEnabled(ID_PREVIOUS_SONG, bActive && !m_pEngine->BufferedSongs().isEmpty());
    m_actions.SetEnabled(ID_NEXT_SONG, bActive && HasNextSong(*m_pEngine));
    // Without a buffer the keys stay with the page's widgets.
    for (QShortcut* pKey : m_keys)
        pKey->setEnabled(bActive);
}
