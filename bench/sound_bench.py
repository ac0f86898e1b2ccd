#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Time to sound: from the moment a channel is asked for to its first audible sample at the
PulseAudio null sink, all on the same Icecast stream (MP3, 128 kbps, stereo) on 127.0.0.1.

- Vedrix, channel switch by hot key: the program plays a channel; Play Next (Ctrl+Alt+N, sent
  through XTEST) is pressed; the time runs to the next channel's tone after the old one's silence.
- Vedrix, channel switch by a second start: `vedrix N` hands the number to the running instance.
- Vedrix, cold start: exec with auto play on, to the last channel's tone (includes the download
  dialog's one-second wait and the list download).
- mpv --no-video URL, ffplay -nodisp URL, cvlc URL: exec to the tone.

Budgets: on Icecast a switch at most 40 ms after the server's first audio byte and faster than each
other player's start, a cold start at most 1.6 s; on the direct server a switch no slower than cvlc's
whole start.

VEDRIX_PLAYER_TRACE=v (an mpv log level) in the environment leaves the program's steps and mpv's log
with monotonic time stamps in the program's log, to see where a switch's time goes.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import benchlib as b  # noqa: E402

from Xlib import X, XK, display  # noqa: E402
from Xlib.ext import xtest  # noqa: E402

MOUNTS = list(b.TONES)
PEERS = ["mpv", "ffplay", "cvlc"]
AFTER_FIRST_BYTE_BUDGET = 0.040
COLD_BUDGET = 1.6


def press(d, keys):
    """Presses and releases a key combination through XTEST; returns the time of the press."""
    codes = [d.keysym_to_keycode(XK.string_to_keysym(k)) for k in keys]
    t = time.monotonic()
    for code in codes:
        xtest.fake_input(d, X.KeyPress, code)
    for code in reversed(codes):
        xtest.fake_input(d, X.KeyRelease, code)
    d.sync()
    return t


def measure(world, request, frequency, after_gap, what):
    """Runs request() (which returns the request's time) with the monitor recording; seconds to sound."""
    with b.MonitorRecorder(world.pulse) as rec:
        t = request()
        seconds = b.wait_for_sound(rec, t, frequency, after_gap=after_gap, timeout=30)
    if seconds is None:
        raise RuntimeError("no %d Hz tone after %s" % (frequency, what))
    return seconds


def wait_playing(world, frequency):
    with b.MonitorRecorder(world.pulse) as rec:
        if b.wait_for_sound(rec, time.monotonic() - 0.5, frequency, timeout=60) is None:
            raise RuntimeError("the program does not play %d Hz" % frequency)


