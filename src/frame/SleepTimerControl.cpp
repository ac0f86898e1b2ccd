#include "frame/SleepTimerControl.h"
#include "app/TextAreas.h"

#include "app/Commands.h"
#include "app/SettingsStore.h"
#include "platform/Messages.h"
#include "player/NowPlaying.h"

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

CSleepTimerControl::CSleepTimerControl(CNowPlaying* pNowPlaying, CSettingsStore& settings, QObject* pFrame)
    : QObject(pFrame), m_pFrame(pFrame), m_pNowPlaying(pNowPlaying), m_settings(settings)
{
    // Queued, so that the sound comes back only after the Stop that Expired posts has been handled.
    connect(&m_timer, &CSleepTimer::FadeLevel, m_pNowPlaying, &CNowPlaying::SetFadeLevel,
            Qt::QueuedConnection);
    connect(&m_timer, &CSleepTimer::Expired, this,
            [this] { PostMessage(m_pFrame, WM_COMMAND, WPARAM(ID_STOP)); });
    connect(&m_timer, &CSleepTimer::Changed, this,
            [this]
            {
                if (!m_timer.IsArmed())
                    m_nChosen = 0;
                emit TipChanged(m_timer.TipLine());
            });
    connect(m_pNowPlaying, &CNowPlaying::SongChanged, &m_timer, &CSleepTimer::OnSongChanged);
}

void CSleepTimerControl::AddCommands(CCommandMap& commandMap)
{
    commandMap.OnRange(ID_SLEEP_TIMER_15, ID_SLEEP_TIMER_CANCEL, [this](UINT nID) { Choose(nID); });
    commandMap.OnUpdateRange(ID_SLEEP_TIMER_15, ID_SLEEP_TIMER_CANCEL,
                             [this](CCmdUI* pCmdUI)
                             {
                                 pCmdUI->Enable(pCmdUI->m_nID != ID_SLEEP_TIMER_CANCEL || m_timer.IsArmed());
                                 pCmdUI->SetRadio(pCmdUI->m_nID == m_nChosen);
                             });
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
}

QMenu* CSleepTimerControl::CreateMenu(const QString& strTitle, QWidget* parent)
{
    auto* pMenu = new QMenu(strTitle, parent);
    for (const SEntry& entry : kEntries)
    {
        if (entry.nID == ID_SLEEP_TIMER_CANCEL)
            pMenu->addSeparator();
        QAction* action = pMenu->addAction(text::SleepTimer::tr(entry.label));
        action->setData(entry.nID);
        action->setCheckable(entry.nID != ID_SLEEP_TIMER_CANCEL);
        const UINT nID = entry.nID;
        // Posted, as a menu choice is: the command runs after the menu has closed.
        connect(action, &QAction::triggered, this,
                [this, nID] { PostMessage(m_pFrame, WM_COMMAND, WPARAM(nID)); });
    }
    connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { UpdateMenu(pMenu); });
    UpdateMenu(pMenu);
    return pMenu;
}

void CSleepTimerControl::UpdateMenu(QMenu* pMenu)
{
    for (QAction* action : pMenu->actions())
    {
        const UINT nID = action->data().toUInt();
        if (nID == 0)
            continue;
        action->setChecked(nID == m_nChosen);
        action->setEnabled(nID != ID_SLEEP_TIMER_CANCEL || m_timer.IsArmed());
    }
}
