#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Silence at a channel switch, as the listener hears it: the sink's monitor is recorded without a
break across the switch, and the gap is the longest stretch without sound between the old
channel's tone and the moment the new channel's tone holds.

    with SinkRecorder(pulse) as sink:
        gap = sink.switch_gap(lambda: press_next(), 660)   # seconds of silence at the switch

``measure_gaps(pulse, switch, count)`` makes several switches in one recording and returns their
median and worst gap (the benchmark reports these).
"""

import array
import math
import statistics
import subprocess
import sys
import threading
import time
from dataclasses import dataclass, field

from rig_streams import PulseAudio, _die_with_parent, rising_crossings, stop_process

RATE = PulseAudio.RATE
# The recorder's resolution: a gap is measured in steps of this many seconds.
WINDOW = 0.005
# A window is silent when it is this much quieter than the channel that played before the switch
# (-26 dB): a fade keeps far above it while it sounds, and the end of a fade is short.
QUIET = 0.05
# The new channel has taken over when its tone measures right in each CHUNK (samples) of HOLD.
CHUNK = int(0.05 * RATE)
HOLD = 6 * CHUNK


@dataclass
class GapFigures:
    """Seconds of silence at each switch, and their median and worst."""
    median: float
    worst: float
    gaps: list = field(default_factory=list)


class SinkRecorder:
    """Records the null sink's monitor (mono, 16 bit) from ``with`` to its end, in a thread."""

    def __init__(self, pulse):
        self.pulse = pulse
        self.proc = None
        self.thread = None
        self.data = bytearray()
        self.lock = threading.Lock()

    def __enter__(self):
        self.proc = subprocess.Popen(["parec", "-d", PulseAudio.SINK + ".monitor", "--raw", "--format=s16le",
                                      "--rate=%d" % RATE, "--channels=1", "--latency-msec=10"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                     env=self.pulse._client_env(), preexec_fn=_die_with_parent)
        self.thread = threading.Thread(target=self._read, name="parec", daemon=True)
        self.thread.start()
        return self

    def __exit__(self, *exc):
        stop_process(self.proc)
        self.thread.join(5)
        self.proc.stdout.close()

    def _read(self):
        while True:
            chunk = self.proc.stdout.read1(65536)
            if not chunk:
                return
            with self.lock:
                self.data += chunk

    def position(self):
        """The number of samples recorded so far."""
        with self.lock:
            return len(self.data) // 2

    def samples(self, start=0, end=None):
        with self.lock:
            end = len(self.data) // 2 if end is None else end
            body = bytes(self.data[start * 2:end * 2])
        samples = array.array("h")
        samples.frombytes(body)
        if sys.byteorder != "little":
            samples.byteswap()
        return samples

    def wait_samples(self, count, timeout):
        deadline = time.monotonic() + timeout
        while self.position() < count:
            if self.proc.poll() is not None or time.monotonic() > deadline:
                raise RuntimeError("the sink's monitor stopped recording")
            time.sleep(0.02)

    def switch_gap(self, switch, frequency=None, timeout=30):
        """Calls switch() while the old channel plays, waits until the tone of the given frequency (or
        the one that switch() returns) holds, and returns the seconds of silence between (0 when
        none)."""
        before = int(0.5 * RATE)
        self.wait_samples(self.position() + before, timeout)
        mark = self.position()
        level = rms(self.samples(mark - before, mark))
        frequency = switch() if frequency is None else (switch(), frequency)[1]
        chunks = []  # the frequency of each CHUNK after the mark, 0 where quiet
        deadline = time.monotonic() + timeout
        while True:
            self.wait_samples(mark + (len(chunks) + 1) * CHUNK, timeout)
            chunk = self.samples(mark + len(chunks) * CHUNK, mark + (len(chunks) + 1) * CHUNK)
            chunks.append(tone_of(chunk, level))
            run = HOLD // CHUNK
            if len(chunks) >= run and all(abs(f - frequency) < 15 for f in chunks[-run:]):
                break
            if time.monotonic() > deadline:
                raise AssertionError("%d Hz did not take over after the switch; heard %s Hz"
                                     % (frequency, [round(f) for f in chunks[-20:]]))
        return longest_silence(self.samples(mark, mark + len(chunks) * CHUNK), level)


def rms(samples):
    if not samples:
        return 0.0
    return math.sqrt(sum(s * s for s in samples) / len(samples)) / 32768.0


def tone_of(samples, level):
    """The frequency of a stretch of sound by its zero crossings; 0 when it is far quieter than
    level."""
    loudness = rms(samples)
    if loudness < level * 0.3:
        return 0.0
    crossings = rising_crossings(samples, int(loudness * 32768 * 0.2))
    if len(crossings) < 2:
        return 0.0
    return (len(crossings) - 1) * RATE / (crossings[-1] - crossings[0])


def longest_silence(samples, level):
    """Seconds of the longest run of WINDOW-long windows quieter than QUIET times level."""
    width = int(WINDOW * RATE)
    threshold = max(level * QUIET, 1e-4)
    longest = run = 0
    for start in range(0, len(samples) - width + 1, width):
        if rms(samples[start:start + width]) < threshold:
            run += 1
            longest = max(longest, run)
        else:
            run = 0
    return longest * WINDOW


def measure_gaps(pulse, switch, count, timeout=30):
    """Makes count switches in one recording and returns their GapFigures. switch(i) makes the i-th
    switch (the old channel plays when it is called) and returns the frequency of the channel that it
    switched to; between switches the new channel plays for a second."""
    gaps = []
    with SinkRecorder(pulse) as sink:
        for i in range(count):
            sink.wait_samples(sink.position() + RATE, timeout)
            gaps.append(sink.switch_gap(lambda: switch(i), timeout=timeout))
    return GapFigures(statistics.median(gaps), max(gaps), gaps)
