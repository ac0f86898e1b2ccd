"""The real program on a desktop without a notification area (no StatusNotifierWatcher with a host):
the close box and a hidden start must not leave the window out of reach."""

import os
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
