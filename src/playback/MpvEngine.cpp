// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playback/MpvEngine.h"

#include "base/Logging.h"
#include "base/Settings.h"
#include "listenback/ListenBuffer.h"
#include "listenback/RingFile.h"

#include "platform/FreedMemory.h"
#include "playback/MpvOptions.h"
#include "playback/PlaybackService.h"
#include "playback/RingStream.h"
#include "base/PlayerTrace.h"
#include "stations/StreamAddress.h"

#include <QUrl>
#include <clocale>
#include <memory>
#include <mpv/client.h>
#include <mpv/render_gl.h>
#include <vector>

namespace
{
// Ids of the observed properties (the events' reply_userdata).
enum PropertyId : quint64
{
    kPropPausedForCache = 1,
    kPropBufferingState,
    kPropSeekable,
    kPropTimePos,
    kPropDuration,
    kPropVoConfigured,
    kPropIcyTitle,
    kPropCurrentAo,
    kPropDemuxerIdle,
    kPropTrackList,
    kPropAudioDevices,
};

// A buffered stream's mpv reads its ring only a little ahead: what plays next is on disk already,
// and memory stays small however long the buffer is.
constexpr const char* kRingOptions = "cache-secs=3,demuxer-max-bytes=4MiB,demuxer-max-back-bytes=0";
// A song that began less than this long ago: Previous Song goes to the one before it.
constexpr double kSongRestartSeconds = 3;
// Less behind live than this counts as live.
constexpr double kLiveSlack = 1;
// A full buffer overwrites its oldest moment as fast as playback moves on: a move goes no nearer to
// that edge than this (or a tenth of what the buffer holds, when that is less), so that what plays
// is not overwritten under it.
constexpr double kOldestEdgeSeconds = 10;

CPlayerStatus::Failure FailureOf(int nError)
{
    using F = CPlayerStatus::Failure;
    switch (nError)
    {
    case MPV_ERROR_LOADING_FAILED:
        return F::CannotOpen;
    case MPV_ERROR_AO_INIT_FAILED:
        return F::AudioDevice;
    case MPV_ERROR_VO_INIT_FAILED:
        return F::VideoDevice;
    case MPV_ERROR_UNKNOWN_FORMAT:
        return F::UnknownFormat;
    case MPV_ERROR_NOTHING_TO_PLAY:
        return F::NothingToPlay;
    case MPV_ERROR_UNSUPPORTED:
        return F::Unsupported;
    default:
        return F::Other;
    }
}

CPlayerStatus::EndReason EndReasonOf(int nReason)
{
    using R = CPlayerStatus::EndReason;
    switch (nReason)
    {
    case MPV_END_FILE_REASON_EOF:
        return R::Eof;
    case MPV_END_FILE_REASON_STOP:
        return R::Stopped;
    case MPV_END_FILE_REASON_QUIT:
        return R::Quit;
    case MPV_END_FILE_REASON_REDIRECT:
        return R::Redirect;
    default:
        return R::Error;
    }
}

// The reason that FFmpeg gives for a failure ("Connection refused", "HTTP error 404 Not Found"), for
// the error status; mpv's own messages only repeat that opening failed.
QString DetailOf(const mpv_event_log_message& message)
{
    if (!QByteArray(message.prefix).startsWith("ffmpeg"))
        return {};
    QString strText = QString::fromUtf8(message.text).trimmed();
    const int nColon = strText.lastIndexOf(QLatin1String(": "));
    if (nColon >= 0)
        strText = strText.mid(nColon + 2);
    return strText.size() <= 80 ? strText : QString();
}

// The value of a key in an mpv map, if it is there with that format.
// A map of strings for mpv_command_node, for commands given by their arguments' names. The strings
// must outlive the node.
class NodeMap
{
public:
    void Add(const char* key, const char* value)
    {
        m_keys.push_back(const_cast<char*>(key));
        mpv_node node{};
        node.format = MPV_FORMAT_STRING;
        node.u.string = const_cast<char*>(value);
        m_values.push_back(node);
    }
    mpv_node* Node()
    {
        m_list.num = int(m_values.size());
        m_list.values = m_values.data();
        m_list.keys = m_keys.data();
        m_node.format = MPV_FORMAT_NODE_MAP;
        m_node.u.list = &m_list;
        return &m_node;
    }

private:
    std::vector<char*> m_keys;
    std::vector<mpv_node> m_values;
    mpv_node_list m_list{};
    mpv_node m_node{};
};

const mpv_node* MapValue(const mpv_node& map, const char* key, mpv_format format)
{
    if (map.format != MPV_FORMAT_NODE_MAP)
        return nullptr;
    for (int i = 0; i < map.u.list->num; ++i)
    {
        if (qstrcmp(map.u.list->keys[i], key) == 0 && map.u.list->values[i].format == format)
            return &map.u.list->values[i];
    }
    return nullptr;
}
// Whether mpv's track list holds a picture: a video track that is not a cover image.
bool ListsPicture(const mpv_node& tracks)
{
    if (tracks.format != MPV_FORMAT_NODE_ARRAY)
        return false;
    for (int i = 0; i < tracks.u.list->num; ++i)
    {
        const mpv_node& track = tracks.u.list->values[i];
        const mpv_node* pType = MapValue(track, "type", MPV_FORMAT_STRING);
        const mpv_node* pCover = MapValue(track, "albumart", MPV_FORMAT_FLAG);
        if (pType && qstrcmp(pType->u.string, "video") == 0 && !(pCover && pCover->u.flag))
            return true;
    }
    return false;
}

QString MapString(const mpv_node& map, const char* key)
{
    const mpv_node* pValue = MapValue(map, key, MPV_FORMAT_STRING);
    return pValue ? QString::fromUtf8(pValue->u.string) : QString();
}

// The devices of an audio-device-list node, without mpv's own "auto" entry and the bare driver
// entries (they are the default again). Where PulseAudio (or PipeWire's PulseAudio server) has
// devices only those are listed: the engine plays through it, and ALSA's names for the same cards
// would only confuse.
QList<audiodevices::SDevice> DevicesOf(const mpv_node& list)
{
    QList<audiodevices::SDevice> all;
    if (list.format != MPV_FORMAT_NODE_ARRAY)
        return all;
    for (int i = 0; i < list.u.list->num; ++i)
    {
        const mpv_node& entry = list.u.list->values[i];
        audiodevices::SDevice device{MapString(entry, "name"), MapString(entry, "description")};
        if (!device.strName.contains(QLatin1Char('/')))
            continue;
        if (device.strDescription.isEmpty())
            device.strDescription = device.strName;
        all.append(device);
    }
    QList<audiodevices::SDevice> pulse;
    for (const audiodevices::SDevice& device : all)
        if (device.strName.startsWith(QLatin1String("pulse/")))
            pulse.append(device);
    return pulse.isEmpty() ? all : pulse;
}
} // namespace

