# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The public channel sources on 127.0.0.1, for end-to-end tests, the demo and the benchmarks.

Without a channel list server the program builds its list from the public station directory (one
search per language group) and the public per-language TV playlists. ``PublicSources`` stands in
for both with one tools/fakedirectory.py: its stations are the test's tone radios, at least one in
every language group, and its TV playlists hold the test's HLS channel.

    with Icecast([Radio("/one", 440), Radio("/two", 660)]) as ice, HlsChannel() as tv:
        with PublicSources(ice, tv.url) as sources:
            rig_app.write_settings({"Servers": sources.servers()})
            ...start the program...
            assert sources.count("/json/stations/search") == 7
            assert sources.count("/tv/eng.m3u") == 1

    sources = start_sources(ice, tv.url)       # the same without ``with``; sources.stop() at the end

PublicSources(ice, tv_url, stations=None, tv_lists=None, filler=0, tv_filler=0)
    ice        a started rig_streams.Icecast; the default stations play its mounts in turn
    tv_url     the address of the TV channel in the playlists (rig_streams.HlsChannel's url)
    stations   the directory's stations instead of default_stations(ice): entries of
               tools/fakedirectory.py's --stations file; each may carry "group" and "frequency" for
               the caller's own bookkeeping (the fake ignores them)
    tv_lists   {"eng": [(name, group title, address), ...], ...} instead of default_tv_lists(tv_url);
               a language without an entry is served as an empty playlist
    filler     that many more made-up stations per language group, each playing one of the mounts,
               ranked below the others (lists as long as the directory's; for benchmarks)
    tv_filler  that many more made-up TV channels per playlist, in proportion to the public lists'
               sizes (eng the longest), all at tv_url
Attributes and methods:
    start() / stop()        start the fake (done by ``with``) and end it (may be called again)
    directory_url           "http://127.0.0.1:<port>": [Servers] StationDirectory
    tv_lists_url            "http://127.0.0.1:<port>/tv/": [Servers] TvChannelLists
    servers()               both keys as a dict for the settings file's "Servers" section
    get(path) -> str        what the fake answers for a path (with its query)
    stations                the stations served, as given or made (with "group", "frequency", "ok")
    tv_channels             {code: [(name, group title, address), ...]} as served
    count(path) -> int      requests for a path so far ("/json/stations/search", "/tv/deu.m3u")
    requests() -> list      every request in order: {"path", "query", "user_agent", "accept", "time"}
    searches() -> list      the queries of the /json/stations/search requests, in order
    reset()                 forgets the requests counted so far
    control(**switches)     tools/fakedirectory.py's /__control (delay, garbage, status, tv_delay,
                            tv_status): slow or failing sources

The default stations (default_stations), in the order of their click counts:
    group      name                    language   country code  mount (of ice's radios, in turn)
    English    London Loop FM          english    GB            1st
    English    Old Wave AM             english    GB            none: a mount nobody feeds; its last
                                                                check failed ("ok": false), so the
                                                                channel is OFF
    German     Berliner Welle          german     DE            2nd
    French     Radio Lumière           french     FR            3rd
    Indian     Sangeet FM              hindi      IN            4th
    Indian     Chennai Isai            tamil      IN            5th
    Indian     Punjab Beats            punjabi    IN            none: in no Indian language of the
                                                                list, so it is left out
    Chinese    长江之声                 chinese    CN            6th
    Bulgarian  Радио София             bulgarian  BG            7th
    Romanian   Radio Dunărea, Galați   romanian   RO            8th (the name holds a comma)
(with fewer radios than eight the mounts repeat). The default TV playlists: eng.m3u with "Test Card
TV" (group "News") at tv_url and an rtmp:// entry that does not count; deu.m3u with "Testbild TV"
(group "General") at tv_url; fra, hin, zho, bul and ron empty.

Command line (to look at it by hand; prints the addresses, serves until Ctrl+C)::

    rig_sources.py [--filler N] [--tv-filler N]
"""

import json
import os
import random
import shutil
import subprocess
import sys
import tempfile
import urllib.parse
import urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import rig_streams  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.environ.get("VEDRIX_SOURCE") or os.path.dirname(os.path.dirname(HERE))
_NO_PROXY = urllib.request.build_opener(urllib.request.ProxyHandler({}))

# The language groups as the program asks the directory for them: (group, selector, languages that
# a station of the group may have, country, country code).
GROUPS = [
    ("English", "language=english", ["english"], "The United Kingdom Of Great Britain And Northern Ireland", "GB"),
    ("German", "language=german", ["german"], "Germany", "DE"),
    ("French", "language=french", ["french"], "France", "FR"),
    ("Indian", "countrycode=IN", ["hindi", "tamil", "marathi", "gujarati", "bengali", "telugu"], "India", "IN"),
    ("Chinese", "language=chinese", ["chinese"], "China", "CN"),
    ("Bulgarian", "language=bulgarian", ["bulgarian"], "Bulgaria", "BG"),
    ("Romanian", "language=romanian", ["romanian"], "Romania", "RO"),
]
# The TV playlists the program asks for, by ISO 639-3 code, with a weight of each one's length in the
# public lists (English the longest by far) for the made-up filler.
TV_LANGUAGES = [("eng", 10), ("deu", 2), ("fra", 2), ("hin", 1), ("zho", 4), ("bul", 0.3), ("ron", 0.6)]

# The made-up stations' clicks start below this; the stations given rank above it.
FILLER_CLICKS = 90000

# (group, name, language, mount index or None, ok, tags)
_DEFAULT = [
    ("English", "London Loop FM", "english", 0, True, "pop,talk"),
    ("English", "Old Wave AM", "english", None, False, "oldies"),
    ("German", "Berliner Welle", "german", 1, True, "news,music"),
    ("French", "Radio Lumière", "french", 2, True, "chanson,news"),
    ("Indian", "Sangeet FM", "hindi", 3, True, "bollywood,classical"),
    ("Indian", "Chennai Isai", "tamil", 4, True, "tamil film,pop"),
    ("Indian", "Punjab Beats", "punjabi", None, True, "bhangra"),
    ("Chinese", "长江之声", "chinese", 5, True, "news,culture"),
    ("Bulgarian", "Радио София", "bulgarian", 6, True, "pop,news"),
    ("Romanian", "Radio Dunărea, Galați", "romanian", 7, True, "folk,news"),
]


def group_of(name):
    return next(g for g in GROUPS if g[0] == name)


def station(group, name, url, language=None, ok=True, tags="", frequency=None, country=None, countrycode=None,
            **extra):
    """One entry of the directory's stations: a --stations entry of tools/fakedirectory.py, plus the
    group and the tone's frequency for the caller. The group gives the language, country and code
    that are not given; a station of no group (None) names its own."""
    _, _, languages, group_country, code = group_of(group) if group else (None, None, [""], "", "")
    entry = {"name": name, "url": url, "language": language or languages[0], "country": country or group_country,
             "countrycode": countrycode or code, "tags": tags, "codec": "MP3", "bitrate": 128, "ok": ok,
             "group": group, "frequency": frequency}
    entry.update(extra)
    return entry


def default_stations(ice):
    """The stations of the table above, on ice's radios (in the order they were given)."""
    mounts = list(ice.radios)
    stations = []
    for i, (group, name, language, index, ok, tags) in enumerate(_DEFAULT):
        if index is None:
            url, frequency = ice.url("/%s" % name.lower().replace(" ", "-")), None
        else:
            mount = mounts[index % len(mounts)]
            url, frequency = ice.url(mount), ice.radios[mount].frequency
        stations.append(station(group, name, url, language, ok, tags, frequency,
                                favicon="/favicons/logo-%d.png" % (1 + i % 6)))
    return stations


def default_tv_lists(tv_url):
    return {"eng": [("Test Card TV", "News", tv_url), ("Studio Feed", "News", "rtmp://127.0.0.1/live/studio")],
            "deu": [("Testbild TV", "General", tv_url)]}


def filler_stations(ice, per_group):
    """per_group made-up stations in every group, each playing one of ice's mounts, with fewer clicks
    than the stations given (FILLER_CLICKS and below); the Indian ones in the Indian languages in
    turn, every tenth in English (found by the English search too, as the directory's are)."""
    rnd = random.Random(24)
    words = ["Radio", "FM", "Hits", "Classic", "Jazz", "Lounge", "Sound", "Wave", "Nova", "Kultur", "Musik",
             "Chill", "Talk", "News", "Oldies", "Dance", "Star", "City", "Metro", "Love"]
    tags = ["pop", "rock", "jazz", "news", "talk", "classical", "dance", "80s", "hits", "chillout", "folk"]
    mounts = list(ice.radios)
    stations = []
    for group, _, languages, _, _ in GROUPS:
        for i in range(per_group):
            language = languages[i % len(languages)]
            if group == "Indian" and i % 10 == 9:
                language = "english"
            name = " ".join(rnd.choice(words) for _ in range(rnd.randint(2, 4))) + " %s %d" % (group[:3], i)
            mount = mounts[i % len(mounts)]
            stations.append(station(group, name, ice.url(mount), language, ok=(i % 17 != 5),
                                    tags=",".join(rnd.sample(tags, rnd.randint(1, 4))),
                                    frequency=ice.radios[mount].frequency,
                                    clickcount=max(0, FILLER_CLICKS - i * 3),
                                    votes=rnd.randint(0, 3000), bitrate=rnd.choice([64, 128, 192]),
                                    homepage="https://station%d.%s.example/" % (i, group.lower())))
    return stations


def filler_tv(tv_url, per_list):
    """Made-up channels for each playlist, per_list * weight of them, all at tv_url."""
    groups = ["News", "General", "Music", "Kids", "Sports", "Movies", "Documentary", "Religious"]
    lists = {}
    for code, weight in TV_LANGUAGES:
        lists[code] = [("%s Channel %d" % (code.upper(), i), groups[i % len(groups)], tv_url)
                       for i in range(int(per_list * weight))]
    return lists


def m3u(channels, code):
    lines = ["#EXTM3U"]
    for i, (name, group, url) in enumerate(channels):
        lines.append('#EXTINF:-1 tvg-id="%s%d.%s" tvg-logo="https://logos.example/%s%d.png" group-title="%s",%s'
                     % (code, i, code, code, i, group, name))
        lines.append(url)
    return "\n".join(lines) + "\n"


class PublicSources:
    def __init__(self, ice, tv_url, stations=None, tv_lists=None, filler=0, tv_filler=0):
        self.stations = list(stations if stations is not None else default_stations(ice))
        if filler:
            self.stations += filler_stations(ice, filler)
        self.tv_channels = {code: [] for code, _ in TV_LANGUAGES}
        for code, channels in (tv_lists if tv_lists is not None else default_tv_lists(tv_url)).items():
            self.tv_channels[code] = list(channels)
        if tv_filler:
            for code, channels in filler_tv(tv_url, tv_filler).items():
                self.tv_channels[code] += channels
        self.dir = None
        self.proc = None
        self.port = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()
        return False

    def start(self, timeout=20):
        self.dir = tempfile.mkdtemp(prefix="sources.", dir=os.environ.get("TMPDIR"))
        # The most played first, in the order given (above the filler), unless an entry has its own.
        count = len(self.stations)
        entries = []
        for i, s in enumerate(self.stations):
            entry = {k: v for k, v in s.items() if k not in ("group", "frequency")}
            entry.setdefault("clickcount", FILLER_CLICKS + 1000 * (count - i))
            entries.append(entry)
        path = os.path.join(self.dir, "stations.json")
        with open(path, "w", encoding="utf-8") as f:
            json.dump(entries, f, ensure_ascii=False)
        tv = os.path.join(self.dir, "tv")
        os.makedirs(tv)
        for code, channels in self.tv_channels.items():
            with open(os.path.join(tv, code + ".m3u"), "w", encoding="utf-8") as f:
                f.write(m3u(channels, code))
        self.proc = subprocess.Popen([sys.executable, os.path.join(SOURCE, "tools", "fakedirectory.py"),
                                      "--stations", path, "--tv-lists", tv], stdout=subprocess.PIPE, text=True,
                                     preexec_fn=rig_streams._die_with_parent)
        words = self._first_line(timeout).split()
        if len(words) != 2 or words[0] != "PORT":
            self.stop()
            raise RuntimeError("tools/fakedirectory.py did not start")
        self.port = int(words[1])
        return self

    def _first_line(self, timeout):
        import select
        ready, _, _ = select.select([self.proc.stdout], [], [], timeout)
        return self.proc.stdout.readline() if ready else ""

    def stop(self):
        if self.proc:
            rig_streams.stop_process(self.proc)
            self.proc.stdout.close()
            self.proc = None
        if self.dir:
            shutil.rmtree(self.dir, ignore_errors=True)
            self.dir = None

    @property
    def directory_url(self):
        return "http://127.0.0.1:%d" % self.port

    @property
    def tv_lists_url(self):
        return self.directory_url + "/tv/"

    def servers(self):
        return {"StationDirectory": self.directory_url, "TvChannelLists": self.tv_lists_url}

    def get(self, path_and_query):
        with _NO_PROXY.open(self.directory_url + path_and_query, timeout=10) as reply:
            return reply.read().decode("utf-8")

    def count(self, path):
        return int(self.get("/__count?" + urllib.parse.urlencode({"path": path})))

    def requests(self):
        return json.loads(self.get("/__requests"))

    def searches(self):
        return [r["query"] for r in self.requests() if r["path"] == "/json/stations/search"]

    def reset(self):
        self.get("/__reset")

    def control(self, **switches):
        self.get("/__control?" + urllib.parse.urlencode(switches))


def start_sources(ice, tv_url, **options):
    """A started PublicSources (see above); the caller stops it."""
    return PublicSources(ice, tv_url, **options).start()


def _main(argv):
    import argparse
    import signal
    import time
    parser = argparse.ArgumentParser(prog="rig_sources.py")
    parser.add_argument("--filler", type=int, default=0)
    parser.add_argument("--tv-filler", type=int, default=0)
    opts = parser.parse_args(argv)
    signal.signal(signal.SIGTERM, lambda *a: sys.exit(0))
    radios = [rig_streams.Radio("/r%d" % i, 440 + 110 * i) for i in range(3)]
    with rig_streams.Icecast(radios) as ice, \
            PublicSources(ice, "http://127.0.0.1:%d/tv/index.m3u8" % rig_streams.free_port(),
                          filler=opts.filler, tv_filler=opts.tv_filler) as sources:
        print(json.dumps({"StationDirectory": sources.directory_url, "TvChannelLists": sources.tv_lists_url,
                          "icecast": ice.base_url()}), flush=True)
        try:
            while True:
                time.sleep(3600)
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    _main(sys.argv[1:])
