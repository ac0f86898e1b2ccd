#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Zapping without growth: Vedrix, its window shown, switches channels by hot key (Play Next,
Ctrl+Alt+N) SOAK_SWITCHES times (default 1000) through three Icecast radios (MP3, 128 kbps) and a
live HLS TV channel (picture and sound), SOAK_SECONDS apart (default 1.5); every hundredth switch the
stream that plays drops (its Icecast source is stopped and started again, or the TV's first radio when
the TV plays) and the player reconnects by itself.

Before and after, with the first radio playing for a few seconds: the program's PSS (its own process,
and its whole process tree with the web engine), its open file descriptors (/proc/PID/fd) and threads
(/proc/PID/task). Budget: growth at most 5 MiB, no descriptor and no thread left behind. The growth
judged is that of the program's own memory (heap and anonymous mappings): a shared library's PSS
moves whenever another process that maps it starts or ends. The mappings that grew most are listed. Two
rounds through every channel come before the first reading, so that what is made once (the picture's
OpenGL context, the TV's decoders' code) does not count as growth.

    tools/bench soak                                  # the full run, about half an hour
    SOAK_SWITCHES=200 SOAK_SECONDS=1 tools/bench soak # a short one
"""

import collections
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import benchlib as b  # noqa: E402
from rig_streams import HlsChannel  # noqa: E402

from Xlib import X, XK, display  # noqa: E402
from Xlib.ext import xtest  # noqa: E402

SWITCHES = max(1, int(os.environ.get("SOAK_SWITCHES", "1000")))
SECONDS = float(os.environ.get("SOAK_SECONDS", "1.5"))
DROP_EVERY = 100
SETTLE = 6.0
GROWTH_BUDGET_KIB = 5 * 1024
RADIOS = list(b.TONES)  # the list's rows 0-2; the TV is row 3
ROWS = len(RADIOS) + 1


def press_next(d):
    codes = [d.keysym_to_keycode(XK.string_to_keysym(k)) for k in ("Control_L", "Alt_L", "n")]
    for code in codes:
        xtest.fake_input(d, X.KeyPress, code)
    for code in reversed(codes):
        xtest.fake_input(d, X.KeyRelease, code)
    d.sync()


def descriptors(pid):
    """{fd: what it points at} of a process."""
    out = {}
    folder = "/proc/%d/fd" % pid
    for fd in os.listdir(folder):
        try:
            out[int(fd)] = os.readlink(os.path.join(folder, fd))
        except OSError:
            pass
    return out


def threads(pid):
    """The names of a process's threads, with how many have each name."""
    names = collections.Counter()
    for tid in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/comm" % (pid, tid)) as f:
                names[f.read().strip()] += 1
        except OSError:
            pass
    return names


def pss_by_mapping(pid):
    """PSS in KiB by what is mapped: a library's or file's name, "[heap]", "[anon]" (all other
    anonymous memory: the threads' malloc arenas, large blocks, stacks)."""
    out = collections.Counter()
    name = None
    with open("/proc/%d/smaps" % pid) as f:
        for line in f:
            parts = line.split()
            if parts and "-" in parts[0] and not parts[0].endswith(":"):
                name = os.path.basename(parts[5]) if len(parts) > 5 and parts[5].startswith("/") else (
                    parts[5] if len(parts) > 5 else "[anon]")
            elif parts and parts[0] == "Pss:":
                out[name] += int(parts[1])
    return out


def reading(pid):
    return {"mappings": pss_by_mapping(pid), "pss": b.pss_kib(pid), "tree": sum(b.pss_kib(p) for p in b.process_tree(pid)),
            "fds": descriptors(pid), "threads": threads(pid)}


def kind_of(target):
    """A descriptor's kind without its changing number: socket:[123] -> socket, /dev/snd/x stays."""
    return target.split(":[")[0] if ":[" in target else target


def write_list(world, tv):
    lines = ["Type,Channel,Address,Extra,Language,About,Status"]
    lines += ["Radio,%s,%s,,English,Tone %d,ON" % (m.strip("/"), world.ice.url(m), f) for m, f in b.TONES.items()]
    lines.append("TV,tv,%s,,English,Moving picture,ON" % tv.url)
    with open(os.path.join(world.site, "tvlist.zip"), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("utf-16-le"))


