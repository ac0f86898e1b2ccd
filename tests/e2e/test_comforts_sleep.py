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
        # Stopped for good, not dropped and reconnected.
        time.sleep(3)
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
        app.tray_click("Cancel Sleep Timer", SUBMENU)
        app.wait_for(lambda: "Sleep" not in app.tray_tooltip(), "the timer gone from the tool tip")
        time.sleep(17)
        world.wait_tone(440, timeout=3)


if __name__ == "__main__":
    run_tests(globals())
