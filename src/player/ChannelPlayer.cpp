// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/ChannelPlayer.h"

#include "base/SettingsStore.h"
#include "catalogue/ChannelCatalogue.h"
#include "catalogue/DataFolder.h"
#include "hotkeys/HotKeyBindings.h"
#include "playback/MediaPlayer.h"

#include <QFileInfo>
#include <climits>


CChannelPlayer::CChannelPlayer(CChannelTableModel& channels, CMediaPlayer& player, CSettingsStore& settings,
                               PostCommand postCommand, int nStartChannel)
    : m_channels(channels), m_player(player), m_settings(settings), m_postCommand(std::move(postCommand)),
      m_nPendingChannel(nStartChannel < 0 ? -1 : nStartChannel)
{
}

int CChannelPlayer::GetCurrentRow() const
{
    return m_channels.SelectedRow();
}

CChannel CChannelPlayer::GetCurrentChannel() const
{
    return m_channels.Channel(GetCurrentRow());
}

void CChannelPlayer::OnPlay()
{
    const int nSel = GetCurrentRow();
    if (nSel < 0)
    {
        // Selecting row 0 posts Play again through the selection change, which then plays it.
        if (m_channels.Count() > 0)
            SelectRow(0);
        return;
    }
    const CChannel channel = m_channels.Channel(nSel);
    if (m_onOpenChannel)
        m_onOpenChannel(channel);
    m_player.put_URL(channel.m_strUrl);
    // After the player has its address: the settings file is written (and synced to disk) here,
    // which took milliseconds that a channel switch waited for.
    m_settings.Write(m_lastRow, nSel);
}

void CChannelPlayer::OnStop()
{
    m_player.get_controls().stop();
}

void CChannelPlayer::OnPlayNext()
{
    const int n = m_channels.Count();
    if (n < 2)
        return;
    int nNext = GetCurrentRow() + 1;
    if (nNext == n)
        nNext = 0;
    if (nNext < n)
        SelectRow(nNext);
}

void CChannelPlayer::OnPlayPrevious()
{
    const int n = m_channels.Count();
    if (n < 2)
        return;
    int nSel = GetCurrentRow();
    if (nSel < 0)
        nSel = n;
    int nPrev = nSel - 1;
    if (nPrev < 0)
        nPrev = n - 1;
    if (nPrev < n)
        SelectRow(nPrev);
}

void CChannelPlayer::SelectRow(int nRow)
{
    m_channels.SelectRow(nRow);
}

bool CChannelPlayer::SelectLastChannel(int nRow)
{
    if (nRow < 0 || nRow >= m_channels.Count())
        return false;
    SelectRow(nRow);
    return true;
}

bool CChannelPlayer::SelectChannelNumber(int nNumber)
{
    if (nNumber < 0)
        return false;
    if (m_channels.Count() == 0)
    {
        // The list has not arrived yet: the reload that brings it plays this number.
        m_nPendingChannel = nNumber;
        return false;
    }
    const int nRow = m_channels.RowOfNumber(nNumber);
    if (nRow < 0)
        return false;
    SelectRow(nRow);
    return true;
}

void CChannelPlayer::ReloadChannelList()
{
    // The load deletes the file it read: whether there was one tells whether the list was rebuilt.
    const bool bLoaded = QFileInfo::exists(GetChannelListPath());
    CChannelCatalogue catalogue(CDisplayChoices::FromSettings(m_settings));
    FillChannelList(m_channels, catalogue);

    // A channel number that waits wins over the last channel, once: on the first list that was
    // loaded after it arrived.
    if (bLoaded && m_nPendingChannel > -1)
    {
        const int nRow = m_channels.RowOfNumber(m_nPendingChannel);
        m_nPendingChannel = -1;
        if (nRow >= 0)
        {
            SelectRow(nRow);
            return;
        }
    }
    if (m_settings.Read(settings::kAutoPlay) == 1)
        SelectLastChannel(m_settings.Read(m_lastRow));
}

void CChannelPlayer::OnRowStateChanged(int, CChannelTableModel::RowStates states)
{
    if (states & CChannelTableModel::Selected)
        m_postCommand(ID_PLAY);
}

void CChannelPlayer::OnListKeyDown(unsigned nVirtualKey)
{
    if (nVirtualKey == VK_PLAY_PREVIOUS_KEY)
        m_postCommand(ID_PLAY_PREVIOUS);
    else if (nVirtualKey == VK_PLAY_NEXT_KEY)
        m_postCommand(ID_PLAY_NEXT);
}

bool CChannelPlayer::OnHotKey(int nHotKeyId)
{
    // The hot key actions' own table says which command each id stands for.
    const SHotKeyAction* pAction = FindHotKeyAction(nHotKeyId);
    if (!pAction)
        return false;
    m_postCommand(pAction->nCommand);
    return true;
}
