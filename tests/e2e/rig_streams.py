#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Real stream servers for end-to-end tests and the demo, all on 127.0.0.1 and free ports.

Every server runs inside the caller's environment (tools/testenv gives each test its own
XDG_RUNTIME_DIR and TMPDIR) and is stopped by the object that started it. Child processes also get
SIGTERM when the Python process that started them dies, so a crashed test leaves nothing behind.

Classes:
  PulseAudio      a PulseAudio server with one null sink (the default sink); ``env()`` gives the
                  variables that point a client at it; ``record(seconds)`` listens to the sink's
                  monitor and returns a ``Measurement`` (dominant frequency and RMS level).
  Icecast         Icecast 2 with one mount per radio channel, each fed by ffmpeg with a sine tone of
                  its own frequency (MP3, 64 kbps); ICY titles through the admin API; a source can be
                  killed and started again.
  StaticHttpServer  a threaded HTTP server for a folder (channel lists, web pages, HLS segments).
  LocalFileTrap   network playlists that point at local media files.
  HlsChannel      a TV channel: ffmpeg's test picture and a tone cut into HLS segments, served by a
                  StaticHttpServer; live, or a finished recording that can be seeked.

Typical use in a test::

    with PulseAudio() as pulse, Icecast([Radio("/one", 440), Radio("/two", 880)]) as ice:
        env = dict(os.environ, **pulse.env())
        ...start the program with env, play ice.url("/one")...
        m = pulse.record(1.5)
        assert abs(m.frequency - 440) < 15 and not m.silent

Command line (used by the C++ GUI tests, which drive it over a pipe)::

    rig_streams.py serve [--pulse] [--radio MOUNT:FREQ[:TITLE]]... [--hls] [--vod SECONDS] [--trap]

prints one JSON line {"pulse_server": ..., "radio": {MOUNT: URL}, "tv": URL, "vod": URL,
"trap_m3u": URL, "trap_hls": URL, "dead": URL} and then
answers one JSON line per command read from stdin:
    record SECONDS       -> {"frequency": F, "rms": R, "silent": bool}
    title MOUNT TEXT     -> {"ok": true}
    kill MOUNT / start MOUNT -> {"ok": true}
    quit (or end of stdin) stops everything.
"""

import array
import ctypes
import functools
import http.server
import json
import math
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
import urllib.request
from dataclasses import dataclass

HOST = "127.0.0.1"


def free_port():
    """A TCP port on 127.0.0.1 that nothing listens on right now."""
    with socket.socket() as s:
        s.bind((HOST, 0))
        return s.getsockname()[1]


def _die_with_parent():
    # Runs in the child before exec: SIGTERM when the parent process dies.
    try:
        libc = ctypes.CDLL("libc.so.6", use_errno=True)
        libc.prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG
    except OSError:
        pass


def spawn(args, log_path=None, env=None, **kwargs):
    """Starts a child process that ends when this process ends; output goes to log_path or nowhere."""
    out = open(log_path, "ab") if log_path else subprocess.DEVNULL
    try:
        return subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                                env=env, preexec_fn=_die_with_parent, **kwargs)
    finally:
        if log_path:
            out.close()


def stop_process(proc, timeout=5):
    """Terminates a child and waits for it (kills it if it does not end in time)."""
    if proc is None or proc.poll() is not None:
        return
    proc.terminate()
    try:
        proc.wait(timeout)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def wait_until(predicate, timeout, what):
    """Calls predicate until it returns something true; raises RuntimeError after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise RuntimeError("timed out waiting for " + what)
        time.sleep(0.05)


def mp3_encoder(kbps=64, channels=1):
    """ffmpeg's output options for the MP3 of a tone radio."""
    return ["-ac", str(channels), "-c:a", "libmp3lame", "-b:a", "%dk" % kbps]


def _scratch_dir(prefix):
    return tempfile.mkdtemp(prefix=prefix, dir=os.environ.get("TMPDIR"))


