# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Hostile channel lists served to the real program: random bytes, 200 000 lines, lines of more than
64 KiB, NUL characters and unpaired surrogates. Each list ends with a marker channel whose position
among the listed rows is worked out here from the format's rules; the program starts hidden with
"LastChannelIndex" at that position, so the marker's address being requested by the player proves that
the whole list was read and listed as the rules say. Then the program must still answer: a second start
brings its window up, the tray menu answers, and Exit ends it with 0."""

import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from rig_app import App, make_site, run_tests, wait_for  # noqa: E402
from rig_http import HttpRig  # noqa: E402

HEADER = "Type,Channel,Address,Extra,Language,About,Status"
# What the program trims as white space (QChar::isSpace).
SPACES = set("\t\n\v\f\r \x85\xa0\u1680\u2028\u2029\u202f\u205f\u3000") | {chr(c) for c in range(0x2000, 0x200b)}


def trim(text):
    start, end = 0, len(text)
    while start < end and text[start] in SPACES:
        start += 1
    while end > start and text[end - 1] in SPACES:
        end -= 1
    return text[start:end]


def cut(line):
    """The seven fields; a failed comma search sends the next one back to the start of the line."""
    def find(start):
        return -1 if start >= len(line) else line.find(",", start)

    def sub(start, count):
        start, count = max(start, 0), max(count, 0)
        return trim(line[start:start + count]) if start < len(line) else ""

    p = find(0)
    fields = [sub(0, p)]
    for _ in range(5):
        s = p + 1
        p = find(s)
        fields.append(sub(s, p - s))
    fields.append(sub(p + 1, len(line) - (p + 1)))
    return fields


def listed_rows(data):
    """The rows the program lists from the file's bytes with no settings stored (TV and channels whose
    status contains "OFF" left out), as lists of fields."""
    text = data[:len(data) // 2 * 2].decode("utf-16-le", "surrogatepass")
    lines, start = [], 0
    i = 0
    while i < len(text):
        if text[i] in "\r\n":
            lines.append(text[start:i])
            if text[i] == "\r" and text[i + 1:i + 2] == "\n":
                i += 1
            start = i + 1
        i += 1
    if start < len(text):
        lines.append(text[start:])
    header, rows = None, []
    for line in lines:
        if not trim(line):
            continue
        fields = cut(line)
        if header is None or not header[0]:
            header = fields
        elif fields[0].casefold() != "tv" and "OFF" not in fields[6]:
            rows.append(fields)
    return rows


def encode(lines):
    return ("\r\n".join(lines) + "\r\n").encode("utf-16-le", "surrogatepass")


def marker(url):
    return "Radio,Marker,%s,,English,the last channel,ON" % url


def random_list(url):
    # Reproducible: the same bytes every run.
    noise = random.Random(8).randbytes(512 * 1024)
    return noise + b"\r\x00\n\x00" + encode([marker(url)])


def long_list(url):
    lines = [HEADER]
    for i in range(200000 - 2):
        status = "OFF" if i % 97 == 0 else "ON"
        kind = "TV" if i % 89 == 0 else "Radio"
        lines.append("%s,Channel %d,http://127.0.0.1:9/c%d,,%s,Row %d,%s"
                     % (kind, i, i, ("English", "German", "Hindi")[i % 3], i, status))
    return encode(lines + [marker(url)])


def wide_list(url):
    lines = [HEADER + "," + "h" * 70000]
    for i in range(40):
        lines.append("Radio,%s,http://127.0.0.1:9/w%d,,English,%s,ON" % ("N%d " % i * 9000, i, "d" * 66000))
    lines.append(" " * 80000)                      # blank
    lines.append("," * 70000)                      # one comma after another: empty fields, status of commas
    lines.append("Radio,x,http://127.0.0.1:9/" + "u" * 70000 + ",,English,long address,ON")
    return encode(lines + [marker(url)])


def odd_list(url):
    lines = [
        "\0" * 10,                                  # no comma: field 0 is empty, so not yet the header
        "Ty\0pe,Channel,Address,Extra,Language,About\0,Status",
        "Radio,Nul\0Name,http://127.0.0.1:9/n,\0,English,\0\0\0,ON",
        "Radio,High \ud800,http://127.0.0.1:9/h,,English,ends in a high surrogate \udbff",
        "Radio,Low \udc00 first,http://127.0.0.1:9/l,,English,\udfff\ud800 reversed pair,ON",
        "Radio,Pair \U0001F4FB,http://127.0.0.1:9/p,,Eng\ud800lish,x,ON",
        "\ud800,\udc00,\0,\ud800,\udc00,\0,\ud800",
        "\0",
        "TV\0,not hidden: the type is not TV,http://127.0.0.1:9/t,,English,x,ON",
    ]
    # A trailing odd byte after the last line end is not a character.
    return encode(lines + [marker(url)]) + b"\x41"


class World:
    """The HTTP server with the banner and the list, and the program started hidden against it."""

    def __init__(self, make_list):
        self.site = make_site()
        self.make_list = make_list

    def run(self):
        with HttpRig(self.site) as http:
            data = self.make_list(http.url("/marker"))
            with open(os.path.join(self.site, "tvlist.zip"), "wb") as f:
                f.write(data)
            rows = listed_rows(data)
            assert rows[-1][1:3] == ["Marker", http.url("/marker")], rows[-1][:3]
            settings = {"Servers": {"ChannelListServer": http.base_url, "BannerServer": http.base_url},
                        "Settings": {"LastChannelIndex": len(rows) - 1}}
            with App(settings=settings) as app:
                app.start_and_wait_ready(":silent")
                wait_for(lambda: http.count("/marker") > 0 or not app.running(), "the marker channel to be played",
                         timeout=180)
                assert app.running(), app.log()
                assert not os.path.exists(os.path.join(os.environ["XDG_DATA_HOME"], "Sorvana", "StationList.zip"))
                # Still answering: a second start is handed over and shows the window, which draws the list.
                assert app.run_second() == 0
                wait_for(app.window_shown, "the window")
                assert "Exit" in [e["label"] for e in app.tray_menu()]
                assert app.running(), app.log()
                app.tray_click("Exit")
                assert app.wait_exit() == 0, app.log()
            return rows


def test_random_bytes():
    World(random_list).run()


def test_two_hundred_thousand_lines():
    rows = World(long_list).run()
    assert len(rows) > 190000


def test_lines_longer_than_64_kib():
    rows = World(wide_list).run()
    assert any(len(r[1]) > 64 * 1024 // 2 for r in rows)


def test_nul_characters_and_unpaired_surrogates():
    rows = World(odd_list).run()
    assert [r[1] for r in rows[:3]] == ["Nul\0Name", "High \ud800", "Low \udc00 first"], rows[:3]


if __name__ == "__main__":
    run_tests(globals())
