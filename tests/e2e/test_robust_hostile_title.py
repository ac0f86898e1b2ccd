# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A station's title is text, never markup. A station whose title is `<img src="FILE">` gets that
title shown as it is in the status pane, and the program never opens FILE (watched with inotify from
before the start); with the title `<img src="/dev/zero">` the program's memory stays where it was
and the media controls answer within a second. The song notification's body is the title as it is
for a server that announces only "body", and escaped once the server announces "body-markup"."""

import ctypes
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from mpris_desktop import PLAYER, PROPS, Desktop, Mpris  # noqa: E402
from player_world import PlayerWorld  # noqa: E402
from rig_app import run_tests  # noqa: E402

IN_ACCESS, IN_OPEN = 0x001, 0x020
MEMORY_SLACK_KB = 50 * 1024


class FileWatch:
    """Counts every open or read of one file from now on (inotify), whoever makes it."""

    def __init__(self, path):
        self.path, self.seen = path, 0
        libc = ctypes.CDLL(None, use_errno=True)
        self.fd = libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
        if self.fd < 0 or libc.inotify_add_watch(self.fd, path.encode(), IN_OPEN | IN_ACCESS) < 0:
            raise OSError(ctypes.get_errno(), "inotify on " + path)

    def touched(self):
        try:
            self.seen += len(os.read(self.fd, 65536))
        except BlockingIOError:
            pass
        return self.seen > 0

    def close(self):
        os.close(self.fd)


def status_text(ui):
    """What the status bar's first pane shows, as a screen reader reads it."""
    for node in ui.nodes():
        if node.role == "status bar":
            labels = [c for c in node.children() if c.role == "label"]
            return labels[0].label if labels else None
    return None


def rss_kb(pid):
    with open("/proc/%d/status" % pid) as f:
        return next(int(line.split()[1]) for line in f if line.startswith("VmRSS:"))


def test_a_title_in_markup_stays_text():
    with Desktop() as desktop, PlayerWorld() as world:
        probe = os.path.join(world.root, "probe.txt")
        with open(probe, "w") as f:
            f.write("a local file that no station may read\n")
        watch = FileWatch(probe)
        try:
            local_image = '<img src="%s">' % probe
            world.ice.set_title("/one", local_image)
            world.start()
            world.wait_tone(440)
            # Until the pane shows the title or the file is touched: a label that took the title for
            # markup would have read the file by the time it shows anything.
            world.ui.wait_for(lambda: watch.touched() or status_text(world.ui) == "Playing: " + local_image, 30,
                              "the title in the status pane")
            assert not watch.touched(), "the program opened " + probe
            assert status_text(world.ui) == "Playing: " + local_image, status_text(world.ui)
            notice = desktop.wait_notification(lambda n: n["summary"] == "One")
            assert notice["body"] == local_image, notice

            desktop.set_capabilities(["body", "body-markup"])
            before = rss_kb(world.app.proc.pid)
            endless = '<img src="/dev/zero">'
            world.ice.set_title("/one", endless)
            world.ui.wait_for(lambda: status_text(world.ui) == "Playing: " + endless, 30, "the second title")
            mpris = Mpris()
            asked = time.monotonic()
            status = mpris._object().Get(PLAYER, "PlaybackStatus", dbus_interface=PROPS, timeout=1)
            assert str(status) == "Playing" and time.monotonic() - asked < 1, (status, time.monotonic() - asked)
            grown = rss_kb(world.app.proc.pid) - before
            assert grown < MEMORY_SLACK_KB, "the title took %d kB" % grown
            notice = desktop.wait_notification(lambda n: n["body"] != local_image)
            assert notice["body"] == "&lt;img src=&quot;/dev/zero&quot;&gt;", notice

            assert not watch.touched(), "the program opened " + probe
        finally:
            watch.close()


if __name__ == "__main__":
    run_tests(globals())
