#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""First start: a new user's Vedrix, with no channel list server configured, builds its channel list
from the public sources (the station directory, one search per language group, and the per-language
TV playlists) and plays the first channel (auto play is on by default).

The sources are tests/e2e/rig_sources.py's stand-in on 127.0.0.1, with lists as long as the public
ones: 200 stations in each group's answer (the directory's limit; the tone radios first, then
made-up stations that play the same tones) and TV playlists of 60 to 2000 entries. Every answer
comes from the fake's memory (each search is asked once before the runs), so the sources answer as
fast as loopback allows and what is measured is the program. Each run starts from a new profile
(settings, data and cache folders emptied); one start before the runs is not counted.

The program's own time stamps (VEDRIX_PLAYER_TRACE, on the monotonic clock of this script) give
the steps: "main", "main window made", "channel sources: fetch begins", one "channel sources:
answer" per source, "channel sources: list written", "channel list shown", "loadfile"; the fake
notes when each request arrived; the first sound is the first audible sample at the null sink (as
`tools/bench sound` detects it).

Measured, medians of BENCH_RUNS runs (default 5):
  (a) exec to the channel list shown;
  (b) the last source's request at the fake (answered from memory at once) to the list shown:
      budget 1.5 s;
  (c) exec to the first sound;
  (d) the GUI thread building the list from the answers: the last answer to the list written and
      to the list shown: budget 200 ms each;
and, once after the runs, a second start with the profile kept: no request may reach the sources.
"""

import os
import re
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
# The program's time stamps; "warn" keeps mpv's own log short.
os.environ["VEDRIX_PLAYER_TRACE"] = "warn"
import benchlib as b  # noqa: E402
import rig_app  # noqa: E402
import rig_sources  # noqa: E402

SHOWN_BUDGET = 1.5
BUILD_BUDGET = 0.200
REQUESTS = len(rig_sources.GROUPS) + len(rig_sources.TV_LANGUAGES)
# Stations per language group beyond the tone radios (the answer's limit is 200), and the TV filler's
# scale (eng.m3u gets ten times this, bul.m3u a third).
FILLER = 200
TV_FILLER = 200

MARK = re.compile(r"^(\d+\.\d+) vedrix: (.*)$", re.M)
# The steps in the order they come, with the trace mark (a prefix) that ends each; the first answer
# and the last are told apart below.
STEPS = [("main", "main"), ("main window made", "main window made"),
         ("sources: fetch begins", "channel sources: fetch begins"),
         ("first source answered", None), ("last source answered", None),
         ("list written", "channel sources: list written"), ("list shown", "channel list shown"),
         ("loadfile", "loadfile")]


def marks(log):
    """{step: seconds} from the program's trace: the first of each mark, the first and last answer."""
    found = {}
    answers = []
    for m in MARK.finditer(log):
        t, what = float(m.group(1)), m.group(2)
        if what.startswith("channel sources: answer"):
            answers.append(t)
            continue
        for step, prefix in STEPS:
            if prefix and step not in found and (what == prefix or what.startswith(prefix + " ")):
                found[step] = t
    if answers:
        found["first source answered"] = answers[0]
        found["last source answered"] = answers[-1]
    found["answers"] = len(answers)
    return found


def fresh_profile():
    for variable in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"):
        folder = os.environ[variable]
        for name in os.listdir(folder):
            path = os.path.join(folder, name)
            shutil.rmtree(path) if os.path.isdir(path) and not os.path.islink(path) else os.remove(path)


def read_log(app):
    with open(app.log_path, errors="replace") as f:
        return f.read()


def one_start(world, sources, app, fresh=True):
    """One start: {step: ms after exec}, with "sound" (ms or None), "requests" (how many reached the
    sources), "last request" (ms after exec of the last one's arrival) and "answers" (marks)."""
    if fresh:
        fresh_profile()
        rig_app.write_settings({"Servers": sources.servers()})
    sources.reset()
    open(app.log_path, "w").close()
    with b.MonitorRecorder(world.pulse) as rec:
        t0 = time.monotonic()
        app.start()
        sound = b.wait_for_sound(rec, t0, timeout=30)
    # The list may come after the sound only if the program played before it showed its list.
    deadline = time.monotonic() + 30
    while "channel list shown" not in read_log(app) and time.monotonic() < deadline and app.running():
        time.sleep(0.1)
    # Let it settle as a user's start would, then end it.
    time.sleep(0.5)
    app.stop()
    found = marks(read_log(app))
    result = {step: (found[step] - t0) * 1000 for step, _ in STEPS if step in found}
    result["sound"] = sound * 1000 if sound is not None else None
    result["answers"] = found["answers"]
    requests = sources.requests()
    result["requests"] = len(requests)
    # Anything but the searches and the playlists (a click counted, a logo) is named in the report.
    result["other"] = sorted(set(r["path"] for r in requests
                                 if r["path"] != "/json/stations/search" and not r["path"].startswith("/tv/")))
    if requests:
        result["last request"] = (max(r["time"] for r in requests) - t0) * 1000
    # The searches go one after the other: from one search's arrival to the next one's is a round trip
    # (the fake answers from memory) with the program's reading of the answer and its next request.
    searches = [r["time"] for r in requests if r["path"] == "/json/stations/search"]
    result["search gaps"] = [(b2 - a) * 1000 for a, b2 in zip(searches, searches[1:])]
    playlists = [r["time"] for r in requests if r["path"].startswith("/tv/")]
    if playlists:
        result["playlists asked"] = (min(playlists) - t0) * 1000
        result["playlists spread"] = (max(playlists) - min(playlists)) * 1000
    return result


