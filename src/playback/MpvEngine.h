// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The playback engine on libmpv, and the only code in the program that calls it.
//
// Only network stream addresses are opened (see CStreamAddress); anything else shows an error status
// and opens nothing. A stream that drops after it played is opened again (see CReconnectPolicy).
// mpv runs without user configuration, scripts, key bindings or an on-screen controller. Its
// callbacks arrive on its own threads and only queue work for the GUI thread; every call into mpv
// happens on the GUI thread.
//
// Pictures go through mpv's OpenGL render API: the picture's window gives the engine its GL
// context's function lookup, and asks for a frame into its framebuffer when FrameReady says one is
// there. Until a render context exists the engine plays a stream's sound only.
//
// Listening back: a live stream on http(s) is fetched by the program itself into a rewind buffer
// (listenback/ListenBuffer.h) and mpv plays it from there (playback/RingStream.h), so that it can
// pause while the stream goes on arriving, move inside what the buffer holds and save a song from
// it. Every move opens mpv again at the buffer's offset of the target. Titles of such a stream come
// from the buffer, as playback passes the places where they arrived. Anything that is not a
// continuous stream (playlists, HLS, errors) mpv opens directly, as every stream without a buffer.
#include "playback/MpvTail.h"
#include "playback/PlaybackEngine.h"
#include "playback/PlayerStatus.h"
#include "playback/ReconnectPolicy.h"

#include <QTimer>
#include <memory>

struct mpv_handle;
struct mpv_event;
struct mpv_render_context;
class CPlaybackService;
class CListenBuffer;

class CMpvEngine : public CPlaybackEngine
{
    Q_OBJECT
public:
    explicit CMpvEngine(QObject* parent = nullptr);
    ~CMpvEngine() override;

    // The service's engine, made and handed to it when it has none yet.
    static CMpvEngine& Of(CPlaybackService& service);

    void Open(const QString& strUrl) override;
    void Replay() override;
    void Stop() override;
    void Prepare() override { EnsureMpv(); }
    void SetVolume(int nVolume) override;
    void SetMuted(bool bMuted) override;
    void SetFade(double dLevel) override;
    void SetRecordFile(const QString& strPath) override;
    void SetAudioDevice(const QString& strName) override;
    void Seek(double dSeconds) override;
    QList<audiodevices::SDevice> Devices() override;
    QString AudioCodec() const override;
    bool IsLoaded() const override { return m_pMpv != nullptr; }
    void Pause() override;
    void Resume() override;
    void SeekBy(double dSeconds) override;
    void SeekToBuffer(double dSeconds) override;
    void GoLive() override;
    bool PreviousSong() override;
    bool NextSong() override;
    QList<SBufferedSong> BufferedSongs() const override;
    QString SaveSong(int nSong, const QString& strPath) override;

    // The render context, made in a GL context that is current now: getProcAddress looks up its
    // functions. False when the core is not there or mpv refuses.
    using GetProcAddressFn = void* (*)(void* pCtx, const char* pName);
    bool CreateRenderContext(GetProcAddressFn getProcAddress, void* pCtx);
    // With the render context's GL context current.
    void FreeRenderContext();
    bool HasRenderContext() const { return m_pRender != nullptr; }
    // Draws the current frame into the framebuffer object nFbo of the current GL context.
    void RenderFrame(int nFbo, int nWidth, int nHeight);

signals:
    // A new frame waits to be drawn.
    void FrameReady();
    // The core is about to be unloaded: the render context must go now, with its GL context current.
    void RenderContextEnding();

protected:
    void Unload() override;

private:
    void CreateMpv();
    // False when mpv cannot be started.
    bool EnsureMpv();
    // bForRecording: the same stream opened again for its recording (see SetRecordFile).
    void Load(bool bForRecording = false);
    // Hands mpv an address (the stream's or its buffer's); bRing: the buffer's, read only a little
    // ahead.
    void LoadInMpv(const QByteArray& url, bool bForRecording, bool bRing);

