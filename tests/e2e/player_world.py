# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A world for the player's end-to-end tests: PulseAudio with a null sink, Icecast with three tone
radios (440, 660 and 880 Hz), optionally a live HLS TV channel (1000 Hz), and an HTTP server with the
channel list at "/tvlist.zip" and the banner page. The program runs against it through rig_app's
``App`` (``world.app``: tray tool tip and menu) with its own settings file; what is audible is
measured on the sink's monitor, what the window shows is read through its accessibility tree.

    with PlayerWorld() as world:
        world.start()                      # vedrix, window shown
        world.wait_tone(440)               # row 0 plays
        world.stop_app()

The default list (TV only with tv=True):
    row  name   tone  language  note
    0    One    440   English
    -    Dead         English   status OFF: never listed
    1    Two    660   German
    2    Three  880   French
    3    Test TV 1000 English   type TV: hidden until "Display TV Channels"
"""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from rig_streams import HlsChannel, Icecast, PulseAudio, Radio, StaticHttpServer  # noqa: E402
import player_a11y  # noqa: E402
import rig_app  # noqa: E402

TONES = {"One": 440, "Two": 660, "Three": 880, "Test TV": 1000}
# Hot keys that the tests store: Ctrl+Alt with P (Play), N (Next), B (Prev), S (Stop).
HOT_KEYS = {"Play": ("p", 0x50), "Play Next": ("n", 0x4E), "Play Prev": ("b", 0x42), "Stop": ("s", 0x53)}


def fail(message):
    raise AssertionError(message)


class PlayerWorld:
    def __init__(self, tv=False, extra_lines=(), radios=()):
        """radios: further Radio mounts on the same Icecast, listed after "Three" under their names."""
        self.tv = tv
        self.extra_lines = list(extra_lines)
        self.radios = list(radios)
        self.pulse = self.ice = self.hls = self.http = self.app = None
        self.ui = None
        self.root = tempfile.mkdtemp(prefix="world.", dir=os.environ.get("TMPDIR"))
        self.site = os.path.join(self.root, "site")

    # --- servers -------------------------------------------------------------------------------

    def __enter__(self):
        try:
            self.pulse = PulseAudio().start()
            self.ice = Icecast([Radio("/one", 440, name="One"), Radio("/two", 660, name="Two"),
                                Radio("/three", 880, name="Three")] + self.radios).start()
            if self.tv:
                self.hls = HlsChannel(frequency=1000).start()
            os.makedirs(os.path.join(self.site, "banners", "vedrix"))
            with open(os.path.join(self.site, "banners", "vedrix", "index.html"), "w") as f:
                f.write("<html><body style='background:#fc0'>Banner</body></html>")
            self.http = StaticHttpServer(self.site).start()
            self.write_list()
            self.write_settings({})
            # The program and its second starts inherit these: sound to our sink, widgets readable.
            os.environ.update(self.pulse.env())
            os.environ.update(player_a11y.ENV)
            self.app = rig_app.App(log_name="vedrix-player").__enter__()
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *exc):
        if self.app:
            self.app.__exit__()
        for server in (self.http, self.hls, self.ice, self.pulse):
            if server:
                server.stop()
        return False

    def list_lines(self):
        lines = ["Type,Channel,Address,Extra,Language,About,Status",
                 "Radio,One,%s,,English,Tone 440,ON" % self.ice.url("/one"),
                 "Radio,Dead,%s,,English,Off the air,OFF" % self.ice.url("/dead"),
                 "Radio,Two,%s,,German,Tone 660,ON" % self.ice.url("/two"),
                 "Radio,Three,%s,,French,Tone 880,ON" % self.ice.url("/three")]
        lines += ["Radio,%s,%s,,English,Tone,ON" % (r.name, self.ice.url(r.mount)) for r in self.radios]
        if self.hls:
            lines.append("TV,Test TV,%s,,English,Moving picture,ON" % self.hls.url)
        return lines + self.extra_lines

    def write_list(self):
        text = "\r\n".join(self.list_lines()) + "\r\n"
        with open(os.path.join(self.site, "tvlist.zip"), "wb") as f:
            f.write(text.encode("utf-16-le"))

    def write_settings(self, values, hot_keys=False):
        """A fresh settings file: the local servers plus the given Settings values."""
        server = self.http.base_url()
        rig_app.write_settings({"Servers": {"ChannelListServer": server, "BannerServer": server},
                                "Settings": rig_app.settings_values(values, HOT_KEYS if hot_keys else {})})

    def setting(self, key):
        """A value of the Settings section as the program stored it, or None."""
        return rig_app.read_settings().get("Settings", {}).get(key.replace(" ", "%20"))

    # --- the program ---------------------------------------------------------------------------

    def start(self, args=(), wait_for_list=True):
        """Starts the first instance; returns once its list shows channels (if asked to wait)."""
        self.app.start_and_wait_ready(*args)
        self.ui = player_a11y.Accessibility()
        if wait_for_list:
            self.ui.wait_for(self.ui.channel_rows, 60, "the channel list")

    def run_second(self, args):
        """A second start: it hands its request to the first instance and ends."""
        return self.app.run_second(*args)

    def stop_app(self):
        self.app.kill()

    def names(self):
        return [row[1] for row in self.ui.channel_rows()]

    def selected_name(self):
        rows, selected = self.ui.channel_table()
        return rows[selected][1] if selected is not None else None

    def press_hot_key(self, action):
        subprocess.run(["xdotool", "key", "--clearmodifiers", "ctrl+alt+" + HOT_KEYS[action][0]], check=True)

    def click(self, label, role=None):
        node = self.ui.wait_for(lambda: self.ui.find(label, role), 20, label)
        self.ui.click(node)

    def click_ribbon(self, panel, label):
        node = self.ui.wait_for(lambda: self.ui.find_in_panel(panel, label), 20, label)
        self.ui.click(node)

    def click_in(self, top, label, role=None):
        """Clicks the element named label inside top's subtree (a window of its own, for example)."""
        node = self.ui.wait_for(lambda: self.ui.find(label, role, top), 20, label)
        self.ui.click(node)

    def click_channel(self, name):
        """Clicks the channel's name in the list."""
        node = self.ui.wait_for(lambda: self.ui.find(name, "cell"), 20, name)
        self.ui.click(node)

    # --- sound ---------------------------------------------------------------------------------

    def listen(self, seconds=1.0):
        return self.pulse.record(seconds)

    def wait_tone(self, frequency, timeout=30):
        """Waits until the tone of that frequency is what the sink plays; returns the measurement."""
        deadline = time.monotonic() + timeout
        heard = None
        while time.monotonic() < deadline:
            heard = self.listen(0.8)
            if not heard.silent and abs(heard.frequency - frequency) < 15:
                return heard
        fail("expected %d Hz, heard %s\n%s" % (frequency, heard, self.app.log()))

    def wait_silence(self, timeout=20):
        deadline = time.monotonic() + timeout
        heard = None
        while time.monotonic() < deadline:
            heard = self.listen(0.8)
            if heard.silent:
                return heard
        fail("expected silence, heard %s" % (heard,))
