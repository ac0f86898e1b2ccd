#pragma once
// The embedded media player: libmpv rendered into a QOpenGLWidget, with its own control bar (play,
// stop, volume, mute, position). Audio goes to the system's sound server.
#include "player/MediaPlayer.h"

#include <QWidget>

class CWMPPlayer4 : public QWidget, public CMediaPlayer
{
    Q_OBJECT
public:
    explicit CWMPPlayer4(QWidget* parent = nullptr);
    ~CWMPPlayer4() override;

    void put_URL(const QString& strUrl) override;
    CWMPControls& get_controls() override;
    QString get_status() const override;

    // The name shown in the picture area while an audio-only channel plays.
    void SetDisplayName(const QString& strName);

signals:
    void StatusChange();
};