def _is_root():
    return os.geteuid() == 0


class _Server:
    """What the servers here share: ``with`` starts one and stops it at the end, and ``stop`` ends the
    child process, the HTTP server and the scratch folder of those that have them (it may be called
    again, and after a start that failed half-way)."""

    proc = None
    http = None
    dir = None

    def stop(self):
        stop_process(self.proc)
        self.proc = None
        if self.http:
            self.http.stop()
            self.http = None
        if self.dir:
            shutil.rmtree(self.dir, ignore_errors=True)
            self.dir = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()


# --------------------------------------------------------------------------------------------------
# Sound


@dataclass
class Measurement:
    """What the monitor heard: dominant frequency in Hz (0 if silent) and RMS level (0..1)."""
    frequency: float
    rms: float

    @property
    def silent(self):
        return self.rms < 0.01


def rising_crossings(samples, band):
    """Indexes where the signal rises through zero, with a hysteresis: it must have gone below -band
    and comes back above band, so noise within the band does not count."""
    state = 0
    crossings = []
    for i, s in enumerate(samples):
        if s > band and state <= 0:
            if state < 0:
                crossings.append(i)
            state = 1
        elif s < -band and state >= 0:
            state = -1
    return crossings


def analyse_pcm(samples, rate):
    """Measurement of mono signed 16-bit samples: RMS and the frequency from zero crossings.

    The crossings are counted with a small hysteresis band, so quiet noise does not count; this is
    exact enough for a sine tone (a 440 Hz tone reads 439-441)."""
    n = len(samples)
    if n == 0:
        return Measurement(0.0, 0.0)
    total = 0
    for s in samples:
        total += s * s
    rms = math.sqrt(total / n) / 32768.0
    if rms < 0.01:
        return Measurement(0.0, rms)
    crossings = rising_crossings(samples, max(64, int(rms * 32768 * 0.2)))
    if len(crossings) < 2:
        return Measurement(0.0, rms)
    periods = len(crossings) - 1
    return Measurement(periods * rate / (crossings[-1] - crossings[0]), rms)


