# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The songs heard are kept: each title the stream sends shows in the tray's "Recent Songs" submenu,
newest first, lands in the data folder's history file, and is still there after a restart."""

import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402
from rig_app import run_tests  # noqa: E402

SUBMENU = "Recent Songs"


def recent(app):
    return [e["label"] for e in app.tray_menu(SUBMENU) if not e["separator"] and e["enabled"]]


def history_file():
    return os.path.join(os.environ["XDG_DATA_HOME"], "Sorvana", "songs.jsonl")


def stored_songs():
    try:
        with open(history_file(), encoding="utf-8") as f:
            return [json.loads(line) for line in f]
    except FileNotFoundError:
        return []


def test_titles_are_kept_listed_and_survive_a_restart():
    with PlayerWorld() as world:
        world.start()
        world.wait_tone(440)
        app = world.app
        assert recent(app) == ["Song History..."], recent(app)

        world.ice.set_title("/one", "Tone Artist - First & Best")
        app.wait_for(lambda: recent(app)[:1] == ["One - Tone Artist - First & Best"], "the first song")
        world.ice.set_title("/one", "Tone Artist - Second")
        expected = ["One - Tone Artist - Second", "One - Tone Artist - First & Best", "Song History..."]
        app.wait_for(lambda: recent(app) == expected, "both songs, newest first")

        # The file is written a moment after the songs come.
        pairs = [("One", "Tone Artist - First & Best"), ("One", "Tone Artist - Second")]
        app.wait_for(lambda: [(s["channel"], s["title"]) for s in stored_songs()][-2:] == pairs, "the songs' file")
        assert all(s["time"] for s in stored_songs()), stored_songs()

        world.stop_app()
        world.start()
        app.wait_for(lambda: recent(app)[:2] == expected[:2], "the songs after the restart")


if __name__ == "__main__":
    run_tests(globals())
