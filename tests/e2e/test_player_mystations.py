# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""My Stations as a user meets them: the station directory window lists the stations of a directory
(a local stand-in whose results are the rig's tone radios), Play there plays the result's stream
(its tone is heard) and counts a click with the directory, Add to My Stations keeps it; after a
restart My Stations are shown and the Play hot key plays the station."""

import json
import os
import subprocess
import sys
import urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import HOT_KEYS, PlayerWorld  # noqa: E402
import rig_app  # noqa: E402
import rig_streams  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


class FakeDirectory:
    """tools/fakedirectory.py answering with the given stations."""

    def __init__(self, folder, entries):
        self.path = os.path.join(folder, "directory.json")
        with open(self.path, "w", encoding="utf-8") as f:
            json.dump(entries, f)
        self.proc = None
        self.base = None

    def __enter__(self):
        self.proc = subprocess.Popen([sys.executable, os.path.join(ROOT, "tools", "fakedirectory.py"),
                                      "--stations", self.path], stdout=subprocess.PIPE, text=True,
                                     preexec_fn=rig_streams._die_with_parent)
        words = self.proc.stdout.readline().split()
        assert len(words) == 2 and words[0] == "PORT", words
        self.base = "http://127.0.0.1:%s" % words[1]
        return self

    def __exit__(self, *exc):
        rig_streams.stop_process(self.proc)
        return False

    def get(self, path):
        with urllib.request.urlopen(self.base + path, timeout=10) as reply:
            return reply.read().decode("utf-8")

    def clicks(self, index):
        # The uuids that --stations gives, by position in the file.
        return int(self.get("/__clicks?uuid=f%07x-0601-11e8-ae97-52543be04c81" % index))


def directory_window(ui):
    app = ui.application()
    for node in app.children() if app else []:
        if node.label == "Station Directory":
            return node
    return None


def test_directory_station_played_kept_and_played_after_restart():
    with PlayerWorld() as world:
        entries = [{"name": "Tone Two FM", "url": world.ice.url("/two"), "tags": "tone", "country": "Germany"},
                   {"name": "Tone Three FM", "url": world.ice.url("/three"), "tags": "tone", "country": "France"}]
        with FakeDirectory(world.root, entries) as directory:
            server = world.http.base_url()
            # No auto play: what is heard is only what the test asks for.
            rig_app.write_settings({
                "Servers": {"ChannelListServer": server, "BannerServer": server, "StationDirectory": directory.base},
                "Settings": rig_app.settings_values({"AutoPlay": 0}, HOT_KEYS)})
            world.start()
            assert world.names() == ["One", "Two", "Three"], world.names()
            world.wait_silence()
            # Wide enough for the whole ribbon; the first showing fits the window to the list's form.
            subprocess.run(["xdotool", "windowsize", "--sync", str(world.app.main_window()), "1260", "900"],
                           check=True)

            world.click_ribbon("My Stations", "Directory...")
            ui = world.ui
            window = ui.wait_for(lambda: directory_window(ui), 20, "the station directory window")
            # It opens with the directory's most played stations.
            result = ui.wait_for(lambda: ui.find("Tone Three FM", None, window), 20, "the directory's results")
            ui.click(result)
            world.click_in(window, "Play")
            world.wait_tone(880)
            rig_app.wait_for(lambda: directory.clicks(1) == 1, "the click counted by the directory", 20)

            world.click_in(window, "Add to My Stations")
            ui.wait_for(lambda: ui.find('"Tone Three FM" was added to My Stations.', None, window), 20,
                        "the confirmation")
            show = ui.wait_for(lambda: ui.find_in_panel("My Stations", "My Stations", "check box"), 20, "My Stations")
            ui.click(show)
            ui.wait_for(lambda: world.names() == ["Tone Three FM"], 20, "My Stations in the list")
            assert world.setting("ShowMyStations") == "1"

            world.stop_app()
            world.wait_silence()
            world.start()
            assert world.names() == ["Tone Three FM"], world.names()
            assert world.ui.channel_rows()[0][0] == "1"
            world.wait_silence()
            world.press_hot_key("Play")
            world.wait_tone(880)
            assert world.selected_name() == "Tone Three FM", world.selected_name()
            assert world.setting("MyStationsLastIndex") == "0"
            # The maker's list kept its own last row.
            assert world.setting("LastChannelIndex") is None, world.setting("LastChannelIndex")


if __name__ == "__main__":
    rig_app.run_tests(globals())
