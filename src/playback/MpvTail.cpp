// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playback/MpvTail.h"

#include "base/Logging.h"
#include "base/PlayerTrace.h"
#include "playback/MpvOptions.h"
#include "playback/RingStream.h"

#include <QElapsedTimer>
#include <clocale>
#include <cmath>
#include <mpv/client.h>

namespace
{
// The buffer is on the local disk: it sounds within a few tens of milliseconds, or something is
// wrong with it, and the switch should not wait for it longer than a connection would take anyway.
constexpr int kStartLimitMs = 1500;
constexpr int kUnloadMs = 10000;
constexpr int kFadeIntervalMs = 15;
// The new channel counts as playing when mpv has opened its sound output; the sound server takes a
// while longer to play it (on a busy machine the old channel's fade had ended 15-30 ms before, in
// one switch of ten). The old channel stays this long at full volume before it fades.
constexpr int kHoldMs = 60;
// The old channel stops in the player's core once the tail has played this long by mpv's count. mpv
// moves the position in steps of the sound buffer (50 ms), and a new stream takes the sound server
// a few tens of milliseconds to start: with less than this the listener heard 20-40 ms of silence,
// with this none (and at most a few tens of milliseconds of the old channel twice over).
constexpr double kSoundingSeconds = 0.1;
} // namespace

CMpvTail::CMpvTail(QObject* parent) : QObject(parent)
{
    m_fade.setInterval(kFadeIntervalMs);
    connect(&m_fade, &QTimer::timeout, this, &CMpvTail::FadeStep);
    m_startLimit.setSingleShot(true);
    m_startLimit.setInterval(kStartLimitMs);
    connect(&m_startLimit, &QTimer::timeout, this, &CMpvTail::GiveUp);
    m_unload.setSingleShot(true);
    m_unload.setInterval(kUnloadMs);
    connect(&m_unload, &QTimer::timeout, this,
            [this]
            {
                if (m_state != EState::Idle || !m_pMpv)
                    return;
                mpv_set_wakeup_callback(m_pMpv, nullptr, nullptr);
                mpv_terminate_destroy(m_pMpv);
                m_pMpv = nullptr;
            });
}

CMpvTail::~CMpvTail()
{
    if (m_pMpv)
    {
        mpv_set_wakeup_callback(m_pMpv, nullptr, nullptr);
        mpv_terminate_destroy(m_pMpv);
    }
}

bool CMpvTail::EnsureMpv()
{
    if (m_pMpv)
        return true;
    std::setlocale(LC_NUMERIC, "C");
    m_pMpv = mpv_create();
    if (!m_pMpv)
        return false;
    mpvoptions::Apply(m_pMpv);
    // Sound only, and a short buffer at the sound server: the fade is heard when it is made, and
    // the tail plays for a second or so, so its wake-ups cost nothing worth saving.
    mpv_set_option_string(m_pMpv, "vid", "no");
    mpv_set_option_string(m_pMpv, "pulse-buffer", "50");
    if (mpv_initialize(m_pMpv) < 0 || !ringstream::Register(m_pMpv))
    {
        mpv_terminate_destroy(m_pMpv);
        m_pMpv = nullptr;
        return false;
    }
    mpv_observe_property(m_pMpv, 0, "time-pos", MPV_FORMAT_DOUBLE);
    mpv_set_wakeup_callback(
        m_pMpv,
        [](void* pCtx)
        {
            auto* pTail = static_cast<CMpvTail*>(pCtx);
            QMetaObject::invokeMethod(
                pTail, [pTail] { pTail->DrainEvents(); }, Qt::QueuedConnection);
        },
        this);
    return true;
}

bool CMpvTail::Start(const QString& strUri, double dVolume, bool bMuted, const QString& strAudioDevice)
{
    Stop();
    if (!EnsureMpv())
        return false;
    m_unload.stop();
    m_dVolume = dVolume;
    m_bMuted = bMuted;
    mpv_set_property_string(m_pMpv, "audio-device", strAudioDevice.toUtf8().constData());
    mpv_set_property_string(m_pMpv, "mute", bMuted ? "yes" : "no");
    ApplyVolume(1.0);
    // Loaded paused: it starts only once it can, while the player's core still plays the old channel.
    mpv_set_property_string(m_pMpv, "pause", "yes");
    const QByteArray uri = strUri.toUtf8();
    const char* args[]{"loadfile", uri.constData(), "replace", nullptr};
    playertrace::Mark("tail loadfile", uri.constData());
    if (mpv_command(m_pMpv, args) < 0)
        return false;
    m_state = EState::Loading;
    m_dResumedAt = -1;
    m_startLimit.start();
    return true;
}

