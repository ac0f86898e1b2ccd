#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A stand-in for the public station directory (radio-browser's JSON API) on 127.0.0.1.

Usage:
    tools/fakedirectory.py [--port N] [--delay SECONDS] [--garbage] [--status NNN] [--endless]
                           [--no-limit] [--stations FILE] [--generate N] [--tv-lists DIR] [--verbose]

    --port N         port on 127.0.0.1; 0 (the default) picks a free one
    --delay SECONDS  wait this long before answering any /json/ request (to test time-outs)
    --garbage        answer /json/ requests with a body that is not JSON
    --status NNN     answer /json/ requests with this HTTP status and a short text body
    --endless        answer searches with a JSON array of stations that never ends (no length, the
                     stations sent again and again until the client hangs up), as a hostile or broken
                     server may
    --no-limit       answer searches with every station that matches, whatever limit asks for
    --stations FILE  answer with these stations instead of the built-in ones: a JSON array of objects
                     with "name" and "url" and optionally "tags", "country", "countrycode",
                     "language", "codec", "bitrate", "votes", "clickcount", "favicon", "ok" (a tone
                     radio of a test rig, for example); a favicon that is a path
                     ("/favicons/logo-1.png") is one of this server's logos, sent as its full address;
                     "ok": false makes a station whose last check failed (lastcheckok 0); "stationuuid"
                     keeps a station's id whatever its place in the file
    --generate N     answer with N made-up stations that look like the directory's (names, tags,
                     countries, codecs), every fifth with one of this server's logos (for benchmarks)
    --tv-lists DIR   also serve the public per-language TV playlists: GET /tv/NAME.m3u answers with
                     the file DIR/NAME.m3u (read at each request, so a test may change it), 404 when
                     there is none; the folder to configure is then http://127.0.0.1:PORT/tv/

Once it listens it prints one line "PORT <n>" to stdout (flushed). It stops on SIGTERM or SIGINT.

The API it answers, as the directory documents it:

    GET /json/stations/search?name=&tag=&country=&countrycode=&language=&hidebroken=&order=&reverse=&limit=
        a JSON array of stations with the documented fields; name, tag, country and language
        match parts of the field, countrycode the whole code, letter case ignored; hidebroken=true
        leaves out stations whose last check failed (false or absent keeps them);
        order=clickcount|votes|name with reverse=true for descending; limit
    GET /json/url/<stationuuid>
        counts a click; {"ok": true, "message": "retrieved station url", "stationuuid", "name",
        "url"}, or {"ok": false, ...} with status 404 for an unknown station

Control paths (not part of the API):

    GET /__control?delay=S&garbage=0|1&status=NNN   change the switches of the /json/ requests while running
                                                    (status=0 clears); also endless=0|1, no_limit=0|1
    GET /__control?tv_delay=S&tv_status=NNN         the same for the /tv/ playlists (tv_status=0 clears)
    GET /__clicks?uuid=U                            the clicks counted for a station, as text
    GET /__last                                     the last search: {"query": {...}, "user_agent": "..."}
    GET /__count?path=/json/stations/search         the requests for a path (any but these control
                                                    paths: API, logos, playlists), as text
    GET /__requests                                 every such request in order, as a JSON array of
                                                    {"path", "query", "user_agent", "accept", "time"}
                                                    (time: when it arrived, on the monotonic clock)
    GET /__reset                                    forgets the counted requests and clicks

Station logos, for the favicon cache:

    GET /favicons/small.png   a 1x1 PNG
    GET /favicons/huge.png    a PNG header followed by 1 MiB of zeros, with its Content-Length
    GET /favicons/page.png    an HTML page sent as image/png, as misconfigured servers do
    GET /favicons/logo-K.png  K = 1..6: a 32x32 logo, a coloured disc on white, a colour for each K
    GET /favicons/logo.svg    an SVG logo that names a local file, sent as image/svg+xml
    GET /favicons/svg-as.png  the same sent as image/png
    GET /favicons/moved.png   a redirection (302) to /favicons/logo-4.png
