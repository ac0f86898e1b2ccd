# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The start-up option "Auto Startup with the Desktop" of the real program: its check box writes the
autostart entry, and the entry's command starts the program hidden in the tray."""

import os
import shlex
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_a11y import ENV as A11Y_ENV, Accessibility  # noqa: E402
from rig_app import App, run_tests, wait_for  # noqa: E402

ENTRY = os.path.join(os.environ["XDG_CONFIG_HOME"], "autostart", "vedrix.desktop")


def exec_line():
    with open(ENTRY) as f:
        for line in f:
            if line.startswith("Exec="):
                # The file format's backslash escapes first, then the argument quoting (shell-like).
                return shlex.split(line[len("Exec="):].strip().replace("\\\\", "\\"))
    return None


def test_check_box_writes_an_entry_that_starts_hidden():
    os.environ.update(A11Y_ENV)
    # A program path with a blank in it, as the entry must quote.
    folder = os.path.join(os.environ["TMPDIR"], "my programs")
    os.makedirs(folder, exist_ok=True)
    program = os.path.join(folder, "vedrix")
    shutil.copy(os.environ["VEDRIX_BIN"], program)
    os.environ["VEDRIX_BIN"] = program

    with App(settings={"Settings": {"LastCategory": 1}}) as app:
        app.start_and_wait_ready()
        wait_for(app.window_shown, "the window")
        ui = Accessibility()
        box = ui.wait_for(lambda: ui.find("Auto Startup with the Desktop", "check box"), what="the check box")
        assert not box.checked
        ui.click(box)
        wait_for(lambda: os.path.exists(ENTRY), "the autostart entry")
        ui.wait_for(lambda: ui.find("Auto Startup with the Desktop", "check box").checked, what="the check mark")
        assert exec_line() == [program, ":silent"], exec_line()
        app.tray_click("Exit")
        assert app.wait_exit() == 0

        # What the desktop does at log-in.
        app.proc = subprocess.Popen(exec_line(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(app.tray_item, "the tray icon of the autostarted program")
        wait_for(lambda: app.tray_menu(), "the tray menu")
        assert not app.window_shown()
        app.tray_click("Show")
        wait_for(app.window_shown, "the window")
        ui = Accessibility()
        box = ui.wait_for(lambda: ui.find("Auto Startup with the Desktop", "check box"), what="the check box")
        ui.wait_for(lambda: box.checked, what="the check mark")
        ui.click(box)
        wait_for(lambda: not os.path.exists(ENTRY), "the entry to go")
        app.tray_click("Exit")
        assert app.wait_exit() == 0


if __name__ == "__main__":
    run_tests(globals())