class PulseAudio(_Server):
    """A PulseAudio server with a null sink named ``vedrix_null`` as its default sink.

    ``env()`` returns PULSE_SERVER for clients (libmpv, parec). Needs XDG_RUNTIME_DIR (tools/testenv
    sets it) or makes a private folder. Running as root prints a warning but works."""

    SINK = "vedrix_null"
    RATE = 44100

    def __init__(self):
        self.dir = None
        self.proc = None
        self.socket = None

    def start(self):
        self.dir = _scratch_dir("pulse.")
        runtime = os.path.join(self.dir, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.socket = os.path.join(self.dir, "native")
        env = dict(os.environ, XDG_RUNTIME_DIR=runtime, HOME=self.dir, XDG_CONFIG_HOME=self.dir)
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        env.pop("DISPLAY", None)
        self.proc = spawn(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
                           "--use-pid-file=no", "--disable-shm=yes", "--log-target=stderr",
                           "--load=module-null-sink sink_name=%s rate=%d" % (self.SINK, self.RATE),
                           "--load=module-native-protocol-unix auth-anonymous=1 socket=" + self.socket],
                          log_path=os.path.join(self.dir, "pulseaudio.log"), env=env)
        wait_until(self._ready, 20, "PulseAudio")
        return self

    def _ready(self):
        if self.proc.poll() is not None:
            raise RuntimeError("PulseAudio ended: " + self.log())
        if not os.path.exists(self.socket):
            return False
        return subprocess.run(["pactl", "info"], env=self._client_env(), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0

    def log(self):
        try:
            with open(os.path.join(self.dir, "pulseaudio.log"), errors="replace") as f:
                return f.read()[-2000:]
        except OSError:
            return ""

    @property
    def server(self):
        return "unix:" + self.socket

    def env(self):
        """Variables that send a client's sound to this server."""
        return {"PULSE_SERVER": self.server}

    def _client_env(self):
        return dict(os.environ, **self.env())

    def record(self, seconds):
        """Records the sink's monitor for the given time and returns a Measurement."""
        proc = subprocess.Popen(["parec", "-d", self.SINK + ".monitor", "--raw", "--format=s16le",
                                 "--rate=%d" % self.RATE, "--channels=1", "--latency-msec=50"],
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=self._client_env(),
                                preexec_fn=_die_with_parent)
        wanted = int(seconds * self.RATE) * 2
        data = bytearray()
        try:
            while len(data) < wanted:
                chunk = proc.stdout.read1(65536)
                if not chunk:
                    break
                data += chunk
        finally:
            stop_process(proc)
            proc.stdout.close()
        # The first moments may still hold what the monitor had buffered before.
        skip = min(len(data) // 4, int(0.1 * self.RATE) * 2)
        body = bytes(data[skip:len(data) - (len(data) - skip) % 2])
        samples = array.array("h")
        samples.frombytes(body)
        if sys.byteorder != "little":
            samples.byteswap()
        return analyse_pcm(samples, self.RATE)


# --------------------------------------------------------------------------------------------------
# Icecast


@dataclass
class Radio:
    """One radio mount: its path ("/english"), the tone's frequency and the first ICY title.

    tunable: the tone comes from this process instead of ffmpeg's generator, so that
    ``Icecast.set_tone`` can change it while listeners stay connected. kbps: this mount's bitrate
    (default: the server's). speed: the source sends that many seconds of sound per second (a
    stream that fills a buffer quickly)."""
    mount: str
    frequency: int
    title: str = ""
    name: str = ""
    tunable: bool = False
    kbps: int = 0
    speed: float = 1.0


class ToneFeeder(threading.Thread):
    """Writes a sine tone as raw PCM (mono, signed 16-bit) into a pipe at the pace of the clock, a
    tenth of a second ahead at most; ``frequency`` may change at any time (the phase goes on, so the
    change is clean)."""

    RATE = 44100
    CHUNK = RATE // 50
    AMPLITUDE = 4096  # ffmpeg's sine generator's level

    def __init__(self, pipe, frequency):
        super().__init__(name="tone", daemon=True)
        self.pipe = pipe
        self.frequency = frequency
        self.phase = 0.0

    def run(self):
        started, sent = time.monotonic(), 0
        while True:
            ahead = sent / self.RATE - (time.monotonic() - started)
            if ahead > 0.1:
                time.sleep(ahead - 0.1)
                continue
            step = 2 * math.pi * self.frequency / self.RATE
            phase = self.phase
            chunk = array.array("h", (int(self.AMPLITUDE * math.sin(phase + step * i)) for i in range(self.CHUNK)))
            self.phase = (phase + step * self.CHUNK) % (2 * math.pi)
            if sys.byteorder != "little":
                chunk.byteswap()
            try:
                self.pipe.write(chunk.tobytes())
                self.pipe.flush()
            except (OSError, ValueError):
                return  # the source ended
            sent += self.CHUNK


class Icecast(_Server):
    """Icecast 2 on a free port with one ffmpeg tone source per Radio.

    As root Icecast insists on dropping to nobody/nogroup, so its folder is made writable for them.
    ``url(mount)`` is the listening address; ``set_title``, ``kill_source``, ``start_source``."""

    SOURCE_PASSWORD = "rig-source"
    ADMIN_PASSWORD = "rig-admin"

    def __init__(self, radios, burst_bytes=16384, kbps=64, channels=1):
        self.radios = {r.mount: r for r in radios}
        self.burst_bytes = burst_bytes
        self.kbps, self.channels = kbps, channels
        self.port = None
        self.dir = None
        self.proc = None
        self.sources = {}
        self.feeders = {}

    def start(self):
        self.port = free_port()
        self.dir = _scratch_dir("icecast.")
        os.makedirs(os.path.join(self.dir, "log"))
        conf = os.path.join(self.dir, "icecast.xml")
        with open(conf, "w") as f:
            f.write(self._config())
        if _is_root():
            import grp
            import pwd
            uid, gid = pwd.getpwnam("nobody").pw_uid, grp.getgrnam("nogroup").gr_gid
            for path in (self.dir, os.path.join(self.dir, "log")):
                os.chown(path, uid, gid)
            os.chmod(self.dir, 0o755)
            # The parents of a mkdtemp folder are usually private to root; nobody needs to pass.
            parent = os.path.dirname(self.dir)
            while parent not in ("/", ""):
                mode = os.stat(parent).st_mode
                if mode & 0o001 == 0:
                    os.chmod(parent, mode | 0o001)
                parent = os.path.dirname(parent)
        self.proc = spawn(["icecast2", "-c", conf], log_path=os.path.join(self.dir, "stdout.log"))
        wait_until(self._listening, 20, "Icecast")
        for mount in self.radios:
            self.start_source(mount)
        return self

    def _config(self):
        sources = len(self.radios) + 4
        owner = ("<changeowner><user>nobody</user><group>nogroup</group></changeowner>"
                 if _is_root() else "")
        # A tunable radio's titles come in every quarter of a second (at 64 kbps) instead of every two
        # (Icecast's 16000 bytes), so that a title marks the place in the sound where its tone began.
        mounts = "".join("<mount><mount-name>%s</mount-name><mp3-metadata-interval>%d</mp3-metadata-interval>"
                         "</mount>" % (r.mount, (r.kbps or self.kbps) * 1000 // 8 // 4)
                         for r in self.radios.values() if r.tunable)
        return f"""<icecast>
  <location>loopback</location><admin>rig@localhost</admin><hostname>{HOST}</hostname>
  <limits><clients>100</clients><sources>{sources}</sources><queue-size>524288</queue-size>
    <client-timeout>30</client-timeout><header-timeout>15</header-timeout><source-timeout>10</source-timeout>
    <burst-on-connect>1</burst-on-connect><burst-size>{self.burst_bytes}</burst-size></limits>
  <authentication><source-password>{self.SOURCE_PASSWORD}</source-password>
    <relay-password>{self.SOURCE_PASSWORD}</relay-password>
    <admin-user>admin</admin-user><admin-password>{self.ADMIN_PASSWORD}</admin-password></authentication>
  <listen-socket><port>{self.port}</port><bind-address>{HOST}</bind-address></listen-socket>
  <fileserve>1</fileserve>
  <paths><basedir>/usr/share/icecast2</basedir><logdir>{self.dir}/log</logdir>
    <webroot>/usr/share/icecast2/web</webroot><adminroot>/usr/share/icecast2/admin</adminroot>
    <alias source="/" destination="/status.xsl"/></paths>
  <logging><accesslog>access.log</accesslog><errorlog>error.log</errorlog><loglevel>2</loglevel>
    <logsize>10000</logsize></logging>
  <security><chroot>0</chroot>{owner}</security>
  {mounts}
</icecast>
"""

    def _listening(self):
        if self.proc.poll() is not None:
            raise RuntimeError("Icecast ended: " + self.log())
        try:
            with socket.create_connection((HOST, self.port), timeout=0.5):
                return True
        except OSError:
            return False

    def log(self):
        text = ""
        for name in ("stdout.log", "log/error.log"):
            try:
                with open(os.path.join(self.dir, name), errors="replace") as f:
                    text += f.read()[-1500:]
            except OSError:
                pass
        return text

    def url(self, mount):
        """The address a player opens for the mount."""
        return "http://%s:%d%s" % (HOST, self.port, mount)

    def base_url(self):
        return "http://%s:%d" % (HOST, self.port)

    def start_source(self, mount, timeout=20):
        """Starts (or restarts) the ffmpeg tone source of a mount and waits until it is on air."""
        self.kill_source(mount)
        radio = self.radios[mount]
        target = "icecast://source:%s@%s:%d%s" % (self.SOURCE_PASSWORD, HOST, self.port, mount)
        if radio.tunable:
            source = ["-f", "s16le", "-ar", str(ToneFeeder.RATE), "-ac", "1", "-i", "pipe:0"]
        else:
            source = ["-readrate", str(radio.speed), "-f", "lavfi",
                      "-i", "sine=frequency=%d:sample_rate=44100" % radio.frequency]
        args = ["ffmpeg", *([] if radio.tunable else ["-nostdin"]), "-hide_banner", "-loglevel", "error", *source,
                *mp3_encoder(radio.kbps or self.kbps, self.channels), "-content_type", "audio/mpeg",
                "-ice_name", radio.name or mount.strip("/"), "-f", "mp3", target]
        log_path = os.path.join(self.dir, "source%s.log" % mount.replace("/", "_"))
        if radio.tunable:
            with open(log_path, "ab") as log:
                proc = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=log, stderr=subprocess.STDOUT,
                                        preexec_fn=_die_with_parent)
            self.feeders[mount] = ToneFeeder(proc.stdin, radio.frequency)
            self.feeders[mount].start()
        else:
            proc = spawn(args, log_path=log_path)
        self.sources[mount] = proc
        wait_until(lambda: self._on_air(mount), timeout, "Icecast mount " + mount)
        if radio.title:
            self.set_title(mount, radio.title)

    def _on_air(self, mount):
        proc = self.sources.get(mount)
        if proc is not None and proc.poll() is not None:
            raise RuntimeError("source %s ended: %s" % (mount, self.log()))
        try:
            with urllib.request.urlopen(self.url(mount), timeout=2) as r:
                return r.status == 200 and len(r.read(1)) == 1
        except OSError:
            return False

    def kill_source(self, mount):
        """Kills the source of a mount: its listeners lose the stream."""
        proc = self.sources.pop(mount, None)
        stop_process(proc)
        feeder = self.feeders.pop(mount, None)
        if feeder:
            try:
                proc.stdin.close()
            except OSError:
                pass  # the source ended with bytes unread
            feeder.join(5)

    def set_tone(self, mount, frequency):
        """Changes the tone of a tunable mount from now on; its listeners stay connected."""
        self.feeders[mount].frequency = frequency
        self.radios[mount].frequency = frequency

    def set_title(self, mount, title):
        """Sets the ICY title that the mount's listeners receive."""
        query = urllib.parse.urlencode({"mount": mount, "mode": "updinfo", "song": title})
        request = urllib.request.Request("%s/admin/metadata?%s" % (self.base_url(), query))
        token = ("admin:" + self.ADMIN_PASSWORD).encode()
        import base64
        request.add_header("Authorization", "Basic " + base64.b64encode(token).decode())
        with urllib.request.urlopen(request, timeout=5) as r:
            r.read()
        self.radios[mount].title = title

    def stop(self):
        for mount in list(self.sources):
            self.kill_source(mount)
        super().stop()


# --------------------------------------------------------------------------------------------------
# HTTP and HLS


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map, **{
        ".m3u8": "application/vnd.apple.mpegurl", ".ts": "video/mp2t", ".zip": "application/octet-stream",
        ".html": "text/html; charset=utf-8", ".svg": "image/svg+xml", ".css": "text/css"})

    def log_message(self, *args):
        pass

    def end_headers(self):
        self.send_header("Cache-Control", "no-store")
        super().end_headers()


class StaticHttpServer(_Server):
    """Serves a folder over HTTP on 127.0.0.1 from a thread of this process."""

    def __init__(self, root, port=0):
        self.root = root
        self.port = port
        self.httpd = None
        self.thread = None

    def _handler(self):
        """What answers the requests: the folder's files."""
        return functools.partial(_QuietHandler, directory=self.root)

    def start(self):
        self.httpd = http.server.ThreadingHTTPServer((HOST, self.port), self._handler())
        self.httpd.daemon_threads = True
        self.port = self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, name="http", daemon=True)
        self.thread.start()
        return self

    def url(self, path="/"):
        return "http://%s:%d%s" % (HOST, self.port, path)

    def base_url(self):
        return "http://%s:%d" % (HOST, self.port)

    def stop(self):
        if self.httpd:
            self.httpd.shutdown()
            self.httpd.server_close()
            self.httpd = None


