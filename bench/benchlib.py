# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""What the player benchmarks share: a local world (PulseAudio null sink, Icecast with tone radios, an
HTTP server with the channel list and the banner page), the program and the other players started
in it, the sink's monitor recorded with time stamps, and the process tree's memory and CPU time
read from /proc.

Run the benchmarks through `tools/bench NAME` (it builds vedrix, installs the other players and gives
each benchmark its own Xvfb, D-Bus session bus and XDG folders). BENCH_RUNS overrides the number of
runs (default 5; the tables give medians).
"""

import array
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.environ.get("VEDRIX_SOURCE") or os.path.dirname(HERE)
sys.path.insert(0, os.path.join(SOURCE, "tests", "e2e"))
from rig_streams import (Icecast, PulseAudio, Radio, StaticHttpServer, free_port, mp3_encoder,  # noqa: E402
                         rising_crossings, stop_process)
import rig_app  # noqa: E402

RUNS = max(1, int(os.environ.get("BENCH_RUNS", "5")))
TONES = {"/one": 440, "/two": 660, "/three": 880}
# The radios send what most stations send: MP3, 128 kbps, stereo. (Icecast's pace for a new listener
# follows the bitrate: it hands out what its source sent in 1400-byte blocks.)
KBPS, CHANNELS = 128, 2
# Ctrl+Alt with these keys: the hot keys Play Next and Stop (virtual-key codes, HOTKEYF_CONTROL|ALT).
HOT_KEYS = {"Play Next": ("n", 0x4E), "Stop": ("s", 0x53)}
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def median(values):
    return statistics.median(values) if values else float("nan")


def print_table(title, header, rows):
    """A plain text table; the first column left-aligned, the others right-aligned."""
    cells = [[str(c) for c in header]] + [[str(c) for c in row] for row in rows]
    widths = [max(len(r[i]) for r in cells) for i in range(len(header))]
    line = lambda r: "  ".join(c.ljust(widths[0]) if i == 0 else c.rjust(widths[i]) for i, c in enumerate(r))
    print()
    print(title)
    print(line(cells[0]))
    print("  ".join("-" * w for w in widths))
    for r in cells[1:]:
        print(line(r))
    sys.stdout.flush()


def note(text):
    print(text, file=sys.stderr, flush=True)


# --------------------------------------------------------------------------------------------------
# The world


class DirectStream(StaticHttpServer):
    """The same tone radios (the same MP3, the same 16 KiB burst on connect) from a plain HTTP server
    that answers at once: Icecast hands a new listener its first bytes only at its own pace (a few
    hundred milliseconds on loopback), which no player can be quicker than; this shows what is left."""

    RATE = KBPS * 1000 // 8  # bytes per second
    BURST = 16384
    CHUNK = 1400

    def __init__(self, root):
        super().__init__(root)
        self.files = {}

    def start(self):
        for mount, frequency in TONES.items():
            path = os.path.join(self.root, "tone%d.mp3" % frequency)
            subprocess.run(["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi",
                            "-i", "sine=frequency=%d:sample_rate=44100" % frequency, "-t", "20",
                            *mp3_encoder(KBPS, CHANNELS), "-write_xing", "0", "-id3v2_version", "0",
                            "-f", "mp3", path], check=True)
            with open(path, "rb") as f:
                self.files[mount] = f.read()
        return super().start()

    def _handler(self):
        import http.server
        stream = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.0"

            def log_message(self, *args):
                pass

            def do_GET(self):
                data = stream.files.get(self.path)
                if data is None:
                    self.send_error(404)
                    return
                self.send_response(200)
                self.send_header("Content-Type", "audio/mpeg")
                self.send_header("icy-name", self.path.strip("/"))
                self.end_headers()
                position, sent, started = 0, 0, time.monotonic()
                try:
                    while True:
                        size = stream.BURST if sent == 0 else stream.CHUNK
                        part = bytearray()
                        while len(part) < size:
                            take = data[position:position + size - len(part)]
                            part += take
                            position = (position + len(take)) % len(data)
                        self.wfile.write(part)
                        self.wfile.flush()
                        sent += len(part)
                        due = started + (sent - stream.BURST) / stream.RATE
                        time.sleep(max(0.0, due - time.monotonic()))
                except OSError:
                    pass

        return Handler


def first_byte_time(url):
    """Seconds from connecting to a stream's address to its first audio byte (after the headers)."""
    import socket
    import urllib.parse
    parts = urllib.parse.urlsplit(url)
    t = time.monotonic()
    with socket.create_connection((parts.hostname, parts.port), timeout=10) as sock:
        sock.sendall(("GET %s HTTP/1.0\r\nHost: %s\r\nIcy-MetaData: 1\r\n\r\n" % (parts.path, parts.netloc)).encode())
        received = b""
        while True:
            chunk = sock.recv(65536)
            if not chunk:
                raise RuntimeError("the stream ended")
            received += chunk
            head, sep, body = received.partition(b"\r\n\r\n")
            if sep and body:
                return time.monotonic() - t


