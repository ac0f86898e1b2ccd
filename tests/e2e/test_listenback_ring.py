# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The rewind buffer on disk: with [Settings] ListenBackMiB=2 its file in the cache folder never holds
more than 2 MiB however much the radio sends during a pause far longer than the buffer (a radio that
sends eight times faster than it plays, so the buffer fills over and over within a minute), and Play
goes on from the same buffer; the file is gone when the program ends, and one left by a program that
was killed is removed by the next start."""

import base64
import os
import re
import sys
import urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from mpris_desktop import Mpris  # noqa: E402
from player_world import PlayerWorld  # noqa: E402
from rig_app import run_tests  # noqa: E402
from rig_streams import Icecast, Radio  # noqa: E402

RADIO = Radio("/fast", 500, name="Fast", kbps=128, speed=8)
ROW = 3  # after One, Two and Three
CAP = 2 * 1024 * 1024
FILLS = 4  # how many times over the radio fills the buffer


def ring_folder():
    return os.path.join(os.environ["XDG_CACHE_HOME"], "vedrix", "listenback")


def ring_files():
    """{path: (size, bytes taken on disk)} of the files in the buffer's folder."""
    files = {}
    try:
        names = os.listdir(ring_folder())
    except FileNotFoundError:
        return files
    for name in names:
        path = os.path.join(ring_folder(), name)
        try:
            st = os.stat(path)
        except FileNotFoundError:
            continue  # removed meanwhile
        files[path] = (st.st_size, st.st_blocks * 512)
    return files


def bytes_sent(ice, mount):
    """What Icecast has sent the listeners of a mount so far, by its statistics (which lag a few
    seconds behind)."""
    request = urllib.request.Request(ice.base_url() + "/admin/stats")
    token = ("admin:" + Icecast.ADMIN_PASSWORD).encode()
    request.add_header("Authorization", "Basic " + base64.b64encode(token).decode())
    with urllib.request.urlopen(request, timeout=5) as r:
        xml = r.read().decode("utf-8", "replace")
    source = xml[xml.find('<source mount="%s">' % mount):]
    sent = re.search(r"<total_bytes_sent>(\d+)</total_bytes_sent>", source[:source.find("</source>")])
    return int(sent.group(1)) if sent else 0  # (it shows once the statistics have counted some)


def test_the_buffer_keeps_to_its_cap_and_goes_with_the_program():
    with PlayerWorld(radios=[RADIO]) as world:
        world.write_settings({"LastChannelIndex": ROW, "ListenBackMiB": 2})
        world.start()
        world.wait_tone(RADIO.frequency)
        app = world.app
        mpris = Mpris()
        app.wait_for(mpris.available, "the media player name on the bus")
        ring = app.wait_for(ring_files, "the buffer's file")
        # Paused far longer than the buffer holds: the radio goes on filling it.
        mpris.call("Pause")
        world.wait_silence()
        start = bytes_sent(world.ice, RADIO.mount)
        largest = [0, 0]

        def filled_over():
            files = ring_files()
            assert files.keys() == ring.keys(), (files, ring, app.tray_tooltip())
            for size, taken in files.values():
                largest[0], largest[1] = max(largest[0], size), max(largest[1], taken)
            assert largest[0] <= CAP and largest[1] <= CAP, (largest, files)
            return bytes_sent(world.ice, RADIO.mount) - start >= FILLS * CAP
        app.wait_for(filled_over, "the radio filling the buffer %d times over" % FILLS, timeout=120)
        assert largest[0] > CAP // 2, largest
        # Play goes on from the oldest moment still held, from the same buffer.
        mpris.call("Play")
        world.wait_tone(RADIO.frequency)
        assert ring_files().keys() == ring.keys(), (ring_files(), ring, app.tray_tooltip())

        # The program ends: its buffer goes with it.
        app.tray_click("Exit")
        assert app.wait_exit() == 0, app.log()
        assert ring_files() == {}, ring_files()

        # Killed, it cannot clean up; the next start removes what it left.
        world.write_settings({"LastChannelIndex": 0, "ListenBackMiB": 2})
        world.start()
        world.wait_tone(440)
        left = app.wait_for(ring_files, "the buffer's file")
        app.proc.kill()
        app.proc.wait()
        assert ring_files().keys() == left.keys(), (ring_files(), left)
        world.start()
        world.wait_tone(440)
        app.wait_for(lambda: not ring_files().keys() & left.keys(), "the killed program's buffer removed")
        assert len(ring_files()) == 1, ring_files()


if __name__ == "__main__":
    run_tests(globals())
