# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The tray icon and the hiding main window of the real program, driven as a desktop panel drives it."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from rig_app import App, TITLE, run_tests, wait_for  # noqa: E402

# The settings view needs no network; the shell is the same whatever view is open.
SETTINGS = {"Settings": {"LastCategory": 1}}


def test_menu_tooltip_show_hide_exit():
    with App(settings=SETTINGS) as app:
        app.start_and_wait_ready()
        wait_for(app.window_shown, "the window")

        entries = app.tray_menu()
        labels = ["-" if e["separator"] else e["label"] for e in entries]
        assert labels == ["Exit", "-", "Customize Menu...", "Show", "-", "Stop", "Play",
                          "Play Previous Channel", "Play Next Channel", "Record", "Pause", "Save Song", "-",
                          "Sleep Timer", "Recent Songs"], labels
        enabled = {e["label"]: e["enabled"] for e in entries if not e["separator"]}
        # The playback entries belong to the player view, which is not the open one.
        assert enabled["Exit"] and enabled["Show"], enabled
        assert not enabled["Play"] and not enabled["Stop"] and not enabled["Record"], enabled
        assert not enabled["Pause"] and not enabled["Save Song"], enabled

        # Nothing has set a status yet: the title alone (the settings view sets none).
        assert app.tray_tooltip() == TITLE, app.tray_tooltip()

        # The close box, Alt+F4 and the tray: the window hides, the program stays.
        app.close_window()
        wait_for(lambda: not app.window_shown(), "the window to hide")
        assert app.running()
        app.tray_click("Show")
        wait_for(app.window_shown, "Show to bring the window back")
        app.press_keys("alt+F4")
        wait_for(lambda: not app.window_shown(), "Alt+F4 to hide the window")
        assert app.running()
        app.tray_activate()
        wait_for(app.window_shown, "a click on the icon to bring the window back")

        app.tray_click("Customize Menu...")
        app.tray_click("Play")  # no handler on the path: nothing happens
        assert app.running() and app.window_shown()

        app.tray_click("Exit")
        assert app.wait_exit() == 0
        assert app.tray_item() is None


def test_silent_start_stays_hidden_with_its_tray_icon():
    with App(settings=SETTINGS) as app:
        app.start_and_wait_ready(":silent")
        # The first view is open by now (it opens behind the scenes); the window was never shown.
        wait_for(lambda: app.tray_menu(), "the tray menu")
        assert not app.window_shown()
        assert app.main_window() is None or not app.window_shown()
        app.tray_activate()
        wait_for(app.window_shown, "the tray to show the window")
        app.tray_click("Exit")
        assert app.wait_exit() == 0


if __name__ == "__main__":
    run_tests(globals())
