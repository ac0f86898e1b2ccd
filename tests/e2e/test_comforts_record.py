# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Recording the radio: the tray's "Record" writes the stream as it comes into the music folder's
"Vedrix" folder, one file per song title ("<channel> - <title>.mp3", characters a file name cannot
hold replaced, a name that is taken gets " (2)", one too long for the file system cut); each file decodes to the channel's tone. While it
records, the entry is checked and the status names the file; another channel ends the recording.
Where the folder cannot be made, a message says so and the radio plays on."""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402
from rig_app import run_tests  # noqa: E402
from rig_streams import analyse_pcm  # noqa: E402
import array  # noqa: E402

RATE = 44100


def music_folder():
    """A music folder of the test's own, through the XDG user-dirs file that Qt reads."""
    music = tempfile.mkdtemp(prefix="music.", dir=os.environ["TMPDIR"])
    with open(os.path.join(os.environ["XDG_CONFIG_HOME"], "user-dirs.dirs"), "w") as f:
        f.write('XDG_MUSIC_DIR="%s"\n' % music)
    return music


def decoded(path):
    """The file decoded by ffmpeg: (Measurement of its tone, seconds of sound)."""
    raw = subprocess.run(["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-i", path,
                          "-f", "s16le", "-ac", "1", "-ar", str(RATE), "-"],
                         check=True, stdout=subprocess.PIPE).stdout
    samples = array.array("h")
    samples.frombytes(raw[:len(raw) - len(raw) % 2])
    return analyse_pcm(samples, RATE), len(samples) / RATE


# How long each song plays before the next title: the radio's own pace, which the test sets, not a
# wait for the program (a file's size cannot tell how much it holds while the recorder buffers it).
SONG_SECONDS = 4


def play_song():
    """Lets the song play on for its length."""
    time.sleep(SONG_SECONDS)


def open_in(pid, paths):
    """Those of the files that the process holds open."""
    held = set()
    fds = "/proc/%d/fd" % pid
    for fd in os.listdir(fds):
        try:
            held.add(os.readlink(os.path.join(fds, fd)))
        except OSError:
            pass  # closed meanwhile
    return [p for p in paths if os.path.realpath(p) in held]


def record_entry(app):
    return next(e for e in app.tray_menu() if e["label"] == "Record")


def recording_note(app):
    tip = app.tray_tooltip()
    return tip[tip.index("Recording "):] if "Recording " in tip else ""


def wait_note(app, note, what):
    try:
        app.wait_for(lambda: recording_note(app) == note, what)
    except AssertionError:
        raise AssertionError("%s: the tool tip is %r\n%s" % (what, app.tray_tooltip(), app.log()[-3000:]))


def test_one_file_per_title_with_the_tone_until_another_channel():
    folder = os.path.join(music_folder(), "Vedrix")
    with PlayerWorld() as world:
        world.start()
        world.wait_tone(440)
        app = world.app
        world.ice.set_title("/one", "Artist - First")
        app.wait_for(lambda: "Artist - First" in app.tray_tooltip(), "the first title")
        assert not record_entry(app)["checked"]

        app.tray_click("Record")
        wait_note(app, "Recording One - Artist - First.mp3", "the first file")
        assert record_entry(app)["checked"]
        play_song()
        # A file being written is held open (so that none held open, below, means the recording ended).
        assert open_in(app.proc.pid, [os.path.join(folder, "One - Artist - First.mp3")])
        world.ice.set_title("/one", "AC/DC: Second?")
        wait_note(app, "Recording One - AC_DC_ Second_.mp3", "the second file")
        play_song()
        world.ice.set_title("/one", "Artist - First")
        wait_note(app, "Recording One - Artist - First (2).mp3", "the third file")
        play_song()
        # A name longer than a file name can be (255 bytes) is cut at a whole character: here
        # before the emoji, which would pass the limit.
        long_title = "音" * 78 + "\U0001F600" + "音" * 20
        long_name = "One - " + "音" * 78 + ".mp3"
        world.ice.set_title("/one", long_title)
        # (The tray's tip is too short to name it after such a title.)
        long_path = os.path.join(folder, long_name)
        app.wait_for(lambda: os.path.exists(long_path) and os.path.getsize(long_path) > 16000,
                     "the long title's file written")
        assert record_entry(app)["checked"]

        world.click_channel("Two")
        world.wait_tone(660)
        wait_note(app, "", "the recording ended by the channel change")
        assert not record_entry(app)["checked"]
        names = sorted(os.listdir(folder))
        assert names == ["One - AC_DC_ Second_.mp3", "One - Artist - First (2).mp3", "One - Artist - First.mp3",
                         long_name], names
        # The recording is over: the program holds none of the files open, so none grows any more.
        paths = [os.path.join(folder, n) for n in names]
        app.wait_for(lambda: not open_in(app.proc.pid, paths), "the files closed")
        sizes = [os.path.getsize(p) for p in paths]
        for name in names:
            tone, seconds = decoded(os.path.join(folder, name))
            assert abs(tone.frequency - 440) < 15 and not tone.silent, (name, tone)
            assert (2.5 < seconds < 15) or (name == long_name and seconds > 1), (name, seconds)
        assert sizes == [os.path.getsize(p) for p in paths], "a file still grows"


def test_a_folder_that_cannot_be_made_gives_a_message_and_the_radio_plays_on():
    # A plain file where the Vedrix folder would be.
    with open(os.path.join(music_folder(), "Vedrix"), "w") as f:
        f.write("not a folder")
    with PlayerWorld() as world:
        world.start()
        world.wait_tone(440)
        app = world.app
        app.tray_click("Record")
        text = world.ui.wait_for(
            lambda: next((n.label for n in world.ui.nodes() if "cannot be created" in (n.label or "")), None),
            30, "the message")
        assert "Vedrix" in text, text
        world.wait_tone(440)
        assert recording_note(app) == ""
        assert not record_entry(app)["checked"]
        world.click("OK", "push button")
        world.wait_tone(440)


if __name__ == "__main__":
    run_tests(globals())
