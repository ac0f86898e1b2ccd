#pragma once
// The player logic of the channel view: the current channel is the list's selected row, and every
// play request goes one way: select a row, the selection change posts Play, Play hands the row's
// stream address to the media player. Needs only the list and the player interfaces, so the unit
// tests run it against doubles.
#include "app/Commands.h"
#include "app/SettingNames.h"

#include <QString>
#include <functional>

class CListCtrl;
class CMediaPlayer;
class CSettingsCache;


// Keys that the channel list turns into commands.
constexpr unsigned VK_PLAY_PREVIOUS_KEY = 0x77; // F8
constexpr unsigned VK_PLAY_NEXT_KEY = 0x78;     // F9

// Column of the list that holds a channel's serial number, its name and its stream address.
constexpr int kSerialColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kAddressColumn = 4;

class CChannelPlayer
{
public:
    // Queues the command: it runs on a later turn of the event loop.
    using PostCommand = std::function<void(UINT nID)>;

    // nStartChannel: the channel number of the command line, played after the first list load
    // instead of the last channel (-1: none).
    CChannelPlayer(CListCtrl& list, CMediaPlayer& player, CSettingsCache& settings, PostCommand postCommand,
                   int nStartChannel = -1);

    // The current channel: the selected row, -1 if none.
    int GetCurrentRow() const;

    // Hands the selected row's address to the player, which refuses anything but a network stream
    // and says so in its status text.
    void OnPlay();
    void OnStop();
    void OnPlayNext();
    void OnPlayPrevious();

    // Scrolls row i into view and makes it the selected, focused row; the selection change plays it.
    void SelectRow(int nRow);
    // Selects row nRow if it exists; true if it did.
    bool SelectLastChannel(int nRow);
    // Selects the row whose serial number is nNumber; true if there is one. While the list is still
    // empty the number waits and is played after the next list load instead of the last channel.
    bool SelectChannelNumber(int nNumber);
    // The number waiting for the list, -1 when none.
    int GetPendingChannel() const { return m_nPendingChannel; }
    void ClearPendingChannel() { m_nPendingChannel = -1; }

    // The value that remembers the row played last: "LastChannelIndex" for the maker's list; the
    // view switches it when it shows another list in the same control.
    void SetLastRowSetting(const settings::IntSetting& setting) { m_lastRow = setting; }
    const settings::IntSetting& GetLastRowSetting() const { return m_lastRow; }

    // Fills the list from a fresh channel catalogue filtered by the display choices, then plays the
    // channel number that waits (once) or, with auto play on, the row played last.
    void ReloadChannelList();

    // Notifications of the list and the hot key service.
    void OnListItemChanged(int nItem, unsigned nNewState);
    void OnListKeyDown(unsigned nVirtualKey);
    // True for the hot key numbers 1 to 4.
    bool OnHotKey(int nHotKeyId);

    // Called with the channel's name just before its address goes to the player.
    std::function<void(const QString& strName)> m_onOpenChannel;

private:
    int FindChannelNumber(int nNumber) const;

    CListCtrl& m_list;
    CMediaPlayer& m_player;
    CSettingsCache& m_settings;
    PostCommand m_postCommand;
    // A channel number that arrived before the list did; played by the next list load (-1: none).
    int m_nPendingChannel;
    settings::IntSetting m_lastRow = settings::kLastChannelIndex;
};
