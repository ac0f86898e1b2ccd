// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/WMPPlayer4.h"

#include "playback/MpvEngine.h"
#include "playback/PlaybackService.h"
#include "player/MpvRenderWidget.h"
#include "player/PlayerControlBar.h"
#include "player/ScreenSaverInhibitor.h"

#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

CWMPPlayer4::CWMPPlayer4(QWidget* parent)
    : QWidget(parent), m_pOwnEngine(std::make_unique<CMpvEngine>()), m_pEngine(m_pOwnEngine.get())
{
    Build();
}

CWMPPlayer4::CWMPPlayer4(CPlaybackService& service, QWidget* parent)
    : QWidget(parent), m_pEngine(&CMpvEngine::Of(service))
{
    Build();
}

void CWMPPlayer4::Build()
{
    m_pEngine->AddUser();
    m_pVideo = new CMpvRenderWidget(*m_pEngine, this);
    m_pBar = new CPlayerControlBar(this);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pVideo, 1);
    pLayout->addWidget(m_pBar);
    // What the engine has now: the widget may come to an engine that has played before.
    m_pBar->SetVolume(m_pEngine->Volume());
    m_pBar->SetMuted(m_pEngine->IsMuted());
    m_pBar->SetSeekable(m_pEngine->IsSeekable());
    m_pBar->SetPosition(m_pEngine->Position(), m_pEngine->Duration());
    m_pBar->SetListenBuffer(m_pEngine->Buffer(), m_pEngine->IsPaused());
    m_pVideo->SetStatusText(m_pEngine->Status());
    m_pVideo->SetStreamTitle(m_pEngine->Title());

    connect(m_pBar, &CPlayerControlBar::PlayClicked, this, &CWMPPlayer4::Play);
    connect(m_pBar, &CPlayerControlBar::PauseClicked, m_pEngine, &CPlaybackEngine::Pause);
    connect(m_pBar, &CPlayerControlBar::LiveClicked, m_pEngine, &CPlaybackEngine::GoLive);
    connect(m_pBar, &CPlayerControlBar::BufferSeekRequested, m_pEngine, &CPlaybackEngine::SeekToBuffer);
    connect(m_pBar, &CPlayerControlBar::StopClicked, this, &CWMPPlayer4::Stop);
    connect(m_pBar, &CPlayerControlBar::VolumeChanged, this, &CWMPPlayer4::SetVolume);
    connect(m_pBar, &CPlayerControlBar::MuteToggled, this, &CWMPPlayer4::SetMuted);
    connect(m_pBar, &CPlayerControlBar::SeekRequested, m_pEngine, &CMpvEngine::Seek);

    connect(m_pEngine, &CPlaybackEngine::StatusChanged, this, &CWMPPlayer4::OnStatusChanged);
    connect(m_pEngine, &CPlaybackEngine::StateChanged, this, &CWMPPlayer4::StateChanged);
    connect(m_pEngine, &CPlaybackEngine::TitleChanged, m_pVideo, &CMpvRenderWidget::SetStreamTitle);
    connect(m_pEngine, &CPlaybackEngine::PictureChanged, this, &CWMPPlayer4::OnPictureChanged);
    connect(m_pEngine, &CPlaybackEngine::PictureTrackFound, this, [this] { m_pVideo->SetVideoWanted(true); });
    connect(m_pEngine, &CPlaybackEngine::SeekableChanged, m_pBar, &CPlayerControlBar::SetSeekable);
    connect(m_pEngine, &CPlaybackEngine::PositionChanged, m_pBar, &CPlayerControlBar::SetPosition);
    auto showBuffer = [this] { m_pBar->SetListenBuffer(m_pEngine->Buffer(), m_pEngine->IsPaused()); };
    connect(m_pEngine, &CPlaybackEngine::BufferChanged, this, showBuffer);
    connect(m_pEngine, &CPlaybackEngine::PausedChanged, this, showBuffer);
    connect(m_pEngine, &CPlaybackEngine::VolumeChanged, this,
            [this](int nVolume, bool bMuted)
            {
                m_pBar->SetVolume(nVolume);
                m_pBar->SetMuted(bMuted);
                emit VolumeChange();
            });

    connect(m_pVideo, &CMpvRenderWidget::DoubleClicked, this, [this] { SetFullScreen(!IsFullScreen()); });
    auto* pFullScreenKey = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(pFullScreenKey, &QShortcut::activated, this, [this] { SetFullScreen(true); });
    m_pInhibitor = std::make_unique<CScreenSaverInhibitor>(this);
}

