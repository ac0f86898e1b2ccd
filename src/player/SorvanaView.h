#pragma once
// The channel player: the media player on top, the channel list below it and the web banner at the
// bottom. The current channel is the list's selected row; the logic lives in CChannelPlayer.
#include "platform/View.h"

#include <memory>

class CAppContext;
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

class CSorvanaView : public CView
{
    Q_OBJECT
public:
    explicit CSorvanaView(CAppContext& context, QWidget* parent = nullptr);
    // Stops playback and gives up the view's four hot keys.
    ~CSorvanaView() override;

    void OnInitialUpdate() override;
    QSize GetFormSize() const override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CChannelListView* GetChannelList() const { return m_listChannels; }
    CWMPPlayer4* GetPlayer() const { return m_player; }
    CMyStationsUi* GetMyStations() const { return m_pStations; }
    CListFilterBox* GetFilterBox() const { return m_pFilter; }

protected:
    void OnPlay();
    void OnPlayNext();
    void OnPlayPrevious();
    void OnStop();
    void OnDisplayNonWorkingChannels();
    void OnPlayerStatusChange(const QString& strText);
    void ReloadChannelList();

private:
    void PostCommand(UINT nID);
    // Plays a stream that is no row of the list (a result of the station directory).
    void PlayAddress(const QString& strName, const QString& strUrl);
    // The line under the list that says how to get channels: shown while the channel list is empty
    // after a load was tried.
    void UpdateEmptyListHint();

    CAppContext& m_context;
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
