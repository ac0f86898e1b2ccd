# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Listening back on a live radio, as a user hears it: the media controls' Pause holds the sound
while the stream goes on arriving, Play goes on with the tone that was playing when it paused and the
status says how far behind live it is; Previous Song finds the start of the song heard and then of
the one before it (its tone sounds again), Next Song the start of the following one; Save Song
writes exactly that song's span from the buffer into the recording folder (decoded: its tone, its
length within a second); Live ends the delay.

The radio changes its tone with each title, so what is heard tells which song plays."""

import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from mpris_desktop import Desktop, Mpris  # noqa: E402
from player_world import PlayerWorld  # noqa: E402
from rig_app import run_tests  # noqa: E402
from rig_streams import Radio  # noqa: E402
from test_comforts_record import decoded, music_folder, open_in  # noqa: E402

RADIO = Radio("/tune", 330, name="Tune", tunable=True)
ROW = 3  # after One, Two and Three
PANEL = "Listen Back"
# The radio's pace, which the test sets (not a wait for the program): how long the first song plays,
# how long the pause lasts and when in the pause the radio moves on to the third song.
FIRST_SECONDS = 10
PAUSE_SECONDS = 20
THIRD_AFTER = 8
BEHIND = re.compile(r"(?:(\d+):)?(\d+):(\d\d) behind live")


def behind_live(world):
    """Seconds behind live that the status shows (tray tool tip or the window), None when it says
    nothing of it."""
    texts = [world.app.tray_tooltip()] + [n.label or "" for n in world.ui.nodes()]
    for text in texts:
        m = BEHIND.search(text)
        if m:
            hours, minutes, seconds = (int(g or 0) for g in m.groups())
            return hours * 3600 + minutes * 60 + seconds
    return None


def play_on(until):
    """Lets the radio go on until that moment (of time.monotonic)."""
    time.sleep(max(0.0, until - time.monotonic()))


def test_pause_resume_songs_save_and_live():
    folder = os.path.join(music_folder(), "Vedrix")
    with Desktop(), PlayerWorld(radios=[RADIO]) as world:
        world.write_settings({"LastChannelIndex": ROW})
        world.start()
        world.wait_tone(330)
        mpris = Mpris()
        world.app.wait_for(mpris.available, "the media player name on the bus")
        mpris.wait_property("CanPause", True)
        mpris.wait_property("CanSeek", True)
        ice = world.ice

        def song(title, frequency):
            ice.set_tone(RADIO.mount, frequency)
            ice.set_title(RADIO.mount, title)
            return time.monotonic()

        first_began = song("Artist - First", 440)
        world.wait_tone(440)
        play_on(first_began + FIRST_SECONDS)
        second_began = song("Artist - Second", 550)
        first_length = second_began - first_began
        world.wait_tone(550)
        # Well into the second song as it is heard: the sound comes later than the title was sent, by
        # the server's burst and the player's buffers, and more so on a busy machine.
        play_on(time.monotonic() + 6)

        # Pause: silence, the desktop is told, and the radio moves on meanwhile.
        mpris.call("Pause")
        paused = time.monotonic()
        world.wait_silence()
        mpris.wait_property("PlaybackStatus", "Paused")
        play_on(paused + THIRD_AFTER)
        song("Artist - Third", 660)
        play_on(paused + PAUSE_SECONDS)
        assert world.listen(1.0).silent

        # Play goes on where it paused, about the pause's length behind live.
        mpris.call("Play")
        world.wait_tone(550)
        mpris.wait_property("PlaybackStatus", "Playing")
        behind = world.app.wait_for(lambda: behind_live(world), "the status saying how far behind live")
        assert PAUSE_SECONDS - 3 <= behind <= PAUSE_SECONDS + 3, (behind, world.app.tray_tooltip())

        # Previous Song: the second song began more than a few seconds ago, so first to its start,
        # then (at once, so within its first seconds) to the start of the first song.
        # (The second click is the pointer's, where it is: a walk through the window's accessible
        # tree, or moving the pointer to where it already is, may take longer than those seconds.)
        heard_at = mpris.get("Position")
        world.click_ribbon(PANEL, "Previous Song")
        second_start = mpris.wait_property("Position", lambda p: p < heard_at - 3e6, "a jump back")
        subprocess.run(["xdotool", "click", "1"], check=True)
        first_start = mpris.wait_property("Position", lambda p: p < second_start - 3e6, "a jump to the song before")
        world.wait_tone(440)
        assert abs((second_start - first_start) / 1e6 - first_length) < 1.5, (first_start, second_start,
                                                                                first_length)

        # Save Song while the first song plays: that song's span as it came, into the recording folder.
        world.click_ribbon(PANEL, "Save Song")
        saved = world.app.wait_for(lambda: [os.path.join(folder, n) for n in os.listdir(folder)]
                                   if os.path.isdir(folder) else None, "the saved song")
        assert len(saved) == 1 and "Artist - First" in saved[0] and saved[0].endswith(".mp3"), saved
        world.app.wait_for(lambda: not open_in(world.app.proc.pid, saved), "the saved file closed")
        tone, seconds = decoded(saved[0])
        assert abs(tone.frequency - 440) < 15 and not tone.silent, tone
        assert abs(seconds - first_length) <= 1.0, (seconds, first_length)

        # Next Song: the start of the second song again.
        before = mpris.get("Position")
        assert second_start - before > 3e6, (before, second_start)
        world.click_ribbon(PANEL, "Next Song")
        # Sooner than playing on to the end of the first song would bring it there.
        world.app.wait_for(lambda: abs(mpris.get("Position") - second_start) < 1.5e6, "a jump to the next song",
                           timeout=(second_start - before) / 1e6 - 1.5)
        world.wait_tone(550)

        # Live: the third song, and the status no longer says it is behind.
        world.click_ribbon(PANEL, "Live")
        world.wait_tone(660)
        world.app.wait_for(lambda: behind_live(world) is None, "the status without a delay")
        assert world.app.running()


if __name__ == "__main__":
    run_tests(globals())
