# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""First showing on a fresh settings folder sizes the main window once and records it; the next start
comes back at the size and place the window had. A first start hidden in the tray sizes the window
when it is first shown, to the size a shown first start gives."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from rig_app import App, read_settings, run_tests, wait_for  # noqa: E402


def size_of(app):
    window = wait_for(app.main_window, "the main window")
    return app.window_geometry(window)[2:]


def test_sized_once_then_kept():
    # Only the start category is set: the settings view needs no network.
    with App(settings={"Settings": {"LastCategory": 1}}) as app:
        app.start_and_wait_ready()
        wait_for(app.window_shown, "the window")
        wait_for(lambda: read_settings().get("Settings", {}).get("CRadioSettingsView") == "1",
                 "the first-showing flag")
        first = size_of(app)
        app.tray_click("Exit")
        assert app.wait_exit() == 0
        workspace = read_settings().get("Workspace", {})
        assert (int(workspace["MainWindowWidth"]), int(workspace["MainWindowHeight"])) == first, (workspace, first)

        # As if the user had made the window larger before leaving: that size must come back, not the
        # fitted one.
        from rig_app import write_settings
        stored = read_settings()
        wanted = (first[0] + 120, first[1] + 80)
        stored["Workspace"]["MainWindowWidth"], stored["Workspace"]["MainWindowHeight"] = wanted
        write_settings(stored)

        app.start_and_wait_ready()
        wait_for(app.window_shown, "the window again")
        assert size_of(app) == wanted, (size_of(app), wanted)
        assert read_settings()["Settings"]["CRadioSettingsView"] == "1"
        app.tray_click("Exit")
        assert app.wait_exit() == 0


def first_size(*args):
    """The main window's size after a first start with args on a fresh settings folder, once shown."""
    from rig_app import write_settings
    write_settings({"Settings": {"LastCategory": 0}, "Servers": {"ChannelListServer": "http://127.0.0.1:9",
                                                                 "BannerServer": "http://127.0.0.1:9"}})
    with App() as app:
        app.start_and_wait_ready(*args)
        if args:
            # Hidden: nothing is sized until the window is first shown.
            wait_for(lambda: app.tray_menu(), "the tray menu")
            assert read_settings().get("Settings", {}).get("CSorvanaView") is None
            assert app.run_second() == 0  # brings the hidden window up
        wait_for(app.window_shown, "the window")
        wait_for(lambda: read_settings().get("Settings", {}).get("CSorvanaView") == "1", "the first-showing flag")
        size = size_of(app)
        app.tray_click("Exit")
        assert app.wait_exit() == 0
    return size


def test_hidden_first_start_sizes_as_a_shown_one():
    shown = first_size()
    hidden = first_size("5")
    assert hidden == shown, (hidden, shown)


if __name__ == "__main__":
    run_tests(globals())
