# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Every file the program writes is named in its manual page. A session plays a channel (its rewind
buffer), hears a title (the song history), records it, finds a station in the directory (its logo)
and adds it to My Stations, turns on the autostart entry and quits. All the while the test watches the
configuration, data, cache and runtime folders and the music folder through inotify, so that files that
live only a moment count too; each file or folder that appears must fit an entry of the manual page's
FILES section, read from data/vedrix.1 itself."""

import ctypes
import os
import re
import select
import shlex
import struct
import sys
import threading

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402
from test_comforts_record import music_folder  # noqa: E402
from test_player_mystations import FakeDirectory, directory_window  # noqa: E402
import player_a11y  # noqa: E402
import rig_app  # noqa: E402

ROOT = os.environ.get("VEDRIX_SOURCE") or os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__))))
MAN_PAGE = os.path.join(ROOT, "data", "vedrix.1")

# Words of the manual page's file names that stand for a part that varies.
PLACEHOLDERS = {"XXXXXX": "[A-Za-z0-9]{6}", "UID": r"\d+", "PID": r"\d+", "CHANNEL": "[^/]+", "TITLE": "[^/]+",
                "*": "[^/]*"}


# --- the manual page's FILES section --------------------------------------------------------------

def roff_words(line):
    """The words of a font macro line (.I, .IR, .RI), with their font: [(italic, text), ...]."""
    macro, _, rest = line.partition(" ")
    fonts = {".I": "I", ".IR": "IR", ".RI": "RI", ".B": "B", ".BR": "BR", ".RB": "RB"}.get(macro)
    if not fonts:
        return []
    words = shlex.split(rest.replace("\\-", "-").replace("\\(dq", ""))
    if len(fonts) == 1:
        words = [" ".join(words)]
    return [(fonts[i % len(fonts)] == "I", w) for i, w in enumerate(words)]


def to_regex(name, folders):
    for var, value in folders.items():
        name = name.replace("$" + var, value)
    out = ""
    for part in re.split(r"(XXXXXX|\bUID\b|\bPID\b|\bCHANNEL\b|\bTITLE\b|\*)", name):
        out += PLACEHOLDERS.get(part, re.escape(part))
    return out


def named_paths(folders):
    """The FILES section as ([(entry regex, is folder, [child regexes], [regexes of the folders on its
    way])], [temporary name regexes]): an entry is an italic name that starts with a folder's variable;
    an italic name without a folder is a file beside (or in) the entry before it; one before the first
    entry that holds NAME is how any of the files is named for a moment (NAME the file's own name)."""
    with open(MAN_PAGE, encoding="utf-8") as f:
        lines = f.read().splitlines()
    start = lines.index(".SH FILES")
    end = next(i for i in range(start + 1, len(lines)) if lines[i].startswith(".SH "))
    entries, temporaries = [], []
    for line in lines[start + 1:end]:
        for italic, word in roff_words(line):
            if not italic:
                continue
            if word.startswith("$"):
                entries.append([word, word.endswith("/"), []])
            elif not entries and "NAME" in word:
                temporaries.append("(.+)".join(to_regex(part, folders) for part in word.split("NAME")))
            elif entries and not word.startswith("~") and "/" not in word:
                entries[-1][2].append(word)
    assert entries, "no files in the manual page"
    result = []
    for path, is_folder, children in entries:
        base = path if is_folder else os.path.dirname(path) + "/"
        parts = path.rstrip("/").split("/")
        on_the_way = [to_regex("/".join(parts[:n]), folders) for n in range(1, len(parts))]
        result.append((to_regex(path.rstrip("/"), folders), is_folder,
                       [to_regex(base + child, folders) for child in children], on_the_way))
    return result, temporaries


def is_named(path, is_dir, entries):
    for regex, is_folder, children, on_the_way in entries:
        if re.fullmatch(regex, path):
            return True
        # The folders on the way to a named file or folder are named with it.
        if is_dir and any(re.fullmatch(d, path) for d in on_the_way):
            return True
        if is_folder and re.match(regex + "/", path):
            # Anything in a folder the page describes as a whole; only the named ones in one whose
            # files it lists.
            if not children or any(re.fullmatch(c, path) or re.match(c + "/", path) for c in children):
                return True
        if not is_folder and any(re.fullmatch(c, path) for c in children):
            return True
    return False


def unnamed(paths, named):
    """Those of the paths (files and folders that appeared: {path: is a folder}) that no entry names."""
    entries, temporaries = named
    out = []
    for path, is_dir in sorted(paths.items()):
        if is_named(path, is_dir, entries):
            continue
        if not is_dir and any((m := re.fullmatch(t, path)) and is_named(m.group(1), False, entries)
                              for t in temporaries):
            continue
        out.append(path + ("/" if is_dir else ""))
    return out


# --- inotify, through the C library ---------------------------------------------------------------

IN_MOVED_TO, IN_CREATE, IN_ISDIR, IN_NONBLOCK, IN_CLOEXEC = 0x80, 0x100, 0x40000000, 0o4000, 0o2000000
EVENT_HEADER = struct.calcsize("iIII")  # struct inotify_event before its name


class FolderWatch:
    """Every file and folder made or moved in below the roots while it runs: {path: is a folder}. What
    is there at the start does not count; a folder made later is watched at once, and what it holds
    by then counts too."""

    def __init__(self, roots):
        self.libc = ctypes.CDLL(None, use_errno=True)
        self.fd = self.libc.inotify_init1(IN_NONBLOCK | IN_CLOEXEC)
        assert self.fd >= 0, "inotify: %s" % os.strerror(ctypes.get_errno())
        self.folders = {}
        self.seen = {}
        self.lock = threading.Lock()
        self.stop_pipe = os.pipe()
        for root in roots:
            self._watch(root, existing=True)
        self.thread = threading.Thread(target=self._run, daemon=True)
        self.thread.start()

    def _watch(self, folder, existing):
        wd = self.libc.inotify_add_watch(self.fd, os.fsencode(folder), IN_CREATE | IN_MOVED_TO)
        if wd < 0:
            return  # gone again
        self.folders[wd] = folder
        try:
            names = os.listdir(folder)
        except OSError:
            return
        for name in names:
            path = os.path.join(folder, name)
            is_dir = os.path.isdir(path) and not os.path.islink(path)
            if not existing:
                with self.lock:
                    self.seen[path] = is_dir
            if is_dir:
                self._watch(path, existing)

    def _run(self):
        while True:
            ready, _, _ = select.select([self.fd, self.stop_pipe[0]], [], [])
            if self.stop_pipe[0] in ready:
                self._drain()
                return
            self._drain()

    def _drain(self):
        while True:
            try:
                data = os.read(self.fd, 65536)
            except BlockingIOError:
                return
            offset = 0
            while offset < len(data):
                wd, mask, _, length = struct.unpack_from("iIII", data, offset)
                name = data[offset + EVENT_HEADER:offset + EVENT_HEADER + length].rstrip(b"\0")
                offset += EVENT_HEADER + length
                folder = self.folders.get(wd)
                if folder is None or not name:
                    continue
                path = os.path.join(folder, os.fsdecode(name))
                is_dir = bool(mask & IN_ISDIR)
                with self.lock:
                    self.seen[path] = is_dir
                if is_dir:
                    self._watch(path, existing=False)

    def close(self):
        os.write(self.stop_pipe[1], b"x")
        self.thread.join(10)
        os.close(self.fd)
        with self.lock:
            return dict(self.seen)


# --- the session ----------------------------------------------------------------------------------

def test_every_file_written_is_named_in_the_manual_page():
    music = music_folder()
    env = os.environ
    folders = {"XDG_CONFIG_HOME": env["XDG_CONFIG_HOME"], "XDG_DATA_HOME": env["XDG_DATA_HOME"],
               "XDG_CACHE_HOME": env["XDG_CACHE_HOME"], "XDG_RUNTIME_DIR": env["XDG_RUNTIME_DIR"],
               "XDG_MUSIC_DIR": music, "TMPDIR": env["TMPDIR"]}
    entries = named_paths(folders)
    for folder in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"):
        os.makedirs(folders[folder], exist_ok=True)
    with PlayerWorld() as world:
        entries_json = [{"name": "Tone Three FM", "url": world.ice.url("/three"), "tags": "tone",
                         "favicon": "/favicons/logo-2.png"}]
        with FakeDirectory(world.root, entries_json) as directory:
            server = world.http.base_url()
            rig_app.write_settings({
                "Servers": {"ChannelListServer": server, "BannerServer": server, "StationDirectory": directory.base},
                "Settings": rig_app.settings_values({}, {})})
            # The runtime folder holds the sound server's socket, the test's own, and the accessibility
            # bus that the test reads the window through: on a desktop that bus is the session's, and
            # here it is up before the program starts. Only what appears from here on is the program's.
            player_a11y.Accessibility().application()
            watch = FolderWatch([folders[f] for f in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                                      "XDG_RUNTIME_DIR", "XDG_MUSIC_DIR")])
            try:
                run_session(world, music)
            finally:
                seen = watch.close()

    # Not a vacuous walk: the session made the files it was meant to.
    made = {
        "settings": os.path.join(folders["XDG_CONFIG_HOME"], "Palomer", "Vedrix by Palomer.conf"),
        "autostart": os.path.join(folders["XDG_CONFIG_HOME"], "autostart", "vedrix.desktop"),
        "My Stations": os.path.join(folders["XDG_DATA_HOME"], "Sorvana", "MyStations.m3u"),
        "song history": os.path.join(folders["XDG_DATA_HOME"], "Sorvana", "songs.jsonl"),
        "socket": os.path.join(folders["XDG_RUNTIME_DIR"], "vedrix-%d.sock" % os.getuid()),
        "recording": os.path.join(music, "Vedrix", "One - Artist - First.mp3"),
    }
    for what, path in made.items():
        assert path in seen, "the %s (%s) was not written; seen: %s" % (what, path, sorted(seen))
    assert any(re.search(r"/vedrix/listenback/ring-\d+-[0-9a-f]+\.buf$", p) for p in seen), sorted(seen)
    assert any("/favicons/" in p for p in seen), "no logo cached; seen: %s" % sorted(seen)
    for path in sorted(seen):
        print("written:", path + ("/" if seen[path] else ""))
    missing = unnamed(seen, entries)
    assert not missing, "written but not named in the manual page's FILES section:\n  " + "\n  ".join(missing)


