# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Playback as a user hears it: a fresh start loads the list and plays row 0; the ribbon's Next and
Previous move through the list with wrap-around; a click on a row plays it; F9 in the list and a
system-wide hot key and the tray menu play the next row; Stop brings silence and Play restarts the selected row; a
restart plays the channel that was played last."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402


def expect(world, name):
    world.wait_tone({"One": 440, "Two": 660, "Three": 880}[name])
    assert world.selected_name() == name, (world.selected_name(), name)


def main():
    with PlayerWorld() as world:
        world.write_settings({}, hot_keys=True)
        world.start()
        # The channel marked OFF is not listed; nothing stored, so row 0 plays.
        assert world.names() == ["One", "Two", "Three"], world.names()
        assert [row[0] for row in world.ui.channel_rows()] == ["1", "2", "3"]
        expect(world, "One")
        assert world.setting("CSorvanaView") == "1"

        world.click_ribbon("Channel Controls", "Play Next")
        expect(world, "Two")
        world.click_ribbon("Channel Controls", "Play Previous")
        expect(world, "One")
        world.click_ribbon("Channel Controls", "Play Previous")  # wraps to the last row
        expect(world, "Three")
        world.press_hot_key("Play Next")  # wraps to the first row
        expect(world, "One")

        world.click_channel("Three")
        expect(world, "Three")
        subprocess.run(["xdotool", "key", "F9"], check=True)  # the list has the focus after the click
        expect(world, "One")
        world.app.tray_click("Play Next Channel")
        expect(world, "Two")

        world.click_ribbon("Channel Controls", "Stop")
        world.wait_silence()
        assert world.selected_name() == "Two"
        world.click_ribbon("Channel Controls", "Play")
        expect(world, "Two")
        world.press_hot_key("Stop")
        world.wait_silence()
        world.press_hot_key("Play")
        expect(world, "Two")
        assert world.setting("LastChannelIndex") == "1", world.setting("LastChannelIndex")

        # The next start plays the channel played last.
        world.stop_app()
        world.wait_silence()
        world.start()
        expect(world, "Two")
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
