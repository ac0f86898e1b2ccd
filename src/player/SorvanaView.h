// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The channel player: the media player on top, the channel list below it and the web banner at the
// bottom. The current channel is the list's selected row; the logic lives in CChannelPlayer. The
// page binds the player's commands (play, stop, next, previous, record, the filters, My Stations,
// find) for as long as it lives, and reacts to the four system-wide hot keys registered on it.
#include "base/Commands.h"

#include <QWidget>

#include <memory>

class CAppContext;
class CCommandActions;
class CChannelPlayer;
class CExplorer1;
class CChannelListView;
class CListFilterBox;
class CMyStationsUi;
class CNowPlayingReporter;
class CStreamRecorder;
class CAudioOutput;
class CWMPPlayer4;
class QCheckBox;
class QLabel;

// Control ids of the form.
constexpr int IDC_CHANNEL_LIST = 1002;
constexpr int IDC_MEDIA_PLAYER = 1003;
constexpr int IDC_DISPLAY_NON_WORKING = 1005;
constexpr int IDC_BANNER = 1017;

class CSorvanaView : public QWidget
{
    Q_OBJECT
public:
    explicit CSorvanaView(CAppContext& context, QWidget* parent = nullptr);
    // Stops playback and gives up the view's four hot keys.
    ~CSorvanaView() override;

    QSize GetFormSize() const;

    CChannelListView* GetChannelList() const { return m_listChannels; }
    CWMPPlayer4* GetPlayer() const { return m_player; }
    CMyStationsUi* GetMyStations() const { return m_pStations; }
    CListFilterBox* GetFilterBox() const { return m_pFilter; }

signals:
    // The player's status (with the recorder's and the sound output's notes), or a line of My
    // Stations: for the status bar and the tray's tool tip.
    void StatusTextChanged(const QString& strText);
    // The channel list is wanted (a day's old one will do): at the first showing, after a display
    // choice changed, when the maker's list is shown again and none is on disk.
    void ChannelListWanted();
    // The names of My Stations, for the tray's submenu.
    void MyStationNamesChanged(const QStringList& names);

public slots:
    // Once the page is in the main window: the first-showing sizing, the hot keys, the channel list
    // and the banner.
    void OnInitialUpdate();
    // A channel number from the command line of another start: selects (and so plays) it.
    void PlayChannelNumber(int nChannel);
    // Loads the channel list file again (a new list arrived).
    void ReloadChannelList();

protected:
    void OnPlay();
    void OnPlayNext();
    void OnPlayPrevious();
    void OnStop();
    void OnDisplayNonWorkingChannels();
    void OnPlayerStatusChange(const QString& strText);

private:
    void BindCommands();
    // The filter's check marks as the settings have them.
    void UpdateFilterActions();
    void OnHotKey(QObject* pWnd, int nId);
    // Plays a stream that is no row of the list (a result of the station directory).
    void PlayAddress(const QString& strName, const QString& strUrl);
    // The line under the list that says how to get channels: shown while the channel list is empty
    // after a load was tried.
    void UpdateEmptyListHint();

    CAppContext& m_context;
    CCommandActions& m_actions;
    CChannelListView* m_listChannels;
    QLabel* m_labelEmptyList;
    bool m_bLoadTried = false;
    CWMPPlayer4* m_player;
    int m_bDisplayNonWorking = 0;
    QCheckBox* m_checkDisplayNonWorking;
    CExplorer1* m_browser;
    std::unique_ptr<CChannelPlayer> m_pLogic;
    CNowPlayingReporter* m_pNowPlaying;
    CStreamRecorder* m_pRecorder = nullptr;
    CAudioOutput* m_pAudioOutput = nullptr;
    CMyStationsUi* m_pStations;
    CListFilterBox* m_pFilter;
};