CMpvEngine::CMpvEngine(QObject* parent) : CPlaybackEngine(parent)
{
    // A few seconds after a stream started or ended, and no more often while the user zaps: the
    // release walks every arena, and a switch should not wait for it.
    m_releaseMemory.setSingleShot(true);
    m_releaseMemory.setInterval(3000);
    connect(&m_releaseMemory, &QTimer::timeout, this, [] { freedmemory::Release(); });
    m_status.m_onChange = [this] { OnStatusChanged(); };
    m_reconnect.m_onAttempt = [this] { Load(); };
    connect(&m_tail, &CMpvTail::Started, this, &CMpvEngine::OnTailStarted);
    m_bufferTick.setInterval(250);
    connect(&m_bufferTick, &QTimer::timeout, this, &CMpvEngine::UpdateBuffer);
}

CMpvEngine::~CMpvEngine()
{
    Unload();
}

CMpvEngine& CMpvEngine::Of(CPlaybackService& service)
{
    if (auto* pEngine = qobject_cast<CMpvEngine*>(service.Engine()))
        return *pEngine;
    auto pEngine = std::make_unique<CMpvEngine>();
    CMpvEngine& engine = *pEngine;
    service.SetEngine(std::move(pEngine));
    return engine;
}

bool CMpvEngine::EnsureMpv()
{
    if (m_pMpv || m_bMpvFailed)
        return m_pMpv != nullptr;
    CreateMpv();
    if (!m_pMpv)
    {
        m_bMpvFailed = true;
        return false;
    }
    // What was set before the core existed.
    ApplyVolume();
    ApplyMute();
    ApplyAudioDevice();
    return true;
}

void CMpvEngine::CreateMpv()
{
    // mpv refuses to start unless numbers are formatted the C way; QApplication may have changed it.
    std::setlocale(LC_NUMERIC, "C");
    m_pMpv = mpv_create();
    if (!m_pMpv)
        return;
    mpvoptions::Apply(m_pMpv);
    if (mpv_initialize(m_pMpv) < 0)
    {
        mpv_terminate_destroy(m_pMpv);
        m_pMpv = nullptr;
        return;
    }
    if (!ringstream::Register(m_pMpv))
        qCWarning(lcPlayer, "the rewind buffer's protocol could not be registered");
    mpv_request_log_messages(m_pMpv, playertrace::IsOn() ? playertrace::Level() : "error");
    mpv_observe_property(m_pMpv, kPropPausedForCache, "paused-for-cache", MPV_FORMAT_FLAG);
    mpv_observe_property(m_pMpv, kPropBufferingState, "cache-buffering-state", MPV_FORMAT_INT64);
    mpv_observe_property(m_pMpv, kPropSeekable, "seekable", MPV_FORMAT_FLAG);
    // Whole seconds: mpv reports a change only when the value in the asked format changes, and as
    // doubles the position (about 14 times a second) and a live stream's growing length (5 times)
    // woke the GUI thread far more often than the bar, which shows seconds, can change.
    mpv_observe_property(m_pMpv, kPropTimePos, "time-pos", MPV_FORMAT_INT64);
    mpv_observe_property(m_pMpv, kPropDuration, "duration", MPV_FORMAT_INT64);
    mpv_observe_property(m_pMpv, kPropVoConfigured, "vo-configured", MPV_FORMAT_FLAG);
    mpv_observe_property(m_pMpv, kPropIcyTitle, "metadata/by-key/icy-title", MPV_FORMAT_STRING);
    mpv_observe_property(m_pMpv, kPropCurrentAo, "current-ao", MPV_FORMAT_STRING);
    // The demuxer stops reading when its cache is full or the stream has ended; a live stream never
    // fills the cache, so this changes when the server drops it.
    mpv_observe_property(m_pMpv, kPropDemuxerIdle, "demuxer-cache-idle", MPV_FORMAT_FLAG);
    // Whether a stream brings a picture: only then does the picture area get its video window.
    mpv_observe_property(m_pMpv, kPropTrackList, "track-list", MPV_FORMAT_NODE);
    // The sound server's devices as they come and go (mpv watches the server for changes).
    mpv_observe_property(m_pMpv, kPropAudioDevices, "audio-device-list", MPV_FORMAT_NODE);
    // Runs on an mpv thread: only queue the draining for the GUI thread.
    mpv_set_wakeup_callback(
        m_pMpv,
        [](void* pCtx)
        {
            auto* pEngine = static_cast<CMpvEngine*>(pCtx);
            QMetaObject::invokeMethod(
                pEngine, [pEngine] { pEngine->DrainEvents(); }, Qt::QueuedConnection);
        },
        this);
}