def run_session(world, music):
    app = world.app
    world.start()
    world.wait_tone(440)
    # A title: the song history keeps it, Record names its file after it.
    world.ice.set_title("/one", "Artist - First")
    app.wait_for(lambda: "Artist - First" in app.tray_tooltip(), "the title")
    app.tray_click("Record")
    recording = os.path.join(music, "Vedrix", "One - Artist - First.mp3")
    app.wait_for(lambda: os.path.exists(recording) and os.path.getsize(recording) > 8000, "the recording")
    app.tray_click("Record")
    app.wait_for(lambda: "Recording" not in app.tray_tooltip(), "the recording ended")

    # The station directory: its result's logo, and the station added to My Stations.
    ui = world.ui
    world.click_ribbon("My Stations", "Directory...")
    window = ui.wait_for(lambda: directory_window(ui), 20, "the station directory window")
    ui.click(ui.wait_for(lambda: ui.find("Tone Three FM", None, window), 20, "the directory's result"))
    world.click_in(window, "Add to My Stations")
    ui.wait_for(lambda: ui.find('"Tone Three FM" was added to My Stations.', None, window), 20, "the confirmation")
    world.click_in(window, "Close")
    ui.wait_for(lambda: directory_window(ui) is None or not directory_window(ui).showing, 20,
                "the directory window closed")

    # The autostart entry.
    world.click("Settings")
    box = ui.wait_for(lambda: ui.find("Auto Startup with the Desktop", "check box"), 20, "the autostart box")
    ui.click(box)
    autostart = os.path.join(os.environ["XDG_CONFIG_HOME"], "autostart", "vedrix.desktop")
    app.wait_for(lambda: os.path.exists(autostart), "the autostart entry")

    app.tray_click("Exit")
    assert app.wait_exit() == 0, app.log()


if __name__ == "__main__":
    rig_app.run_tests(globals())
