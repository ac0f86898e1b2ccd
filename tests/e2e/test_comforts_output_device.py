# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The output device: with a second PulseAudio sink, the Settings category's "Output Device" lists
it by its description beside "System default"; once chosen, the tone comes out of it and not out
of the default sink, also after a restart. A chosen sink that is gone when the program starts
leaves the sound on the default with a note in the status; the choice is kept, and the sink is used
again once it is back. A sink that goes while the tone plays brings the note at once, and its return
takes the sound back."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402
from rig_app import run_tests  # noqa: E402

SECOND = "vedrix_second"
DESCRIPTION = "Second"
NOTE = "Output device not found: system default used"


def pactl(*args):
    return subprocess.run(["pactl", *args], check=True, stdout=subprocess.PIPE, text=True).stdout.strip()


def load_second_sink():
    return pactl("load-module", "module-null-sink", "sink_name=" + SECOND, "rate=44100",
                 "sink_properties=device.description=" + DESCRIPTION)


def shown_windows(app):
    """How many of the program's windows are mapped (a menu that pops up is one more)."""
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(app.proc.pid), ""],
                         stdout=subprocess.PIPE, text=True).stdout
    return len(out.split())


def listen_on(world, sink):
    """What the sink's monitor hears (the rig listens to the default sink)."""
    world.pulse.SINK = sink
    try:
        return world.listen(0.8)
    finally:
        del world.pulse.SINK


def wait_tone_on(world, sink, frequency, other):
    """Waits until the tone comes out of sink, then checks that the other sink is silent."""
    def heard():
        m = listen_on(world, sink)
        return not m.silent and abs(m.frequency - frequency) < 15
    world.app.wait_for(heard, "%d Hz on %s" % (frequency, sink))
    if other:
        assert listen_on(world, other).silent, listen_on(world, other)


def test_chosen_sink_plays_is_kept_and_falls_back_while_gone():
    with PlayerWorld() as world:
        module = load_second_sink()
        default = world.pulse.SINK
        world.start()
        wait_tone_on(world, default, 440, SECOND)
        app = world.app

        world.click("Settings")
        windows = shown_windows(app)
        world.click_ribbon("Sound", "Output Device")
        app.wait_for(lambda: shown_windows(app) > windows, "the menu")
        # The menu lists "System default", a line, then the sinks in the server's order: ours last.
        subprocess.run(["xdotool", "key", "Down", "Down", "Down", "Return"], check=True)
        app.wait_for(lambda: world.setting("AudioDevice") == "pulse/" + SECOND, "the choice stored")

        world.click("Online Channel Player")
        wait_tone_on(world, SECOND, 440, default)
        assert NOTE not in app.tray_tooltip()

        world.stop_app()
        world.start()
        wait_tone_on(world, SECOND, 440, default)

        # Gone while playing: the status says so at once; back: the sound returns to it.
        pactl("unload-module", module)
        app.wait_for(lambda: NOTE in app.tray_tooltip(), "the note as the device goes", timeout=5)
        module = load_second_sink()
        app.wait_for(lambda: NOTE not in app.tray_tooltip(), "the note gone as it comes back", timeout=5)
        wait_tone_on(world, SECOND, 440, default)

        world.stop_app()
        pactl("unload-module", module)
        world.start()
        wait_tone_on(world, default, 440, None)
        app.wait_for(lambda: NOTE in app.tray_tooltip(), "the note in the status")
        assert world.setting("AudioDevice") == "pulse/" + SECOND

        load_second_sink()
        world.click_channel("Two")
        wait_tone_on(world, SECOND, 660, default)
        app.wait_for(lambda: NOTE not in app.tray_tooltip(), "the note gone")


if __name__ == "__main__":
    run_tests(globals())
