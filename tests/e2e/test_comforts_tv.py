# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A TV channel's picture keeps the screen saver away while it plays in the shown window (the
desktop's org.freedesktop.ScreenSaver hears Inhibit, and UnInhibit with the same cookie on Stop), and
F11 shows the picture full screen in a window of its own, which Escape closes again."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from mpris_desktop import Desktop  # noqa: E402
from player_world import PlayerWorld  # noqa: E402
from rig_app import run_tests  # noqa: E402


def full_screen_windows(app):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(app.proc.pid), "--name", "."],
                         capture_output=True, text=True).stdout.split()
    found = []
    for window in out:
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], capture_output=True,
                                  text=True).stdout
        values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
        if values.get("X") == "0" and values.get("Y") == "0" and values.get("WIDTH") == screen_width():
            found.append(window)
    return found


def all_windows(app):
    out = subprocess.run(["xdotool", "search", "--pid", str(app.proc.pid), "--name", "."],
                         capture_output=True, text=True).stdout.split()
    return [(w, subprocess.run(["xdotool", "getwindowname", w], capture_output=True, text=True).stdout.strip(),
             subprocess.run(["xdotool", "getwindowgeometry", "--shell", w], capture_output=True,
                            text=True).stdout.split()) for w in out]


def screen_width():
    out = subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True, text=True).stdout.split()
    return out[0] if out else ""


def test_picture_inhibits_the_screen_saver_and_goes_full_screen():
    with Desktop() as desktop, PlayerWorld(tv=True) as world:
        world.write_settings({"DisplayTVChannels": "1"})
        world.start()
        app = world.app
        world.wait_tone(440)
        # Sound alone does not keep the screen saver away.
        assert desktop.screensaver_calls() == [], desktop.screensaver_calls()

        world.ui.wait_for(lambda: "Test TV" in world.names(), 60, "the TV channel in the list")
        world.click_channel("Test TV")
        world.wait_tone(1000, timeout=60)
        app.wait_for(lambda: len(desktop.screensaver_inhibited()) == 1, "Inhibit while the picture plays")
        cookie = desktop.screensaver_inhibited()[0]

        app.press_keys("F11")
        try:
            app.wait_for(lambda: full_screen_windows(app), "the picture full screen")
        except AssertionError:
            raise AssertionError("no full-screen window (screen width %s): %s" % (screen_width(), all_windows(app)))
        world.wait_tone(1000)
        assert desktop.screensaver_inhibited() == [cookie], desktop.screensaver_calls()
        subprocess.run(["xdotool", "key", "Escape"], check=True)
        app.wait_for(lambda: not full_screen_windows(app), "the full-screen window gone")

        app.tray_click("Stop")
        world.wait_silence()
        app.wait_for(lambda: desktop.screensaver_inhibited() == [], "UnInhibit on Stop")
        assert ["UnInhibit", cookie] in desktop.screensaver_calls(), desktop.screensaver_calls()


if __name__ == "__main__":
    run_tests(globals())