def vedrix_switches(world, runs):
    """Hot key and second-start switches in one running program; lists of seconds."""
    world.write_settings(hot_keys=True)
    hot, second = [], []
    with b.Vedrix() as app:
        app.start_and_wait_ready()
        row = 0
        wait_playing(world, b.TONES[MOUNTS[row]])
        d = display.Display()
        try:
            for _ in range(runs):
                row = (row + 1) % len(MOUNTS)
                hot.append(measure(world, lambda: press(d, ["Control_L", "Alt_L", "n"]), b.TONES[MOUNTS[row]],
                                   True, "Play Next"))
                time.sleep(0.5)
        finally:
            d.close()
        for _ in range(runs):
            row = (row + 1) % len(MOUNTS)

            def second_start(number=row + 1):
                t = time.monotonic()
                subprocess.Popen([app.bin, str(number)], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
                return t
            second.append(measure(world, second_start, b.TONES[MOUNTS[row]], True, "a second start"))
            time.sleep(0.5)
        app.stop()
    return hot, second


def vedrix_cold(world, app):
    world.write_settings()

    def start():
        t = time.monotonic()
        app.start()
        return t
    try:
        return measure(world, start, b.TONES[MOUNTS[0]], False, "a cold start")
    finally:
        app.stop()


def peer_start(world, name):
    procs = []

    def start():
        t = time.monotonic()
        procs.append(b.start_peer(world, name, world.url(MOUNTS[0])))
        return t
    try:
        return measure(world, start, b.TONES[MOUNTS[0]], False, name)
    finally:
        for p in procs:
            b.stop_tree(p)


LABELS = [("floor", "the server's first audio byte (socket)"),
          ("hot", "Vedrix: Play Next hot key (switch)"),
          ("second", "Vedrix: second start `vedrix N` (switch)"),
          ("cold", "Vedrix: cold start, auto play"),
          ("mpv", "mpv --no-video URL"),
          ("ffplay", "ffplay -nodisp URL"),
          ("cvlc", "cvlc URL")]
KINDS = [("icecast", "Icecast"), ("direct", "direct HTTP")]


def measure_kind(world, kind):
    world.use(kind)
    results = {"floor": [b.first_byte_time(world.url(MOUNTS[0])) for _ in range(b.RUNS)]}
    b.note("%s: Vedrix channel switches ..." % kind)
    results["hot"], results["second"] = vedrix_switches(world, b.RUNS)
    # One after the other, run by run, so that a busy moment of the machine hits all alike.
    with b.Vedrix() as app:
        for run in range(b.RUNS):
            b.note("%s: run %d of %d ..." % (kind, run + 1, b.RUNS))
            results.setdefault("cold", []).append(vedrix_cold(world, app))
            for name in PEERS:
                results.setdefault(name, []).append(peer_start(world, name))
                time.sleep(0.3)
    return results


def low_bitrate_floor():
    """Icecast's first audio byte for a 64 kbps stream: it paces a new listener by its source's data."""
    with b.Icecast([b.Radio("/low", 440)], kbps=64, channels=1) as ice:
        return b.median([b.first_byte_time(ice.url("/low")) for _ in range(b.RUNS)])


def main():
    low_floor = low_bitrate_floor()
    with b.World(direct=True) as world:
        with b.MonitorRecorder(world.pulse) as rec:
            time.sleep(1)
            delay = rec.delivery_delay()
        results = {kind: measure_kind(world, kind) for kind, _ in KINDS}

    ms = lambda seconds: "%.0f" % (seconds * 1000)
    rows = []
    for key, label in LABELS:
        row = [label]
        for kind, _ in KINDS:
            values = results[kind][key]
            switch = b.median(results[kind]["hot"])
            row += [ms(b.median(values)), "%s-%s" % (ms(min(values)), ms(max(values))),
                    "%.2f" % (switch / b.median(values))]
        rows.append(row)
    header = [""]
    for _, name in KINDS:
        header += [name + " median", "min-max", "switch / this"]
    b.print_table("Time to sound in ms (medians of %d runs; \"switch / this\" = the hot-key switch's median "
                  "divided by this row's; monitor delivery delay %.1f ms)" % (b.RUNS, delay * 1000), header, rows)

    ice = results["icecast"]
    switch = b.median(ice["hot"])
    cold = b.median(ice["cold"])
    floor = b.median(ice["floor"])
    direct = results["direct"]
    direct_ratio = b.median(direct["hot"]) / b.median(direct["cvlc"])
    checks = [("channel switch (hot key) <= first byte + %d ms" % (AFTER_FIRST_BYTE_BUDGET * 1000),
               switch - floor <= AFTER_FIRST_BYTE_BUDGET,
               "%.0f ms (%.0f ms after the server's first byte)" % (switch * 1000, (switch - floor) * 1000)),
              ("channel switch faster than each other player's start",
               all(switch < b.median(ice[p]) for p in PEERS),
               ", ".join("%s %.2fx" % (p, switch / b.median(ice[p])) for p in PEERS)),
              ("cold start to sound <= %.1f s" % COLD_BUDGET, cold <= COLD_BUDGET,
               "%.0f ms (%.0f ms after the server's first byte)" % (cold * 1000, (cold - floor) * 1000)),
              ("direct server: switch no slower than cvlc's start", direct_ratio <= 1.0,
               "%.0f ms, %.2f x cvlc" % (b.median(direct["hot"]) * 1000, direct_ratio))]
    print()
    print("The budgets:")
    met = b.print_budgets(checks, indent="  ", widths=(54, 50))
    print("Icecast's first audio byte for a 64 kbps stream instead: %.0f ms" % (low_floor * 1000))
    print("On the direct HTTP server: switch %.0f ms, cold start %.0f ms, switch / mpv %.2f"
          % (b.median(direct["hot"]) * 1000, b.median(direct["cold"]) * 1000,
             b.median(direct["hot"]) / b.median(direct["mpv"])))
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
