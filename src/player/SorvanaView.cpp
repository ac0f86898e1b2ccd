// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/SorvanaView.h"
#include "base/Commands.h"
#include "base/TextAreas.h"

#include "base/ServerAddresses.h"
#include "base/SettingsStore.h"
#include "hotkeys/HotKeyBindings.h"
#include "context/CommandActions.h"
#include "context/ViewSizing.h"
#include "platform/WaitCursor.h"
#include "context/AppContext.h"
#include "player/ChannelListView.h"
#include "player/ChannelPlayer.h"
#include "player/ChannelTypeAhead.h"
#include "web/Explorer1.h"
#include "player/FilterCommands.h"
#include "player/ListFilterBox.h"
#include "player/ListenBackControl.h"
#include "player/MyStationsUi.h"
#include "playback/NowPlaying.h"
#include "playback/NowPlayingReporter.h"
#include "playback/AudioOutput.h"
#include "playback/PlaybackEngine.h"
#include "playback/PlaybackService.h"
#include "base/PlayerTrace.h"
#include "player/StreamRecorder.h"
#include "player/WMPPlayer4.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>


namespace
{
// The form is laid out in dialog units of its 8-point font: about 1.5 pixels across and 1.625 down.
constexpr int DluX(int n)
{
    return (n * 3 + 1) / 2;
}
constexpr int DluY(int n)
{
    return (n * 13 + 4) / 8;
}

constexpr int kFormWidth = 475;
constexpr int kFormHeight = 327;
constexpr int kPlayerHeight = 126;
constexpr int kListHeight = 100;
constexpr int kBannerTop = 228;
constexpr int kBannerHeight = 96;
constexpr int kListBottom = kPlayerHeight + kListHeight;
} // namespace

