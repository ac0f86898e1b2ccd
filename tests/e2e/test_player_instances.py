# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Channel numbers on the command line: a first start with a number stays hidden and plays that
channel instead of the last one; a second start with a number makes the running instance play that
channel and ends at once; the next plain start plays the channel played last."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402


def main():
    with PlayerWorld() as world:
        world.write_settings({"LastChannelIndex": 2})
        world.start(["2"], wait_for_list=False)
        world.wait_tone(660)  # channel 2, not the last one (row 2, 880 Hz)
        assert world.setting("LastChannelIndex") == "1"
        assert not world.app.window_shown(), "a start with a channel number stays hidden"

        assert world.run_second(["3"]) == 0
        world.wait_tone(880)
        assert world.run_second(["1"]) == 0
        world.wait_tone(440)
        # A number that no row carries leaves playback alone.
        assert world.run_second(["9"]) == 0
        world.wait_tone(440)
        assert world.app.running()
        assert not world.app.window_shown()

        world.stop_app()
        world.wait_silence()
        world.start()
        world.wait_tone(440)
        assert world.selected_name() == "One"
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