void CMpvTail::Keep(std::shared_ptr<void> pHold)
{
    if (m_state != EState::Idle)
        m_pHold = std::move(pHold);
}

void CMpvTail::SetVolume(double dVolume, bool bMuted)
{
    m_dVolume = dVolume;
    if (!m_pMpv || m_state == EState::Idle)
        return;
    if (bMuted != m_bMuted)
    {
        m_bMuted = bMuted;
        int nMute = bMuted ? 1 : 0;
        mpv_set_property_async(m_pMpv, 0, "mute", MPV_FORMAT_FLAG, &nMute);
    }
    if (m_state != EState::Fading)
        ApplyVolume(1.0);
}

void CMpvTail::ApplyVolume(double dLevel)
{
    double dVolume = m_dVolume * dLevel;
    mpv_set_property_async(m_pMpv, 0, "volume", MPV_FORMAT_DOUBLE, &dVolume);
}

void CMpvTail::FadeOut()
{
    if (m_state == EState::Loading)
    {
        Stop();
        return;
    }
    if (m_state != EState::Sounding)
        return;
    m_state = EState::Fading;
    m_nFadeStep = -kHoldMs / kFadeIntervalMs;
    m_fade.start();
}

void CMpvTail::FadeStep()
{
    const int nSteps = kFadeMs / kFadeIntervalMs;
    if (++m_nFadeStep >= nSteps)
    {
        Stop();
        return;
    }
    if (m_nFadeStep <= 0)
        return;
    // The amplitude falls evenly (mpv's volume is cubic in it): the old channel stays audible
    // through most of the fade, which covers a new channel whose sound server is slow to start it.
    ApplyVolume(std::cbrt(1.0 - double(m_nFadeStep) / nSteps));
}

void CMpvTail::Stop()
{
    m_fade.stop();
    m_startLimit.stop();
    if (m_state != EState::Idle)
        Finish();
}

void CMpvTail::GiveUp()
{
    if (m_state != EState::Loading)
        return;
    qCDebug(lcPlayer, "the old channel's buffer did not sound");
    Stop();
    emit Started(false);
}

void CMpvTail::Finish()
{
    m_state = EState::Idle;
    if (m_pMpv)
    {
        const char* stop[]{"stop", nullptr};
        mpv_command(m_pMpv, stop);
    }
    // The core has closed the address: what it read from may go.
    m_pHold.reset();
    m_unload.start();
}

void CMpvTail::DrainEvents()
{
    while (m_pMpv)
    {
        mpv_event* pEvent = mpv_wait_event(m_pMpv, 0);
        if (pEvent->event_id == MPV_EVENT_NONE)
            break;
        HandleEvent(*pEvent);
    }
}

void CMpvTail::HandleEvent(const mpv_event& event)
{
    switch (event.event_id)
    {
    case MPV_EVENT_PLAYBACK_RESTART:
        if (m_state != EState::Loading || m_dResumedAt >= 0)
            break;
        // Ready, and paused: it plays from here, and counts as sounding once its position has moved
        // by kSoundingSeconds (mpv reckons it from what the sound output has played).
        m_dResumedAt = 0;
        mpv_get_property(m_pMpv, "time-pos", MPV_FORMAT_DOUBLE, &m_dResumedAt);
        mpv_set_property_string(m_pMpv, "pause", "no");
        break;
    case MPV_EVENT_PROPERTY_CHANGE:
    {
        const auto* pProperty = static_cast<const mpv_event_property*>(event.data);
        if (m_state != EState::Loading || m_dResumedAt < 0 || pProperty->format != MPV_FORMAT_DOUBLE ||
            *static_cast<double*>(pProperty->data) < m_dResumedAt + kSoundingSeconds)
            break;
        playertrace::Mark("event", "tail sounds");
        m_startLimit.stop();
        m_state = EState::Sounding;
        emit Started(true);
        break;
    }
    case MPV_EVENT_END_FILE:
    {
        // The old channel's buffer ran out or could not be read. Ends of files replaced by a newer
        // Start are reported too, as stops, and change nothing.
        const auto* pEnd = static_cast<const mpv_event_end_file*>(event.data);
        if (pEnd->reason == MPV_END_FILE_REASON_STOP || m_state == EState::Idle)
            break;
        if (m_state == EState::Loading)
            GiveUp();
        else
            Stop();
        break;
    }
    default:
        break;
    }
}
