#pragma once
// The playback engine as the rest of the program sees it: commands (open an address, stop, volume,
// mute, record, output device) and what the engine reports, each change a signal that carries its
// value. The state lives here; CMpvEngine (playback/MpvEngine.h) is the engine that plays, and the
// only code that talks to libmpv.
//
// The engine's core (and with it libmpv and FFmpeg) is loaded when it is first needed: the first
// stream, or a look at the sound devices. It is held by its users (the player widget, an open device
// menu); when the last one lets go it is unloaded again.
#include "playback/AudioDevices.h"
#include "playback/MediaPlayer.h"

#include <QObject>
#include <QString>
#include <functional>

class CPlaybackEngine : public QObject
{
    Q_OBJECT
public:
    explicit CPlaybackEngine(QObject* parent = nullptr) : QObject(parent) {}

    // Closes whatever was open and starts playing strUrl; the same address again restarts it.
    virtual void Open(const QString& strUrl) = 0;
    // The last address again (nothing before the first).
    virtual void Replay() = 0;
    // Ends the stream (and a recording of it); the address stays.
    virtual void Stop() = 0;
    // Loads the core ahead of a stream that is about to be asked for (nothing else happens).
    virtual void Prepare() = 0;
    // 0-100, and mute; kept here and given to the core whenever it exists.
    virtual void SetVolume(int nVolume) = 0;
    virtual void SetMuted(bool bMuted) = 0;
    // Plays quieter than the volume by this factor (1.0: as loud as the volume) without changing the
    // volume itself.
    virtual void SetFade(double dLevel) = 0;
    // Records the stream as it arrives, in its own format and without decoding it, into the file at
    // strPath ("" stops; another name closes the file and goes on in the new one). Starting opens
    // the stream again (a moment's gap in the sound). Whatever ends the stream (another address,
    // Stop, a reconnect) ends the recording too; RecordingEnded tells.
    virtual void SetRecordFile(const QString& strPath) = 0;
    // The sound output device by its engine name ("auto": the system's default); taken at once.
    virtual void SetAudioDevice(const QString& strName) = 0;
    // Jumps to a position of a stream that can seek.
    virtual void Seek(double dSeconds) = 0;
    // The sound server's devices now (the core is loaded for it), without the default.
    virtual QList<audiodevices::SDevice> Devices() = 0;
    // The codec of the stream's sound ("mp3", "aac", "vorbis", "opus"...), "" when none is known.
    virtual QString AudioCodec() const = 0;
    // Whether the core is loaded.
    virtual bool IsLoaded() const = 0;

    // Says whether an address is one that the user typed in: only such an address may bind a local
    // port (udp://@:1234, see CStreamAddress); every other one is held to the rules for addresses
    // from outside. Unset, none is.
    void SetTypedAddressCheck(std::function<bool(const QString&)> isTyped) { m_isTyped = std::move(isTyped); }

    // The users that keep the core loaded.
    void AddUser() { ++m_nUsers; }
    void RemoveUser();

    QString Url() const { return m_strUrl; }
    // The status text that the user sees, and the state it stands for.
    QString Status() const { return m_strStatus; }
    EPlayerState State() const { return m_state; }
    // Whether the current stream's playback has begun (and not ended or been stopped since).
    bool IsPlaying() const { return m_bPlaying; }
    // The stream's current title (ICY title or the stream's own title tag), "" if none.
    QString Title() const { return m_strTitle; }
    // Whether a picture is shown now, and whether the stream has one at all.
    bool HasPicture() const { return m_bPicture; }
    bool HasPictureTrack() const { return m_bPictureTrack; }
    int Volume() const { return m_nVolume; }
    bool IsMuted() const { return m_bMuted; }
    double Fade() const { return m_dFade; }
    QString RecordFile() const { return m_strRecordFile; }
    QString AudioDevice() const { return m_strAudioDevice; }
    bool IsSeekable() const { return m_bSeekable; }
    // Seconds; -1 while not known.
    double Position() const { return m_dPosition; }
    double Duration() const { return m_dDuration; }

signals:
    // The status text or the state changed.
    void StatusChanged(const QString& strStatus, EPlayerState state);
    void StateChanged(EPlayerState state);
    void TitleChanged(const QString& strTitle);
    // The picture came or went.
    void PictureChanged(bool bShown);
    // The stream turned out to have a picture.
    void PictureTrackFound();
    void PositionChanged(double dPosition, double dDuration);
    void SeekableChanged(bool bSeekable);
    // Through SetVolume/SetMuted.
    void VolumeChanged(int nVolume, bool bMuted);
    // A recording started, went on in another file or ended ("").
    void RecordFileChanged(const QString& strPath);
    // The recording ended: strError is "" when the stream ended or was replaced, else why the file
    // could not be written (the stream plays on).
    void RecordingEnded(const QString& strError);
    // The sound output device that the engine plays to changed (SetAudioDevice).
    void AudioDeviceChanged(const QString& strDevice);
    // The sound device could not be opened.
    void AudioDeviceFailed(const QString& strDevice);
    // The sound server's devices changed (without the default); also once when the core loads.
    void DevicesChanged(const QList<audiodevices::SDevice>& devices);

protected:
    // The core is unloaded when its last user lets go.
    virtual void Unload() = 0;
    bool IsTyped(const QString& strUrl) const { return m_isTyped && m_isTyped(strUrl); }

    // Each setter signals a change of its value.
    void SetStatus(const QString& strStatus, EPlayerState state, bool bPlaying);
    void SetTitle(const QString& strTitle);
    void SetPicture(bool bShown);
    void SetPictureTrack(bool bFound);
    void SetPosition(double dPosition, double dDuration);
    void SetSeekable(bool bSeekable);
    void SetRecordFileValue(const QString& strPath);

    QString m_strUrl;
    int m_nVolume = 50;
    bool m_bMuted = false;
    double m_dFade = 1.0;
    QString m_strAudioDevice = QString::fromLatin1(audiodevices::kDefault);

private:
    std::function<bool(const QString&)> m_isTyped;
    int m_nUsers = 0;
    QString m_strStatus;
    EPlayerState m_state = EPlayerState::Idle;
    bool m_bPlaying = false;
    QString m_strTitle;
    bool m_bPicture = false;
    bool m_bPictureTrack = false;
    bool m_bSeekable = false;
    double m_dPosition = -1;
    double m_dDuration = -1;
    QString m_strRecordFile;
};
