# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The sleep timer, with its minutes shortened to a second each: chosen in the tray's "Sleep Timer"
submenu, it shows in the tool tip, lets the tone play, then fades it out and stops playback (the
program keeps running), and the next Play is as loud as before; a cancelled timer stops nothing."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402
from rig_app import run_tests  # noqa: E402

SUBMENU = "Sleep Timer"


def started_world(world):
    world.write_settings({"SleepTimerSecondsPerMinute": 1})
    world.start()
    return world.wait_tone(440)


def test_timer_fades_and_stops_playback_then_play_is_full_again():
    with PlayerWorld() as world:
        before = started_world(world)
        app = world.app
        labels = [e["label"] for e in app.tray_menu(SUBMENU) if not e["separator"]]
        assert labels == ["15 Minutes", "30 Minutes", "60 Minutes", "90 Minutes", "End of Current Song",
                          "Cancel Sleep Timer"], labels
        started = time.monotonic()
        app.tray_click("15 Minutes", SUBMENU)
        app.wait_for(lambda: "\nSleep in 1" in app.tray_tooltip(), "the timer in the tool tip")
        # Most of the fifteen seconds the tone plays on.
        assert not world.listen(1.0).silent
        world.wait_silence(timeout=30)
        assert time.monotonic() - started > 13, time.monotonic() - started
        app.wait_for(lambda: "Sleep" not in app.tray_tooltip(), "the timer gone from the tool tip")
        assert app.running()
        # Stopped for good, as by the Stop command (which ends any reconnect), not dropped and
        # reconnected: that would say "Reconnecting..." from the moment the stream ended.
        app.wait_for(lambda: app.tray_tooltip().endswith("\nStopped"), "the player stopped")
        assert world.listen(1.0).silent

        app.tray_click("Play")
        after = world.wait_tone(440)
        assert after.rms > before.rms * 0.7, (before, after)


def test_cancelled_timer_stops_nothing():
    with PlayerWorld() as world:
        started_world(world)
        app = world.app
        app.tray_click("15 Minutes", SUBMENU)
        app.wait_for(lambda: "\nSleep in" in app.tray_tooltip(), "the timer in the tool tip")
        # The timer runs by now, so it would stop playback no later than fifteen seconds from here.
        would_stop = time.monotonic() + 15
        app.tray_click("Cancel Sleep Timer", SUBMENU)
        app.wait_for(lambda: "Sleep" not in app.tray_tooltip(), "the timer gone from the tool tip")
        # A timer that no longer runs shows nothing, so this takes a span: the tone plays on past the
        # moment the timer would have stopped it (and half a second for a stop to silence the sink).
        while time.monotonic() < would_stop + 0.5:
            heard = world.listen(0.8)
            assert not heard.silent and abs(heard.frequency - 440) < 15, heard
        world.wait_tone(440, timeout=3)


if __name__ == "__main__":
    run_tests(globals())
