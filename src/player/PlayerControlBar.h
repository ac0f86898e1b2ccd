// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The player's own buttons under the picture: play (the current address again, or on from a pause),
// pause and live (while a stream plays from its rewind buffer), stop, the position bar (over a
// stream that can seek, or over what the rewind buffer holds), the elapsed time or how far behind
// live, mute and volume.
#include "playback/PlaybackEngine.h"

#include <QWidget>

class QLabel;
class QSlider;
class QToolButton;

class CPlayerControlBar : public QWidget
{
    Q_OBJECT
public:
    explicit CPlayerControlBar(QWidget* parent = nullptr);

    void SetSeekable(bool bSeekable);
    // The rewind buffer of the stream that plays: while it is active the bar spans it and Pause
    // and Live show.
    void SetListenBuffer(const SListenBuffer& buffer, bool bPaused);
    // Seconds; a negative value means unknown.
    void SetPosition(double dPosition, double dDuration);
    void SetVolume(int nVolume);
    void SetMuted(bool bMuted);
    int Volume() const;

signals:
    void PlayClicked();
    void StopClicked();
    void SeekRequested(double dSeconds);
    void PauseClicked();
    void LiveClicked();
    // A moment on the rewind buffer's line.
    void BufferSeekRequested(double dSeconds);
    void VolumeChanged(int nVolume);
    void MuteToggled(bool bMuted);

private:
    void ShowPosition();
    void OnSliderSeek(int nValue);
    void UpdateMuteIcon();

    QToolButton* m_pPlay;
    QToolButton* m_pPause;
    QToolButton* m_pLive;
    QToolButton* m_pStop;
    QSlider* m_pPosition;
    QLabel* m_pTime;
    QToolButton* m_pMute;
    QSlider* m_pVolume;
    bool m_bSeekable = false;
    double m_dPosition = -1;
    double m_dDuration = -1;
    SListenBuffer m_buffer;
    bool m_bPaused = false;
};
