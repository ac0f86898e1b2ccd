"""First showing on a fresh settings folder sizes the main window once and records it; the next start
comes back at the size and place the window had."""

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


if __name__ == "__main__":
    run_tests(globals())
