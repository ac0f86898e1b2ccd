// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playback/MpvOptions.h"

#include <mpv/client.h>

namespace
{
// Network protocols that the demuxer may open for references inside a stream (HLS segments and keys,
// RTSP's data channels). Local files are not among them.
constexpr const char* kLavfOptions =
    "protocol_whitelist=[http,https,tcp,tls,crypto,httpproxy,data,udp,rtp,rtsp,rtsps,srtp,"
    "rtmp,rtmps,rtmpt,rtmpts,rtmpe,rtmpte,srt,mmsh,mmst,hls]";

struct Option
{
    const char* name;
    const char* value;
};

constexpr Option kOptions[]{
    // Nothing of the user's own mpv setup, and nothing that could run or read local things.
    {"config", "no"},
    {"load-scripts", "no"},
    {"ytdl", "no"},
    {"osc", "no"},
    {"load-stats-overlay", "no"},
    {"load-osd-console", "no"},
    {"load-auto-profiles", "no"},
    {"terminal", "no"},
    {"input-default-bindings", "no"},
    {"input-vo-keyboard", "no"},
    {"input-cursor", "no"},
    {"load-unsafe-playlists", "no"},
    {"sub-auto", "no"},
    {"audio-file-auto", "no"},
    {"cover-art-auto", "no"},
    {"demuxer-lavf-o", kLavfOptions},
    {"user-agent", "Vedrix by Palomer"},
    // Video goes through the render context of the picture area; sound to PulseAudio or PipeWire's
    // PulseAudio server, then whatever else mpv finds.
    {"vo", "libmpv"},
    // No video until the picture area has its render context (see OnRenderContextChanged).
    {"vid", "no"},
    {"ao", "pulse,"},
    {"audio-client-name", "Vedrix"},
    // PulseAudio asks for more sound each time its buffer runs low; mpv's default of about 100 ms
    // woke its threads so often that they used twice the CPU time. 200 ms is the audio buffer that
    // mpv itself keeps; a channel switch and Stop drop it, so they are not slower.
    {"pulse-buffer", "200"},
    {"hwdec", "no"},
    {"gpu-hwdec-interop", "no"},
    {"osd-level", "0"},
    {"idle", "yes"},
    {"keep-open", "no"},
    {"volume", "50"},
    {"volume-max", "100"},
    // A channel switch should be quick. On loopback Icecast most of the start went into probing the
    // stream: take the format from the server's mime type, and give stream analysis a short budget
    // (enough for an MPEG-TS segment to show its streams).
    {"demuxer-lavf-probe-info", "nostreams"},
    {"demuxer-lavf-analyzeduration", "0.5"},
    {"demuxer-lavf-probescore", "24"},
    // Live streams: cache a little ahead, keep little behind, give up a dead server in 15 s.
    // The cache reads everything that the server sends as it arrives, so a drop shows at once; the
    // price is that the reader always waits on the socket, and a channel switch waits until mpv can
    // end it (the next data from the old server, or FFmpeg's 100 ms poll; see the README's Speed).
    {"cache", "yes"},
    {"cache-secs", "10"},
    {"demuxer-max-bytes", "32MiB"},
    {"demuxer-max-back-bytes", "4MiB"},
    {"cache-pause-wait", "1"},
    // The stream being replaced goes at once: mpv would give it 0.1 s to say goodbye to its server
    // (an RTSP teardown) before cancelling it, and a channel switch waited for that.
    {"demuxer-termination-timeout", "0"},
    {"network-timeout", "15"},
};
} // namespace

void mpvoptions::Apply(mpv_handle* pMpv)
{
    for (const Option& option : kOptions)
        mpv_set_option_string(pMpv, option.name, option.value);
}
