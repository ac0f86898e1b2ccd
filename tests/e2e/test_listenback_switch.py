# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A channel switch as the listener hears it: the old channel goes on sounding until the new one
sounds, so between two working channels the sink is never silent for more than 50 ms, whichever way
the switch comes (the hot key, the ribbon's Play Next, a channel number given to a second start).
A switch to a channel that fails leaves silence and the error, not the old channel."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402
from rig_gap import SinkRecorder  # noqa: E402

MOST_SILENCE = 0.05


def main():
    with PlayerWorld() as world:
        world.write_settings({}, hot_keys=True)
        world.start()
        world.wait_tone(440)
        switches = [("the hot key", lambda: world.press_hot_key("Play Next"), 660),
                    ("Play Next", lambda: world.click_ribbon("Channel Controls", "Play Next"), 880),
                    ("a second start", lambda: world.run_second(["1"]), 440)]
        with SinkRecorder(world.pulse) as sink:
            gaps = [(how, sink.switch_gap(switch, frequency)) for how, switch, frequency in switches]
        print("silence at the switches: " + ", ".join("%s %.0f ms" % (how, gap * 1000) for how, gap in gaps))
        assert all(gap <= MOST_SILENCE for _how, gap in gaps), (gaps, world.app.log()[-2000:])

        # The next channel is off the air: One stops, and the error shows.
        world.ice.kill_source("/two")
        world.press_hot_key("Play Next")
        world.app.wait_for(lambda: "\nError: " in world.app.tray_tooltip(), "the error in the tool tip")
        world.wait_silence()
        assert world.listen(1.0).silent
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
