// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The player logic of the channel view: the current channel is the list's selected row, and every
// play request goes one way: select a row, the selection change posts Play, Play hands the channel's
// stream address, read from its record, to the media player. Needs only the channel table and the
// player interface, so the unit tests run it without a display.
#include "base/Commands.h"
#include "base/SettingNames.h"
#include "catalogue/ChannelTableModel.h"

#include <QString>
#include <functional>

class CMediaPlayer;
class CSettingsStore;

// Keys that the channel list turns into commands.
constexpr unsigned VK_PLAY_PREVIOUS_KEY = 0x77; // F8
constexpr unsigned VK_PLAY_NEXT_KEY = 0x78;     // F9

class CChannelPlayer
{
public:
    // Queues the command: it runs on a later turn of the event loop.
    using PostCommand = std::function<void(UINT nID)>;

    // nStartChannel: the channel number of the command line, played after the first list load
    // instead of the last channel (-1: none).
    CChannelPlayer(CChannelTableModel& channels, CMediaPlayer& player, CSettingsStore& settings, PostCommand postCommand,
                   int nStartChannel = -1);

    // The current channel: the selected row, -1 if none.
    int GetCurrentRow() const;
    // The channel of the selected row; invalid when none is selected.
    CChannel GetCurrentChannel() const;

    // Hands the selected row's address to the player, which refuses anything but a network stream
    // and says so in its status text.
    void OnPlay();
    void OnStop();
    void OnPlayNext();
    void OnPlayPrevious();

    // Makes row nRow the selected, focused row (a view scrolls it into sight); the selection change
    // plays it.
    void SelectRow(int nRow);
    // Selects row nRow if it exists; true if it did.
    bool SelectLastChannel(int nRow);
    // Selects the channel numbered nNumber; true if there is one. While the list is still
    // empty the number waits and is played after the next list load instead of the last channel.
    bool SelectChannelNumber(int nNumber);
    // The number waiting for the list, -1 when none.
    int GetPendingChannel() const { return m_nPendingChannel; }
    void ClearPendingChannel() { m_nPendingChannel = -1; }

    // The value that remembers the row played last: "LastChannelIndex" for the maker's list; the
    // view switches it when it shows another list in the same control.
    void SetLastRowSetting(const settings::IntSetting& setting) { m_lastRow = setting; }
    const settings::IntSetting& GetLastRowSetting() const { return m_lastRow; }
    CSettingsStore& Settings() const { return m_settings; }

    // Fills the list from a fresh channel catalogue filtered by the display choices, then plays the
    // channel number that waits (once) or, with auto play on, the row played last.
    void ReloadChannelList();

    // Notifications of the list and the hot key service.
    void OnRowStateChanged(int nRow, CChannelTableModel::RowStates states);
    void OnListKeyDown(unsigned nVirtualKey);
    // True for the hot key numbers 1 to 4.
    bool OnHotKey(int nHotKeyId);

    // Called with the channel just before its address goes to the player.
    std::function<void(const CChannel& channel)> m_onOpenChannel;

private:
    CChannelTableModel& m_channels;
    CMediaPlayer& m_player;
    CSettingsStore& m_settings;
    PostCommand m_postCommand;
    // A channel number that arrived before the list did; played by the next list load (-1: none).
    int m_nPendingChannel;
    settings::IntSetting m_lastRow = settings::kLastChannelIndex;
};