class HlsChannel(_Server):
    """A TV channel over HLS: ffmpeg's moving test picture with a tone, 1 s segments.

    By default a live channel (a sliding window of segments, made in real time). With vod_seconds it
    is a finished recording of that length instead, which a player can seek in.
    ``url`` is the playlist address (served by its own StaticHttpServer)."""

    def __init__(self, frequency=1000, size="320x240", vod_seconds=None):
        self.frequency = frequency
        self.size = size
        self.vod_seconds = vod_seconds
        self.dir = None
        self.proc = None
        self.http = None

    def start(self, timeout=30):
        self.dir = _scratch_dir("hls.")
        out = os.path.join(self.dir, "tv")
        os.makedirs(out)
        live = self.vod_seconds is None
        args = ["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error"] + (["-re"] if live else []) + [
                "-f", "lavfi", "-i", "testsrc=size=%s:rate=25" % self.size,
                "-f", "lavfi", "-i", "sine=frequency=%d:sample_rate=44100" % self.frequency]
        if not live:
            args += ["-t", str(self.vod_seconds)]
        args += ["-c:v", "libx264", "-preset", "ultrafast", "-tune", "zerolatency", "-pix_fmt", "yuv420p",
                 "-g", "25", "-keyint_min", "25", "-sc_threshold", "0",
                 "-c:a", "aac", "-b:a", "64k", "-ac", "1", "-f", "hls", "-hls_time", "1"]
        if live:
            args += ["-hls_list_size", "6", "-hls_flags", "delete_segments+omit_endlist+temp_file"]
        else:
            args += ["-hls_list_size", "0", "-hls_playlist_type", "vod"]
        args += ["-hls_segment_filename", os.path.join(out, "seg%05d.ts"), os.path.join(out, "index.m3u8")]
        self.proc = spawn(args, log_path=os.path.join(self.dir, "ffmpeg.log"))
        playlist = os.path.join(out, "index.m3u8")
        if not live:
            if self.proc.wait(timeout) != 0:
                raise RuntimeError("HLS ffmpeg failed")
        self.http = StaticHttpServer(self.dir).start()

        def ready():
            if live and self.proc.poll() is not None:
                raise RuntimeError("HLS ffmpeg ended")
            try:
                with open(playlist) as f:
                    return f.read().count("#EXTINF") >= 3
            except OSError:
                return False
        wait_until(ready, timeout, "HLS segments")
        return self

    @property
    def url(self):
        return self.http.url("/tv/index.m3u8")


