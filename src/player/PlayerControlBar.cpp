// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/PlayerControlBar.h"

#include "playback/PlaybackService.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolButton>

namespace
{
constexpr int kPositionSteps = 1000;

// The volume keeps its arrow keys when it has the focus: the player's page moves in the rewind
// buffer with them otherwise (the position bar leaves them to the page, which moves by 10 s).
class CKeySlider : public QSlider
{
public:
    using QSlider::QSlider;

protected:
    bool event(QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::ShortcutOverride)
        {
            const int nKey = static_cast<QKeyEvent*>(pEvent)->key();
            if (nKey == Qt::Key_Left || nKey == Qt::Key_Right || nKey == Qt::Key_Up || nKey == Qt::Key_Down)
            {
                pEvent->accept();
                return true;
            }
        }
        return QSlider::event(pEvent);
    }
};

// A click on the bar jumps to the point clicked, as in every media player, whatever the style would
// do with it (several styles step by a page instead). The press then holds the handle, so letting go
// seeks, as after a drag.
class CSeekSlider : public QSlider
{
public:
    using QSlider::QSlider;

protected:
    void mousePressEvent(QMouseEvent* pEvent) override
    {
        if (pEvent->button() == Qt::LeftButton)
        {
            QStyleOptionSlider option;
            initStyleOption(&option);
            const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
            if (!handle.contains(pEvent->position().toPoint()))
            {
                const QRect groove =
                    style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
                const int nPixel = pEvent->position().toPoint().x() - groove.x() - handle.width() / 2;
                setSliderPosition(QStyle::sliderValueFromPosition(minimum(), maximum(), nPixel,
                                                                  groove.width() - handle.width(),
                                                                  option.upsideDown));
            }
        }
        QSlider::mousePressEvent(pEvent);
    }
};

QToolButton* MakeButton(QWidget* parent, QStyle::StandardPixmap icon, const QString& strTip)
{
    auto* pButton = new QToolButton(parent);
    pButton->setIcon(parent->style()->standardIcon(icon));
    pButton->setToolTip(strTip);
    pButton->setAccessibleName(strTip);
    pButton->setAutoRaise(true);
    pButton->setIconSize(QSize(18, 18));
    pButton->setFocusPolicy(Qt::TabFocus);
    return pButton;
}
} // namespace

CPlayerControlBar::CPlayerControlBar(QWidget* parent) : QWidget(parent)
{
    m_pPlay = MakeButton(this, QStyle::SP_MediaPlay, tr("Play"));
    m_pPause = MakeButton(this, QStyle::SP_MediaPause, tr("Pause"));
    m_pPause->hide();
    m_pStop = MakeButton(this, QStyle::SP_MediaStop, tr("Stop"));
    m_pLive = new QToolButton(this);
    m_pLive->setText(tr("Live"));
    m_pLive->setToolTip(tr("Back to live"));
    m_pLive->setAccessibleName(tr("Live"));
    m_pLive->setAutoRaise(true);
    m_pLive->setFocusPolicy(Qt::TabFocus);
    m_pLive->hide();
    m_pMute = MakeButton(this, QStyle::SP_MediaVolume, tr("Mute"));
    m_pMute->setCheckable(true);

    m_pPosition = new CSeekSlider(Qt::Horizontal, this);
    m_pPosition->setRange(0, kPositionSteps);
    m_pPosition->setEnabled(false);
    m_pPosition->setAccessibleName(tr("Position"));
    m_pPosition->setFocusPolicy(Qt::TabFocus);

    m_pTime = new QLabel(this);
    m_pTime->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00:00:00 / 00:00:00")) / 2);
    m_pTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_pVolume = new CKeySlider(Qt::Horizontal, this);
    m_pVolume->setRange(0, 100);
    m_pVolume->setValue(50);
    m_pVolume->setFixedWidth(90);
    m_pVolume->setToolTip(tr("Volume"));
    m_pVolume->setAccessibleName(tr("Volume"));
    m_pVolume->setFocusPolicy(Qt::TabFocus);

    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(4, 2, 6, 2);
    pLayout->setSpacing(4);
    pLayout->addWidget(m_pPlay);
    pLayout->addWidget(m_pPause);
    pLayout->addWidget(m_pStop);
    pLayout->addSpacing(4);
    pLayout->addWidget(m_pPosition, 1);
    pLayout->addWidget(m_pTime);
    pLayout->addWidget(m_pLive);
    pLayout->addSpacing(8);
    pLayout->addWidget(m_pMute);
    pLayout->addWidget(m_pVolume);

    connect(m_pPlay, &QToolButton::clicked, this, &CPlayerControlBar::PlayClicked);
    connect(m_pPause, &QToolButton::clicked, this, &CPlayerControlBar::PauseClicked);
    connect(m_pStop, &QToolButton::clicked, this, &CPlayerControlBar::StopClicked);
    connect(m_pLive, &QToolButton::clicked, this, &CPlayerControlBar::LiveClicked);
    connect(m_pMute, &QToolButton::toggled, this,
            [this](bool bMuted)
            {
                UpdateMuteIcon();
                emit MuteToggled(bMuted);
            });
    connect(m_pVolume, &QSlider::valueChanged, this, &CPlayerControlBar::VolumeChanged);
    // Seek once the user lets go (or clicks a page step), not on every pixel of a drag.
    connect(m_pPosition, &QSlider::sliderReleased, this, [this] { OnSliderSeek(m_pPosition->value()); });
    connect(m_pPosition, &QSlider::actionTriggered, this,
            [this](int nAction)
            {
                if (nAction != QAbstractSlider::SliderMove)
                    OnSliderSeek(m_pPosition->sliderPosition());
            });
}

