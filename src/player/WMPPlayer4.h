#pragma once
// The embedded media player: libmpv rendered into a QOpenGLWidget, with its own control bar (play,
// stop, volume, mute, position). Audio goes to the system's sound server.
//
// Only network stream addresses are opened (see CStreamAddress); anything else shows an error status
// and opens nothing. A stream that drops after it played is opened again (see CReconnectPolicy).
// mpv runs without user configuration, scripts, key bindings or an on-screen controller. Its
// callbacks arrive on its own threads and only queue work for the GUI thread; every call into mpv
// happens on the GUI thread.
#include "player/MediaPlayer.h"
#include "player/PlayerStatus.h"
#include "player/ReconnectPolicy.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

struct mpv_handle;
struct mpv_event;
class CMpvRenderWidget;
class CPlayerControlBar;
class CScreenSaverInhibitor;

class CWMPPlayer4 : public QWidget, public CMediaPlayer
{
    Q_OBJECT
public:
    explicit CWMPPlayer4(QWidget* parent = nullptr);
    ~CWMPPlayer4() override;

    void put_URL(const QString& strUrl) override;
    CWMPControls& get_controls() override;
    QString get_status() const override;
    EPlayerState GetState() const override;

    // Says whether an address is one that the user typed in: only such an address may bind a local
    // port (udp://@:1234, see CStreamAddress); every other one is held to the rules for addresses
    // from outside. Unset, none is.
    void SetTypedAddressCheck(std::function<bool(const QString&)> isTyped) { m_isTyped = std::move(isTyped); }

    // The name shown in the picture area while an audio-only channel plays.
    void SetDisplayName(const QString& strName);

    // The address last given to put_URL ("" before the first).
    QString URL() const { return m_strUrl; }
    // The stream's current title (ICY title or the stream's own title tag), "" if none.
    QString StreamTitle() const { return m_strTitle; }
    // Whether the current stream's playback has begun (and not ended or been stopped since).
    bool IsPlaying() const { return m_status.IsPlaying(); }
    // Whether the picture area shows video now.
    bool HasVideo() const { return m_bVideo; }
    CPlayerControlBar* ControlBar() const { return m_pBar; }
    CMpvRenderWidget* PictureArea() const { return m_pVideo; }
    // The picture alone in a full-screen window of its own (only while there is a picture to show),
    // or back in the player. Double click and F11 switch, Escape returns.
    void SetFullScreen(bool bFullScreen);
    bool IsFullScreen() const { return m_pFullScreen != nullptr; }
    // The sound's volume, 0-100, and mute; changed here or on the control bar, VolumeChange tells.
    int Volume() const { return m_nVolume; }
    bool IsMuted() const { return m_bMuted; }
    void SetVolume(int nVolume);
    void SetMuted(bool bMuted);
    // Plays quieter than the volume by this factor (1.0: as loud as the volume) without changing the
    // volume itself: the control bar and VolumeChange keep showing the user's volume.
    void SetFade(double dLevel);

    // Records the stream as it arrives, in its own format and without decoding it, into the file at
    // strPath ("" stops; another name closes the file and goes on in the new one). Starting opens
    // the stream again (a moment's gap in the sound). Whatever ends the stream (another address,
    // Stop, a reconnect) ends the recording too; RecordingEnded tells.
    void SetRecordFile(const QString& strPath);
    QString RecordFile() const { return m_strRecordFile; }
    // The codec of the stream's sound ("mp3", "aac", "vorbis", "opus"...), "" when none is known.
    QString AudioCodec() const;
    // Whether the stream has a picture (whether or not it is shown now).
    bool HasPictureTrack() const { return m_bPictureTrack; }
    // The sound output device by mpv's name ("auto": the system's default); taken at once.
    void SetAudioDevice(const QString& strName);
    QString AudioDevice() const { return m_strAudioDevice; }
    // The mpv core, made now if the player has not played yet; nullptr when mpv cannot be started.
    mpv_handle* Handle();
    // Loads the engine ahead of a stream that is about to be asked for (nothing else happens).
    void Prepare() { EnsureMpv(); }

signals:
    // The status text changed (and with it, perhaps, the state).
    void StatusChange();
    void StateChanged(EPlayerState state);
    void StreamTitleChange();
    // The picture came or went (HasVideo).
    void VideoChange();
    // The volume or mute changed (on the control bar or through SetVolume/SetMuted).
    void VolumeChange();
    // The recording ended: strError is "" when the stream ended or was replaced, else why the file
    // could not be written (the stream plays on).
    void RecordingEnded(const QString& strError);
    // The sound device could not be opened.
    void AudioDeviceFailed();
    // The sound server's devices changed (mpv's names, without the default); also once when the
    // player's core starts.
    void AudioDevicesChanged(const QStringList& names);

private:
    class CControls : public CWMPControls
    {
    public:
        explicit CControls(CWMPPlayer4& player) : m_player(player) {}
        void stop() override { m_player.Stop(); }

