# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The single-instance channel where no socket file can serve: with a runtime folder whose path is too
long for a socket's address, ten starts at once still leave one program, which later starts are
handed to; where no channel can be made at all, the start says so in a message box and ends when it
is closed, instead of running as a second copy."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from rig_app import App, run_tests, wait_for  # noqa: E402

SETTINGS = {"Settings": {"LastCategory": 1}}


def long_runtime_folder():
    """A fresh runtime folder whose path is 150 characters long."""
    base = os.path.join(os.environ["TMPDIR"], "run-")
    path = base + "r" * (150 - len(base))
    assert len(path) == 150
    os.makedirs(path, mode=0o700, exist_ok=True)
    return path


def test_ten_starts_with_a_long_runtime_folder_leave_one():
    saved = os.environ["XDG_RUNTIME_DIR"]
    os.environ["XDG_RUNTIME_DIR"] = long_runtime_folder()
    procs = []
    try:
        with App(settings=SETTINGS) as app:
            procs = [subprocess.Popen([app.bin, ":silent"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                      stdin=subprocess.DEVNULL) for _ in range(10)]
            wait_for(lambda: sum(p.poll() is not None for p in procs) >= 9, "nine starts to end")
            running = [p for p in procs if p.poll() is None]
            assert len(running) == 1, [p.poll() for p in procs]
            assert all(p.returncode == 0 for p in procs if p is not running[0]), [p.returncode for p in procs]
            app.proc = running[0]
            wait_for(app.tray_item, "the tray icon of the one left")
            # A later start is handed to it: the hidden window comes up and the start ends.
            assert app.run_second() == 0
            wait_for(app.window_shown, "the running program's window")
            assert app.running()
            app.tray_click("Exit")
            assert app.wait_exit() == 0
    finally:
        os.environ["XDG_RUNTIME_DIR"] = saved
        for p in procs:
            if p.poll() is None:
                p.kill()
                p.wait()


def test_no_channel_at_all_shows_a_message_and_ends():
    # A folder in the socket's place can be neither listened on, nor reached, nor removed.
    blocker = os.path.join(os.environ["XDG_RUNTIME_DIR"], "vedrix-%d.sock" % os.getuid())
    os.makedirs(os.path.join(blocker, "keep"))
    try:
        with App(settings=SETTINGS) as app:
            app.start()
            # The message box carries the application's title.
            wait_for(lambda: app.window_shown() or app._ended(), "the message box")
            assert app.running(), app.log()
            assert app.tray_item() is None  # no main frame: the program did not start
            window = str(app._search("--onlyvisible")[0])
            subprocess.run(["xdotool", "windowfocus", "--sync", window], check=False)
            # The box closes at once, so xdotool may fail to release the key on its window.
            subprocess.run(["xdotool", "key", "--window", window, "Return"], check=False)
            assert app.wait_exit() == 1
            assert app.tray_item() is None
    finally:
        os.rmdir(os.path.join(blocker, "keep"))
        os.rmdir(blocker)


if __name__ == "__main__":
    run_tests(globals())