    // Listening back.
    // Whether the current address is played through a rewind buffer.
    bool WantsListenBuffer() const;
    // Makes the buffer and starts its transfer; mpv is given the stream once the answer is known.
    void StartListenBuffer();
    // The buffer goes, its file with it.
    // bLater: from one of the buffer's own signals.
    void DiscardListenBuffer(bool bLater = false);
    void OnBufferReady();
    void OnBufferNotAStream();
    void OnBufferFailed(const QString& strError);
    bool IsRingFed() const { return m_nFeedBase >= 0; }
    // mpv plays the buffer from nOffset. bAtLive: from the live edge (the distance from live that
    // playback keeps there is taken as the stream's own); bMove: a move inside the buffer.
    void PlayBufferFrom(qint64 nOffset, bool bAtLive, bool bMove, bool bForRecording = false);
    // dSeconds held to what the buffer has, kept clear of the oldest edge of a full buffer.
    double HeldToBuffer(double dSeconds) const;
    // A move to a moment of the buffer's line (held to what it has); near live counts as live.
    void MoveInBuffer(double dSeconds);
    // The buffer's offset of what is heard now.
    qint64 PlayingOffset() const;
    // Reads where playback is and reports the buffer and the title there.
    void UpdateBuffer();
    // The index of the song (of BufferedSongs) heard at dSeconds, -1 before the first.
    int SongAt(double dSeconds) const;
    // Queued from mpv's wakeup callback: handles every event waiting.
    void DrainEvents();
    void HandleEvent(const mpv_event& event);
    void HandlePropertyChange(const mpv_event& event);
    void OnStatusChanged();
    void OnDemuxerIdle();
    void OnRenderUpdate();
    void ReleaseMemorySoon();
    void ResetPosition();
    // mpv plays at the volume times the fade: nothing else changes mpv's volume, so the volume and
    // mute are kept here rather than read back from mpv.
    void ApplyVolume();
    void ApplyMute();
    void ApplyAudioDevice();
    void EndRecording(const QString& strError);
    // A switch away from a channel that plays from its rewind buffer: the tail goes on playing it,
    // and the new channel is loaded once the tail sounds (see CMpvTail). False when the old
    // channel cannot be carried over: the new one is loaded at once.
    bool HandOverToTail();
    // The tail sounds (or could not): the new channel is loaded.
    void OnTailStarted(bool bSounding);
    // The tail's part while the new channel connects: it fades out once the new channel sounds,
    // and stops when that failed or was stopped.
    void SettleTail();

    mpv_handle* m_pMpv = nullptr;
    mpv_render_context* m_pRender = nullptr;
    bool m_bMpvFailed = false;
    CPlayerStatus m_status;
    CReconnectPolicy m_reconnect;
    QString m_strLastError;    // mpv's last error message while the current stream loads
    bool m_bKeepTitle = false; // the title stays while the same stream is opened again to record it
    // The current stream has an end of its own (a length, or it can seek): a file, or a recording
    // whose playlist is complete. Such a stream ends rather than drops, and is not reconnected.
    bool m_bFinite = false;
    // Runs a while after a stream started or ended, once the old stream's memory is all freed.
    QTimer m_releaseMemory;
    CMpvTail m_tail;

    std::unique_ptr<CListenBuffer> m_pBuffer;
    int m_nRingId = 0;        // the buffer's ring as published to mpv (0: none)
    qint64 m_nFeedBase = -1;  // the ring offset that mpv's stream began at; -1: mpv plays no ring
    qint64 m_nStreamPos = 0;  // mpv's stream-pos: bytes from m_nFeedBase to the packet decoded last
    bool m_bAtLive = false;   // playback keeps to the live edge (not paused or moved back since)
    double m_dNaturalLag = 0; // seconds from live that playback keeps at the live edge
    bool m_bMoving = false;   // a move inside the buffer has yet to play: its loading is not shown
    bool m_bPosStale = false; // mpv has yet to play the ring's new stream: its stream-pos is the old one's
    // While a ring plays: where playback is, a few times a second.
    QTimer m_bufferTick;
};