void CPlayerControlBar::OnSliderSeek(int nValue)
{
    const double dFraction = double(nValue) / kPositionSteps;
    if (m_buffer.bActive)
        emit BufferSeekRequested(m_buffer.dStart + (m_buffer.dLive - m_buffer.dStart) * dFraction);
    else if (m_dDuration > 0)
        emit SeekRequested(m_dDuration * dFraction);
}

void CPlayerControlBar::SetListenBuffer(const SListenBuffer& buffer, bool bPaused)
{
    m_buffer = buffer;
    m_bPaused = bPaused;
    m_pPause->setVisible(buffer.bActive);
    m_pPause->setEnabled(!bPaused);
    m_pLive->setVisible(buffer.bActive);
    m_pLive->setEnabled(buffer.dBehind >= 1);
    ShowPosition();
}

void CPlayerControlBar::SetSeekable(bool bSeekable)
{
    m_bSeekable = bSeekable;
    ShowPosition();
}

void CPlayerControlBar::SetPosition(double dPosition, double dDuration)
{
    m_dPosition = dPosition;
    m_dDuration = dDuration;
    ShowPosition();
}

void CPlayerControlBar::ShowPosition()
{
    if (m_buffer.bActive)
    {
        const double dSpan = m_buffer.dLive - m_buffer.dStart;
        m_pPosition->setEnabled(dSpan > 0);
        if (!m_pPosition->isSliderDown())
        {
            const QSignalBlocker blocker(m_pPosition);
            m_pPosition->setValue(
                dSpan > 0
                    ? int(kPositionSteps * qBound(0.0, (m_buffer.dPlaying - m_buffer.dStart) / dSpan, 1.0))
                    : kPositionSteps);
        }
        // Behind live the label says by how much, as the status does; at live, how long it played.
        if (m_buffer.dBehind >= 1)
            m_pTime->setText(QStringLiteral("-") + CPlaybackService::ClockText(m_buffer.dBehind));
        else if (m_dPosition >= 0)
            m_pTime->setText(CPlaybackService::ClockText(m_dPosition));
        else
            m_pTime->clear();
        return;
    }
    const bool bKnownLength = m_bSeekable && m_dDuration > 0;
    m_pPosition->setEnabled(bKnownLength);
    if (!m_pPosition->isSliderDown())
    {
        const QSignalBlocker blocker(m_pPosition);
        m_pPosition->setValue(bKnownLength && m_dPosition >= 0
                                  ? int(kPositionSteps * qBound(0.0, m_dPosition / m_dDuration, 1.0))
                                  : 0);
    }
    if (m_dPosition < 0)
        m_pTime->clear();
    else if (bKnownLength)
        m_pTime->setText(CPlaybackService::ClockText(m_dPosition) + QStringLiteral(" / ") +
                         CPlaybackService::ClockText(m_dDuration));
    else
        m_pTime->setText(CPlaybackService::ClockText(m_dPosition));
}

void CPlayerControlBar::SetVolume(int nVolume)
{
    const QSignalBlocker blocker(m_pVolume);
    m_pVolume->setValue(nVolume);
}

int CPlayerControlBar::Volume() const
{
    return m_pVolume->value();
}

void CPlayerControlBar::SetMuted(bool bMuted)
{
    const QSignalBlocker blocker(m_pMute);
    m_pMute->setChecked(bMuted);
    UpdateMuteIcon();
}

void CPlayerControlBar::UpdateMuteIcon()
{
    const bool bMuted = m_pMute->isChecked();
    m_pMute->setIcon(style()->standardIcon(bMuted ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
    m_pMute->setToolTip(bMuted ? tr("Sound on") : tr("Mute"));
}
