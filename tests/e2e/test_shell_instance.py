# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""One running instance: second starts hand their request to the first and end; a socket left by a
killed instance does not stop the next start; ten starts at once leave one program."""

import os
import signal
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from rig_app import App, run_tests, wait_for  # noqa: E402

SETTINGS = {"Settings": {"LastCategory": 1}}


def second_start_cases():
    # (arguments of the second start, its exit code, whether the hidden first window comes up); a word
    # that is not a channel number is refused before the running instance hears of it.
    return [((), 0, True), ((":silent",), 0, True), (("12",), 0, False), (("-5",), 0, True), (("abc",), 2, False)]


def test_second_start_requests():
    with App(settings=SETTINGS) as app:
        app.start_and_wait_ready(":silent")
        assert not app.window_shown()
        for args, code, shows in second_start_cases():
            # The second start returns once the first has handled its request.
            assert app.run_second(*args) == code, args
            if shows:
                wait_for(app.window_shown, "the window after a second start with %r" % (args,))
            else:
                app.tray_menu()  # a round trip through the program's event loop after the request
                assert not app.window_shown(), args
            assert app.running()
            if shows:
                app.close_window()
                wait_for(lambda: not app.window_shown(), "the window to hide again")
        app.tray_click("Exit")
        assert app.wait_exit() == 0


def test_first_start_with_a_number_stays_hidden():
    with App(settings=SETTINGS) as app:
        app.start_and_wait_ready("7")
        wait_for(lambda: app.tray_menu(), "the tray menu")
        assert not app.window_shown()
        assert app.run_second() == 0
        wait_for(app.window_shown, "the window")
        app.tray_click("Exit")
        assert app.wait_exit() == 0


def test_socket_of_a_killed_instance_is_replaced():
    with App(settings=SETTINGS) as app:
        app.start_and_wait_ready(":silent")
        sockets = [f for f in os.listdir(os.environ["XDG_RUNTIME_DIR"]) if f.endswith(".sock")]
        assert sockets, "no socket in the runtime folder"
        app.proc.send_signal(signal.SIGKILL)
        app.proc.wait()
        assert set(sockets) <= set(os.listdir(os.environ["XDG_RUNTIME_DIR"]))  # left behind
        wait_for(lambda: app.tray_item() is None, "the killed instance's tray icon to go")

        app.start_and_wait_ready()
        wait_for(app.window_shown, "the new instance's window")
        assert app.run_second(":silent") == 0
        assert app.running()
        app.tray_click("Exit")
        assert app.wait_exit() == 0


def test_ten_starts_at_once_leave_one():
    with App(settings=SETTINGS) as app:
        env = dict(os.environ)
        procs = [subprocess.Popen([app.bin, ":silent"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                  stdin=subprocess.DEVNULL, env=env) for _ in range(10)]
        try:
            wait_for(lambda: sum(p.poll() is not None for p in procs) >= 9, "nine starts to end")
            running = [p for p in procs if p.poll() is None]
            ended = [p for p in procs if p.poll() is not None]
            assert len(running) == 1, [p.poll() for p in procs]
            assert all(p.returncode == 0 for p in ended), [p.returncode for p in ended]
            app.proc = running[0]
            app.tray_click("Exit")
            assert app.wait_exit() == 0
        finally:
            for p in procs:
                if p.poll() is None:
                    p.kill()
                    p.wait()


if __name__ == "__main__":
    run_tests(globals())
