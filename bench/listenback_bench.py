#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Listening back: what the rewind buffer costs and how quickly it answers, all on 127.0.0.1.

- Switch gap: the longest silence at the PulseAudio null sink between the old channel's last sound
  and the new one's first, on the Play Next hot key between two Icecast tone radios (MP3, 128 kbps,
  stereo). Budget: 50 ms worst.
- Previous Song: from the click on the ribbon's "Previous Song" (the pointer's click through XTEST)
  to the first sound of the song before, on a radio whose songs alternate between two tones.
- A 60-minute buffer at 128 kbps, filled thirty times faster than real time by a local ICY server
  (MP3 frames, a title every four minutes): the program's memory (PSS of its process tree) and its
  buffer file (size and blocks on disk) from the first minute to the sixtieth. Budget: its own memory
  (heap and anonymous mappings; the tree's PSS moves with the web engine's processes) grows less than
  16 MiB, the file takes no more than its cap (256 MiB) on disk.
- mpv's own disk cache for comparison: `mpv --cache=yes --cache-on-disk=yes --demuxer-max-bytes=2MiB
  --demuxer-max-back-bytes=2MiB` over the same 60 minutes (decoded as fast as it can, so the back
  buffer's cap is reached at once): the largest size of its cache file, which is append-only.

BENCH_RUNS (5) sets the number of switches and Previous Song clicks; BENCH_MINUTES (60) the buffer's
length; BENCH_SPEED (30) how much faster than real time it is filled; BENCH_PARTS a comma-separated
choice of switch, previous, buffer and mpv.
"""

import http.server
import os
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import benchlib as b  # noqa: E402
import player_a11y  # noqa: E402
import rig_app  # noqa: E402
from mpris_desktop import Mpris  # noqa: E402
from rig_streams import StaticHttpServer, mp3_encoder  # noqa: E402

MINUTES = float(os.environ.get("BENCH_MINUTES", "60"))
SPEED = float(os.environ.get("BENCH_SPEED", "30"))
SONG_TONES = (440, 660)
SWITCH_TONES = {"/one": 440, "/two": 660}
GAP_BUDGET = 0.050
MEMORY_GROWTH_BUDGET_MIB = 16
CAP_MIB = 256  # the buffer's default cap
# Ctrl+Alt with N and B: the hot keys Play Next and Play Prev (virtual-key codes).
PARTS = os.environ.get("BENCH_PARTS", "switch,previous,buffer,mpv").split(",")
HOT_KEYS = {"Play Next": ("n", 0x4E), "Play Prev": ("b", 0x42)}
MIB = 1024 * 1024


# --------------------------------------------------------------------------------------------------
# A radio with songs, as fast as asked


def mp3_frames(path):
    """The MPEG-1 Layer III frames of a file (no tags), as a list of bytes."""
    with open(path, "rb") as f:
        data = f.read()
    rates = [0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0]
    frames, i = [], 0
    while i + 4 <= len(data):
        if data[i] != 0xFF or data[i + 1] & 0xFE != 0xFA:
            i += 1
            continue
        kbps = rates[data[i + 2] >> 4]
        size = 144000 * kbps // 44100 + ((data[i + 2] >> 1) & 1)
        if kbps == 0:
            i += 1
            continue
        frames.append(data[i:i + size])
        i += size
    return frames


class SongRadio(StaticHttpServer):
    """An ICY radio on "/songs": MP3 at 128 kbps whose songs of song_seconds alternate between two
    tones, titled "Song 1", "Song 2"...; each listener gets its own programme from the start, sent
    at speed times real time for its first fast_seconds of sound and in real time after that."""

    METAINT = 16000
    FRAME_SECONDS = 1152 / 44100

    def __init__(self, root, song_seconds, speed=1.0, fast_seconds=0.0, total_seconds=None):
        super().__init__(root)
        self.song_seconds, self.speed, self.fast_seconds = song_seconds, speed, fast_seconds
        self.total_seconds = total_seconds
        self.tones = []

    def start(self):
        for frequency in SONG_TONES:
            path = os.path.join(self.root, "song%d.mp3" % frequency)
            subprocess.run(["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi",
                            "-i", "sine=frequency=%d:sample_rate=44100" % frequency, "-t", "30",
                            *mp3_encoder(b.KBPS, b.CHANNELS), "-write_xing", "0", "-id3v2_version", "0",
                            "-f", "mp3", path], check=True)
            self.tones.append(mp3_frames(path))
        return super().start()

    def programme(self):
        """(title, frame) for every frame, song after song."""
        per_song = int(self.song_seconds / self.FRAME_SECONDS)
        song = 0
        while True:
            frames = self.tones[song % 2]
            for k in range(per_song):
                yield "Song %d" % (song + 1), frames[k % len(frames)]
            song += 1

    def _handler(self):
        radio = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.0"

            def log_message(self, *args):
                pass

            def do_GET(self):
                if self.path != "/songs":
                    self.send_error(404)
                    return
                icy = self.headers.get("Icy-MetaData") == "1"
                self.send_response(200)
                self.send_header("Content-Type", "audio/mpeg")
                self.send_header("icy-name", "Songs")
                if icy:
                    self.send_header("icy-metaint", str(radio.METAINT))
                self.end_headers()
                try:
                    radio.send(self.wfile, icy)
                except OSError:
                    pass  # the listener left

        return Handler

    def send(self, out, icy):
        started, seconds, title, sent_title, left = time.monotonic(), 0.0, None, None, self.METAINT
        pending = bytearray()
        for title, frame in self.programme():
            data = frame
            while data:
                take = data[:left] if icy else data
                pending += take
                data = data[len(take):]
                left -= len(take)
                if icy and left == 0:
                    if title != sent_title:
                        text = ("StreamTitle='%s';" % title).encode()
                        text += b"\0" * (-len(text) % 16)
                        pending += bytes([len(text) // 16]) + text
                        sent_title = title
                    else:
                        pending += b"\0"
                    left = self.METAINT
            seconds += self.FRAME_SECONDS
            if self.total_seconds is not None and seconds >= self.total_seconds:
                out.write(pending)
                return
            if len(pending) >= 8192:
                out.write(pending)
                out.flush()
                pending.clear()
                fast = min(seconds, self.fast_seconds)
                due = started + fast / self.speed + max(0.0, seconds - self.fast_seconds) - 2.0  # 2 s ahead
                wait = due - time.monotonic()
                if wait > 0:
                    time.sleep(wait)

    def url(self, path="/songs"):
        return super().url(path)


# --------------------------------------------------------------------------------------------------
# The world: PulseAudio, Icecast with two radios, the song radio and the channel list


def write_list(world, radio):
    lines = ["Type,Channel,Address,Extra,Language,About,Status"]
    lines += ["Radio,%s,%s,,English,Tone,ON" % (m.strip("/"), world.ice.url(m)) for m in SWITCH_TONES]
    lines.append("Radio,Songs,%s,,English,Songs,ON" % radio.url())
    with open(os.path.join(world.site, "tvlist.zip"), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("utf-16-le"))


def write_settings(world, **values):
    server = world.http.base_url()
    rig_app.write_settings({"Servers": {"ChannelListServer": server, "BannerServer": server},
                            "Settings": rig_app.settings_values(values, HOT_KEYS)})


def tone_onset(rec, t, frequency, timeout=20):
    """The first moment after t from which the sink plays the tone for 100 ms, as seconds after t."""
    deadline = time.monotonic() + timeout
    step = int(0.005 * rec.RATE)
    while time.monotonic() < deadline:
        time.sleep(0.2)
        samples = rec.samples()
        i = rec.index_at(t)
        while i + int(0.1 * rec.RATE) < len(samples):
            if abs(b.local_frequency(samples, i, 0.1) - frequency) < 15:
                # Back to the first audible sample of this stretch of the tone.
                while i > rec.index_at(t) and abs(samples[i - 1]) > b.THRESHOLD:
                    i -= 1
                return rec.time_of(i) - t, i
            i += step
    return None, None


def switch_gaps(world, runs):
    """Seconds of the longest silence in each switch between the two tone radios, measured as the
    switch test measures it (rig_gap)."""
    from Xlib import display
    import rig_gap
    import sound_bench
    write_settings(world, LastChannelIndex=0)
    with b.Vedrix() as app:
        app.start_and_wait_ready()
        sound_bench.wait_playing(world, SWITCH_TONES["/one"])
        d = display.Display()

        def switch(i):
            key, frequency = ("n", SWITCH_TONES["/two"]) if i % 2 == 0 else ("b", SWITCH_TONES["/one"])
            sound_bench.press(d, ["Control_L", "Alt_L", key])
            return frequency
        try:
            figures = rig_gap.measure_gaps(world.pulse, switch, runs)
        finally:
            d.close()
        app.stop()
    return figures.gaps


def previous_song_times(world, runs, song_seconds):
    """Seconds from the click on "Previous Song" to the song before's tone."""
    write_settings(world, LastChannelIndex=len(SWITCH_TONES))
    times = []
    os.environ.update(player_a11y.ENV)
    with b.Vedrix() as app:
        app.start_and_wait_ready()
        ui = player_a11y.Accessibility()
        mpris = Mpris()
        rig_app.wait_for(mpris.available, "the media player on the bus")
        # Found once: a walk through the accessible tree takes longer than a song's first seconds.
        previous, live = (ui.wait_for(lambda: ui.find_in_panel("Listen Back", label), 60, label)
                          for label in ("Previous Song", "Live"))

        def playing():
            return mpris.get("Position") / 1e6
        # Two songs in the buffer at least.
        rig_app.wait_for(lambda: playing() > 2.5 * song_seconds, "songs in the buffer", 120)
        for _ in range(runs):
            # Well into a song: the first click goes to its start, the second (at once, within its
            # first seconds) to the song before, whose tone is the other one.
            rig_app.wait_for(lambda: 4 <= playing() % song_seconds <= 6, "the middle of a song", 60)
            song = int(playing() // song_seconds)
            other = SONG_TONES[(song - 1) % 2]
            with b.MonitorRecorder(world.pulse) as rec:
                ui.click(previous)
                rig_app.wait_for(lambda: playing() % song_seconds < 1.5, "the song's start")
                t = time.monotonic()
                # The pointer is on the button already (xdotool's mousemove --sync would wait for a move).
                subprocess.run(["xdotool", "click", "1"], check=True)
                seconds, _ = tone_onset(rec, t, other)
            if seconds is None:
                raise RuntimeError("no %d Hz after Previous Song" % other)
            times.append(seconds)
            ui.click(live)
            rig_app.wait_for(lambda: playing() > (song + 1) * song_seconds, "live again")
        app.stop()
    return times


# --------------------------------------------------------------------------------------------------
# Memory and disk over a long buffer


def ring_files(folder):
    out = {}
    for name in os.listdir(folder) if os.path.isdir(folder) else []:
        try:
            st = os.stat(os.path.join(folder, name))
        except FileNotFoundError:
            continue
        out[name] = (st.st_size, st.st_blocks * 512)
    return out


def vedrix_long_buffer(world):
    """[(media minutes sent, PSS of the tree MiB, file size MiB, file on disk MiB, the program's own
    memory (heap and anonymous) MiB, PSS of the file's mappings MiB)] every few seconds."""
    import soak_bench
    radio = SongRadio(tempfile.mkdtemp(dir=world.root), 240, speed=SPEED, fast_seconds=MINUTES * 60).start()
    try:
        write_list(world, radio)
        write_settings(world, LastChannelIndex=len(SWITCH_TONES))
        folder = os.path.join(os.environ["XDG_CACHE_HOME"], "vedrix", "listenback")
        samples, started = [], None
        with b.Vedrix() as app:
            app.start_and_wait_ready()
            rig_app.wait_for(lambda: ring_files(folder), "the buffer's file")
            started = time.monotonic()
            def sample(minutes):
                files = ring_files(folder)
                tree = sum(b.pss_kib(p) for p in b.process_tree(app.proc.pid)) / 1024
                mappings = soak_bench.pss_by_mapping(app.proc.pid)
                samples.append((minutes, tree, sum(s for s, _ in files.values()) / MIB,
                                sum(d for _, d in files.values()) / MIB,
                                (mappings["[heap]"] + mappings["[anon]"]) / 1024,
                                sum(mappings[name] for name in files) / 1024))
            while True:
                minutes = min(MINUTES, (time.monotonic() - started) * SPEED / 60)
                sample(minutes)
                if minutes >= MINUTES:
                    break
                time.sleep(2)
            time.sleep(3)  # the last bytes on their way
            sample(MINUTES)
            app.stop()
        return samples
    finally:
        radio.stop()


def mpv_disk_cache(world):
    """[(seconds, cache file size MiB, on disk MiB, mpv PSS MiB)] while mpv takes the whole stream."""
    radio = SongRadio(tempfile.mkdtemp(dir=world.root), 240, total_seconds=MINUTES * 60, speed=1e6,
                      fast_seconds=MINUTES * 60).start()
    cache = tempfile.mkdtemp(prefix="mpvcache.", dir=world.root)
    try:
        proc = subprocess.Popen(["mpv", "--no-config", "--no-video", "--ao=null", "--ao-null-untimed=yes",
                                 "--cache=yes", "--cache-on-disk=yes", "--cache-dir=" + cache,
                                 "--demuxer-max-bytes=2MiB", "--demuxer-max-back-bytes=2MiB", radio.url()],
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        samples, started = [], time.monotonic()
        while proc.poll() is None:
            size = disk = 0
            try:
                for fd in os.listdir("/proc/%d/fd" % proc.pid):
                    target = os.readlink("/proc/%d/fd/%s" % (proc.pid, fd))
                    if target.startswith(cache):
                        st = os.stat("/proc/%d/fd/%s" % (proc.pid, fd))
                        size, disk = size + st.st_size, disk + st.st_blocks * 512
            except OSError:
                pass
            samples.append((time.monotonic() - started, size / MIB, disk / MIB, b.pss_kib(proc.pid) / 1024))
            time.sleep(0.5)
        return samples
    finally:
        radio.stop()


def main():
    results = {}
    with b.World() as world:
        if "switch" in PARTS or "previous" in PARTS:
            radio = SongRadio(tempfile.mkdtemp(dir=world.root), 8).start()
            song_seconds = int(8 / SongRadio.FRAME_SECONDS) * SongRadio.FRAME_SECONDS
            write_list(world, radio)
            if "switch" in PARTS:
                b.note("switch gaps ...")
                results["gaps"] = switch_gaps(world, b.RUNS)
            if "previous" in PARTS:
                b.note("Previous Song ...")
                results["previous"] = previous_song_times(world, b.RUNS, song_seconds)
            radio.stop()
        if "buffer" in PARTS:
            b.note("a %g-minute buffer at %g times real time ..." % (MINUTES, SPEED))
            results["long"] = vedrix_long_buffer(world)
        if "mpv" in PARTS:
            b.note("mpv's disk cache ...")
            results["mpv"] = mpv_disk_cache(world)

    checks = []
    rows = []
    if "gaps" in results:
        gaps = [g * 1000 for g in results["gaps"]]
        rows.append(["silence at a switch (Play Next hot key)", "%.0f" % b.median(gaps), "%.0f" % max(gaps)])
        checks.append(("worst silence at a switch <= %d ms" % (GAP_BUDGET * 1000), max(gaps) <= GAP_BUDGET * 1000,
                       "%.0f ms" % max(gaps)))
    if "previous" in results:
        previous = [t * 1000 for t in results["previous"]]
        rows.append(["Previous Song click to its sound", "%.0f" % b.median(previous), "%.0f" % max(previous)])
    if rows:
        b.print_table("Listening back: moments (ms, %d runs)" % b.RUNS, ["what", "median", "worst"], rows)
    if "long" in results:
        checks += report_long(results["long"])
    if "mpv" in results:
        report_mpv(results["mpv"])
    print()
    sys.exit(0 if b.print_budgets(checks) else 1)


def report_long(long_run):
    first = next((s for s in long_run if s[0] >= 1), long_run[0])
    last = long_run[-1]
    peak = max(s[1] for s in long_run)
    b.note("PSS peak %.1f MiB at minute %.1f of the buffer" % (peak, next(s[0] for s in long_run if s[1] == peak)))
    sent = MINUTES * 60 * b.KBPS * 1000 / 8 / MIB
    b.print_table("Vedrix: a %g-minute buffer at %d kbps, filled at %g x real time" % (MINUTES, b.KBPS, SPEED),
                  ["", "after 1 min", "after %g min" % MINUTES, "peak"], [
                      ["PSS of the process tree (MiB)", "%.1f" % first[1], "%.1f" % last[1], "%.1f" % peak],
                      ["own memory: heap and anonymous (MiB)", "%.1f" % first[4], "%.1f" % last[4],
                       "%.1f" % max(s[4] for s in long_run)],
                      ["the buffer file mapped (PSS, MiB)", "%.1f" % first[5], "%.1f" % last[5],
                       "%.1f" % max(s[5] for s in long_run)],
                      ["buffer file size (MiB)", "%.1f" % first[2], "%.1f" % last[2], "%.1f" % max(s[2] for s in long_run)],
                      ["buffer file on disk (MiB)", "%.1f" % first[3], "%.1f" % last[3], "%.1f" % max(s[3] for s in long_run)],
                      ["what the radio sent (MiB)", "%.1f" % (sent / MINUTES), "%.1f" % sent, ""]])
    return [("own memory's growth over the buffer < %d MiB" % MEMORY_GROWTH_BUDGET_MIB,
             last[4] - first[4] < MEMORY_GROWTH_BUDGET_MIB, "%+.1f MiB" % (last[4] - first[4])),
            ("buffer on disk <= its cap (%d MiB)" % CAP_MIB, max(s[3] for s in long_run) <= CAP_MIB,
             "%.1f MiB" % max(s[3] for s in long_run))]


def report_mpv(mpv):
    b.print_table("mpv --cache-on-disk=yes --demuxer-max-back-bytes=2MiB, the same %g minutes" % MINUTES,
                  ["", "largest"], [
                      ["cache file size (MiB)", "%.1f" % max(s[1] for s in mpv)],
                      ["cache file on disk (MiB)", "%.1f" % max(s[2] for s in mpv)],
                      ["PSS of mpv (MiB)", "%.1f" % max(s[3] for s in mpv)],
                      ["seconds taken", "%.0f" % mpv[-1][0]]])


if __name__ == "__main__":
    main()
