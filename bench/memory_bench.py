#!/usr/bin/env python3
"""Memory: proportional set size (PSS, /proc/PID/smaps_rollup) of each player and all its child
processes after 30 seconds of the same radio stream, beside mpv --no-video and cvlc.

Vedrix is measured with its window shown (player view and banner page) and started hidden in the
tray with ":silent"; its own process and the web engine's processes are listed apart.
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import benchlib as b  # noqa: E402

PLAY_SECONDS = float(os.environ.get("BENCH_PLAY_SECONDS", "30"))
MOUNT = "/one"


def wait_playing(world, timeout=60):
    with b.MonitorRecorder(world.pulse) as rec:
        if b.wait_for_sound(rec, time.monotonic() - 0.5, b.TONES[MOUNT], timeout=timeout) is None:
            raise RuntimeError("nothing plays")


def sample(pid):
    """(PSS of pid itself, PSS of its descendants) in KiB."""
    tree = b.process_tree(pid)
    own = b.pss_kib(pid)
    return own, sum(b.pss_kib(p) for p in tree if p != pid), [b.process_name(p) for p in tree if p != pid]


def vedrix(world, app, args):
    world.write_settings()
    app.start(*args)
    try:
        wait_playing(world)
        time.sleep(PLAY_SECONDS)
        return sample(app.proc.pid)
    finally:
        app.stop()


def peer(world, name):
    proc = b.start_peer(world, name, world.url(MOUNT))
    try:
        wait_playing(world)
        time.sleep(PLAY_SECONDS)
        # cvlc runs through setpriv, which execs: the process is the player itself.
        return sample(proc.pid)
    finally:
        b.stop_tree(proc)


def main():
    results = {}
    children = {}
    with b.World() as world, b.Vedrix() as app:
        for run in range(b.RUNS):
            b.note("run %d of %d ..." % (run + 1, b.RUNS))
            for key, fn in (("shown", lambda: vedrix(world, app, ())),
                            ("hidden", lambda: vedrix(world, app, (":silent",))),
                            ("mpv", lambda: peer(world, "mpv")),
                            ("cvlc", lambda: peer(world, "cvlc"))):
                own, kids, names = fn()
                results.setdefault(key, []).append((own, kids))
                children[key] = names

    def mib(kib):
        return "%.1f" % (kib / 1024)

    mpv_total = b.median([o + k for o, k in results["mpv"]])
    rows = []
    for key, label in (("shown", "Vedrix, window shown (player + banner)"), ("hidden", "Vedrix, hidden in the tray"),
                       ("mpv", "mpv --no-video URL"), ("cvlc", "cvlc URL")):
        values = results[key]
        own = b.median([o for o, _ in values])
        kids = b.median([k for _, k in values])
        total = b.median([o + k for o, k in values])
        rows.append([label, mib(own), mib(kids), mib(total), len(values), "%.2f" % (total / mpv_total)])
    b.print_table("Memory after %.0f s of radio: PSS in MiB (medians of %d runs)" % (PLAY_SECONDS, b.RUNS),
                  ["", "own process", "child processes", "total", "runs", "total / mpv"], rows)
    for key in ("shown", "hidden"):
        print("Vedrix (%s) child processes: %s" % (key, ", ".join(children[key]) or "none"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
