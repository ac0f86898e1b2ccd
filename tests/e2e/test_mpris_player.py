# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The desktop's media controls reach the program over the session bus, and what plays reaches the
desktop: the player object's PlaybackStatus and Metadata follow the channel and the stream's title
(set through Icecast's admin interface), which also shows in the tray's tool tip; a new title brings
a song notification that replaces the one before; Next plays the next channel, PlayPause pauses a
live stream (it plays from its rewind buffer, which the desktop may seek in) and goes on; Raise shows
the hidden window; Quit ends the program cleanly."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from mpris_desktop import ROOT, Desktop, Mpris  # noqa: E402
from player_world import PlayerWorld  # noqa: E402


def title_is(expected):
    return lambda metadata: metadata.get("xesam:title") == expected


def main():
    with Desktop() as desktop, PlayerWorld() as world:
        world.start()
        world.wait_tone(440)
        app = world.app
        mpris = Mpris()
        app.wait_for(mpris.available, "the media player name on the bus")

        assert mpris.get("Identity", ROOT) == "Vedrix by Palomer"
        assert mpris.get("DesktopEntry", ROOT) == "vedrix"
        assert mpris.get("CanQuit", ROOT) and mpris.get("CanRaise", ROOT)
        for name in ("CanGoNext", "CanGoPrevious", "CanPlay", "CanPause", "CanControl"):
            assert mpris.get(name) is True, name
        mpris.wait_property("CanSeek", True)

        # Before the stream has a title, the channel's name stands for it.
        mpris.wait_property("PlaybackStatus", "Playing")
        metadata = mpris.wait_property("Metadata", title_is("One"))
        assert metadata["xesam:artist"] == ["One"], metadata
        assert metadata["xesam:url"] == world.ice.url("/one"), metadata
        assert mpris.get_raw("Metadata")["mpris:trackid"].__class__.__name__ == "ObjectPath"
        first_track = metadata["mpris:trackid"]

        world.ice.set_title("/one", "Tone Artist - First Song")
        mpris.wait_property("Metadata", title_is("Tone Artist - First Song"))
        app.wait_for(lambda: app.tray_tooltip() == "Vedrix by Palomer\nPlaying: Tone Artist - First Song",
                     "the title in the tool tip")
        first = desktop.wait_notification(lambda n: n["body"] == "Tone Artist - First Song")
        assert first["app"] == "Vedrix" and first["summary"] == "One" and first["replaces_id"] == 0, first

        world.ice.set_title("/one", "Tone Artist - Second Song")
        second = desktop.wait_notification(lambda n: n["body"] == "Tone Artist - Second Song")
        assert second["replaces_id"] == first["id"], (first, second)
        assert any(change.get("Metadata", {}).get("xesam:title") == "Tone Artist - Second Song"
                   for change in desktop.property_changes()), desktop.property_changes()

        # Next: the next channel plays, and the desktop is told of a new track.
        mpris.call("Next")
        world.wait_tone(660)
        assert world.selected_name() == "Two"
        metadata = mpris.wait_property("Metadata", title_is("Two"))
        assert metadata["xesam:url"] == world.ice.url("/two") and metadata["mpris:trackid"] != first_track
        mpris.wait_property("PlaybackStatus", "Playing")
        assert "\nPlaying" in app.tray_tooltip() and "Song" not in app.tray_tooltip(), app.tray_tooltip()

        # PlayPause pauses the live stream (it goes on arriving into the buffer), and goes on.
        mpris.call("PlayPause")
        world.wait_silence()
        mpris.wait_property("PlaybackStatus", "Paused")
        assert any(change.get("PlaybackStatus") == "Paused" for change in desktop.property_changes())
        mpris.call("PlayPause")
        world.wait_tone(660)
        mpris.wait_property("PlaybackStatus", "Playing")

        # Raise shows the window that the close box hid.
        app.close_window()
        app.wait_for(lambda: not app.window_shown(), "the window hidden")
        mpris.call("Raise", interface=ROOT)
        app.wait_for(app.window_shown, "the window shown again")

        mpris.call("Quit", interface=ROOT)
        assert app.wait_exit() == 0, app.log()
        assert not mpris.available()
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
