# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The hot keys through the desktop portal, as on Wayland (VEDRIX_HOTKEYS=portal asks for it on the
test's X server): the stored keys are bound once, described by the actions' names; the portal's
Activated plays, moves and stops as the keys would; switching to the Settings page and back asks the
desktop nothing new; a key the user gives an action in the desktop's settings shows on the Settings
page beside its row."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402
import rig_app  # noqa: E402,F401  (makes the system's python3-dbus importable)
import dbus  # noqa: E402

PORTAL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support", "fake_portal.py")
BOUND = "bound hotkey1=CTRL+ALT+p hotkey2=CTRL+ALT+n hotkey3=CTRL+ALT+b hotkey4=CTRL+ALT+s"


class Portal:
    def __init__(self):
        self.proc = subprocess.Popen([sys.executable, PORTAL], stdout=subprocess.PIPE, text=True)
        self.lines = []
        assert self.next_line() == "ready"

    def next_line(self):
        line = self.proc.stdout.readline().strip()
        self.lines.append(line)
        return line

    def wait_line(self, predicate, what):
        while not predicate(self.lines[-1] if self.lines else ""):
            if not self.next_line() and self.proc.poll() is not None:
                raise AssertionError("the portal ended before " + what)

    def test_call(self, method, *args):
        portal = dbus.SessionBus().get_object("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop")
        return portal.get_dbus_method(method, "org.vedrix.test.FakePortal")(*args)

    def stop(self):
        self.proc.terminate()
        self.proc.wait(10)


def expect(world, name):
    world.wait_tone({"One": 440, "Two": 660, "Three": 880}[name])


def main():
    portal = Portal()
    try:
        with PlayerWorld() as world:
            world.write_settings({}, hot_keys=True)
            os.environ["VEDRIX_HOTKEYS"] = "portal"
            world.start()
            expect(world, "One")
            portal.wait_line(lambda line: line == BOUND, "the bind")
            descriptions = {str(k): str(v) for k, v in portal.test_call("Descriptions").items()}
            assert descriptions == {"hotkey1": "Play", "hotkey2": "Play Next Channel",
                                    "hotkey3": "Play Previous Channel", "hotkey4": "Stop"}, descriptions

            portal.test_call("Activate", "hotkey2")
            expect(world, "Two")
            portal.test_call("Activate", "hotkey4")
            world.wait_silence()
            portal.test_call("Activate", "hotkey1")
            expect(world, "Two")

            # The Settings page registers the same keys on its own window: the same set, no new session.
            world.click("Settings")
            world.ui.wait_for(lambda: world.ui.find("Note : Assign System Wide Hot Keys and then Switch to Radio "
                                                    "Tab to use the System Wide Hotkeys."), 20, "the Settings page")
            portal.test_call("Assign", "hotkey2", "CTRL+SHIFT+F5")
            world.ui.wait_for(lambda: world.ui.find("Play Next Channel: the desktop assigned Ctrl+Shift+F5"), 20,
                              "the desktop's key beside the Play Next row")
            portal.wait_line(lambda line: line.startswith("assigned"), "the assignment")
            assert portal.lines.count("closed") == 0 and portal.lines.count(BOUND) == 1, portal.lines
            assert not [line for line in portal.lines if line.startswith("refused")], portal.lines
    finally:
        portal.stop()
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