CSorvanaView::CSorvanaView(CAppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_actions(context.Actions()), m_listChannels(new CChannelListView(this)),
      m_labelEmptyList(new QLabel(text::MainWindow::tr(
                                      "No channels yet. Connect to the internet and choose Refresh Channels "
                                      "List, or add stations of your own in My Stations: Add Station by "
                                      "Address, Import Playlist or the Station Directory."),
                                  this)),
      m_player(new CWMPPlayer4(context.Playback(), this)),
      m_checkDisplayNonWorking(new QCheckBox(text::MainWindow::tr("Display Non Working Channels"), this)),
      m_browser(new CExplorer1(context.Settings(), this)),
      m_pLogic(std::make_unique<CChannelPlayer>(
          m_listChannels->Channels(), *m_player, context.Settings(), [this](UINT nID) { m_actions.Post(nID); },
          context.TakeStartChannel())),
      m_pNowPlaying(new CNowPlayingReporter(context.Playback().Engine(), &context.NowPlaying(), context.Settings(), this)),
      m_pStations(new CMyStationsUi(this, context.Actions(), m_listChannels, *m_pLogic,
                                    [this](const QString& strName, const QString& strUrl)
                                    { PlayAddress(strName, strUrl); })),
      m_pFilter(new CListFilterBox(m_listChannels, this))
{
    m_listChannels->setObjectName(QStringLiteral("ChannelList"));
    m_player->setObjectName(QStringLiteral("MediaPlayer"));
    m_browser->setObjectName(QStringLiteral("Banner"));
    m_checkDisplayNonWorking->setObjectName(QStringLiteral("DisplayNonWorkingChannels"));

    // The player and the list share the height that the window gives; the banner keeps its own.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_player, kPlayerHeight);
    layout->addWidget(m_listChannels, kListHeight);
    layout->addWidget(m_labelEmptyList);
    layout->addWidget(m_browser, 0);
    m_player->setMinimumHeight(DluY(kPlayerHeight) / 2);
    m_listChannels->setMinimumHeight(DluY(kListHeight) / 2);
    // The gap above the banner goes with it: a banner hidden for want of a page leaves the list
    // all the room.
    const int nGap = DluY(kBannerTop) - DluY(kListBottom);
    m_browser->setContentsMargins(0, nGap, 0, 0);
    m_browser->setFixedHeight(nGap + DluY(kBannerHeight));

    m_labelEmptyList->setObjectName(QStringLiteral("EmptyListHint"));
    m_labelEmptyList->setTextFormat(Qt::PlainText);
    m_labelEmptyList->setWordWrap(true);
    m_labelEmptyList->setAlignment(Qt::AlignCenter);
    m_labelEmptyList->setContentsMargins(12, 8, 12, 8);
    m_labelEmptyList->hide();

    // Nothing shows the check box, but its value is still loaded and stored.
    m_checkDisplayNonWorking->setGeometry(DluX(156), DluY(228), DluX(113), DluY(10));
    m_checkDisplayNonWorking->hide();
    connect(m_checkDisplayNonWorking, &QCheckBox::clicked, this, [this] { OnDisplayNonWorkingChannels(); });

    connect(&m_listChannels->Channels(), &CChannelTableModel::RowStateChanged, this,
            [this](int nRow, CChannelTableModel::RowStates states)
            {
                if (!m_pStations->IsSelectingQuietly())
                    m_pLogic->OnRowStateChanged(nRow, states);
            });
    connect(m_listChannels, &CChannelListView::KeyDown, this,
            [this](unsigned nVirtualKey) { m_pLogic->OnListKeyDown(nVirtualKey); });
    m_pLogic->m_onOpenChannel = [this](const CChannel& channel)
    {
        m_context.Playback().SetChannel(channel);
        m_player->SetDisplayName(channel.m_strName);
        m_pNowPlaying->OpenChannel(channel.m_strName, channel.m_strUrl);
    };
    // The maker's list, the directory and imported playlists may not make the player bind a port;
    // a station of My Stations that the user typed in may.
    m_player->SetTypedAddressCheck(
        [this](const QString& strUrl)
        {
            const CMyStations& stations = m_pStations->Stations();
            const int nIndex = stations.IndexOfAddress(strUrl);
            return nIndex >= 0 &&
                   stations.Stations()[nIndex].m_strOrigin == QLatin1String(CStationRecord::kOriginAddress);
        });
    new CChannelTypeAhead(m_listChannels, [this](int nRow) { m_pLogic->SelectRow(nRow); });
    // Both show in the status bar beside the player's status, through the playback service.
    m_pRecorder = new CStreamRecorder(context.Playback(), this, this);
    m_pRecorder->BindCommands(m_actions);
    new CListenBackControl(context.Playback().Engine(), m_actions, this);
    m_pAudioOutput = new CAudioOutput(context.Playback(), context.Settings(), this);
    // The service's status text goes to the main window while this view shows the player.
    connect(&context.Playback(), &CPlaybackService::StatusTextChanged, this,
            [this](const QString& strText) { OnPlayerStatusChange(strText); });
    // The last channel plays once the list is in, a second after the start: the player's engine
    // loads during that wait, after the window is up, rather than after it.
    if (m_context.Settings().Read(settings::kAutoPlay) == 1)
        QTimer::singleShot(300, m_player, [pPlayer = m_player] { pPlayer->Prepare(); });

    connect(m_pStations, &CMyStationsUi::RowsChanged, this,
            [this]
            {
                m_pFilter->Apply();
                UpdateEmptyListHint();
            });
    connect(m_pStations, &CMyStationsUi::StatusText, this, &CSorvanaView::StatusTextChanged);
    connect(m_pStations, &CMyStationsUi::StationNamesChanged, this, &CSorvanaView::MyStationNamesChanged);
    connect(m_pStations, &CMyStationsUi::ChannelListReloadWanted, this, &CSorvanaView::ReloadChannelList,
            Qt::QueuedConnection);
    connect(m_pStations, &CMyStationsUi::ChannelListDownloadWanted, this, &CSorvanaView::ChannelListWanted,
            Qt::QueuedConnection);
    // A press of one of the hot keys registered on this page; run after the key event, as the
    // system's hot key message would be.
    connect(&context.HotKeys(), &CHotKeyService::HotKeyPressed, this,
            [this](QObject* pWnd, int nId) { OnHotKey(pWnd, nId); }, Qt::QueuedConnection);
    BindCommands();
}

void CSorvanaView::BindCommands()
{
    m_actions.Bind(ID_PLAY, this, [this] { OnPlay(); });
    m_actions.Bind(ID_PLAY_NEXT, this, [this] { OnPlayNext(); });
    m_actions.Bind(ID_PLAY_PREVIOUS, this, [this] { OnPlayPrevious(); });
    m_actions.Bind(ID_STOP, this, [this] { OnStop(); });
    for (const SFilterCommand& command : FilterCommands())
        m_actions.Bind(command.nID, this,
                       [this, &command]
                       {
                           // The list is filtered when it is loaded: the main window brings it anew.
                           ToggleFilter(m_context.Settings(), command, [this] { emit ChannelListWanted(); });
                           UpdateFilterActions();
                       });
    UpdateFilterActions();
    // Ctrl+F while the page has the keyboard focus.
    QAction* pFind = m_actions.Bind(ID_FIND_IN_LIST, this, [this] { m_pFilter->Open(); });
    pFind->setShortcut(QKeySequence::Find);
    pFind->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(pFind);
}

void CSorvanaView::UpdateFilterActions()
{
    for (const SFilterCommand& command : FilterCommands())
        m_actions.SetChecked(command.nID, IsFilterChecked(m_context.Settings(), command));
}

void CSorvanaView::OnHotKey(QObject* pWnd, int nId)
{
    if (pWnd != this)
        return;
    playertrace::Mark("hot key");
    m_pLogic->OnHotKey(nId);
}

CSorvanaView::~CSorvanaView()
{
    disconnect(m_player, nullptr, this, nullptr);
    disconnect(&m_context.Playback(), nullptr, this, nullptr);
    m_player->get_controls().stop();
    UnregisterAllHotKeys(m_context.HotKeys(), this);
}

QSize CSorvanaView::GetFormSize() const
{
    return {DluX(kFormWidth), DluY(kFormHeight)};
}

void CSorvanaView::OnInitialUpdate()
{
    m_bDisplayNonWorking = m_context.Settings().Read(settings::kDisplayNonWorkingChannels);
    m_checkDisplayNonWorking->setChecked(m_bDisplayNonWorking != 0);

    CWaitCursor wait;
    RegisterAllHotKeys(m_context.HotKeys(), m_context.Settings(), this);
    SizeMainWindowOnce(this, m_context.Settings(), GetFormSize(), settings::kSorvanaViewSized);
    // Brought after the page is up, on the next turn of the event loop.
    QMetaObject::invokeMethod(this, &CSorvanaView::ChannelListWanted, Qt::QueuedConnection);
    m_browser->Navigate2(servers::BannerUrl().toString());
    m_pStations->Initialize();
}

void CSorvanaView::PlayChannelNumber(int nChannel)
{
    // Negative numbers included: the channel player decides what they mean.
    m_pLogic->SelectChannelNumber(nChannel);
}

void CSorvanaView::OnPlay()
{
    playertrace::Mark("play");
    // A paused stream goes on from where it paused, unless another row is selected (a new selection
    // posts Play): that one opens.
    CPlaybackEngine* pEngine = m_context.Playback().Engine();
    const int nRow = m_pLogic->GetCurrentRow();
    if (pEngine->IsPaused() &&
        (nRow < 0 || m_listChannels->Channels().Channel(nRow).m_strUrl == pEngine->Url()))
    {
        pEngine->Resume();
        return;
    }
    m_pLogic->OnPlay();
}

void CSorvanaView::OnPlayNext()
{
    // With a filter, Next and Previous stay among the rows that are shown.
    if (!m_pFilter->IsFiltering())
        m_pLogic->OnPlayNext();
    else if (const int nRow = m_pFilter->NextShownRow(m_pLogic->GetCurrentRow(), +1); nRow >= 0)
        m_pLogic->SelectRow(nRow);
}

void CSorvanaView::OnPlayPrevious()
{
    if (!m_pFilter->IsFiltering())
        m_pLogic->OnPlayPrevious();
    else if (const int nRow = m_pFilter->NextShownRow(m_pLogic->GetCurrentRow(), -1); nRow >= 0)
        m_pLogic->SelectRow(nRow);
}

void CSorvanaView::OnStop()
{
    m_pLogic->OnStop();
}

void CSorvanaView::OnDisplayNonWorkingChannels()
{
    m_bDisplayNonWorking = m_checkDisplayNonWorking->isChecked() ? 1 : 0;
    m_context.Settings().Write(settings::kDisplayNonWorkingChannels, m_bDisplayNonWorking);
    QMetaObject::invokeMethod(this, &CSorvanaView::ReloadChannelList, Qt::QueuedConnection);
}

void CSorvanaView::OnPlayerStatusChange(const QString& strText)
{
    emit StatusTextChanged(strText);
}

void CSorvanaView::ReloadChannelList()
{
    // My Stations stay on show; the maker's list file waits on disk until its list is shown again.
    if (m_pStations->IsShown())
        return;
    CWaitCursor wait;
    m_pLogic->ReloadChannelList();
    m_pFilter->Apply();
    m_bLoadTried = true;
    UpdateEmptyListHint();
    playertrace::Mark("channel list shown");
}

void CSorvanaView::UpdateEmptyListHint()
{
    m_labelEmptyList->setVisible(m_bLoadTried && !m_pStations->IsShown() && m_listChannels->Channels().Count() == 0);
}

void CSorvanaView::PlayAddress(const QString& strName, const QString& strUrl)
{
    CChannel channel;
    channel.m_strName = strName;
    channel.m_strUrl = strUrl;
    m_context.Playback().SetChannel(channel);
    m_player->SetDisplayName(strName);
    m_pNowPlaying->OpenChannel(strName, strUrl);
    m_player->put_URL(strUrl);
}