CWMPPlayer4::~CWMPPlayer4()
{
    disconnect(m_pEngine, nullptr, this, nullptr);
    if (m_pFullScreen)
        SetFullScreen(false);
    // The render context must go (with its GL context current) before the core does, and the
    // picture before an engine of the widget's own.
    m_pVideo->FreeRenderContext();
    delete m_pVideo;
    m_pVideo = nullptr;
    m_pEngine->RemoveUser();
}

void CWMPPlayer4::OnStatusChanged(const QString& strStatus)
{
    m_pVideo->SetStatusText(strStatus);
    emit StatusChange();
}

void CWMPPlayer4::OnPictureChanged(bool bShown)
{
    m_pVideo->SetVideoShown(bShown);
    emit VideoChange();
}

void CWMPPlayer4::put_URL(const QString& strUrl)
{
    m_pEngine->Open(strUrl);
}

CWMPControls& CWMPPlayer4::get_controls()
{
    return m_controls;
}

QString CWMPPlayer4::get_status() const
{
    return m_pEngine->Status();
}

EPlayerState CWMPPlayer4::GetState() const
{
    return m_pEngine->State();
}

void CWMPPlayer4::Play()
{
    // A paused stream goes on from where it paused; anything else starts again.
    if (m_pEngine->IsPaused())
        m_pEngine->Resume();
    else
        m_pEngine->Replay();
}

void CWMPPlayer4::Stop()
{
    m_pEngine->Stop();
}

void CWMPPlayer4::SetTypedAddressCheck(std::function<bool(const QString&)> isTyped)
{
    m_pEngine->SetTypedAddressCheck(std::move(isTyped));
}

QString CWMPPlayer4::URL() const
{
    return m_pEngine->Url();
}

QString CWMPPlayer4::StreamTitle() const
{
    return m_pEngine->Title();
}

bool CWMPPlayer4::IsPlaying() const
{
    return m_pEngine->IsPlaying();
}

bool CWMPPlayer4::HasVideo() const
{
    return m_pEngine->HasPicture();
}

int CWMPPlayer4::Volume() const
{
    return m_pEngine->Volume();
}

bool CWMPPlayer4::IsMuted() const
{
    return m_pEngine->IsMuted();
}

void CWMPPlayer4::SetVolume(int nVolume)
{
    m_pEngine->SetVolume(nVolume);
}

void CWMPPlayer4::SetMuted(bool bMuted)
{
    m_pEngine->SetMuted(bMuted);
}

void CWMPPlayer4::SetFade(double dLevel)
{
    m_pEngine->SetFade(dLevel);
}

void CWMPPlayer4::Prepare()
{
    m_pEngine->Prepare();
}

void CWMPPlayer4::SetFullScreen(bool bFullScreen)
{
    if (bFullScreen == IsFullScreen() || (bFullScreen && !m_pVideo->HasVideoWindow()))
        return;
    if (bFullScreen)
    {
        m_pFullScreen = new QWidget(nullptr, Qt::Window);
        m_pFullScreen->setObjectName(QStringLiteral("FullScreenPicture"));
        m_pFullScreen->setWindowTitle(window()->windowTitle());
        m_pFullScreen->setStyleSheet(QStringLiteral("background: black"));
        auto* pLayout = new QVBoxLayout(m_pFullScreen);
        pLayout->setContentsMargins(0, 0, 0, 0);
        layout()->removeWidget(m_pVideo);
        pLayout->addWidget(m_pVideo);
        for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_F11)})
        {
            auto* pShortcut = new QShortcut(key, m_pFullScreen);
            connect(pShortcut, &QShortcut::activated, this, [this] { SetFullScreen(false); });
        }
        // Without a window manager the full-screen state alone would leave the window small.
        m_pFullScreen->setGeometry(window()->screen()->geometry());
        m_pFullScreen->showFullScreen();
        m_pFullScreen->activateWindow();
        return;
    }
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_pVideo, 1);
    m_pVideo->show();
    m_pFullScreen->hide();
    m_pFullScreen->deleteLater();
    m_pFullScreen = nullptr;
    window()->activateWindow();
}

void CWMPPlayer4::SetDisplayName(const QString& strName)
{
    m_pVideo->SetDisplayName(strName);
}