"""

import argparse
import json
import os
import random
import re
import signal
import struct
import sys
import threading
import time
import urllib.parse
import zlib
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


def station(uuid, name, url, url_resolved, tags, country, code, language, codec, bitrate, hls, ok, votes,
            clicks):
    return {
        "changeuuid": "c" + uuid[1:], "stationuuid": uuid, "serveruuid": None, "name": name, "url": url,
        "url_resolved": url_resolved, "homepage": "https://%s.example/" % name.lower().replace(" ", ""),
        "favicon": "https://%s.example/favicon.png" % name.lower().replace(" ", ""), "tags": tags,
        "country": country, "countrycode": code, "iso_3166_2": None, "state": "", "language": language,
        "languagecodes": "", "votes": votes, "lastchangetime": "2024-01-01 10:00:00",
        "lastchangetime_iso8601": "2024-01-01T10:00:00Z", "codec": codec, "bitrate": bitrate, "hls": hls,
        "lastcheckok": ok, "lastchecktime": "2024-01-02 10:00:00", "clickcount": clicks, "clicktrend": 0,
        "ssl_error": 0, "geo_lat": None, "geo_long": None, "has_extended_info": False,
    }


STATIONS = [
    station("96062a7b-0601-11e8-ae97-52543be04c81", "Jazz Radio Berlin", "http://jazz-berlin.example/listen.pls",
            "http://stream.jazz-berlin.example/live.mp3", "jazz,smooth jazz", "Germany", "DE", "german",
            "MP3", 128, 0, 1, 420, 9000),
    station("a1b2c3d4-0601-11e8-ae97-52543be04c81", "Smooth Jazz Paris", "https://jazz-paris.example/live.aac",
            "https://jazz-paris.example/live.aac", "jazz,lounge", "France", "FR", "french", "AAC+", 64, 0, 1, 87,
            15000),
    station("b7e9f0aa-0601-11e8-ae97-52543be04c81", "Jazz Broken", "http://broken.example/jazz",
            "http://broken.example/jazz", "jazz", "Germany", "DE", "german", "MP3", 128, 0, 0, 3, 99999),
    station("c0ffee00-0601-11e8-ae97-52543be04c81", "Hindi Hits", "http://hindi.example/hits",
            "http://hindi.example/hits", "bollywood,pop", "India", "IN", "hindi", "MP3", 192, 0, 1, 55, 3000),
    station("d00dfeed-0601-11e8-ae97-52543be04c81", "Nachrichten TV", "https://tv.example/news/index.m3u8",
            "https://tv.example/news/index.m3u8", "news", "Germany", "DE", "german,english", "UNKNOWN", 0, 1, 1,
            12, 700),
    # A station whose address the player must never open.
    station("e0e0e0e0-0601-11e8-ae97-52543be04c81", "Jazz On Disk", "file:///srv/jazz.mp3", "file:///srv/jazz.mp3",
            "jazz", "Germany", "DE", "german", "MP3", 128, 0, 1, 1, 5),
]


SMALL_PNG = bytes.fromhex(
    "89504e470d0a1a0a0000000d4948445200000001000000010806000000"
    "1f15c4890000000d49444154789c6360f8cfc0f01f0005000201e2a5f1"
    "5a0000000049454e44ae426082")
LOGO_COLOURS = [(0xd0, 0x30, 0x30), (0x20, 0x80, 0xd0), (0x30, 0xa0, 0x40), (0xe0, 0x90, 0x10),
                (0x80, 0x40, 0xc0), (0x10, 0x10, 0x10)]


def logo_png(colour, size=32):
    """A size x size RGB PNG: a disc of the colour on white."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = []
    r2 = (size / 2 - 1) ** 2
    for y in range(size):
        row = bytearray(b"\0")
        for x in range(size):
            inside = (x - size / 2 + 0.5) ** 2 + (y - size / 2 + 0.5) ** 2 <= r2
            row += bytes(colour) if inside else b"\xff\xff\xff"
        rows.append(bytes(row))
    header = struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(b"".join(rows)))
            + chunk(b"IEND", b""))


