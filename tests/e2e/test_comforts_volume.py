# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The volume is the user's: set from the desktop's media controls, it is what the sink hears, the
desktop is told of it, and it is still the volume after the program is started again."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from mpris_desktop import Desktop, Mpris  # noqa: E402
from player_world import PlayerWorld  # noqa: E402
from rig_app import run_tests  # noqa: E402


def level(world, frequency):
    """The tone's RMS level at the sink, averaged over a few recordings once the tone is there."""
    world.wait_tone(frequency)
    return sum(world.listen(0.8).rms for _ in range(3)) / 3


def wait_level(world, frequency, predicate, what):
    """Waits until the level satisfies predicate (a volume change takes the audio buffer's time)."""
    seen = []

    def ok():
        seen.append(level(world, frequency))
        return predicate(seen[-1])
    try:
        world.app.wait_for(ok, what)
    except AssertionError:
        raise AssertionError("%s: levels %s" % (what, seen))
    return seen[-1]


def test_volume_from_the_desktop_is_heard_and_kept():
    with Desktop() as desktop, PlayerWorld() as world:
        world.start()
        mpris = Mpris()
        world.app.wait_for(mpris.available, "the media player name on the bus")
        # The first start has the middle volume.
        assert abs(mpris.get("Volume") - 0.5) < 0.01, mpris.get("Volume")
        half = level(world, 440)

        mpris.set("Volume", 1.0)
        mpris.wait_property("Volume", lambda v: abs(v - 1.0) < 0.01)
        full = wait_level(world, 440, lambda r: r > half * 3, "the full volume")
        assert any(abs(c.get("Volume", -1) - 1.0) < 0.01 for c in desktop.property_changes()), \
            desktop.property_changes()

        mpris.set("Volume", 0.6)
        mpris.wait_property("Volume", lambda v: abs(v - 0.6) < 0.01)
        world.app.wait_for(lambda: world.setting("Volume") == "60", "the volume stored")
        world.stop_app()

        world.start()
        world.app.wait_for(mpris.available, "the media player name on the bus again")
        mpris.wait_property("Volume", lambda v: abs(v - 0.6) < 0.01, "the stored volume on the bus")
        # mpv's volume is cubic: 0.6 is about a fifth of the full amplitude.
        wait_level(world, 440, lambda r: half < r < full * 0.5, "the stored volume after the restart")


def test_a_stored_mute_holds_at_any_volume():
    with PlayerWorld() as world:
        world.write_settings({"Volume": "80", "Muted": "1"})
        world.start()
        mpris = Mpris()
        world.app.wait_for(mpris.available, "the media player name on the bus")
        mpris.wait_property("PlaybackStatus", lambda s: s == "Playing", "the channel playing")
        heard = [world.listen(0.8) for _ in range(3)]
        assert all(m.silent for m in heard), heard
        assert world.setting("Muted") == "1" and world.setting("Volume") == "80"

        # Sound on: the channel was there all along, at the stored volume.
        world.click("Mute", "check box")
        world.wait_tone(440)
        world.app.wait_for(lambda: world.setting("Muted") == "0", "the mute's end stored")


if __name__ == "__main__":
    run_tests(globals())
