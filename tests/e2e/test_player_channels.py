# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The display choices of the ribbon rebuild the list from a fresh download: "Display TV Channels"
brings the TV channel in, whose picture moves in the player while its sound plays (in the main window
that was there: the picture does not make it anew); a language box takes that language's channels
out. The check marks follow the stored choices."""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402


def player_picture(world):
    """The picture area of the player as raw pixels: the strip above its control bar."""
    bar = world.ui.find("Position", "slider")
    x, y, _w, _h = bar.extents()
    table_x, _ty, table_w, _th = world.ui.find("Sr No", "column header").parent.extents()
    height = 120
    out = os.path.join(tempfile.gettempdir(), "player.rgb")
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (table_w, height, table_x, y - height - 10),
                    "-depth", "8", "rgb:" + out], check=True)
    with open(out, "rb") as f:
        return f.read()


def main():
    with PlayerWorld(tv=True) as world:
        world.start()
        assert world.names() == ["One", "Two", "Three"], world.names()
        world.wait_tone(440)
        assert world.ui.find("Display Radio Channels", "check box").checked
        tv_box = world.ui.find("Display TV Channels", "check box")
        assert not tv_box.checked

        # A radio channel shows a still picture.
        world.ui.wait_for(lambda: player_picture(world) == player_picture(world), 10, "a still picture")

        world.ui.click(tv_box)
        world.ui.wait_for(lambda: "Test TV" in world.names(), 60, "the TV channel in the list")
        assert world.names() == ["One", "Two", "Three", "Test TV"], world.names()
        assert world.setting("DisplayTVChannels") == "1"
        assert world.ui.find("Display TV Channels", "check box").checked
        world.wait_tone(440)  # the refresh played the last row again

        window = world.app.main_window()
        world.click_channel("Test TV")
        world.wait_tone(1000, timeout=60)
        first = player_picture(world)
        world.ui.wait_for(lambda: player_picture(world) != first, 20, "the TV picture to move")
        assert len(set(first[i:i + 3] for i in range(0, len(first), 3))) > 8, "no test picture in the player"
        assert world.app.main_window() == window, (window, world.app.main_window())

        world.click("German", "check box")
        world.ui.wait_for(lambda: "Two" not in world.names(), 60, "German channels to go")
        assert world.names() == ["One", "Three", "Test TV"], world.names()
        assert world.setting("DisplayGermanChannels") == "0"
        assert not world.ui.find("German", "check box").checked
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
