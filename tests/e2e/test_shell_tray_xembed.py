# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The tray icon in an XEmbed tray (trayer on the test display, no StatusNotifierItem host on the bus),
clicked with the mouse: a single left click leaves the hidden window hidden, a double click brings it
back."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from rig_app import App, run_tests, wait_for  # noqa: E402

SETTINGS = {"Settings": {"LastCategory": 1}}


def tray_manager_running():
    from Xlib import display
    d = display.Display()
    try:
        owner = d.get_selection_owner(d.intern_atom("_NET_SYSTEM_TRAY_S0"))
        return owner != 0 and getattr(owner, "id", owner) != 0
    finally:
        d.close()


def icon_window(app):
    """(x, y, width, height) of the program's icon embedded in the tray: a small viewable window of the
    program's class."""
    if not app.running():
        return None
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", "vedrix"],
                         capture_output=True, text=True).stdout
    for w in (int(x) for x in out.split()):
        geometry = app.window_geometry(w)
        if geometry and geometry[0] >= 0 and geometry[1] >= 0 and 8 <= geometry[2] <= 64 and 8 <= geometry[3] <= 64:
            return geometry
    return None


def window_shown(app):
    """Whether the main window is shown; the icon's own window carries the application title too."""
    for w in app._search("--onlyvisible"):
        geometry = app.window_geometry(w)
        if geometry and geometry[2] > 64 and geometry[3] > 64:
            return True
    return False


def other_window_shown(app):
    """Whether a window of the program besides its icon is shown (the icon's menu, the main window)."""
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(app.proc.pid)],
                         capture_output=True, text=True).stdout
    icon = icon_window(app)
    return any(app.window_geometry(int(w)) != icon for w in out.split())


def click_icon(app, repeat):
    x, y, width, height = wait_for(lambda: icon_window(app), "the icon in the tray")
    subprocess.run(["xdotool", "mousemove", "--sync", str(x + width // 2), str(y + height // 2)], check=True)
    subprocess.run(["xdotool", "click", "--repeat", str(repeat), "--delay", "80", "1"], check=True)


def test_single_click_does_nothing_double_click_restores():
    tray = subprocess.Popen(["trayer", "--edge", "top", "--align", "left", "--widthtype", "pixel", "--width", "120",
                             "--heighttype", "pixel", "--height", "32", "--SetDockType", "false"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wait_for(tray_manager_running, "trayer to take the tray")
        with App(settings=SETTINGS, status_notifier=False) as app:
            app.start(":silent")
            wait_for(lambda: icon_window(app), "the icon in the tray")
            assert not window_shown(app)

            click_icon(app, 1)
            # The program handles its events in order, and the window would be shown in the handling
            # of the click: once a right click's menu is up, the left click has had its effect.
            subprocess.run(["xdotool", "click", "3"], check=True)
            wait_for(lambda: other_window_shown(app), "the icon's menu after a right click")
            subprocess.run(["xdotool", "key", "Escape"], check=True)
            # Only the menu goes: a window that the single click showed would stay.
            wait_for(lambda: not other_window_shown(app), "the menu closed and no window shown by the single click")
            assert not window_shown(app), "a single click showed the window"
            assert app.running()

            click_icon(app, 2)
            wait_for(lambda: window_shown(app), "a double click to bring the window back")
    finally:
        tray.terminate()
        tray.wait(10)


if __name__ == "__main__":
    run_tests(globals())
