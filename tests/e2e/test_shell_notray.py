# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The real program on a desktop without a notification area (no StatusNotifierWatcher with a host):
the close box and a hidden start must not leave the window out of reach."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from rig_app import App, run_tests, wait_for  # noqa: E402

SETTINGS = {"Settings": {"LastCategory": 1}}


def test_close_box_minimises_and_a_second_start_restores_the_window():
    with App(settings=SETTINGS, tray=False) as app:
        app.start_and_wait_ready()
        wait_for(app.window_shown, "the window")
        assert not app.initial_state_iconic()
        app.close_window()
        wait_for(app.initial_state_iconic, "the close box to minimise the window")
        # Minimised, not hidden: the program has not unmapped its window (no window manager here
        # iconifies it).
        assert app.running() and app.window_shown()
        assert app.run_second() == 0
        wait_for(lambda: not app.initial_state_iconic(), "a second start to restore the window")
        app.kill()


def minimised(app):
    """Whether the main window asks the window manager to be minimised: Qt marks a window minimised
    before its first mapping with _NET_WM_STATE_HIDDEN, a mapped one with the iconic WM_HINTS."""
    out = subprocess.run(["xprop", "-id", str(app.main_window()), "_NET_WM_STATE"], capture_output=True,
                         text=True).stdout
    return "_NET_WM_STATE_HIDDEN" in out or app.initial_state_iconic()


def has_focus(app):
    """Whether the keyboard focus is in the main window. Without a window manager, Qt's activation
    of a window sets the focus itself."""
    out = subprocess.run(["xdotool", "getwindowfocus"], capture_output=True, text=True).stdout.strip()
    return out == str(app.main_window())


def test_silent_start_minimises_and_a_start_from_the_menu_shows_the_window():
    with App(settings=SETTINGS, tray=False) as app:
        app.start_and_wait_ready(":silent")
        # With no tray to hide in, the hidden start leaves the window minimised, not hidden: mapped,
        # so that a task bar lists it.
        wait_for(lambda: minimised(app), "the silent start to minimise the window")
        assert app.window_shown() and not has_focus(app)
        # The desktop entry starts the program without arguments; the running one shows its window.
        assert app.run_second() == 0
        wait_for(lambda: has_focus(app), "a second start to show and activate the window")
        assert app.running() and app.window_shown() and not app.initial_state_iconic()
        app.kill()


def test_a_tray_that_comes_later_takes_the_window_again():
    with App(settings=SETTINGS, tray=False) as app:
        app.start_and_wait_ready()
        wait_for(app.window_shown, "the window")
        app.start_tray_host()
        wait_for(app.tray_item, "the icon to appear in the tray that came later")
        app.close_window()
        wait_for(lambda: not app.window_shown(), "the close box to hide the window into the tray")
        app.tray_click("Show")
        wait_for(app.window_shown, "the tray's Show to bring the window back")
        app.tray_click("Exit")
        assert app.wait_exit() == 0


if __name__ == "__main__":
    run_tests(globals())