class LocalFileTrap(_Server):
    """Playlists on an HTTP server that point at local media files (a 2 kHz tone), to prove that a
    player does not follow a network playlist onto the local disk: ``m3u_url`` (an M3U list with a
    file:// address and a bare path) and ``hls_url`` (HLS whose segments are file:// addresses)."""

    FREQUENCY = 2000

    def __init__(self):
        self.dir = None
        self.http = None

    def start(self):
        self.dir = _scratch_dir("trap.")
        local = os.path.join(self.dir, "local")
        served = os.path.join(self.dir, "served")
        os.makedirs(local)
        os.makedirs(served)
        tone = "sine=frequency=%d:sample_rate=44100:duration=20" % self.FREQUENCY
        mp3 = os.path.join(local, "tone.mp3")
        ts = os.path.join(local, "tone.ts")
        for out, codec in ((mp3, ["-c:a", "libmp3lame", "-b:a", "64k"]), (ts, ["-c:a", "aac", "-f", "mpegts"])):
            subprocess.run(["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i", tone]
                           + codec + [out], check=True, preexec_fn=_die_with_parent)
        with open(os.path.join(served, "list.m3u"), "w") as f:
            f.write("#EXTM3U\nfile://%s\n%s\n" % (mp3, mp3))
        with open(os.path.join(served, "index.m3u8"), "w") as f:
            f.write("#EXTM3U\n#EXT-X-VERSION:3\n#EXT-X-TARGETDURATION:20\n#EXT-X-PLAYLIST-TYPE:VOD\n"
                    "#EXTINF:20.0,\nfile://%s\n#EXT-X-ENDLIST\n" % ts)
        self.http = StaticHttpServer(served).start()
        return self

    @property
    def m3u_url(self):
        return self.http.url("/list.m3u")

    @property
    def hls_url(self):
        return self.http.url("/index.m3u8")


