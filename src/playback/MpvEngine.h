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
#include "playback/MpvTail.h"
#include "playback/PlaybackEngine.h"
#include "playback/PlayerStatus.h"
#include "playback/ReconnectPolicy.h"

#include <QTimer>

struct mpv_handle;
struct mpv_event;
struct mpv_render_context;
class CPlaybackService;

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
    // The tail's part while the new channel connects: it fades out once the new channel sounds,
    // and stops when that failed or was stopped.
    void SettleTail();

    mpv_handle* m_pMpv = nullptr;
    mpv_render_context* m_pRender = nullptr;
    bool m_bMpvFailed = false;
    CPlayerStatus m_status;
    CReconnectPolicy m_reconnect;
    QString m_strLastError; // mpv's last error message while the current stream loads
    bool m_bKeepTitle = false; // the title stays while the same stream is opened again to record it
    // The current stream has an end of its own (a length, or it can seek): a file, or a recording
    // whose playlist is complete. Such a stream ends rather than drops, and is not reconnected.
    bool m_bFinite = false;
    // Runs a while after a stream started or ended, once the old stream's memory is all freed.
    QTimer m_releaseMemory;
    CMpvTail m_tail;
};