FAVICONS = {
    "/favicons/small.png": SMALL_PNG,
    "/favicons/huge.png": SMALL_PNG[:16] + bytes(1024 * 1024),
    "/favicons/page.png": b"<html><body>Not found</body></html>",
}
SVG_LOGO = (b'<?xml version="1.0"?>\n<svg xmlns="http://www.w3.org/2000/svg" '
            b'xmlns:xlink="http://www.w3.org/1999/xlink" width="32" height="32">'
            b'<rect width="32" height="32" fill="red"/><image xlink:href="/etc/hostname" width="32" height="32"/>'
            b'</svg>\n')
FAVICONS["/favicons/logo.svg"] = SVG_LOGO
FAVICONS["/favicons/svg-as.png"] = SVG_LOGO
for _k, _colour in enumerate(LOGO_COLOURS, 1):
    FAVICONS["/favicons/logo-%d.png" % _k] = logo_png(_colour)


def stations_from_file(path):
    """The stations of a --stations file, filled up to the directory's full records."""
    with open(path, encoding="utf-8") as f:
        entries = json.load(f)
    result = []
    for i, e in enumerate(entries):
        uuid = e.get("stationuuid") or "f%07x-0601-11e8-ae97-52543be04c81" % i
        result.append(station(uuid, e["name"], e["url"], e["url"], e.get("tags", ""), e.get("country", ""),
                              e.get("countrycode", ""), e.get("language", ""), e.get("codec", "MP3"),
                              e.get("bitrate", 128), 0, 1 if e.get("ok", True) else 0, e.get("votes", 0),
                              e.get("clickcount", 1000 * (len(entries) - i))))
        if "favicon" in e:
            result[-1]["favicon"] = e["favicon"]
    return result


