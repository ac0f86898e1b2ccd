// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The sleep timer: after a number of minutes, or when the song that plays ends, playback stops (the
// program keeps running). The last half minute fades the sound out; once playback has stopped the
// sound is back at full level for the next play.
//
// While armed, a single-shot timer wakes it at the next thing to do (the next whole minute for the
// tool tip, the fade's next step, the end); disarmed, nothing runs.
#include "platform/Clock.h"

#include <QObject>
#include <QString>

class CSleepTimer : public QObject
{
    Q_OBJECT
public:
    enum class EMode
    {
        Off,
        Timed,
        EndOfSong
    };
    // The fade runs over the last half of a minute.
    static constexpr int kFadeSteps = 30;

    explicit CSleepTimer(QObject* parent = nullptr, CClock& clock = CClock::System());

    // How long one of the timer's minutes is (60 s; the end-to-end tests shorten it through a setting).
    // Applies from the next Start.
    void SetSecondsPerMinute(int nSeconds);
    void Start(int nMinutes);
    void StartAtEndOfSong();
    void Cancel();
    // The stream brought a new title: the song that played has ended.
    void OnSongChanged();

    EMode Mode() const { return m_mode; }
    bool IsArmed() const { return m_mode != EMode::Off; }
    bool IsRunning() const { return m_pTimer->IsActive(); }
    // Whole minutes left, rounded up; 0 unless timed.
    int MinutesLeft() const;
    // The tool tip's line: "Sleep in 12 min", "Sleep at the end of the song", "" when off.
    QString TipLine() const;

signals:
    // Armed, cancelled, or another minute has passed.
    void Changed();
    // The level the sound plays at, from 1.0 down to 0.0 over the fade; 1.0 again after the end or a
    // cancel.
    void FadeLevel(double dLevel);
    // Time is up: playback is to stop. FadeLevel(1.0) follows.
    void Expired();

private:
    void OnTimeout();
    void Finish(bool bExpired);
    qint64 MinuteMs() const { return qint64(m_nSecondsPerMinute) * 1000; }
    qint64 FadeMs() const { return MinuteMs() / 2; }

    qint64 LeftMs() const { return m_nDeadlineMs - m_clock.NowMs(); }

    CClock& m_clock;
    CClockTimer* m_pTimer;
    qint64 m_nDeadlineMs = 0; // on m_clock
    EMode m_mode = EMode::Off;
    int m_nSecondsPerMinute = 60;
    double m_dLevel = 1.0;
};