def ms(value):
    return "%.0f" % value if value == value else "-"


def span(results, start, end):
    """The medians of end - start over the runs where both were seen (ms), or nan."""
    return b.median([r[end] - r[start] for r in results if r.get(start) is not None and r.get(end) is not None])


def main():
    with b.World() as world:
        floor = b.median([b.first_byte_time(world.url()) for _ in range(b.RUNS)])
        tv_url = "http://127.0.0.1:%d/tv/index.m3u8" % b.free_port()
        with rig_sources.PublicSources(world.ice, tv_url, filler=FILLER, tv_filler=TV_FILLER) as sources, \
                b.Vedrix() as app:
            # Every search once, so that the fake answers the program's from memory.
            for _, selector, _, _, _ in rig_sources.GROUPS:
                sources.get("/json/stations/search?%s&hidebroken=false&order=clickcount&reverse=true&limit=200"
                             % selector)
            b.note("a first start, not counted ...")
            one_start(world, sources, app)
            results = []
            for run in range(b.RUNS):
                b.note("run %d of %d ..." % (run + 1, b.RUNS))
                results.append(one_start(world, sources, app))
            b.note("a second start with the profile kept ...")
            second = one_start(world, sources, app, fresh=False)
            sizes = {path: len(sources.get(path).encode()) for path in ["/tv/%s.m3u" % c for c, _ in rig_sources.TV_LANGUAGES]}

    # Where the time goes: each step after exec, and after the step before it.
    rows = []
    before = None
    for step, _ in STEPS + [("first sound", None)]:
        key = "sound" if step == "first sound" else step
        seen = [r[key] for r in results if r.get(key) is not None]
        if not seen:
            rows.append([step, "-", "-", "not seen"])
            continue
        rows.append([step, ms(b.median(seen)), "%s-%s" % (ms(min(seen)), ms(max(seen))),
                     ms(span(results, before, key)) if before else ""])
        before = key
    b.print_table("First start from the public sources: ms after exec (medians of %d runs; a new profile each)"
                  % b.RUNS, ["step", "median", "min-max", "after the step before"], rows)
    print("requests that reached the sources per start: %s (expected %d: %d searches, %d playlists); answers "
          "marked by the program: %s" % (sorted(set(r["requests"] for r in results)), REQUESTS,
                                          len(rig_sources.GROUPS), len(rig_sources.TV_LANGUAGES),
                                          sorted(set(r["answers"] for r in results))))
    other = sorted(set(p for r in results + [second] for p in r["other"]))
    if other:
        print("other requests: " + ", ".join(other))
    print("TV playlists served (bytes): " + ", ".join("%s %d" % (p[4:], n) for p, n in sizes.items()))
    print("second start with the profile kept: list shown %s ms after exec, %d requests reached the sources"
          % (ms(second.get("list shown", float("nan"))), second["requests"]))

    gaps = [g for r in results for g in r["search gaps"]]
    print("a directory search, from one request's arrival to the next one's: median %s ms (%s-%s)"
          % (ms(b.median(gaps)), ms(min(gaps)) if gaps else "-", ms(max(gaps)) if gaps else "-"))
    print("the TV playlists: asked %s ms after exec, all within %s ms"
          % (ms(b.median([r["playlists asked"] for r in results if "playlists asked" in r])),
             ms(b.median([r["playlists spread"] for r in results if "playlists spread" in r]))))
    print("Icecast's first audio byte for a new listener (the radio's own pace): %s ms" % ms(floor * 1000))

    shown = b.median([r["list shown"] for r in results if "list shown" in r])
    after_last = span(results, "last request", "list shown")
    sound = b.median([r["sound"] for r in results if r["sound"] is not None])
    written = span(results, "last source answered", "list written")
    built = span(results, "last source answered", "list shown")
    summary = [["(a) exec to the list shown", ms(shown)],
               ["(b) the last source's request to the list shown", ms(after_last)],
               ["(c) exec to the first sound (auto play)", ms(sound)],
               ["(d) the last answer to the list written", ms(written)],
               ["(d) the last answer to the list shown", ms(built)]]
    b.print_table("Summary (ms, medians of %d runs)" % b.RUNS, ["", "median"], summary)

    print()
    print("The budgets:")
    checks = [("(b) last source's request to the list shown <= %.1f s" % SHOWN_BUDGET, after_last <= SHOWN_BUDGET * 1000,
               "%s ms" % ms(after_last)),
              ("(d) last answer to the list written <= %d ms" % (BUILD_BUDGET * 1000), written <= BUILD_BUDGET * 1000,
               "%s ms" % ms(written)),
              ("(d) last answer to the list shown <= %d ms" % (BUILD_BUDGET * 1000), built <= BUILD_BUDGET * 1000,
               "%s ms" % ms(built)),
              ("every start asks each source once", all(r["requests"] == REQUESTS for r in results),
               "%s requests" % sorted(set(r["requests"] for r in results))),
              ("a second start within a day asks none", second["requests"] == 0, "%d requests" % second["requests"])]
    met = b.print_budgets(checks, indent="  ")
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
