# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The real program in the user's language: in a German session (LANG=de_DE.UTF-8, LANGUAGE=de) a
screen reader reads the German labels of the ribbon's tabs and check boxes and the tray menu is German;
with LANG=C the same elements are English."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_a11y import ENV as A11Y_ENV, Accessibility  # noqa: E402
from rig_app import App, run_tests, wait_for  # noqa: E402

# The locale's environment; the Settings tab and a check box on it, another tab; the tray menu's Exit.
CASES = [
    ({"LANG": "de_DE.UTF-8", "LANGUAGE": "de"}, "Einstellungen", "Autostart mit dem Desktop",
     "Software-Downloads", "Beenden"),
    ({"LANG": "C"}, "Settings", "Auto Startup with the Desktop", "Software Downloads", "Exit"),
]


def test_labels_follow_the_locale():
    os.environ.update(A11Y_ENV)
    for env, settings_tab, settings_box, other_tab, exit_entry in CASES:
        os.environ.pop("LANGUAGE", None)
        os.environ.update(env)
        with App(settings={"Settings": {"LastCategory": 1}}) as app:
            app.start_and_wait_ready()
            wait_for(app.window_shown, "the window")
            ui = Accessibility()
            ui.wait_for(lambda: ui.find(settings_box, "check box"), what="the check box %r" % settings_box)
            assert ui.find(settings_tab).checked, "the open tab is not named %r" % settings_tab
            # Another tab, found by its label, opens with a click.
            ui.click(ui.find(other_tab))
            ui.wait_for(lambda: ui.find(other_tab).checked, what="the tab %r to open" % other_tab)
            app.tray_click(exit_entry)
            assert app.wait_exit() == 0, app.log()


if __name__ == "__main__":
    run_tests(globals())
