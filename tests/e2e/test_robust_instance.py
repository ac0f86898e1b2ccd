# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A single-instance channel left behind never stops the next start: after a kill -9 of a running
program (its window shown, the banner's web engine running; twice in a row) or with a plain file in
the channel's place, the next start runs and owns the channel, so a later start without arguments is
handed to it and ends while it keeps running."""

import os
import signal
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from rig_app import App, make_site, run_tests, wait_for  # noqa: E402
from rig_http import HttpRig  # noqa: E402

LIST = "Type,Channel,Address,Extra,Language,About,Status\r\nRadio,One,http://127.0.0.1:9/one,,English,Tone,ON\r\n"


def runtime_entries():
    return set(os.listdir(os.environ["XDG_RUNTIME_DIR"]))


def children(pid):
    out = subprocess.run(["ps", "-o", "pid=", "--ppid", str(pid)], capture_output=True, text=True).stdout
    return [int(p) for p in out.split()]


def alive(pid):
    try:
        os.kill(pid, 0)
        return True
    except ProcessLookupError:
        return False


def kill_hard(app):
    """kill -9 of the running program; waits until its tray icon is gone from the bus. Returns the
    process ids of the processes it had started (the web engine's), which lose their parent."""
    orphans = children(app.proc.pid)
    app.proc.send_signal(signal.SIGKILL)
    app.proc.wait()
    wait_for(lambda: app.tray_item() is None, "the killed program's tray icon to go")
    return orphans


def check_owner(app):
    """The running program, started hidden, owns the channel: a start without arguments is handed to
    it (its window comes up) and ends with 0, while the program keeps running."""
    assert not app.window_shown()
    third = subprocess.Popen([app.bin], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                             stdin=subprocess.DEVNULL)
    try:
        assert third.wait(30) == 0
    finally:
        if third.poll() is None:
            third.kill()
            third.wait()
    wait_for(app.window_shown, "the running program's window after a further start")
    assert app.running()


def test_killed_twice_with_window_and_web_engine():
    orphans = []
    with HttpRig(make_site(LIST)) as http:
        settings = {"Servers": {"ChannelListServer": http.base_url, "BannerServer": http.base_url}}
        with App(settings=settings) as app:
            try:
                for _ in range(2):
                    app.start_and_wait_ready()
                    wait_for(app.window_shown, "the window")
                    wait_for(lambda: http.count("/banners/vedrix/") > 0, "the banner to load")
                    before = runtime_entries()
                    orphans += kill_hard(app)
                    # The channel is left behind as it was.
                    assert before <= runtime_entries()
                    http.reset()

                app.start_and_wait_ready(":silent")
                # The download dialog shows even while the main window is hidden; let it finish.
                wait_for(lambda: http.count("/tvlist.zip") > 0, "the channel list download")
                wait_for(lambda: not app.window_shown(), "the download dialog to close")
                check_owner(app)
                app.tray_click("Exit")
                assert app.wait_exit() == 0
            finally:
                for pid in orphans:
                    if alive(pid):
                        os.kill(pid, signal.SIGKILL)


def test_plain_file_in_place_of_the_channel():
    with App(settings={"Settings": {"LastCategory": 1}}) as app:
        app.start_and_wait_ready(":silent")
        names = runtime_entries()
        app.tray_click("Exit")
        assert app.wait_exit() == 0
        sockets = [n for n in names if n.endswith(".sock")]
        assert sockets, names
        for name in sockets:
            with open(os.path.join(os.environ["XDG_RUNTIME_DIR"], name), "w") as f:
                f.write("not a socket\n")

        app.start_and_wait_ready(":silent")
        check_owner(app)
        app.tray_click("Exit")
        assert app.wait_exit() == 0


if __name__ == "__main__":
    run_tests(globals())
