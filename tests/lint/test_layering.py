# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The layers that the build promises: the folders are layers, each including only the folders below it
(FOLDER_ORDER, bottom first; folders on one rung include none of each other); platform code stands for the operating system and knows nothing
of the application's frame or shell; the core library (the sources CMakeLists.txt lists for it) needs
no widgets and no X11, and includes nothing of the GUI library; only the web module (loaded when the
first page is shown) includes the web engine. A forbidden include fails here, with the file and line."""

import os
import re
import sys
import unittest

ROOT = os.environ.get("VEDRIX_SOURCE") or os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SRC = os.path.join(ROOT, "src")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
# Headers of QtWidgets, QtGui windows, OpenGL, the web engine, mpv's renderer and X11.
WEB_ENGINE_HEADER = re.compile(r"^(QtWebEngine\w*/|QWebEngine\w*\b)")
GUI_HEADER = re.compile(r"^(QtWidgets/|QtGui/|QtOpenGL|QtWebEngine|X11/|xcb/|mpv/render|"
                        r"Q(Application|Widget|Dialog|MainWindow|MessageBox|Label|PushButton|Menu|Action|"
                        r"SystemTrayIcon|Painter|Pixmap|Image|Icon|GuiApplication|Window|OpenGL\w*|"
                        r"WebEngine\w*|Screen|Cursor|KeyEvent|MouseEvent|AbstractButton|CheckBox|"
                        r"ToolButton|TableView|Layout|\w*Layout|LineEdit|ComboBox|FileDialog)\b)")


# Bottom first. A folder may include its own files and those of folders on lower rungs only.
FOLDER_ORDER = [
    ["base"],                          # ids, settings keys and store, texts, server addresses, logging
    ["platform"],                      # what stands in for the operating system's services
    ["catalogue"],                     # the channel list: records, pooled storage, the table model
    ["stations"],                      # My Stations, playlists, the station directory, public sources
    ["listenback"],                    # the rewind buffer: a live stream's bytes in a ring on disk
    ["download", "playback"],          # the list transfer; the playback engine and service
    ["context"],                       # what the whole program shares (application context)
    ["ribbon", "web", "hotkeys"],      # windows that need no other window
    ["stationwindows"],                # My Stations' and the directory's windows
    ["player"],                        # the player page
    ["frame"],                         # the main window, tray, MPRIS
    ["app"],                           # the application object and main()
]
RUNG = {folder: i for i, rung in enumerate(FOLDER_ORDER) for folder in rung}


def source_list(name):
    with open(os.path.join(ROOT, "CMakeLists.txt")) as f:
        text = f.read()
    block = re.search(r"set\(%s\s+(.*?)\)" % name, text, re.S).group(1)
    return [w for w in block.split() if not w.startswith("#")]


def includes(path):
    with open(os.path.join(SRC, path), errors="replace") as f:
        text = f.read()
    for m in INCLUDE.finditer(text):
        yield text.count("\n", 0, m.start()) + 1, m.group(1), m.group(2)


class Layering(unittest.TestCase):
    def test_folders_include_only_lower_folders(self):
        bad, unknown = [], set()
        for folder, _, files in os.walk(SRC):
            for name in files:
                path = os.path.relpath(os.path.join(folder, name), SRC)
                own = path.split("/")[0]
                if own not in RUNG:
                    unknown.add(own)
                    continue
                for line, kind, header in includes(path):
                    target = header.split("/")[0]
                    if kind != '"' or target == own or "/" not in header:
                        continue
                    if target not in RUNG:
                        unknown.add(target)
                    elif RUNG[target] >= RUNG[own]:
                        bad.append("%s:%d includes %s" % (path, line, header))
        self.assertEqual(sorted(unknown), [], "folders missing from FOLDER_ORDER")
        self.assertEqual(bad, [])

    def test_core_needs_no_widgets_or_x11(self):
        core = set(source_list("VEDRIX_CORE_SOURCES"))
        gui = set(source_list("VEDRIX_GUI_SOURCES"))
        self.assertTrue(core and gui)
        bad = []
        for path in sorted(core):
            for line, kind, header in includes(path):
                if kind == "<" and GUI_HEADER.match(header):
                    bad.append("%s:%d includes <%s>" % (path, line, header))
                if kind == '"' and header in gui:
                    bad.append("%s:%d includes the GUI library's %s" % (path, line, header))
        self.assertEqual(bad, [])

    def test_only_the_web_module_includes_the_web_engine(self):
        web = set(source_list("VEDRIX_WEB_SOURCES"))
        self.assertTrue(web)
        bad = []
        for path in sorted(set(source_list("VEDRIX_CORE_SOURCES") + source_list("VEDRIX_GUI_SOURCES")) | {"app/main.cpp"}):
            for line, kind, header in includes(path):
                if kind == "<" and WEB_ENGINE_HEADER.match(header):
                    bad.append("%s:%d includes <%s>" % (path, line, header))
                if kind == '"' and header in web:
                    bad.append("%s:%d includes the web module's %s" % (path, line, header))
        self.assertEqual(bad, [])

    def test_every_source_is_listed_once(self):
        core, gui = source_list("VEDRIX_CORE_SOURCES"), source_list("VEDRIX_GUI_SOURCES")
        listed = core + gui + source_list("VEDRIX_WEB_SOURCES")
        self.assertEqual(sorted(p for p in set(listed) if listed.count(p) > 1), [])
        on_disk = []
        for folder, _, files in os.walk(SRC):
            for name in files:
                path = os.path.relpath(os.path.join(folder, name), SRC)
                if path != "app/main.cpp" and name.endswith((".cpp", ".h")):
                    on_disk.append(path)
        self.assertEqual(sorted(set(on_disk) - set(listed)), [])


if __name__ == "__main__":
    result = unittest.main(exit=False, verbosity=2).result
    failed = len(result.failures) + len(result.errors)
    print("%d passed, %d failed" % (result.testsRun - failed, failed))
    sys.exit(1 if failed else 0)