# --------------------------------------------------------------------------------------------------
# Command line


def _serve(argv):
    import argparse
    parser = argparse.ArgumentParser(prog="rig_streams.py serve")
    parser.add_argument("--pulse", action="store_true", help="start PulseAudio with a null sink")
    parser.add_argument("--radio", action="append", default=[], help="MOUNT:FREQ[:TITLE]")
    parser.add_argument("--hls", action="store_true", help="start a live HLS TV channel")
    parser.add_argument("--vod", type=int, metavar="SECONDS", help="an HLS recording of that length")
    parser.add_argument("--trap", action="store_true", help="playlists that point at local files")
    opts = parser.parse_args(argv)

    started = []
    signal.signal(signal.SIGTERM, lambda *a: sys.exit(0))
    try:
        info = {}
        pulse = None
        if opts.pulse:
            pulse = PulseAudio().start()
            started.append(pulse)
            info["pulse_server"] = pulse.server
        ice = None
        if opts.radio:
            radios = []
            for spec in opts.radio:
                parts = spec.split(":", 2)
                radios.append(Radio(parts[0], int(parts[1]), parts[2] if len(parts) > 2 else ""))
            ice = Icecast(radios).start()
            started.append(ice)
            info["radio"] = {r.mount: ice.url(r.mount) for r in radios}
        if opts.hls:
            tv = HlsChannel().start()
            started.append(tv)
            info["tv"] = tv.url
        if opts.vod:
            vod = HlsChannel(frequency=660, vod_seconds=opts.vod).start()
            started.append(vod)
            info["vod"] = vod.url
        if opts.trap:
            trap = LocalFileTrap().start()
            started.append(trap)
            info["trap_m3u"] = trap.m3u_url
            info["trap_hls"] = trap.hls_url
        # An address where nothing listens.
        info["dead"] = "http://%s:%d/nothing" % (HOST, free_port())
        print(json.dumps(info), flush=True)

        for line in sys.stdin:
            words = line.split(None, 2)
            if not words:
                continue
            try:
                if words[0] == "quit":
                    break
                if words[0] == "record":
                    m = pulse.record(float(words[1]))
                    reply = {"frequency": round(m.frequency, 1), "rms": round(m.rms, 4), "silent": m.silent}
                elif words[0] == "title":
                    ice.set_title(words[1], words[2].rstrip("\n"))
                    reply = {"ok": True}
                elif words[0] == "kill":
                    ice.kill_source(words[1])
                    reply = {"ok": True}
                elif words[0] == "start":
                    ice.start_source(words[1])
                    reply = {"ok": True}
                else:
                    reply = {"error": "unknown command " + words[0]}
            except Exception as e:  # the reply says what failed; the rig keeps running
                reply = {"error": str(e)}
            print(json.dumps(reply), flush=True)
    finally:
        for server in reversed(started):
            server.stop()


if __name__ == "__main__":
    if len(sys.argv) > 1 and sys.argv[1] == "serve":
        _serve(sys.argv[2:])
    else:
        print(__doc__)
        sys.exit(2)
