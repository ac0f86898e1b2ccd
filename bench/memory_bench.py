#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Memory: proportional set size (PSS, /proc/PID/smaps_rollup) of Vedrix and all its child processes
in the states that a tray program spends its day in, beside mpv --no-video and cvlc playing the same
radio stream:

- hidden in the tray, stopped (":silent", no auto play; the channel list downloaded);
- hidden in the tray, playing the radio (":silent" with auto play);
- shown, playing, with the banner page on screen (its web engine processes are the children).

Each state is sampled BENCH_PLAY_SECONDS (30) after it was reached. For each state the table gives
the medians, and below it the ten mappings of the program's own process that hold the most PSS (from
/proc/PID/smaps, summed per mapped file, [heap] and anonymous memory), with whether an OpenGL driver
and the web engine are loaded: the next regression shows where it comes from.

Budgets (MiB, all processes): hidden and stopped 50, hidden and playing 75, shown with the banner 180.
"""

import os
import re
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import benchlib as b  # noqa: E402

PLAY_SECONDS = float(os.environ.get("BENCH_PLAY_SECONDS", "30"))
MOUNT = "/one"
TOP = 10
BUDGETS = {"hidden-stopped": 50, "hidden-playing": 75, "shown-playing": 180}
# Libraries whose presence tells that an OpenGL context was made, and that the web engine is loaded.
GL_LIBRARIES = re.compile(r"(libLLVM|_dri\.so|libGLX_mesa|libgallium)")
WEB_LIBRARIES = re.compile(r"libQt6WebEngineCore")


def wait_playing(world, timeout=60):
    with b.MonitorRecorder(world.pulse) as rec:
        if b.wait_for_sound(rec, time.monotonic() - 0.5, b.TONES[MOUNT], timeout=timeout) is None:
            raise RuntimeError("nothing plays")


def mapping_key(path):
    """What a mapping counts towards: the file's name, [heap], [stack] or [anon] (all anonymous memory,
    which is where the allocator's per-thread arenas and the threads' stacks live)."""
    if not path:
        return "[anon]"
    if path.startswith("[anon"):
        return "[anon]"
    if path.startswith("["):
        return path
    if path.startswith("/memfd:"):
        return "memfd:" + path[7:].split(" ")[0]
    return os.path.basename(path.replace(" (deleted)", ""))


def smaps(pid):
    """{mapping: (PSS KiB, private dirty KiB)} of one process, summed per mapping_key."""
    out = {}
    key = None
    try:
        with open("/proc/%d/smaps" % pid) as f:
            for line in f:
                first = line.split(None, 1)[0]
                if "-" in first and not first.endswith(":"):
                    fields = line.split(None, 5)
                    key = mapping_key(fields[5].strip() if len(fields) > 5 else "")
                    out.setdefault(key, [0, 0])
                elif first == "Pss:":
                    out[key][0] += int(line.split()[1])
                elif first == "Private_Dirty:":
                    out[key][1] += int(line.split()[1])
    except OSError:
        pass
    return {k: tuple(v) for k, v in out.items()}


def sample(pid):
    """One state's sample: own and children's PSS (KiB), the children's names, the own mappings, and
    whether GL and the web engine are mapped."""
    tree = b.process_tree(pid)
    maps = smaps(pid)
    return {
        "own": b.pss_kib(pid),
        "kids": sum(b.pss_kib(p) for p in tree if p != pid),
        "names": [b.process_name(p) for p in tree if p != pid],
        "dirty": sum(d for _, d in maps.values()),
        "maps": maps,
        "threads": len(os.listdir("/proc/%d/task" % pid)),
        "gl": sorted(k for k in maps if GL_LIBRARIES.search(k)),
        "web": any(WEB_LIBRARIES.search(k) for k in maps),
    }


def has_renderer(pid):
    return any("renderer" in b.process_name(p) for p in b.process_tree(pid) if p != pid)


def vedrix(world, app, state):
    if state == "hidden-stopped":
        world.write_settings(AutoPlay=0)
        app.start(":silent")
    else:
        world.write_settings()
        app.start(*((":silent",) if state.startswith("hidden") else ()))
    try:
        if state == "hidden-stopped":
            # Stopped, and the channel list is in: the tray icon is there and the list's download is over.
            b.rig_app.wait_for(app.tray_item, "the tray icon")
            time.sleep(5)
        else:
            wait_playing(world)
        if state == "shown-playing":
            b.rig_app.wait_for(lambda: has_renderer(app.proc.pid), "the banner's renderer process")
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


def mib(kib):
    return "%.1f" % (kib / 1024)


def main():
    states = [s for s in os.environ.get("BENCH_STATES", "hidden-stopped,hidden-playing,shown-playing").split(",") if s]
    peers = [p for p in os.environ.get("BENCH_PEERS", "mpv,cvlc").split(",") if p]
    results = {}
    with b.World() as world, b.Vedrix() as app:
        for run in range(b.RUNS):
            b.note("run %d of %d ..." % (run + 1, b.RUNS))
            for state in states:
                results.setdefault(state, []).append(vedrix(world, app, state))
            for name in peers:
                results.setdefault(name, []).append(peer(world, name))

    labels = {"hidden-stopped": "Vedrix, hidden in the tray, stopped",
              "hidden-playing": "Vedrix, hidden in the tray, playing",
              "shown-playing": "Vedrix, shown, playing, banner",
              "mpv": "mpv --no-video URL", "cvlc": "cvlc URL"}
    reference = b.median([s["own"] + s["kids"] for s in results["mpv"]]) if "mpv" in results else None
    rows = []
    for key in states + peers:
        values = results[key]
        total = b.median([s["own"] + s["kids"] for s in values])
        rows.append([labels[key], mib(b.median([s["own"] for s in values])), mib(b.median([s["kids"] for s in values])),
                     mib(total), mib(b.median([s["dirty"] for s in values])),
                     "%d" % b.median([s["threads"] for s in values]),
                     "%d" % BUDGETS[key] if key in BUDGETS else "",
                     "%.2f" % (total / reference) if reference else ""])
    b.print_table("Memory, %.0f s after each state was reached: PSS in MiB (medians of %d runs)" % (PLAY_SECONDS, b.RUNS),
                  ["", "own process", "child processes", "total", "own private dirty", "threads", "budget",
                   "total / mpv"], rows)

    for key in states:
        values = results[key]
        names = sorted(set(k for s in values for k in s["maps"]))
        medians = {k: (b.median([s["maps"].get(k, (0, 0))[0] for s in values]),
                       b.median([s["maps"].get(k, (0, 0))[1] for s in values])) for k in names}
        top = sorted(medians.items(), key=lambda kv: -kv[1][0])[:TOP]
        b.print_table("%s: the %d largest mappings of the own process (median KiB)" % (labels[key], TOP),
                      ["mapping", "PSS", "private dirty"], [[k, "%d" % p, "%d" % d] for k, (p, d) in top])
        gl = sorted(set(g for s in values for g in s["gl"]))
        print("OpenGL driver mapped: %s" % (", ".join(gl) if gl else "no"))
        print("QtWebEngine mapped: %s" % ("yes" if any(s["web"] for s in values) else "no"))
        print("child processes: %s" % (", ".join(values[-1]["names"]) or "none"))
    sys.stdout.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main())
