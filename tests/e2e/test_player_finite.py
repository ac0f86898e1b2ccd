"""A channel whose address is a short file (three seconds of MP3 over plain HTTP) plays once: when it
ends the player says so and does not open it again, as it would a live stream that dropped."""

import os
import subprocess
import sys
import time

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
        # A dropped live stream would be opened again after a second; a file that ended is not.
        deadline = time.monotonic() + 6
        while time.monotonic() < deadline:
            assert "Reconnecting" not in app.tray_tooltip(), app.tray_tooltip()
            time.sleep(0.2)
        assert world.listen(1.0).silent


if __name__ == "__main__":
    run_tests(globals())
