# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A channel whose address is a short file (three seconds of MP3 over plain HTTP) plays once: when it
ends the player says so and does not open it again, as it would a live stream that dropped."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402
from rig_app import run_tests  # noqa: E402


def test_a_file_plays_once():
    with PlayerWorld() as world:
        subprocess.run(["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-f", "lavfi",
                        "-i", "sine=frequency=550:duration=3", "-c:a", "libmp3lame", "-b:a", "128k",
                        os.path.join(world.site, "clip.mp3")], check=True)
        world.extra_lines = ["Radio,Clip,%s/clip.mp3,,English,Three seconds,ON" % world.http.base_url()]
        world.write_list()
        app = world.app
        world.start()
        world.wait_tone(440)
        world.click_channel("Clip")
        world.wait_tone(550)
        app.wait_for(lambda: app.tray_tooltip().endswith("\nStopped: the stream ended"), "the end of the file")
        # A dropped live stream is opened again; a file that ended is not. A reconnect would show from the
        # moment the stream ended, before the tool tip said "the stream ended", so the tip above tells
        # it; this span only covers a second end of the same stream (the sound sent ahead running out)
        # and an attempt a second later with the time its sound takes to come: silence without a
        # reconnect for three listens of 0.8 s.
        for _ in range(3):
            assert world.listen(0.8).silent
            assert "Reconnecting" not in app.tray_tooltip(), app.tray_tooltip()


if __name__ == "__main__":
    run_tests(globals())