    private:
        CWMPPlayer4& m_player;
    };

    void CreateMpv();
    // The core is made when it is first needed (the first stream, or a look at the sound devices):
    // a program that starts in the tray and does not play loads neither mpv nor FFmpeg. False when
    // mpv cannot be started.
    bool EnsureMpv();
    // bForRecording: the same stream opened again for its recording (see SetRecordFile).
    void Load(bool bForRecording = false);
    void Stop();
    // Queued from mpv's wakeup callback: handles every event waiting.
    void DrainEvents();
    void HandleEvent(const mpv_event& event);
    void HandlePropertyChange(const mpv_event& event);
    void OnStatusChanged();
    void OnDemuxerIdle();
    void ReleaseMemorySoon();
    // The status the user sees: while a dropped stream is being reconnected, the attempt under way
    // rather than the attempt's own connecting and failing.
    QString ShownStatus() const;
    void SetStreamTitle(const QString& strTitle);
    void OnRenderContextChanged(bool bAvailable);
    void ResetPosition();
    // mpv plays at the volume times the fade: nothing else changes mpv's volume, so the volume and
    // mute are kept here rather than read back from mpv.
    void ApplyVolume();
    // The mute and the output device as kept here, to mpv (once its core exists).
    void ApplyMute();
    void ApplyAudioDevice();
    void EndRecording(const QString& strError);

    mpv_handle* m_pMpv = nullptr;
    bool m_bMpvFailed = false;
    CMpvRenderWidget* m_pVideo = nullptr;
    CPlayerControlBar* m_pBar = nullptr;
    QWidget* m_pFullScreen = nullptr;
    CControls m_controls{*this};
    CPlayerStatus m_status;
    CReconnectPolicy m_reconnect;
    QString m_strShownStatus;
    QString m_strUrl;
    std::function<bool(const QString&)> m_isTyped;
    QString m_strTitle;
    QString m_strLastError; // mpv's last error message while the current stream loads
    QString m_strRecordFile;
    QString m_strAudioDevice = QStringLiteral("auto");
    bool m_bVideo = false;
    bool m_bPictureTrack = false;
    bool m_bKeepTitle = false; // the title stays while the same stream is opened again to record it
    bool m_bSeekable = false;
    // The current stream has an end of its own (a length, or it can seek): a file, or a recording
    // whose playlist is complete. Such a stream ends rather than drops, and is not reconnected.
    bool m_bFinite = false;
    EPlayerState m_shownState = EPlayerState::Idle;
    double m_dPosition = -1;
    double m_dDuration = -1;
    int m_nVolume = 50;
    bool m_bMuted = false;
    double m_dFade = 1.0;
    // Runs a while after a stream started or ended, once the old stream's memory is all freed.
    QTimer m_releaseMemory;
    // A member, not a child: it watches this widget's events and asks it whether a picture plays, so
    // it must end while this is still a whole player. A child would still be filtering when the
    // QWidget part hides the window on its way out, and call into a player that no longer exists.
    // Declared last, it goes first.
    std::unique_ptr<CScreenSaverInhibitor> m_pInhibitor;
};
