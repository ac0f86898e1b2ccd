#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Where a channel switch's time goes: Vedrix plays the tone radios with VEDRIX_PLAYER_TRACE=v, Play
Next (Ctrl+Alt+N) is pressed BENCH_RUNS times (default 5), and for each switch the program's own time
stamps (monotonic, as the key press's) give the steps in ms after the press: the hot key reaching the
view, the play, `loadfile`, the old stream ended, the new one's HTTP answer (probing starts), probing
done, the audio output started, and the first sample at the sink. STEPS_SERVER=icecast (default) or
direct (the plain HTTP server that answers at once).
"""

import os
import re
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
os.environ["VEDRIX_PLAYER_TRACE"] = "v"
import benchlib as b  # noqa: E402
import sound_bench as sb  # noqa: E402

from Xlib import display  # noqa: E402

KIND = os.environ.get("STEPS_SERVER", "icecast")
STEPS = [("hot key", "vedrix: hot key"), ("play", "vedrix: play"), ("loadfile", "vedrix: loadfile"),
         ("old ended", "finished playback"), ("probing", "Trying demuxers"), ("probed", "Opening done"),
         ("audio out", "starting AO")]


def steps(log, t0, t1):
    marks = {}
    for line in log.splitlines():
        m = re.match(r"^(\d+\.\d+) (.*)$", line)
        if m and t0 - 0.01 <= float(m.group(1)) <= t1:
            for key, text in STEPS:
                if text in m.group(2) and key not in marks:
                    marks[key] = (float(m.group(1)) - t0) * 1000
    return marks


def main():
    with b.World(direct=True) as world:
        world.use(KIND)
        floor = b.median([b.first_byte_time(world.url(m)) for m in sb.MOUNTS])
        world.write_settings(hot_keys=True)
        with b.Vedrix() as app:
            open(app.log_path, "w").close()
            app.start_and_wait_ready()
            row = 0
            sb.wait_playing(world, b.TONES[sb.MOUNTS[row]])
            d = display.Display()
            presses = []  # seconds from each press to the new tone
            try:
                for _ in range(b.RUNS):
                    row = (row + 1) % len(sb.MOUNTS)
                    presses.append(sb.measure(world, lambda: sb.press(d, ["Control_L", "Alt_L", "n"]),
                                              b.TONES[sb.MOUNTS[row]], True, "Play Next"))
                    time.sleep(1)
            finally:
                d.close()
            app.stop()
            with open(app.log_path, errors="replace") as f:
                log = f.read()
    # One hot key mark per press, in order; the steps count from it (a millisecond or two after the
    # press), the sound from the press.
    hot = [float(m.group(1)) for m in re.finditer(r"^(\d+\.\d+) vedrix: hot key", log, re.M)]
    table = []
    for sound, t in zip(presses, hot):
        marks = steps(log, t, t + sound)
        table.append([marks.get(k, float("nan")) for k, _ in STEPS[1:]] + [sound * 1000])
    header = ["ms after the hot key"] + [k for k, _ in STEPS[1:]] + ["sound (after the press)"]
    rows = [["switch %d" % (i + 1)] + ["%.1f" % v for v in r] for i, r in enumerate(table)]
    rows.append(["median"] + ["%.1f" % b.median([r[i] for r in table]) for i in range(len(table[0]))])
    b.print_table("Steps of a Play Next switch on %s (the server's first byte %.0f ms after connecting)"
                  % (KIND, floor * 1000), header, rows)
    return 0


if __name__ == "__main__":
    sys.exit(main())
