// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frame/SleepTimerControl.h"
#include "base/TextAreas.h"

#include "base/Commands.h"
#include "base/SettingsStore.h"
#include "context/CommandActions.h"
#include "playback/NowPlaying.h"

#include <QAction>
#include <QMenu>

namespace
{
struct SEntry
{
    UINT nID;
    int nMinutes; // 0: not a timed entry
    const char* label;
};

constexpr SEntry kEntries[]{
    {ID_SLEEP_TIMER_15, 15, QT_TRANSLATE_NOOP("SleepTimer", "15 Minutes")},
    {ID_SLEEP_TIMER_30, 30, QT_TRANSLATE_NOOP("SleepTimer", "30 Minutes")},
    {ID_SLEEP_TIMER_60, 60, QT_TRANSLATE_NOOP("SleepTimer", "60 Minutes")},
    {ID_SLEEP_TIMER_90, 90, QT_TRANSLATE_NOOP("SleepTimer", "90 Minutes")},
    {ID_SLEEP_TIMER_END_OF_SONG, 0, QT_TRANSLATE_NOOP("SleepTimer", "End of Current Song")},
    {ID_SLEEP_TIMER_CANCEL, 0, QT_TRANSLATE_NOOP("SleepTimer", "Cancel Sleep Timer")},
};
} // namespace

CSleepTimerControl::CSleepTimerControl(CNowPlaying* pNowPlaying, CSettingsStore& settings, CCommandActions& actions,
                                       QObject* pFrame)
    : QObject(pFrame), m_actions(actions), m_pNowPlaying(pNowPlaying), m_settings(settings)
{
    // Queued, so that the sound comes back only after the Stop that Expired queues has been handled.
    connect(&m_timer, &CSleepTimer::FadeLevel, m_pNowPlaying, &CNowPlaying::SetFadeLevel,
            Qt::QueuedConnection);
    connect(&m_timer, &CSleepTimer::Expired, this,
            [this] { m_actions.Post(ID_STOP); });
    connect(&m_timer, &CSleepTimer::Changed, this,
            [this]
            {
                if (!m_timer.IsArmed())
                    m_nChosen = 0;
                UpdateActions();
                emit TipChanged(m_timer.TipLine());
            });
    connect(m_pNowPlaying, &CNowPlaying::SongChanged, &m_timer, &CSleepTimer::OnSongChanged);
    for (const SEntry& entry : kEntries)
    {
        const UINT nID = entry.nID;
        QAction* action = m_actions.Bind(nID, this, [this, nID] { Choose(nID); });
        action->setText(text::SleepTimer::tr(entry.label));
    }
    UpdateActions();
}

void CSleepTimerControl::Choose(UINT nID)
{
    if (nID == ID_SLEEP_TIMER_CANCEL)
    {
        m_timer.Cancel();
        return;
    }
    m_timer.SetSecondsPerMinute(m_settings.Read(settings::kSleepTimerSecondsPerMinute));
    for (const SEntry& entry : kEntries)
    {
        if (entry.nID != nID)
            continue;
        if (entry.nMinutes > 0)
            m_timer.Start(entry.nMinutes);
        else
            m_timer.StartAtEndOfSong();
        m_nChosen = nID;
        emit TipChanged(m_timer.TipLine());
    }
    UpdateActions();
}

QMenu* CSleepTimerControl::CreateMenu(const QString& strTitle, QWidget* parent)
{
    auto* pMenu = new QMenu(strTitle, parent);
    for (const SEntry& entry : kEntries)
    {
        if (entry.nID == ID_SLEEP_TIMER_CANCEL)
            pMenu->addSeparator();
        pMenu->addAction(m_actions.Action(entry.nID));
    }
    return pMenu;
}

void CSleepTimerControl::UpdateActions()
{
    for (const SEntry& entry : kEntries)
    {
        if (entry.nID == ID_SLEEP_TIMER_CANCEL)
            m_actions.SetEnabled(entry.nID, m_timer.IsArmed());
        else
            m_actions.SetChecked(entry.nID, entry.nID == m_nChosen);
    }
}
