# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""What the player says reaches the user: the player's status text goes to the tray icon's tool tip;
a list entry that is not a network stream (a local file) is not opened: the tool tip shows an error
and nothing is heard; the next channel plays again."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402


def tooltip(app, predicate):
    """Waits for a tray tool tip that satisfies predicate and returns it."""
    seen = []

    def matches():
        seen.append(app.tray_tooltip())
        return predicate(seen[-1])
    app.wait_for(matches, "the tray tool tip")
    return seen[-1]


def main():
    bad = "Radio,Local,file:///etc/hostname,,English,Not a stream,ON"
    with PlayerWorld(extra_lines=[bad]) as world:
        tray = world.app
        world.start()
        assert world.names() == ["One", "Two", "Three", "Local"], world.names()
        world.wait_tone(440)
        tip = tooltip(tray, lambda text: text.endswith("\nPlaying"))
        assert tip.startswith("Vedrix by Palomer\n"), tip

        world.click_channel("Local")
        tip = tooltip(tray, lambda text: "\nError: " in text)
        world.wait_silence()
        heard = world.listen(1.5)
        assert heard.silent, heard
        assert world.selected_name() == "Local"
        assert tray.tray_tooltip() == tip, (tray.tray_tooltip(), tip)

        world.click_ribbon("Channel Controls", "Play Next")  # wraps to row 0
        world.wait_tone(440)
        tooltip(tray, lambda text: text.endswith("\nPlaying"))
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
