// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A second, sound-only mpv core that carries the old channel over a channel switch, so that the
// listener hears no silence while the new channel connects.
//
// The player's core cannot open the new channel and go on playing the old one: loading replaces the
// old stream at once. The tail plays the old channel's rewind buffer from about where the player is;
// once it is ready the player's core opens the new channel, and when the new channel sounds the tail
// fades out and lets go of the old channel's buffer. When the new channel fails, the tail stops at
// once and the player's error shows as it would without it.
//
// The core is made when first needed and unloaded a while after its last hand-over. Like the
// player's engine it is called only on the GUI thread; mpv's own threads only queue work for it.
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

struct mpv_handle;
struct mpv_event;

class CMpvTail : public QObject
{
    Q_OBJECT
public:
    explicit CMpvTail(QObject* parent = nullptr);
    ~CMpvTail() override;

    // Starts loading strUri (the old channel's buffer) at the given volume (0-100, as the player's
    // core plays it) on the given output device. Started follows once, also when the tail cannot
    // play; false when it cannot even begin (Started does not follow then).
    bool Start(const QString& strUri, double dVolume, bool bMuted, const QString& strAudioDevice);
    // Keeps pHold (what fills the old channel's buffer) until the tail lets go of the old channel.
    void Keep(std::shared_ptr<void> pHold);
    // While it sounds.
    void SetVolume(double dVolume, bool bMuted);
    // The new channel sounds: after a moment the old one fades out (kFadeMs) and the tail stops.
    void FadeOut();
    // Silence at once (the new channel failed, the user stopped, the player goes); Started does not
    // follow.
    void Stop();

    // Between Start and Started: the player's core still plays the old channel.
    bool IsStarting() const { return m_state == EState::Loading; }
    // Between Started(true) and the end of the fade: the tail is what the listener hears of the old
    // channel.
    bool IsSounding() const { return m_state == EState::Sounding || m_state == EState::Fading; }

    // With the hold before it, the old channel is heard at most 150 ms over the new one.
    static constexpr int kFadeMs = 90;

signals:
    // bSounding: the old channel sounds from the tail now; false: the tail could not play it.
    void Started(bool bSounding);

private:
    enum class EState
    {
        Idle,
        Loading,
        Sounding,
        Fading
    };
    bool EnsureMpv();
    void DrainEvents();
    void HandleEvent(const mpv_event& event);
    void GiveUp();
    void FadeStep();
    void ApplyVolume(double dLevel);
    void Finish();

    mpv_handle* m_pMpv = nullptr;
    EState m_state = EState::Idle;
    std::shared_ptr<void> m_pHold;
    double m_dVolume = 0;
    bool m_bMuted = false;
    int m_nFadeStep = 0;
    double m_dResumedAt = -1; // where it was when its pause ended; -1 while paused

    QTimer m_fade;
    // A buffer that brings no sound in time: the switch goes ahead without the tail.
    QTimer m_startLimit;
    // The core goes a while after the last hand-over; zapping keeps it.
    QTimer m_unload;
};