def generated_stations(count):
    """count stations with the variety of the directory's: long names, many tags, a dozen countries."""
    rnd = random.Random(17)
    words = ["Radio", "FM", "Jazz", "Classic", "Rock", "Lounge", "Hits", "Sound", "Wave", "Café", "Nova",
             "Ràdio", "Señal", "Lumière", "Musik", "Dance", "Chill", "Talk", "News", "Oldies", "Kultur"]
    tags = ["pop", "rock", "jazz", "news", "talk", "classical", "dance", "electronic", "80s", "90s", "hits",
            "chillout", "lounge", "ambient", "country", "folk", "latin", "oldies", "sports", "public radio"]
    countries = [("Germany", "DE", "german"), ("France", "FR", "french"), ("Spain", "ES", "spanish"),
                 ("India", "IN", "hindi"), ("The United States Of America", "US", "english"),
                 ("Brazil", "BR", "portuguese"), ("Poland", "PL", "polish"), ("Austria", "AT", "german"),
                 ("The United Kingdom Of Great Britain And Northern Ireland", "GB", "english"),
                 ("Italy", "IT", "italian"), ("Czechia", "CZ", "czech"), ("Japan", "JP", "japanese")]
    codecs = [("MP3", 128), ("MP3", 192), ("AAC", 64), ("AAC+", 48), ("OGG", 96), ("MP3", 320)]
    result = []
    for i in range(count):
        name = " ".join(rnd.choice(words) for _ in range(rnd.randint(2, 4))) + " %d" % i
        country, code, language = rnd.choice(countries)
        codec, bitrate = rnd.choice(codecs)
        host = "stream%d.radio%d.example" % (i % 7, i)
        s = station("%08x-0601-11e8-ae97-52543be04c81" % (0x10000000 + i), name, "http://%s/listen.pls" % host,
                    "http://%s:8000/live.%s" % (host, codec.lower().rstrip("+")),
                    ",".join(rnd.sample(tags, rnd.randint(1, 6))), country, code, language, codec, bitrate,
                    0, 1, rnd.randint(0, 5000), rnd.randint(0, 100000))
        if i % 5 == 0:
            s["favicon"] = "/favicons/logo-%d.png" % (1 + i // 5 % len(LOGO_COLOURS))
        result.append(s)
    return result


class State:
    def __init__(self, delay, garbage, status, tv_lists, endless=False, no_limit=False):
        self.lock = threading.Lock()
        self.delay = delay
        self.garbage = garbage
        self.status = status
        self.endless = endless
        self.no_limit = no_limit
        self.tv_lists = tv_lists
        self.tv_delay = 0.0
        self.tv_status = 0
        self.clicks = {}
        self.last = {}
        self.counts = {}
        self.requests = []
        self.answers = {}

    def count(self, path, query, headers):
        with self.lock:
            self.counts[path] = self.counts.get(path, 0) + 1
            self.requests.append({"path": path, "query": query, "user_agent": headers.get("User-Agent", ""),
                                  "accept": headers.get("Accept", ""), "time": time.monotonic()})


class Handler(BaseHTTPRequestHandler):
    state = None
    verbose = False
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        if self.verbose:
            super().log_message(fmt, *args)

    def send_body(self, status, body, content_type="application/json"):
        data = body.encode("utf-8") if isinstance(body, str) else body
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def do_GET(self):
        parts = urllib.parse.urlsplit(self.path)
        path = urllib.parse.unquote(parts.path)
        query = {k: v[0] for k, v in urllib.parse.parse_qs(parts.query, keep_blank_values=True).items()}
        try:
            if path.startswith("/__"):
                return self.control(path, query)
            self.state.count(path, query, self.headers)
            if path.startswith("/tv/") and self.state.tv_lists:
                return self.tv_list(path[len("/tv/"):])
            if not path.startswith("/json/"):
                if path == "/favicons/moved.png":
                    self.send_response(302)
                    self.send_header("Location", "/favicons/logo-4.png")
                    self.send_header("Content-Length", "0")
                    return self.end_headers()
                if path in FAVICONS:
                    return self.send_body(200, FAVICONS[path],
                                          "image/svg+xml" if path.endswith(".svg") else "image/png")
                return self.send_body(404, "not found\n", "text/plain")
            with self.state.lock:
                delay, garbage, status = self.state.delay, self.state.garbage, self.state.status
            if delay > 0:
                time.sleep(delay)
            if status:
                return self.send_body(status, "status %d\n" % status, "text/plain")
            if garbage:
                return self.send_body(200, "<html><body>502 Bad Gateway</body></html>{\"name\": ")
            if path == "/json/stations/search":
                return self.search(query)
            if path.startswith("/json/url/"):
                return self.click(path[len("/json/url/"):])
            return self.send_body(404, "not found\n", "text/plain")
        except (BrokenPipeError, ConnectionResetError):
            return None

    def control(self, path, query):
        with self.state.lock:
            if path == "/__control":
                if "delay" in query:
                    self.state.delay = float(query["delay"])
                if "garbage" in query:
                    self.state.garbage = query["garbage"] == "1"
                if "status" in query:
                    self.state.status = int(query["status"])
                if "endless" in query:
                    self.state.endless = query["endless"] == "1"
                if "no_limit" in query:
                    self.state.no_limit = query["no_limit"] == "1"
                if "tv_delay" in query:
                    self.state.tv_delay = float(query["tv_delay"])
                if "tv_status" in query:
                    self.state.tv_status = int(query["tv_status"])
                return self.send_body(200, "ok\n", "text/plain")
            if path == "/__clicks":
                return self.send_body(200, str(self.state.clicks.get(query.get("uuid", ""), 0)), "text/plain")
            if path == "/__count":
                return self.send_body(200, str(self.state.counts.get(query.get("path", ""), 0)), "text/plain")
            if path == "/__last":
                return self.send_body(200, json.dumps(self.state.last))
            if path == "/__requests":
                return self.send_body(200, json.dumps(self.state.requests))
            if path == "/__reset":
                self.state.counts.clear()
                self.state.requests.clear()
                self.state.clicks.clear()
                return self.send_body(200, "ok\n", "text/plain")
        return self.send_body(404, "not found\n", "text/plain")

    def search(self, query):
        with self.state.lock:
            self.state.last = {"query": query, "user_agent": self.headers.get("User-Agent", "")}
            endless, no_limit = self.state.endless, self.state.no_limit
        if endless:
            return self.endless_search(query)
        if no_limit:
            query = dict(query)
            query.pop("limit", None)
        with self.state.lock:
            # The stations never change while it runs: a search asked before is answered from memory,
            # as quickly as loopback allows (the benchmarks ask the same searches at every start).
            key = json.dumps(query, sort_keys=True)
            body = self.state.answers.get(key)
        if body is None:
            body = json.dumps(self.find(query)).encode("utf-8")
            with self.state.lock:
                self.state.answers[key] = body
        return self.send_body(200, body)

    def endless_search(self, query):
        """An array of the stations found, again and again, without a length and without an end."""
        found = self.find(dict(query, limit="100000")) or STATIONS
        chunk = b"".join(json.dumps(s).encode("utf-8") + b"," for s in found)
        chunk = chunk * max(1, 65536 // len(chunk))
        self.send_response(200)
        self.send_header("Content-Type", "application/json")
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True
        self.wfile.write(b"[")
        while True:
            self.wfile.write(chunk)

    def find(self, query):
        found = []
        for s in STATIONS:
            if query.get("hidebroken") == "true" and not s["lastcheckok"]:
                continue
            fields = {"name": s["name"], "tag": s["tags"], "country": s["country"], "language": s["language"]}
            if not all(query.get(k, "").lower() in v.lower() for k, v in fields.items()):
                continue
            if query.get("countrycode") and query["countrycode"].lower() != s["countrycode"].lower():
                continue
            found.append(s)
        order = query.get("order", "name")
        if order in ("clickcount", "votes", "name"):
            found.sort(key=lambda s: s[order], reverse=query.get("reverse") == "true")
        limit = int(query.get("limit", "100000"))
        # A logo of this server's own is sent with its full address, as the directory does.
        base = "http://%s:%d" % self.server.server_address[:2]
        return [dict(s, favicon=base + s["favicon"]) if s["favicon"].startswith("/") else s for s in found[:limit]]

    def tv_list(self, name):
        """A playlist of the --tv-lists folder; only plain file names, nothing above the folder."""
        with self.state.lock:
            delay, status = self.state.tv_delay, self.state.tv_status
        if delay > 0:
            time.sleep(delay)
        if status:
            return self.send_body(status, "status %d\n" % status, "text/plain")
        if not re.fullmatch(r"[A-Za-z0-9_.-]+\.m3u", name):
            return self.send_body(404, "not found\n", "text/plain")
        try:
            with open(os.path.join(self.state.tv_lists, name), "rb") as f:
                data = f.read()
        except OSError:
            return self.send_body(404, "not found\n", "text/plain")
        return self.send_body(200, data, "audio/x-mpegurl")

    def click(self, uuid):
        for s in STATIONS:
            if s["stationuuid"] == uuid:
                with self.state.lock:
                    self.state.clicks[uuid] = self.state.clicks.get(uuid, 0) + 1
                return self.send_body(200, json.dumps({
                    "ok": True, "message": "retrieved station url", "stationuuid": uuid, "name": s["name"],
                    "url": s["url_resolved"]}))
        return self.send_body(404, json.dumps({"ok": False, "message": "did not find station with matching id"}))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--delay", type=float, default=0.0)
    parser.add_argument("--garbage", action="store_true")
    parser.add_argument("--status", type=int, default=0)
    parser.add_argument("--endless", action="store_true")
    parser.add_argument("--no-limit", action="store_true")
    parser.add_argument("--stations", help="a JSON file with the stations to answer with")
    parser.add_argument("--generate", type=int, default=0, help="answer with this many made-up stations")
    parser.add_argument("--tv-lists", metavar="DIR", help="serve /tv/NAME.m3u from the files of this folder")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()
    if args.stations:
        STATIONS[:] = stations_from_file(args.stations)
    elif args.generate > 0:
        STATIONS[:] = generated_stations(args.generate)

    Handler.state = State(args.delay, args.garbage, args.status,
                          os.path.abspath(args.tv_lists) if args.tv_lists else None, args.endless, args.no_limit)
    Handler.verbose = args.verbose
    server = ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True

    def stop(*_):
        threading.Thread(target=server.shutdown, daemon=True).start()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever()
    server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