def main():
    with b.World() as world, b.Vedrix() as app:
        tv = HlsChannel().start()
        try:
            write_list(world, tv)
            world.write_settings(hot_keys=True, DisplayTVChannels=1, LastChannelIndex=0)
            app.start_and_wait_ready()
            app.wait_for(app.window_shown)
            with b.MonitorRecorder(world.pulse) as rec:
                if b.wait_for_sound(rec, time.monotonic() - 0.5, b.TONES[RADIOS[0]], timeout=60) is None:
                    raise RuntimeError("the first radio does not play")
            pid = app.proc.pid
            d = display.Display()
            row = 0
            drops = 0
            try:
                def switch():
                    nonlocal row
                    press_next(d)
                    row = (row + 1) % ROWS
                    time.sleep(SECONDS)

                # Two rounds through every channel, back to the first radio, and the start-up's own
                # work (the banner page) over.
                for _ in range(2 * ROWS):
                    switch()
                time.sleep(2 * SETTLE)
                before = reading(pid)
                started = time.monotonic()
                for n in range(1, SWITCHES + 1):
                    switch()
                    if n % DROP_EVERY == 0:
                        mount = RADIOS[row] if row < len(RADIOS) else RADIOS[0]
                        world.ice.start_source(mount)  # stops the running source first
                        drops += 1
                    if n % 50 == 0:
                        now = pss_by_mapping(pid)
                        b.note("%d of %d switches, PSS %.1f MiB (own memory %.1f MiB), %d descriptors, %d threads"
                               % (n, SWITCHES, b.pss_kib(pid) / 1024, (now["[heap]"] + now["[anon]"]) / 1024,
                                  len(descriptors(pid)), sum(threads(pid).values())))
                # Back to the first radio, as at the first reading.
                while row != 0:
                    switch()
                time.sleep(SETTLE)
                after = reading(pid)
                minutes = (time.monotonic() - started) / 60
            finally:
                d.close()
            if not app.running():
                raise RuntimeError("vedrix ended during the run; log:\n" + app.log())
            app.stop()
        finally:
            tv.stop()

    # The program's own memory: what no other process shares. A library's PSS also moves when other
    # programs that map it start or end (on a shared machine, all the time); it is shown, not judged.
    own = lambda r: r["mappings"]["[heap]"] + r["mappings"]["[anon]"]
    growth = own(after) - own(before)
    fds_before = collections.Counter(kind_of(t) for t in before["fds"].values())
    fds_after = collections.Counter(kind_of(t) for t in after["fds"].values())
    nthreads = (sum(before["threads"].values()), sum(after["threads"].values()))
    mib = lambda kib: "%.1f" % (kib / 1024)
    b.print_table("Soak: %d channel switches (%d radios, 1 TV), %.1f s apart, %d stream drops, %.0f minutes"
                  % (SWITCHES, len(RADIOS), SECONDS, drops, minutes),
                  ["", "start", "end", "growth"],
                  [["PSS of vedrix (MiB)", mib(before["pss"]), mib(after["pss"]), mib(after["pss"] - before["pss"])],
                   ["  of it its own memory: heap and anonymous (MiB)", mib(own(before)), mib(own(after)), mib(growth)],
                   ["PSS of its process tree (MiB)", mib(before["tree"]), mib(after["tree"]),
                    mib(after["tree"] - before["tree"])],
                   ["open file descriptors", len(before["fds"]), len(after["fds"]),
                    len(after["fds"]) - len(before["fds"])],
                   ["threads", nthreads[0], nthreads[1], nthreads[1] - nthreads[0]]])
    mappings = before["mappings"].keys() | after["mappings"].keys()
    grown = sorted(((after["mappings"][m] - before["mappings"][m], m) for m in mappings), reverse=True)
    print("PSS growth by mapping (MiB): " + ", ".join("%s %+.1f" % (m, d / 1024) for d, m in grown[:6] if d > 0))
    extra_fds = fds_after - fds_before
    extra_threads = after["threads"] - before["threads"]
    if extra_fds:
        print("descriptors left behind: " + ", ".join("%s x%d" % kv for kv in sorted(extra_fds.items())))
    if extra_threads:
        print("threads left behind: " + ", ".join("%s x%d" % kv for kv in sorted(extra_threads.items())))
    checks = [("own memory's growth <= %d MiB" % (GROWTH_BUDGET_KIB // 1024), growth <= GROWTH_BUDGET_KIB,
               "%s MiB" % mib(growth)),
              ("no descriptor left behind", len(after["fds"]) <= len(before["fds"]),
               "%+d" % (len(after["fds"]) - len(before["fds"]))),
              ("no thread left behind", nthreads[1] <= nthreads[0], "%+d" % (nthreads[1] - nthreads[0]))]
    print()
    return 0 if b.print_budgets(checks) else 1


if __name__ == "__main__":
    sys.exit(main())
