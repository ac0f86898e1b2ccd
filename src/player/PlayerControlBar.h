#pragma once
// The player's own buttons under the picture: play (the current address again), stop, the position
// bar (only usable when the stream can seek), the elapsed time, mute and volume.
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
    // Seconds; a negative value means unknown.
    void SetPosition(double dPosition, double dDuration);
    void SetVolume(int nVolume);
    void SetMuted(bool bMuted);
    int Volume() const;

signals:
    void PlayClicked();
    void StopClicked();
    void SeekRequested(double dSeconds);
    void VolumeChanged(int nVolume);
    void MuteToggled(bool bMuted);

private:
    void ShowPosition();
    void UpdateMuteIcon();

    QToolButton* m_pPlay;
    QToolButton* m_pStop;
    QSlider* m_pPosition;
    QLabel* m_pTime;
    QToolButton* m_pMute;
    QSlider* m_pVolume;
    bool m_bSeekable = false;
    double m_dPosition = -1;
    double m_dDuration = -1;
};
