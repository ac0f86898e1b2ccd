# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Song notifications follow the "Show Song Notifications" choice: with "ShowSongNotifications"=0 in
the settings file a new title shows in the tool tip but reaches no notification server; the check
box in the Settings category (whose view is then the active one) switches them on, and the title of
the channel played again on coming back to the player arrives as a notification."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from mpris_desktop import Desktop  # noqa: E402
from player_world import PlayerWorld  # noqa: E402

SONG = "Quiet Artist - Quiet Song"


def main():
    with Desktop() as desktop, PlayerWorld() as world:
        world.write_settings({"ShowSongNotifications": 0})
        world.ice.set_title("/one", SONG)
        world.start()
        world.wait_tone(440)
        app = world.app
        app.wait_for(lambda: app.tray_tooltip() == "Vedrix by Palomer\nPlaying: " + SONG, "the title in the tool tip")
        # The server is asked after the program showed the title: anything sent before has arrived.
        assert desktop.notifications() == [], desktop.notifications()

        world.click("Settings")
        box = world.ui.wait_for(lambda: world.ui.find_in_panel("Radio Control", "Show Song Notifications"), 20,
                                "the Show Song Notifications box")
        assert not box.checked
        world.ui.click(box)
        app.wait_for(lambda: world.setting("ShowSongNotifications") == "1", "the choice stored")
        world.ui.wait_for(lambda: box.checked, 20, "the box checked")

        world.click("Online Channel Player")
        world.wait_tone(440)
        notice = desktop.wait_notification(lambda n: n["body"] == SONG)
        assert notice["summary"] == "One" and notice["app"] == "Vedrix", notice
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