class World:
    """PulseAudio, Icecast with three tone radios and the HTTP server of the list and the banner;
    with direct=True also the same radios from a DirectStream. ``use(kind)`` lists the channels of
    "icecast" or "direct" in the channel list that the program downloads."""

    def __init__(self, direct=False):
        self.direct = direct
        self.stream = None
        self.kind = "icecast"
        self.pulse = self.ice = self.http = None
        self.root = tempfile.mkdtemp(prefix="bench.", dir=os.environ.get("TMPDIR"))
        self.site = os.path.join(self.root, "site")

    def __enter__(self):
        try:
            self.pulse = PulseAudio().start()
            self.ice = Icecast([Radio(m, f, name=m.strip("/")) for m, f in TONES.items()], kbps=KBPS,
                               channels=CHANNELS).start()
            os.makedirs(os.path.join(self.site, "banners", "vedrix"))
            with open(os.path.join(self.site, "banners", "vedrix", "index.html"), "w") as f:
                f.write("<html><body style='background:#fc0;margin:0'><h3>Banner</h3></body></html>")
            if self.direct:
                self.stream = DirectStream(self.root).start()
            self.use("icecast")
            self.http = StaticHttpServer(self.site).start()
            os.environ.update(self.pulse.env())
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *exc):
        for server in (self.http, self.stream, self.ice, self.pulse):
            if server:
                server.stop()
        shutil.rmtree(self.root, ignore_errors=True)
        return False

    def use(self, kind):
        """Streams from "icecast" or "direct" from now on, in url() and in the channel list."""
        self.kind = kind
        lines = ["Type,Channel,Address,Extra,Language,About,Status"]
        lines += ["Radio,%s,%s,,English,Tone %d,ON" % (m.strip("/"), self.url(m), f) for m, f in TONES.items()]
        with open(os.path.join(self.site, "tvlist.zip"), "wb") as f:
            f.write(("\r\n".join(lines) + "\r\n").encode("utf-16-le"))

    def url(self, mount="/one"):
        return self.stream.url(mount) if self.kind == "direct" else self.ice.url(mount)

    def write_settings(self, banner=True, hot_keys=False, **values):
        """A fresh settings file: the local servers (the banner's unreachable unless banner) and values."""
        settings = rig_app.settings_values(values, HOT_KEYS if hot_keys else {})
        server = self.http.base_url()
        banner_server = server if banner else "http://127.0.0.1:%d" % free_port()
        rig_app.write_settings({"Servers": {"ChannelListServer": server, "BannerServer": banner_server},
                                "Settings": settings})


# --------------------------------------------------------------------------------------------------
# Players


def vlc_user_env(world):
    """VLC will not run as root; it runs as nobody, with a home of its own and a way to the sink."""
    home = tempfile.mkdtemp(prefix="vlc.", dir=world.root)
    os.chown(home, 65534, 65534)
    # nobody must reach the PulseAudio socket through its root-owned folders.
    path = world.pulse.socket
    os.chmod(path, 0o777)
    parent = os.path.dirname(path)
    while parent not in ("/", ""):
        mode = os.stat(parent).st_mode
        if mode & 0o001 == 0:
            os.chmod(parent, mode | 0o001)
        parent = os.path.dirname(parent)
    return dict(os.environ, HOME=home, XDG_CONFIG_HOME=home, XDG_CACHE_HOME=home, XDG_DATA_HOME=home)


