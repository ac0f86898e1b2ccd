#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""CPU: seconds of CPU time (utime + stime of the process and all its children, from /proc) over
60 seconds of the same radio stream, Vedrix with its window shown beside mpv --no-video; budget
Vedrix at most 1.0 times mpv. Then Vedrix hidden in the tray and stopped: the clock ticks it uses
over 20 seconds (from 10 seconds after it was hidden and stopped), which should be none.
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import benchlib as b  # noqa: E402

from Xlib import X, XK, display  # noqa: E402
from Xlib.ext import xtest  # noqa: E402

PLAY_SECONDS = float(os.environ.get("BENCH_PLAY_SECONDS", "60"))
IDLE_SECONDS = float(os.environ.get("BENCH_IDLE_SECONDS", "20"))
SETTLE_SECONDS = 10
MOUNT = "/one"
RATIO_BUDGET = 1.0


def wait_playing(world, timeout=60):
    with b.MonitorRecorder(world.pulse) as rec:
        if b.wait_for_sound(rec, time.monotonic() - 0.5, b.TONES[MOUNT], timeout=timeout) is None:
            raise RuntimeError("nothing plays")


def wait_silent(world, timeout=20):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if world.pulse.record(0.5).silent:
            return
    raise RuntimeError("the sound does not stop")


def cpu_over(pid, seconds):
    """CPU seconds that the process tree of pid spends over the next seconds, and the ticks by process."""
    before = b.tree_ticks(pid)
    time.sleep(seconds)
    after = b.tree_ticks(pid)
    by_process = {}
    for p, t in after.items():
        name = b.process_name(p)
        by_process[name] = by_process.get(name, 0) + t - before.get(p, 0)
    return b.ticks_between(before, after) / b.CLOCK_TICKS, by_process


def vedrix_playing(world, app):
    world.write_settings()
    app.start()
    try:
        wait_playing(world)
        time.sleep(2)  # the start-up's own work is over
        return cpu_over(app.proc.pid, PLAY_SECONDS)[0]
    finally:
        app.stop()


def mpv_playing(world):
    proc = b.start_peer(world, "mpv", world.url(MOUNT))
    try:
        wait_playing(world)
        time.sleep(2)
        return cpu_over(proc.pid, PLAY_SECONDS)[0]
    finally:
        b.stop_tree(proc)


def press(keys):
    d = display.Display()
    try:
        codes = [d.keysym_to_keycode(XK.string_to_keysym(k)) for k in keys]
        for code in codes:
            xtest.fake_input(d, X.KeyPress, code)
        for code in reversed(codes):
            xtest.fake_input(d, X.KeyRelease, code)
        d.sync()
    finally:
        d.close()


def vedrix_idle(world, app):
    """Ticks over IDLE_SECONDS with the window hidden in the tray and playback stopped."""
    world.write_settings(hot_keys=True)
    app.start_and_wait_ready()
    try:
        app.wait_for(app.window_shown)
        wait_playing(world)
        for attempt in range(3):
            app.close_window()
            try:
                app.wait_for(lambda: not app.window_shown(), "the window to hide", timeout=10)
                break
            except AssertionError:
                if attempt == 2:
                    raise
        press(["Control_L", "Alt_L", "s"])
        wait_silent(world)
        # The web engine's renderer does a moment's work (about 20 ms) once its page is hidden; what
        # counts is what runs after that.
        time.sleep(SETTLE_SECONDS)
        seconds, by_process = cpu_over(app.proc.pid, IDLE_SECONDS)
        return round(seconds * b.CLOCK_TICKS), by_process
    finally:
        app.stop()


def main():
    results = {"vedrix": [], "mpv": [], "idle": []}
    idle_detail = []
    with b.World() as world, b.Vedrix() as app:
        for run in range(b.RUNS):
            b.note("run %d of %d ..." % (run + 1, b.RUNS))
            results["vedrix"].append(vedrix_playing(world, app))
            results["mpv"].append(mpv_playing(world))
            ticks, detail = vedrix_idle(world, app)
            results["idle"].append(ticks)
            idle_detail.append(detail)

    mpv = b.median(results["mpv"])
    rows = []
    for key, label in (("vedrix", "Vedrix, window shown, playing"), ("mpv", "mpv --no-video URL")):
        values = results[key]
        rows.append([label, "%.2f" % b.median(values), "%.2f" % min(values), "%.2f" % max(values), len(values),
                     "%.2f" % (b.median(values) / mpv)])
    b.print_table("CPU time over %.0f s of radio (seconds; %d runs each)" % (PLAY_SECONDS, b.RUNS),
                  ["", "median", "min", "max", "runs", "/ mpv"], rows)
    idle = b.median(results["idle"])
    b.print_table("Vedrix hidden in the tray, stopped: CPU over %.0f s (clock ticks of 1/%d s)"
                  % (IDLE_SECONDS, b.CLOCK_TICKS),
                  ["", "median", "min", "max", "runs"],
                  [["whole process tree", idle, min(results["idle"]), max(results["idle"]), len(results["idle"])]])
    busiest = {}
    for detail in idle_detail:
        for name, ticks in detail.items():
            busiest[name] = busiest.get(name, 0) + ticks
    print("ticks by process over all runs: " + ", ".join("%s %d" % kv for kv in sorted(busiest.items())))

    ratio = b.median(results["vedrix"]) / mpv
    checks = [("CPU while playing <= %.1f x mpv" % RATIO_BUDGET, ratio <= RATIO_BUDGET, "%.2f x" % ratio),
              ("hidden and stopped: no CPU (<= 1 tick in %.0f s)" % IDLE_SECONDS, idle <= 1, "%d ticks" % idle)]
    print()
    return 0 if b.print_budgets(checks) else 1


if __name__ == "__main__":
    sys.exit(main())
