# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The program on a Wayland desktop with no X server at all: weston's headless compositor (tools/testenv
--wayland), Qt's wayland platform, the desktop portal's global shortcuts (the fake one of
tests/support) and a StatusNotifierItem panel (rig_app's watcher).

What the compositor itself reports: its scene graph (weston-debug) lists the main window as a mapped
top-level of the program's process, and its own screenshot (weston-screenshooter) shows a TV
channel's test picture, the colour bars that ffmpeg's testsrc draws. The sound is measured on the
PulseAudio null sink as in the player's tests; the four hot keys are pressed as the desktop would,
by the portal's Activated signal. Without a tray, a hidden start minimises the window once the
compositor has mapped it (the program's own requests, WAYLAND_DEBUG), and a window the program
minimised comes back with a second start, although a Wayland client cannot unminimise its window."""

import os
import re
import subprocess
import sys
import tempfile
import threading

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import player_a11y  # noqa: E402
from player_world import HOT_KEYS, PlayerWorld  # noqa: E402
import rig_app  # noqa: E402
from rig_app import TITLE, run_tests, wait_for  # noqa: E402

FAKE_PORTAL = os.path.join(os.environ.get("VEDRIX_SOURCE", os.path.join(os.path.dirname(__file__), "..", "..")),
                           "tests", "support", "fake_portal.py")
# testsrc's bars: each of them covers a good part of the picture, none of them is in the program's own colours.
BARS = {"red": (255, 0, 0), "green": (0, 255, 0), "blue": (0, 0, 255), "yellow": (255, 255, 0),
        "magenta": (255, 0, 255), "cyan": (0, 255, 255)}


class FakePortal:
    """tests/support/fake_portal.py on the test's bus; its output lines are collected as they come."""

    def __init__(self):
        self.lines = []
        self.proc = subprocess.Popen([sys.executable, FAKE_PORTAL], stdout=subprocess.PIPE, text=True)
        if self.proc.stdout.readline().strip() != "ready":
            raise RuntimeError("the fake portal did not start")
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.proc.stdout:
            self.lines.append(line.strip())

    def bound(self):
        """The shortcuts of the last bind as {id: trigger}."""
        binds = [line for line in self.lines if line.startswith("bound ")]
        return dict(item.split("=", 1) for item in binds[-1].split()[1:]) if binds else {}

    def activate(self, shortcut_id):
        import dbus
        portal = dbus.SessionBus().get_object("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop")
        portal.Activate(shortcut_id, dbus_interface="org.vedrix.test.FakePortal")

    def stop(self):
        self.proc.terminate()
        self.proc.wait(10)


def scene_graph():
    return subprocess.run(["weston-debug", "scene-graph"], capture_output=True, text=True, timeout=30).stdout


def toplevels(pid):
    """The compositor's mapped top-level windows of that process: [(title, x, y, width, height)]."""
    found = []
    pattern = re.compile(r"role xdg_toplevel, PID %d, .*top-level window '(.*)' of [^\n]*\n\s*position: "
                         r"\((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\)" % pid)
    for m in pattern.finditer(scene_graph()):
        x, y, right, bottom = (int(v) for v in m.groups()[1:])
        found.append((m.group(1), x, y, right - x, bottom - y))
    return found


def main_window(pid):
    """The main window as a mapped top-level (x, y, width, height included), or None. The channel
    list's download dialog, when it is up, has the same title and is much smaller."""
    windows = [t for t in toplevels(pid) if t[0] == TITLE and t[3] >= 400 and t[4] >= 300]
    return max(windows, key=lambda t: t[3] * t[4]) if windows else None


def screenshot():
    """The compositor's output as (width, height, RGB bytes), through its screenshot protocol."""
    folder = tempfile.mkdtemp(prefix="shot.", dir=os.environ.get("TMPDIR"))
    subprocess.run(["weston-screenshooter"], cwd=folder, check=True, timeout=30, capture_output=True)
    png = os.path.join(folder, next(name for name in os.listdir(folder) if name.endswith(".png")))
    size = subprocess.run(["identify", "-format", "%w %h", png], capture_output=True, text=True, check=True).stdout
    data = subprocess.run(["convert", png, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    width, height = (int(v) for v in size.split())
    return png, width, height, data


def bar_pixels(shot, area):
    """How many pixels inside area (x, y, width, height) show each of testsrc's bar colours."""
    _png, width, _height, data = shot
    x0, y0, w, h = area
    counts = dict.fromkeys(BARS, 0)
    for y in range(max(0, y0), y0 + h):
        row = data[(y * width + max(0, x0)) * 3:(y * width + x0 + w) * 3]
        for i in range(0, len(row) - 2, 3):
            r, g, b = row[i], row[i + 1], row[i + 2]
            for name, (br, bg, bb) in BARS.items():
                if abs(r - br) < 40 and abs(g - bg) < 40 and abs(b - bb) < 40:
                    counts[name] += 1
                    break
    return counts


def test_window_sound_picture_tray_and_portal_shortcuts_on_wayland():
    assert os.environ.get("QT_QPA_PLATFORM") == "wayland" and "DISPLAY" not in os.environ, \
        "run under tools/testenv --wayland --dbus"
    portal = FakePortal()
    try:
        with PlayerWorld(tv=True) as world:
            world.write_settings({"DisplayTVChannels": "1"}, hot_keys=True)
            # Where an X11 session left the window.
            sections = rig_app.read_settings()
            sections["Workspace"] = {"MainWindowLeft": 70, "MainWindowTop": 50, "MainWindowWidth": 1000,
                                     "MainWindowHeight": 700}
            rig_app.write_settings(sections)
            # Hidden in the tray: it waits for the icon, the item registered with the StatusNotifierWatcher.
            world.start((":silent",))
            app = world.app
            pid = app.proc.pid
            assert app.tray_tooltip().startswith(TITLE), app.tray_tooltip()
            assert [e for e in app.tray_menu() if e["label"] == "Play Next Channel"], app.tray_menu()
            with open("/proc/%d/maps" % pid) as f:
                maps = f.read()
            assert "libQt6WaylandClient" in maps and "libqxcb" not in maps, "not on Qt's wayland platform"
            assert main_window(pid) is None, toplevels(pid)

            # A second start shows the window: the compositor maps it as a top-level of the program's.
            assert world.run_second(()) == 0
            wait_for(lambda: main_window(pid), "the main window mapped")

            world.wait_tone(440)

            # The desktop holds the four hot keys, as stored: Ctrl+Alt with P, N, B, S.
            keys = {action: key for action, (key, _vk) in HOT_KEYS.items()}
            wait_for(lambda: sorted(t.upper() for t in portal.bound().values()) ==
                     sorted("CTRL+ALT+" + k.upper() for k in keys.values()), "the four shortcuts bound")
            ids = {action: next(i for i, t in portal.bound().items() if t.upper() == "CTRL+ALT+" + key.upper())
                   for action, key in keys.items()}

            # Play Previous from the first row wraps to the last one: the TV channel, sound and picture.
            portal.activate(ids["Play Prev"])
            world.wait_tone(1000, timeout=60)
            window = wait_for(lambda: main_window(pid), "the main window mapped")
            shot = None

            def picture_shown():
                nonlocal shot
                shot = screenshot()
                counts = bar_pixels(shot, window[1:])
                return all(n >= 400 for n in counts.values()) and counts
            try:
                counts = wait_for(picture_shown, "the test picture on the screen")
            except AssertionError:
                raise AssertionError("no test picture in %s (bars %s), window %s" % (
                    shot[0] if shot else None, bar_pixels(shot, window[1:]) if shot else None, window))
            print("picture on the compositor's screen: %s (bar pixels %s)" % (shot[0], counts), flush=True)

            portal.activate(ids["Play Next"])
            world.wait_tone(440)
            portal.activate(ids["Stop"])
            world.wait_silence()
            portal.activate(ids["Play"])
            world.wait_tone(440)

            # The size is stored (the program fits it to its views as on X11); the position, which a Wayland
            # client never learns, stays as X11 stored it.
            app.bus().get_object(rig_app.MPRIS_NAME, rig_app.MPRIS_PATH, introspect=False).Quit(
                dbus_interface="org.mpris.MediaPlayer2")
            assert app.wait_exit() == 0
            workspace = rig_app.read_settings()["Workspace"]
            assert (workspace["MainWindowLeft"], workspace["MainWindowTop"]) == ("70", "50"), workspace
            assert int(workspace["MainWindowWidth"]) >= 400 and int(workspace["MainWindowHeight"]) >= 300, workspace
    finally:
        portal.stop()


def minimise_requests(log_path):
    """The program's set_minimized requests in its Wayland log (WAYLAND_DEBUG=client), in order: for
    each, whether its window had acknowledged a configure of the compositor's (was mapped) before."""
    surfaces, configured, requests = {}, set(), []
    with open(log_path, errors="replace") as f:
        for line in f:
            m = re.search(r"-> (xdg_surface@\d+)\.get_toplevel\(new id (xdg_toplevel@\d+)\)", line)
            if m:
                surfaces[m.group(2)] = m.group(1)
                configured.discard(m.group(1))
                continue
            m = re.search(r"-> (xdg_surface@\d+)\.ack_configure\(", line)
            if m:
                configured.add(m.group(1))
                continue
            m = re.search(r"-> (xdg_toplevel@\d+)\.set_minimized\(\)", line)
            if m:
                requests.append(surfaces.get(m.group(1)) in configured)
    return requests


def test_without_a_tray_the_window_minimises_and_comes_back_on_a_second_start():
    # A compositor minimises only a window it has mapped, and a client can neither take its window out of
    # the minimised state nor learn that it is in it: the program asks once the window is configured, and
    # maps the window afresh to show it again.
    os.environ.update(player_a11y.ENV)
    with rig_app.App(settings={"Settings": {"LastCategory": 0}}, tray=False) as app:
        # The program's own requests to the compositor go to its log.
        os.environ["WAYLAND_DEBUG"] = "client"
        try:
            app.start(":silent")
        finally:
            del os.environ["WAYLAND_DEBUG"]
        pid = app.proc.pid
        requests = wait_for(lambda: minimise_requests(app.log_path), "the hidden start to minimise the window")
        assert requests[0], "set_minimized before the window was configured: the compositor shows it"
        wait_for(lambda: main_window(pid) is None, "the window minimised")
        assert app.run_second() == 0
        wait_for(lambda: main_window(pid), "the window back after a second start")

        ui = player_a11y.Accessibility()
        hide = ui.wait_for(lambda: ui.find("Hide to System Tray", "push button"), 30, "Hide to System Tray")
        # The button's action, as a screen reader presses it (there is no pointer on this compositor).
        hide._obj.DoAction(0, dbus_interface="org.a11y.atspi.Action")
        wait_for(lambda: main_window(pid) is None, "the window minimised")
        assert app.run_second() == 0
        wait_for(lambda: main_window(pid), "the window back after a second start")

if __name__ == "__main__":
    run_tests(globals())