def peer_command(name, url):
    """The command line that a user would type, and whether it must run as nobody."""
    if name == "mpv":
        return ["mpv", "--no-video", url], False
    if name == "ffplay":
        return ["ffplay", "-nodisp", url], False
    if name == "cvlc":
        return ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "cvlc", url], True
    raise ValueError(name)


def start_peer(world, name, url):
    args, as_nobody = peer_command(name, url)
    env = vlc_user_env(world) if as_nobody else None
    return subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            env=env, start_new_session=True)


def stop_tree(proc):
    """Ends a process started in its own session, and everything it started."""
    if proc is None or proc.poll() is not None:
        return
    try:
        os.killpg(proc.pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    try:
        proc.wait(10)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()


class Vedrix(rig_app.App):
    """The program under the rig's StatusNotifierWatcher, started as a desktop session starts it."""

    def __init__(self):
        super().__init__(log_name="vedrix-bench")

    def stop(self):
        self.kill()
        self._bus = None


# --------------------------------------------------------------------------------------------------
# Sound


class MonitorRecorder:
    """Records the null sink's monitor and knows when each sample was played.

    parec delivers the monitor in chunks, each some time after its samples were played. The start of
    the recording on the monotonic clock is taken from the chunk that arrived earliest relative to its
    sample count (the least delayed one), so sample k was played at ``start + k / RATE``; the
    remaining error is the smallest delivery delay, a few milliseconds with a 5 ms latency."""

    RATE = PulseAudio.RATE

    def __init__(self, pulse):
        self.pulse = pulse
        self.proc = None
        self.data = bytearray()
        self.arrivals = []  # (monotonic time, samples received so far)
        self.lock = threading.Lock()
        self.thread = None

    def __enter__(self):
        self.proc = subprocess.Popen(["parec", "-d", PulseAudio.SINK + ".monitor", "--raw", "--format=s16le",
                                      "--rate=%d" % self.RATE, "--channels=1", "--latency-msec=5"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                     env=dict(os.environ, **self.pulse.env()))
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()
        # Enough chunks for the clock, and the monitor running before anything is asked for.
        deadline = time.monotonic() + 10
        while len(self.arrivals) < 20 and time.monotonic() < deadline:
            time.sleep(0.02)
        if len(self.arrivals) < 20:
            raise RuntimeError("parec delivers nothing")
        return self

    def _read(self):
        fd = self.proc.stdout.fileno()
        while True:
            chunk = os.read(fd, 4096)
            now = time.monotonic()
            if not chunk:
                break
            with self.lock:
                self.data += chunk
                self.arrivals.append((now, len(self.data) // 2))

    def __exit__(self, *exc):
        stop_process(self.proc)
        self.thread.join(5)
        self.proc.stdout.close()
        return False

    def start_time(self):
        with self.lock:
            return min(t - n / self.RATE for t, n in self.arrivals)

    def delivery_delay(self):
        """The median delay of a chunk behind its last sample (seconds), for the record."""
        start = self.start_time()
        with self.lock:
            return median([t - n / self.RATE - start for t, n in self.arrivals])

    def samples(self):
        with self.lock:
            body = bytes(self.data[:len(self.data) // 2 * 2])
        values = array.array("h")
        values.frombytes(body)
        if sys.byteorder != "little":
            values.byteswap()
        return values

    def time_of(self, index):
        return self.start_time() + index / self.RATE

    def index_at(self, t):
        return max(0, int((t - self.start_time()) * self.RATE))


THRESHOLD = 64          # about -54 dBFS; the null sink's silence is exactly 0
GAP = 0.02              # a silence this long separates one stream's sound from the next one's


def local_frequency(samples, start, seconds=0.1, rate=MonitorRecorder.RATE):
    """The tone's frequency over a stretch, from zero crossings with a small hysteresis (0 if quiet)."""
    crossings = rising_crossings(samples[start:start + int(seconds * rate)], THRESHOLD)
    if len(crossings) < 3:
        return 0.0
    return (len(crossings) - 1) * rate / (crossings[-1] - crossings[0])


def find_onset(samples, from_index, after_gap):
    """Index of the first audible sample at or after from_index; with after_gap, the first one that
    follows a silence of at least GAP (the old stream's sound before it does not count). None if none."""
    gap = int(GAP * MonitorRecorder.RATE)
    quiet = gap if not after_gap else 0
    for i in range(from_index, len(samples)):
        if -THRESHOLD <= samples[i] <= THRESHOLD:
            quiet += 1
        else:
            if quiet >= gap:
                return i
            quiet = 0
    return None


def wait_for_sound(recorder, request_time, frequency=None, after_gap=False, timeout=20.0):
    """Seconds from request_time to the first audible sample (of the given tone, if one is given),
    or None when none came within timeout."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        time.sleep(0.1)
        samples = recorder.samples()
        onset = find_onset(samples, recorder.index_at(request_time), after_gap)
        if onset is None:
            continue
        # The tone must have played long enough to tell its frequency.
        if len(samples) < onset + int(0.15 * recorder.RATE):
            continue
        if frequency is not None:
            heard = local_frequency(samples, onset + int(0.02 * recorder.RATE))
            if abs(heard - frequency) > 20:
                note("  (heard %.0f Hz where %d Hz was expected; ignored)" % (heard, frequency))
                continue
        return recorder.time_of(onset) - request_time
    return None


# --------------------------------------------------------------------------------------------------
# The process tree in /proc


def _stat_fields(pid):
    with open("/proc/%d/stat" % pid) as f:
        text = f.read()
    # The command name may hold blanks and parentheses; the fields start after the last ')'.
    rest = text[text.rindex(")") + 2:].split()
    return rest  # rest[0] is field 3 (state)


def children(pid):
    out = []
    try:
        for tid in os.listdir("/proc/%d/task" % pid):
            with open("/proc/%d/task/%s/children" % (pid, tid)) as f:
                out += [int(c) for c in f.read().split()]
    except OSError:
        pass
    return out


def process_tree(pid):
    """pid and all its descendants that are alive now."""
    tree, todo = [], [pid]
    while todo:
        p = todo.pop()
        if p in tree:
            continue
        tree.append(p)
        todo += children(p)
    return tree


def process_name(pid):
    """The program's name, with its role for the web engine's processes ("QtWebEngineProcess renderer")."""
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as f:
            # Chromium's processes rewrite their command line into one line with blanks.
            args = f.read().replace(b"\0", b" ").decode(errors="replace").split()
    except OSError:
        return "?"
    if not args:
        return "?"
    name = os.path.basename(args[0])
    name += "".join(" " + a[7:] for a in args[1:] if a.startswith("--type="))
    if "--no-zygote-sandbox" in args:
        name += " (unsandboxed)"
    return name


def pss_kib(pid):
    """Proportional set size in KiB, or 0 if the process is gone."""
    try:
        with open("/proc/%d/smaps_rollup" % pid) as f:
            for line in f:
                if line.startswith("Pss:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def cpu_ticks(pid):
    """utime + stime + cutime + cstime (the reaped children's too) in clock ticks."""
    try:
        f = _stat_fields(pid)
        return int(f[11]) + int(f[12]) + int(f[13]) + int(f[14])
    except (OSError, ValueError, IndexError):
        return 0


def tree_ticks(pid):
    return {p: cpu_ticks(p) for p in process_tree(pid)}


def ticks_between(before, after):
    """CPU ticks spent between two tree_ticks snapshots (processes started in between count whole)."""
    return sum(t - before.get(p, 0) for p, t in after.items())


def print_budgets(checks, indent="", widths=(56, 28)):
    """Prints one line per (text, met, figure) budget; True when every one is met."""
    for text, ok, figure in checks:
        print("%s%-*s %-*s %s" % (indent, widths[0], text, widths[1], figure, "met" if ok else "MISSED"))
    return all(ok for _, ok, _ in checks)
