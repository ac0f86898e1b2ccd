# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A live stream that drops comes back by itself: when the Icecast source of the playing channel
dies, the tray tool tip shows "Reconnecting... (attempt N)" within 2 seconds, and once the source is
back the channel's tone plays again within 10 seconds without anyone touching the program. Stop while
reconnecting ends the retrying (no sound when the source returns), and so does playing another
channel. A stream that never played is an error and is not retried. When the HLS TV server goes away
and comes back at the same address, the picture moves again."""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402
import rig_streams  # noqa: E402

RECONNECTING = "\nReconnecting... (attempt "


def wait_tooltip(world, predicate, timeout, what):
    """Polls the tray tool tip until predicate holds; returns (text, seconds waited)."""
    start = time.monotonic()
    text = None
    while time.monotonic() - start < timeout:
        text = world.app.tray_tooltip()
        if predicate(text):
            return text, time.monotonic() - start
        time.sleep(0.05)
    raise AssertionError("no %s within %.0f s; the tool tip says %r\n%s" % (what, timeout, text, world.app.log()))


def attempt_of(text):
    """The reconnect attempt the tool tip shows, 0 when none."""
    head, sep, tail = text.rpartition(RECONNECTING)
    return int(tail.rstrip(")")) if sep and tail.rstrip(")").isdigit() else 0


def playing(text):
    return text.endswith("\nPlaying")


def drop(world, mount):
    """Kills the mount's source; returns the seconds until the tool tip showed the reconnect."""
    world.ice.kill_source(mount)
    text, seconds = wait_tooltip(world, lambda t: RECONNECTING in t, 10, "reconnect status")
    assert text.endswith(RECONNECTING + "1)"), text
    return seconds


def hear_only(world, seconds, frequency=None):
    """Listens for that long: silence, or only the given tone; the tool tip never shows a reconnect."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        heard = world.listen(0.8)
        if frequency is None:
            assert heard.silent, "expected silence, heard %s" % (heard,)
        else:
            assert not heard.silent and abs(heard.frequency - frequency) < 15, (frequency, heard)
        tip = world.app.tray_tooltip()
        assert RECONNECTING not in tip, tip


def player_picture(world):
    """The picture area of the player as raw pixels: the strip above its control bar."""
    x, y, _w, _h = world.ui.find("Position", "slider").extents()
    table_x, _ty, table_w, _th = world.ui.find("Sr No", "column header").parent.extents()
    out = os.path.join(tempfile.gettempdir(), "reconnect-player.rgb")
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (table_w, 120, table_x, y - 130),
                    "-depth", "8", "rgb:" + out], check=True)
    with open(out, "rb") as f:
        return f.read()


def restart_hls(hls, port):
    """Starts the TV channel's encoder and server again at the port they had."""
    real = rig_streams.StaticHttpServer
    rig_streams.StaticHttpServer = lambda root: real(root, port=port)
    try:
        hls.start()
    finally:
        rig_streams.StaticHttpServer = real


def test_radio():
    with PlayerWorld() as world:
        world.extra_lines = ["Radio,Gone,%s,,English,Never on the air,ON" % world.ice.url("/gone")]
        world.write_list()
        world.start()
        assert world.names() == ["One", "Two", "Three", "Gone"], world.names()
        world.wait_tone(440)
        wait_tooltip(world, playing, 20, "Playing")

        # The source dies and comes back: the channel plays again by itself.
        seconds = drop(world, "/one")
        # Shown when the stream's end arrives, not once the sound sent ahead has played out.
        assert seconds <= 2.0, "the reconnect showed after %.1f s" % seconds
        world.wait_silence()
        # Later attempts fail too while the source is away; the count goes up (past 2 when listening
        # for the silence took long on a busy machine).
        wait_tooltip(world, lambda t: attempt_of(t) >= 2, 5, "a later attempt")
        world.ice.start_source("/one")
        back = time.monotonic()
        world.wait_tone(440, timeout=10)
        returned = time.monotonic() - back
        assert returned <= 10.5, "the tone came back after %.1f s" % returned
        print("reconnect shown after %.2f s, tone back %.1f s after the source" % (seconds, returned), flush=True)
        wait_tooltip(world, playing, 10, "Playing after the reconnect")
        assert world.selected_name() == "One"

        # A second drop of the same stream starts the count again at 1.
        drop(world, "/one")
        world.click_ribbon("Channel Controls", "Stop")
        wait_tooltip(world, lambda t: t.endswith("\nStopped"), 5, "Stopped")
        world.ice.start_source("/one")
        hear_only(world, 8)  # longer than the first three waits (1 + 2 + 4 s)
        assert world.app.tray_tooltip().endswith("\nStopped"), world.app.tray_tooltip()

        # Another channel cancels the reconnect of the dropped one.
        world.click_ribbon("Channel Controls", "Play")  # the selected row, One
        world.wait_tone(440)
        wait_tooltip(world, playing, 20, "Playing")
        drop(world, "/one")
        world.click_channel("Two")
        world.wait_tone(660)
        wait_tooltip(world, playing, 20, "Playing of the other channel")
        world.ice.start_source("/one")
        hear_only(world, 8, 660)
        assert playing(world.app.tray_tooltip()), world.app.tray_tooltip()

        # A stream that never played is an error and stays one.
        world.click_channel("Gone")
        text, _ = wait_tooltip(world, lambda t: "\nError: " in t, 20, "the error of a missing stream")
        hear_only(world, 4)
        assert world.app.tray_tooltip() == text, (world.app.tray_tooltip(), text)


def test_tv():
    # The TV case waits for the HLS demuxer to give up, which takes longer than a radio drop.
    with PlayerWorld(tv=True) as world:
        world.write_settings({"DisplayTVChannels": "1"})
        world.start()
        world.ui.wait_for(lambda: "Test TV" in world.names(), 60, "the TV channel in the list")
        world.click_channel("Test TV")
        world.wait_tone(1000, timeout=60)
        wait_tooltip(world, playing, 20, "Playing")
        port = world.hls.http.port
        world.hls.stop()
        wait_tooltip(world, lambda t: RECONNECTING in t, 30, "the reconnect")
        restart_hls(world.hls, port)
        world.wait_tone(1000, timeout=60)
        wait_tooltip(world, playing, 30, "Playing after the reconnect")
        first = player_picture(world)
        world.ui.wait_for(lambda: player_picture(world) != first, 10, "the TV picture moving after the reconnect")


if __name__ == "__main__":
    import rig_app
    rig_app.run_tests(globals())
