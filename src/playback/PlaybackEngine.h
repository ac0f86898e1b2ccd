// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

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

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

// Listening back: a live stream that the engine keeps in its rewind buffer (see listenback/) can
// pause, move inside what the buffer holds and save a song from it. Times are seconds on the
// buffer's own line: 0 is the first byte that arrived from the channel.
struct SListenBuffer
{
    bool bActive = false; // the stream plays from a rewind buffer (only then do the rest mean much)
    double dStart = 0;    // the oldest moment still in the buffer
    double dLive = 0;     // the newest: what the server sent last
    double dPlaying = 0;  // what is heard now
    double dBehind = 0;   // how far the listener is behind live by their own doing (pause, seek); 0 when live
    bool operator==(const SListenBuffer&) const = default;
};

// A title that the stream sent, as far as it is still in the buffer.
struct SBufferedSong
{
    QString strTitle;
    double dStart = 0; // where it began, or the buffer's start when it began before it (bCut)
    double dEnd = -1;  // where the next title began; -1 while it is still going
    bool bCut = false; // began before the buffer's start: only its end is there
};

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

    // Listening back (see SListenBuffer). Engines without a rewind buffer do nothing.
    // Pause holds the sound while the stream goes on arriving into the buffer; Resume goes on from
    // where it paused.
    virtual void Pause() {}
    virtual void Resume() {}
    // Moves by dSeconds (negative: back) inside the buffer, or to a moment on its line; both are held
    // to what the buffer has.
    virtual void SeekBy(double dSeconds) { Q_UNUSED(dSeconds); }
    virtual void SeekToBuffer(double dSeconds) { Q_UNUSED(dSeconds); }
    // Back to the live edge.
    virtual void GoLive() {}
    // To the start of the title before the one heard now (or of this one when it began more than a
    // few seconds ago), or of the next one; false when the buffer has none.
    virtual bool PreviousSong() { return false; }
    virtual bool NextSong() { return false; }
    // The titles still in the buffer, oldest first.
    virtual QList<SBufferedSong> BufferedSongs() const { return {}; }
    // Writes the bytes of song nSong (an index of BufferedSongs) as they came, into strPath; "" when
    // written, else why not.
    virtual QString SaveSong(int nSong, const QString& strPath)
    {
        Q_UNUSED(nSong);
        Q_UNUSED(strPath);
        return QStringLiteral("no buffer");
    }

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
    bool IsPaused() const { return m_bPaused; }
    SListenBuffer Buffer() const { return m_buffer; }
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
    // Pause/Resume, or the stream ended while paused.
    void PausedChanged(bool bPaused);
    // The rewind buffer grew, moved or playback moved in it (at most a few times a second).
    void BufferChanged(const SListenBuffer& buffer);
    // A title joined or left the buffer.
    void BufferedSongsChanged();

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
    void SetPaused(bool bPaused);
    void SetBuffer(const SListenBuffer& buffer);

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
    bool m_bPaused = false;
    SListenBuffer m_buffer;
};
