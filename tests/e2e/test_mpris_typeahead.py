# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Type-ahead in the channel list: letters typed into the focused list select the next channel whose
name starts with them, whichever column was clicked, and the selection plays it; after a pause the
letters start a new search."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import TONES, PlayerWorld  # noqa: E402


def expect(world, name):
    world.wait_tone(TONES[name])
    assert world.selected_name() == name, (world.selected_name(), name)


def type_keys(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)


def main():
    with PlayerWorld() as world:
        world.start()
        expect(world, "One")
        # A click on the row's number: the list takes the focus, the row plays on, and the search
        # must still go by the names, not by the column that was clicked.
        world.click_channel("1")

        type_keys("th")  # "t" finds Two, "th" goes on to Three
        expect(world, "Three")
        type_keys("O")  # listening took longer than the pause: a new search, in any case
        expect(world, "One")
        type_keys("t")
        expect(world, "Two")
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