void CMpvEngine::Unload()
{
    m_tail.Stop();
    if (m_pMpv)
    {
        mpv_set_wakeup_callback(m_pMpv, nullptr, nullptr);
        // The render context must go (with its GL context current) before the core does.
        if (m_pRender)
            emit RenderContextEnding();
        if (m_pRender)
        {
            mpv_render_context_set_update_callback(m_pRender, nullptr, nullptr);
            mpv_render_context_free(m_pRender);
            m_pRender = nullptr;
        }
        mpv_terminate_destroy(m_pMpv);
        m_pMpv = nullptr;
    }
    // After the core: its streams of the ring are closed now.
    DiscardListenBuffer();
    // A core that failed to start may be tried again by the next user, and the next user starts
    // with nothing asked of the engine: no address, no stream, no status. The user's volume, mute
    // and output device stay.
    m_bMpvFailed = false;
    m_reconnect.Cancel();
    m_strUrl.clear();
    m_bKeepTitle = false;
    SetRecordFileValue(QString());
    SetTitle(QString());
    SetPicture(false);
    SetPictureTrack(false);
    ResetPosition();
    m_status = CPlayerStatus();
    m_status.m_onChange = [this] { OnStatusChanged(); };
    OnStatusChanged();
}

bool CMpvEngine::CreateRenderContext(GetProcAddressFn getProcAddress, void* pCtx)
{
    if (!m_pMpv || m_pRender)
        return m_pRender != nullptr;
    mpv_opengl_init_params glInit{getProcAddress, pCtx};
    mpv_render_param params[]{
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (mpv_render_context_create(&m_pRender, m_pMpv, params) < 0)
    {
        m_pRender = nullptr;
        return false;
    }
    // Called on one of mpv's threads: it only queues the check for the GUI thread.
    mpv_render_context_set_update_callback(
        m_pRender,
        [](void* pEngineCtx)
        {
            auto* pEngine = static_cast<CMpvEngine*>(pEngineCtx);
            QMetaObject::invokeMethod(
                pEngine, [pEngine] { pEngine->OnRenderUpdate(); }, Qt::QueuedConnection);
        },
        this);
    // Without a render context mpv's video output fails and takes the whole file with it, so a TV
    // channel started while the player is hidden (the program in the tray) plays its sound only,
    // and its picture joins once the player is shown.
    mpv_set_property_string(m_pMpv, "vid", "auto");
    return true;
}

void CMpvEngine::FreeRenderContext()
{
    if (!m_pRender)
        return;
    mpv_render_context_set_update_callback(m_pRender, nullptr, nullptr);
    mpv_render_context_free(m_pRender);
    m_pRender = nullptr;
    if (m_pMpv)
        mpv_set_property_string(m_pMpv, "vid", "no");
}

void CMpvEngine::OnRenderUpdate()
{
    if (m_pRender && (mpv_render_context_update(m_pRender) & MPV_RENDER_UPDATE_FRAME))
        emit FrameReady();
}

void CMpvEngine::RenderFrame(int nFbo, int nWidth, int nHeight)
{
    if (!m_pRender)
        return;
    mpv_opengl_fbo fbo{nFbo, nWidth, nHeight, 0};
    int nFlip = 1;
    mpv_render_param params[]{
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_FLIP_Y, &nFlip},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(m_pRender, params);
}

void CMpvEngine::Open(const QString& strUrl)
{
    m_reconnect.Cancel();
    m_strUrl = strUrl;
    if (!HandOverToTail())
        Load();
}

void CMpvEngine::Replay()
{
    if (m_strUrl.isEmpty())
        return;
    m_reconnect.Cancel();
    // Played again from the start: a switch under way is not to load it a second time.
    m_tail.Stop();
    Load();
}

void CMpvEngine::SetVolume(int nVolume)
{
    nVolume = qBound(0, nVolume, 100);
    if (nVolume != m_nVolume)
    {
        m_nVolume = nVolume;
        emit VolumeChanged(m_nVolume, m_bMuted);
    }
    ApplyVolume();
}

void CMpvEngine::SetMuted(bool bMuted)
{
    if (bMuted != m_bMuted)
    {
        m_bMuted = bMuted;
        emit VolumeChanged(m_nVolume, m_bMuted);
    }
    ApplyMute();
}

void CMpvEngine::ApplyMute()
{
    if (!m_pMpv)
        return;
    int nFlag = m_bMuted ? 1 : 0;
    mpv_set_property_async(m_pMpv, 0, "mute", MPV_FORMAT_FLAG, &nFlag);
}

void CMpvEngine::SetFade(double dLevel)
{
    dLevel = qBound(0.0, dLevel, 1.0);
    if (dLevel == m_dFade)
        return;
    m_dFade = dLevel;
    ApplyVolume();
}

void CMpvEngine::ApplyVolume()
{
    if (!m_pMpv)
        return;
    double dVolume = m_nVolume * m_dFade;
    mpv_set_property_async(m_pMpv, 0, "volume", MPV_FORMAT_DOUBLE, &dVolume);
    m_tail.SetVolume(dVolume, m_bMuted);
}

void CMpvEngine::SetRecordFile(const QString& strPath)
{
    if (!m_pMpv || strPath == RecordFile())
        return;
    const bool bStarting = RecordFile().isEmpty() && !strPath.isEmpty();
    mpv_set_property_string(m_pMpv, "stream-record", strPath.toUtf8().constData());
    SetRecordFileValue(strPath);
    if (bStarting && !m_strUrl.isEmpty())
    {
        m_reconnect.Cancel();
        Load(true);
    }
}

void CMpvEngine::EndRecording(const QString& strError)
{
    if (RecordFile().isEmpty())
        return;
    mpv_set_property_string(m_pMpv, "stream-record", "");
    SetRecordFileValue(QString());
    emit RecordingEnded(strError);
}

QString CMpvEngine::AudioCodec() const
{
    if (!m_pMpv)
        return {};
    char* pCodec = mpv_get_property_string(m_pMpv, "audio-codec-name");
    const QString strCodec = QString::fromUtf8(pCodec);
    mpv_free(pCodec);
    return strCodec;
}

void CMpvEngine::SetAudioDevice(const QString& strName)
{
    if (strName == m_strAudioDevice)
        return;
    m_strAudioDevice = strName;
    ApplyAudioDevice();
    emit AudioDeviceChanged(m_strAudioDevice);
}

void CMpvEngine::ApplyAudioDevice()
{
    if (m_pMpv)
        mpv_set_property_string(m_pMpv, "audio-device", m_strAudioDevice.toUtf8().constData());
}

QList<audiodevices::SDevice> CMpvEngine::Devices()
{
    if (!EnsureMpv())
        return {};
    mpv_node list{};
    if (mpv_get_property(m_pMpv, "audio-device-list", MPV_FORMAT_NODE, &list) < 0)
        return {};
    QList<audiodevices::SDevice> devices = DevicesOf(list);
    mpv_free_node_contents(&list);
    return devices;
}

void CMpvEngine::Seek(double dSeconds)
{
    if (!m_pMpv || !IsSeekable())
        return;
    const QByteArray target = QByteArray::number(dSeconds, 'f', 3);
    const char* args[]{"seek", target.constData(), "absolute", nullptr};
    mpv_command_async(m_pMpv, 0, args);
}

void CMpvEngine::Load(bool bForRecording)
{
    if (!EnsureMpv())
    {
        m_status.LoadRefused(QStringLiteral("the media player could not be started"));
        return;
    }
    // mpv would go on recording into the same file from the next stream. The same stream opened
    // again for its recording keeps its title: it is no new song.
    if (!bForRecording)
    {
        EndRecording(QString());
        SetTitle(QString());
    }
    m_bKeepTitle = bForRecording;
    SetPictureTrack(false);
    ResetPosition();
    m_strLastError.clear();
    // A buffered stream to record is opened again where it plays, without losing its buffer.
    if (bForRecording && IsRingFed())
    {
        PlayBufferFrom(PlayingOffset(), m_bAtLive, false, true);
        return;
    }
    DiscardListenBuffer();
    if (!CStreamAddress::IsPlayable(m_strUrl, IsTyped(m_strUrl) ? CStreamAddress::ESource::Typed
                                                                : CStreamAddress::ESource::Outside))
    {
        // Whatever played before ends too: the user asked for something else.
        const char* stop[]{"stop", nullptr};
        mpv_command(m_pMpv, stop);
        m_status.LoadRefused(m_strUrl.trimmed().isEmpty() ? QStringLiteral("no stream address")
                                                          : QStringLiteral("unsupported address"));
        return;
    }
    if (!bForRecording && WantsListenBuffer())
    {
        StartListenBuffer();
        return;
    }
    LoadInMpv(m_strUrl.trimmed().toUtf8(), bForRecording, false);
}

void CMpvEngine::LoadInMpv(const QByteArray& url, bool bForRecording, bool bRing)
{
    // A quick start reads the stream's parameters from its first frames as it plays and leaves
    // the demuxer's own ones unset; the recorder writes its file's header from those, so a stream
    // to record is opened again with a full probe.
    // Named arguments: libmpv 0.38 put an index before loadfile's options, so their place differs
    // between versions while their names do not.
    QByteArray options = bRing ? QByteArray(kRingOptions) : QByteArray();
    if (bForRecording)
        options += QByteArray(options.isEmpty() ? "" : ",") + "demuxer-lavf-probe-info=yes";
    NodeMap command;
    command.Add("name", "loadfile");
    command.Add("url", url.constData());
    command.Add("flags", "replace");
    if (!options.isEmpty())
        command.Add("options", options.constData());
    playertrace::Mark("loadfile", url.constData());
    qCDebug(lcPlayer, "opening %s", url.constData());
    mpv_node result{};
    const int nError = mpv_command_node(m_pMpv, command.Node(), &result);
    if (nError < 0)
    {
        qCWarning(lcPlayer, "cannot open %s: %s", url.constData(), mpv_error_string(nError));
        m_status.LoadRefused(QString::fromUtf8(mpv_error_string(nError)));
        return;
    }
    const mpv_node* pEntry = MapValue(result, "playlist_entry_id", MPV_FORMAT_INT64);
    const qint64 nEntry = pEntry ? pEntry->u.int64 : CPlayerStatus::kAnyEntry;
    mpv_free_node_contents(&result);
    m_status.LoadRequested(nEntry);
    // The text may have been "Connecting..." already, unseen while a move in the buffer loaded.
    OnStatusChanged();
}

void CMpvEngine::Stop()
{
    if (m_bMpvFailed)
        return;
    m_tail.Stop();
    EndRecording(QString());
    if (m_pMpv)
    {
        const char* args[]{"stop", nullptr};
        mpv_command(m_pMpv, args);
    }
    m_reconnect.Cancel();
    DiscardListenBuffer();
    SetTitle(QString());
    ResetPosition();
    m_status.StopRequested();
    OnStatusChanged();
}

void CMpvEngine::ResetPosition()
{
    // The old stream's position and length must not linger until mpv reports the new ones.
    m_bFinite = false;
    SetSeekable(false);
    SetPosition(-1, -1);
}

void CMpvEngine::DrainEvents()
{
    while (m_pMpv)
    {
        mpv_event* pEvent = mpv_wait_event(m_pMpv, 0);
        if (pEvent->event_id == MPV_EVENT_NONE)
            break;
        HandleEvent(*pEvent);
    }
}

void CMpvEngine::HandleEvent(const mpv_event& event)
{
    if (event.event_id != MPV_EVENT_LOG_MESSAGE && event.event_id != MPV_EVENT_PROPERTY_CHANGE)
        playertrace::Mark("event", mpv_event_name(event.event_id));
    switch (event.event_id)
    {
    case MPV_EVENT_START_FILE:
    {
        const auto* pStart = static_cast<const mpv_event_start_file*>(event.data);
        m_strLastError.clear();
        m_status.FileStarted(pStart->playlist_entry_id);
        break;
    }
    case MPV_EVENT_PLAYBACK_RESTART:
        ReleaseMemorySoon();
        m_strLastError.clear();
        // A ring's new stream plays: its position is mpv's to tell now.
        m_bPosStale = false;
        m_bMoving = false;
        m_status.PlaybackRestarted();
        UpdateBuffer();
        break;
    case MPV_EVENT_END_FILE:
    {
        const auto* pEnd = static_cast<const mpv_event_end_file*>(event.data);
        if (pEnd->reason == MPV_END_FILE_REASON_ERROR)
            qCWarning(lcPlayer, "stream %s failed: %s%s%s", qUtf8Printable(m_strUrl),
                      mpv_error_string(pEnd->error), m_strLastError.isEmpty() ? "" : ": ",
                      qUtf8Printable(m_strLastError));
        else
            qCDebug(lcPlayer, "stream %s ended (mpv end-file reason %d)", qUtf8Printable(m_strUrl),
                    int(pEnd->reason));
        ReleaseMemorySoon();
        // Decided before the status hears of the end, so that a drop shows as the reconnect at once. A
        // stream with an end of its own that reaches it has ended, not dropped: it is played once.
        const bool bEndedByItself = pEnd->reason == MPV_END_FILE_REASON_EOF && m_bFinite;
        if ((pEnd->reason == MPV_END_FILE_REASON_EOF || pEnd->reason == MPV_END_FILE_REASON_ERROR) &&
            !bEndedByItself)
            m_reconnect.StreamEnded();
        m_status.FileEnded(pEnd->playlist_entry_id, EndReasonOf(pEnd->reason),
                           pEnd->reason == MPV_END_FILE_REASON_ERROR ? FailureOf(pEnd->error)
                                                                     : CPlayerStatus::Failure::None,
                           m_strLastError);
        OnStatusChanged();
        break;
    }
    case MPV_EVENT_LOG_MESSAGE:
    {
        const auto* pMessage = static_cast<const mpv_event_log_message*>(event.data);
        playertrace::MpvLine(pMessage->prefix, pMessage->text);
        // A trace asks for more than errors; only the errors tell what went wrong.
        if (pMessage->log_level > MPV_LOG_LEVEL_ERROR)
            break;
        if (qstrcmp(pMessage->prefix, "cplayer") == 0 &&
            QByteArray(pMessage->text).startsWith("Could not open/initialize audio device"))
        {
            qCWarning(lcPlayer, "audio output %s failed: %s", qUtf8Printable(m_strAudioDevice),
                      pMessage->text);
            m_status.AudioOutputFailed();
            emit AudioDeviceFailed(m_strAudioDevice);
        }
        // The recorder's own failures (the file cannot be opened, a write fails, as on a full disk),
        // and mpv giving up the recording after one.
        if (qstrcmp(pMessage->prefix, "recorder") == 0 ||
            (qstrcmp(pMessage->prefix, "cplayer") == 0 &&
             QByteArray(pMessage->text).startsWith("Disabling stream recording")))
            EndRecording(QString::fromUtf8(pMessage->text).trimmed());
        const QString strDetail = DetailOf(*pMessage);
        if (!strDetail.isEmpty() && m_strLastError.isEmpty())
            m_strLastError = strDetail;
        break;
    }
    case MPV_EVENT_PROPERTY_CHANGE:
        HandlePropertyChange(event);
        break;
    default:
        break;
    }
}

void CMpvEngine::HandlePropertyChange(const mpv_event& event)
{
    const auto* pProperty = static_cast<const mpv_event_property*>(event.data);
    const bool bHasValue = pProperty->format != MPV_FORMAT_NONE && pProperty->data;
    const auto flag = [&] { return bHasValue && *static_cast<int*>(pProperty->data) != 0; };
    const auto seconds = [&] { return bHasValue ? double(*static_cast<int64_t*>(pProperty->data)) : -1.0; };
    switch (event.reply_userdata)
    {
    case kPropPausedForCache:
        m_status.PausedForCacheChanged(flag());
        break;
    case kPropBufferingState:
        m_status.BufferingChanged(bHasValue ? int(*static_cast<int64_t*>(pProperty->data)) : 0);
        break;
    case kPropSeekable:
        // mpv can seek in a ring, but the stream has no end: moves go through the buffer.
        if (IsRingFed())
            break;
        m_bFinite = m_bFinite || flag();
        SetSeekable(flag());
        break;
    case kPropTimePos:
        SetPosition(seconds(), Duration());
        break;
    case kPropDuration:
        m_bFinite = m_bFinite || (seconds() > 0 && !IsRingFed());
        SetPosition(Position(), seconds());
        break;
    case kPropVoConfigured:
        if (flag() == HasPicture())
            break;
        SetPicture(flag());
        m_status.VideoOutputChanged(flag());
        break;
    case kPropCurrentAo:
        m_status.AudioOutputChanged(bHasValue);
        break;
    case kPropIcyTitle:
    {
        const QString strTitle =
            bHasValue ? QString::fromUtf8(*static_cast<char**>(pProperty->data)) : QString();
        // The stream opened again for its recording has no title until its server sends it again.
        // A buffered stream's titles come from its buffer (mpv sees none).
        if ((strTitle.isEmpty() && m_bKeepTitle) || IsRingFed())
            break;
        m_bKeepTitle = false;
        SetTitle(strTitle);
        break;
    }
    case kPropTrackList:
        if (bHasValue && ListsPicture(*static_cast<mpv_node*>(pProperty->data)))
            SetPictureTrack(true);
        break;
    case kPropAudioDevices:
        if (bHasValue)
            emit DevicesChanged(DevicesOf(*static_cast<mpv_node*>(pProperty->data)));
        break;
    case kPropDemuxerIdle:
        if (flag())
            OnDemuxerIdle();
        break;
    default:
        break;
    }
}

void CMpvEngine::ReleaseMemorySoon()
{
    if (!m_releaseMemory.isActive())
        m_releaseMemory.start();
}

void CMpvEngine::OnDemuxerIdle()
{
    // A live stream that plays and whose demuxer has read to its end: the server dropped it. Sound
    // sent ahead (the server's burst and the cache) would keep mpv playing for a second or two
    // before the file ends; the user sees the reconnect, and the first attempt's wait runs, now.
    if (!m_status.IsPlaying() || IsSeekable() || m_reconnect.IsReconnecting() || IsRingFed())
        return;
    mpv_node state{};
    if (mpv_get_property(m_pMpv, "demuxer-cache-state", MPV_FORMAT_NODE, &state) < 0)
        return;
    const mpv_node* pEof = MapValue(state, "eof", MPV_FORMAT_FLAG);
    const bool bEof = pEof && pEof->u.flag != 0;
    mpv_free_node_contents(&state);
    if (bEof && m_reconnect.StreamEnded())
        OnStatusChanged();
}

void CMpvEngine::OnStatusChanged()
{
    SettleTail();
    if (m_status.IsPlaying())
        m_reconnect.PlaybackStarted();
    // While a dropped stream is being reconnected the user sees the attempt under way rather than
    // the attempt's own connecting and failing.
    const bool bReconnecting = m_reconnect.IsReconnecting();
    // A move inside the buffer opens mpv again: to the user the stream plays on.
    if (m_bMoving && !bReconnecting && m_status.State() == EPlayerState::Connecting)
        return;
    if (IsPaused() && m_status.IsPlaying() && !bReconnecting)
    {
        SetStatus(QStringLiteral("Paused"), EPlayerState::Playing, true);
        return;
    }
    SetStatus(bReconnecting ? CReconnectPolicy::Text(m_reconnect.Attempt()) : m_status.Text(),
              bReconnecting ? EPlayerState::Reconnecting : m_status.State(), m_status.IsPlaying());
}

bool CMpvEngine::HandOverToTail()
{
    // A tail that still loads takes the newest address along; one that sounds already goes on until
    // the newest channel sounds.
    if (m_tail.IsStarting() || m_tail.IsSounding())
        return m_tail.IsStarting();
    if (!IsRingFed() || !m_pBuffer || !m_status.IsPlaying() || IsPaused() || m_bMoving)
        return false;
    // An address that is refused stops the old channel at once, with its error.
    if (!CStreamAddress::IsPlayable(m_strUrl, IsTyped(m_strUrl) ? CStreamAddress::ESource::Typed
                                                                : CStreamAddress::ESource::Outside))
        return false;
    // From what the decoder has: what is heard lags it by the sound output's buffer, about as long
    // as the tail takes to load while the old channel plays on.
    UpdateBuffer();
    const qint64 nFrom = m_pBuffer->OffsetAt(m_pBuffer->SecondsAt(PlayingOffset()));
    if (!m_tail.Start(ringstream::Uri(m_nRingId, nFrom), m_nVolume * m_dFade, m_bMuted, m_strAudioDevice))
        return false;
    // The new channel is what the user waits for now; the old one's events no longer count.
    m_status.LoadRequested(CPlayerStatus::kAnyEntry);
    return true;
}

void CMpvEngine::OnTailStarted(bool bSounding)
{
    // The old channel's transfer goes on while the tail plays it, in case the new one is slow.
    if (bSounding && m_pBuffer)
    {
        m_pBuffer->disconnect(this);
        m_tail.Keep(std::shared_ptr<CListenBuffer>(m_pBuffer.release()));
        emit BufferedSongsChanged();
    }
    Load();
}

void CMpvEngine::SettleTail()
{
    if (!m_tail.IsSounding())
        return;
    if (m_status.IsPlaying())
        m_tail.FadeOut();
    else if (m_status.State() != EPlayerState::Connecting && m_status.State() != EPlayerState::Buffering)
        m_tail.Stop();
}

bool CMpvEngine::WantsListenBuffer() const
{
    if (ReadSettingInt(settings::kListenBackMiB) <= 0)
        return false;
    const QUrl url(m_strUrl.trimmed());
    const QString strScheme = url.scheme().toLower();
    return strScheme == QLatin1String("http") || strScheme == QLatin1String("https");
}

void CMpvEngine::StartListenBuffer()
{
    const qint64 nCapacity = qint64(ReadSettingInt(settings::kListenBackMiB)) * 1024 * 1024;
    m_pBuffer = std::make_unique<CListenBuffer>(m_strUrl.trimmed(), nCapacity, CRingFile::DefaultFolder());
    CListenBuffer* pBuffer = m_pBuffer.get();
    connect(pBuffer, &CListenBuffer::Ready, this, &CMpvEngine::OnBufferReady);
    connect(pBuffer, &CListenBuffer::NotAStream, this, &CMpvEngine::OnBufferNotAStream);
    connect(pBuffer, &CListenBuffer::Failed, this, &CMpvEngine::OnBufferFailed);
    connect(pBuffer, &CListenBuffer::TitlesChanged, this,
            [this]
            {
                UpdateBuffer();
                emit BufferedSongsChanged();
            });
    // What played before ends now, as when mpv is given a new stream.
    const char* stop[]{"stop", nullptr};
    mpv_command(m_pMpv, stop);
    playertrace::Mark("listen buffer", m_strUrl.toUtf8().constData());
    m_status.LoadRequested(CPlayerStatus::kAnyEntry);
    OnStatusChanged();
    pBuffer->Start();
}

void CMpvEngine::DiscardListenBuffer(bool bLater)
{
    m_bufferTick.stop();
    const bool bHad = m_pBuffer != nullptr;
    // The buffer's end would reach mpv as the stream's end (and be taken for a drop).
    if (IsRingFed() && m_pMpv)
    {
        const char* stop[]{"stop", nullptr};
        mpv_command(m_pMpv, stop);
    }
    if (m_nRingId)
        ringstream::Withdraw(m_nRingId);
    m_nRingId = 0;
    m_nFeedBase = -1;
    m_nStreamPos = 0;
    m_bAtLive = false;
    m_dNaturalLag = 0;
    m_bMoving = false;
    m_bPosStale = false;
    if (m_pBuffer)
    {
        m_pBuffer->disconnect(this);
        // From the buffer's own signal it goes once that has returned (or with the engine).
        if (bLater)
        {
            CListenBuffer* pBuffer = m_pBuffer.release();
            pBuffer->setParent(this);
            pBuffer->deleteLater();
        }
        m_pBuffer.reset();
    }
    // mpv's pause outlasts the file: the next stream must not start paused.
    if (IsPaused() && m_pMpv)
    {
        mpv_set_property_string(m_pMpv, "pause", "no");
    }
    SetPaused(false);
    SetBuffer(SListenBuffer());
    if (bHad)
        emit BufferedSongsChanged();
}

void CMpvEngine::OnBufferReady()
{
    if (!m_pMpv || !m_pBuffer || !m_pBuffer->Ring())
        return;
    m_nRingId = ringstream::Publish(m_pBuffer->Ring());
    // From the first byte: the server's burst makes the start quick, and the distance from live
    // that it leaves is what live means for this stream.
    PlayBufferFrom(m_pBuffer->Ring()->Begin(), true, false);
    m_bufferTick.start();
}

void CMpvEngine::OnBufferNotAStream()
{
    // A playlist, HLS, a page or an error: mpv opens the address itself and says what it is.
    DiscardListenBuffer(true);
    if (m_pMpv)
        LoadInMpv(m_strUrl.trimmed().toUtf8(), false, false);
}

void CMpvEngine::OnBufferFailed(const QString& strError)
{
    qCWarning(lcPlayer, "stream %s: the rewind buffer lost it: %s", qUtf8Printable(m_strUrl),
              qUtf8Printable(strError));
    if (!IsRingFed())
    {
        OnBufferNotAStream();
        return;
    }
    // At the live edge the drop is shown (and its first reconnect attempt waited for) at once, as
    // for a stream without a buffer; behind it, what the buffer holds plays to its end first.
    if (m_bAtLive && !IsPaused() && m_status.IsPlaying() && !m_reconnect.IsReconnecting() &&
        m_reconnect.StreamEnded())
        OnStatusChanged();
}

void CMpvEngine::PlayBufferFrom(qint64 nOffset, bool bAtLive, bool bMove, bool bForRecording)
{
    if (!m_pMpv || !m_nRingId)
        return;
    // mpv's recorder would begin its file again at the new place.
    if (bMove)
        EndRecording(QString());
    m_bAtLive = bAtLive;
    m_bMoving = bMove;
    m_bPosStale = true;
    m_nFeedBase = nOffset;
    m_nStreamPos = 0;
    LoadInMpv(ringstream::Uri(m_nRingId, nOffset).toUtf8(), bForRecording, true);
    UpdateBuffer();
}

qint64 CMpvEngine::PlayingOffset() const
{
    return m_nFeedBase + m_nStreamPos;
}

void CMpvEngine::UpdateBuffer()
{
    if (!m_pMpv || !m_pBuffer || !IsRingFed())
        return;
    int64_t nPos = 0;
    // The position of the packet handed to the decoder last; not there before the first one.
    if (!m_bPosStale && mpv_get_property(m_pMpv, "stream-pos", MPV_FORMAT_INT64, &nPos) >= 0 && nPos >= 0)
        m_nStreamPos = nPos;
    SListenBuffer buffer;
    buffer.bActive = true;
    buffer.dStart = m_pBuffer->StartSeconds();
    buffer.dLive = m_pBuffer->LiveSeconds();
    buffer.dPlaying = qBound(buffer.dStart, m_pBuffer->SecondsAt(PlayingOffset()), buffer.dLive);
    const double dFromLive = buffer.dLive - buffer.dPlaying;
    if (m_bAtLive && m_status.IsPlaying() && !IsPaused())
        m_dNaturalLag = dFromLive;
    else if (!m_bAtLive && dFromLive - m_dNaturalLag >= kLiveSlack)
        buffer.dBehind = dFromLive - m_dNaturalLag;
    SetBuffer(buffer);
    if (!m_bPosStale)
        SetTitle(m_pBuffer->TitleAt(PlayingOffset()));
}

void CMpvEngine::Pause()
{
    if (!IsRingFed() || IsPaused())
        return;
    mpv_set_property_string(m_pMpv, "pause", "yes");
    UpdateBuffer(); // where it paused, before it counts as behind
    m_bAtLive = false;
    SetPaused(true);
    OnStatusChanged();
}

void CMpvEngine::Resume()
{
    if (!IsPaused())
        return;
    SetPaused(false);
    mpv_set_property_string(m_pMpv, "pause", "no");
    // A pause longer than the buffer: where it paused has been overwritten.
    if (IsRingFed() && PlayingOffset() < m_pBuffer->Ring()->Begin())
        PlayBufferFrom(m_pBuffer->OffsetAt(HeldToBuffer(m_pBuffer->StartSeconds())), false, true);
    OnStatusChanged();
}

void CMpvEngine::SeekBy(double dSeconds)
{
    if (IsRingFed())
        MoveInBuffer(Buffer().dPlaying + dSeconds);
}

void CMpvEngine::SeekToBuffer(double dSeconds)
{
    if (IsRingFed())
        MoveInBuffer(dSeconds);
}

void CMpvEngine::MoveInBuffer(double dSeconds)
{
    const double dLiveTarget = m_pBuffer->LiveSeconds() - m_dNaturalLag;
    if (dSeconds >= dLiveTarget - kLiveSlack)
    {
        GoLive();
        return;
    }
    PlayBufferFrom(m_pBuffer->OffsetAt(HeldToBuffer(dSeconds)), false, true);
}

double CMpvEngine::HeldToBuffer(double dSeconds) const
{
    const double dStart = m_pBuffer->StartSeconds();
    if (m_pBuffer->Ring()->Begin() == 0)
        return qMax(dSeconds, dStart);
    const double dEdge = qMin(kOldestEdgeSeconds, (m_pBuffer->LiveSeconds() - dStart) / 10);
    return qMax(dSeconds, dStart + dEdge);
}

void CMpvEngine::GoLive()
{
    if (!IsRingFed())
        return;
    if (IsPaused())
        mpv_set_property_string(m_pMpv, "pause", "no");
    SetPaused(false);
    PlayBufferFrom(m_pBuffer->OffsetAt(m_pBuffer->LiveSeconds() - m_dNaturalLag), true, true);
    OnStatusChanged();
}

int CMpvEngine::SongAt(double dSeconds) const
{
    // A move to a song begins at the frame that its title arrived in: up to a frame before it.
    constexpr double kFrameSlack = 0.1;
    const QList<CListenBuffer::STitleMark> marks = m_pBuffer->Titles();
    int nSong = -1;
    for (int i = 0; i < marks.size() && m_pBuffer->SecondsAt(marks[i].nOffset) <= dSeconds + kFrameSlack; ++i)
        nSong = i;
    return nSong;
}

bool CMpvEngine::PreviousSong()
{
    if (!IsRingFed())
        return false;
    const QList<SBufferedSong> songs = BufferedSongs();
    const double dPlaying = Buffer().dPlaying;
    int nSong = SongAt(dPlaying);
    if (nSong < 0)
        return false;
    if (dPlaying - songs[nSong].dStart < kSongRestartSeconds)
    {
        if (nSong == 0)
            return false;
        --nSong;
    }
    PlayBufferFrom(m_pBuffer->OffsetAt(HeldToBuffer(songs[nSong].dStart)), false, true);
    return true;
}

bool CMpvEngine::NextSong()
{
    if (!IsRingFed())
        return false;
    const QList<SBufferedSong> songs = BufferedSongs();
    const int nNext = SongAt(Buffer().dPlaying) + 1;
    if (nNext >= songs.size())
        return false;
    MoveInBuffer(songs[nNext].dStart);
    return true;
}

QList<SBufferedSong> CMpvEngine::BufferedSongs() const
{
    QList<SBufferedSong> songs;
    if (!m_pBuffer || !m_pBuffer->Ring())
        return songs;
    const qint64 nBegin = m_pBuffer->Ring()->Begin();
    const QList<CListenBuffer::STitleMark> marks = m_pBuffer->Titles();
    for (int i = 0; i < marks.size(); ++i)
    {
        SBufferedSong song;
        song.strTitle = marks[i].strTitle;
        song.bCut = marks[i].nOffset < nBegin;
        song.dStart = m_pBuffer->SecondsAt(qMax(marks[i].nOffset, nBegin));
        if (i + 1 < marks.size())
            song.dEnd = m_pBuffer->SecondsAt(marks[i + 1].nOffset);
        songs.append(song);
    }
    return songs;
}

QString CMpvEngine::SaveSong(int nSong, const QString& strPath)
{
    if (!m_pBuffer || !m_pBuffer->Ring())
        return QStringLiteral("no buffer");
    const QList<CListenBuffer::STitleMark> marks = m_pBuffer->Titles();
    if (nSong < 0 || nSong >= marks.size())
        return QStringLiteral("the song is no longer in the buffer");
    const qint64 nFrom = qMax(marks[nSong].nOffset, m_pBuffer->Ring()->Begin());
    const qint64 nTo = nSong + 1 < marks.size() ? marks[nSong + 1].nOffset : -1;
    return m_pBuffer->SaveSpan(nFrom, nTo, strPath);
}
