# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The real program with a settings file it cannot use: a read-only settings folder (whose file only
names the local servers), a settings file of random bytes, and a regular file where the settings folder
should be. Each time it starts, shows its window with the default category (the channel player) and the
default display choices, and a choice the user changes while the store cannot be written stays as the
store says, without a crash; the store is left as it was."""

import os
import random
import stat
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from rig_app import App, make_site, run_tests, settings_path, wait_for  # noqa: E402
from rig_http import HttpRig  # noqa: E402
import player_a11y  # noqa: E402

LIST = ("Type,Channel,Address,Extra,Language,About,Status\r\n"
        "Radio,One,http://127.0.0.1:9/one,,English,Tone,ON\r\n"
        "TV,Picture,http://127.0.0.1:9/tv,,English,Moving,ON\r\n")
# Ribbon check boxes and their state with nothing stored.
DEFAULTS = {"Online Channel Player": True, "Settings": False, "Display Radio Channels": True,
            "Display TV Channels": False, "English": True, "Indian": True,
            "Play Last Channel Automatically": True}


def obeying_permissions(app):
    """Root ignores file permissions; run the program without the capabilities that let it, so a
    read-only folder is read-only to it too."""
    if os.geteuid() != 0:
        return
    wrapper = os.path.join(os.environ["TMPDIR"], "vedrix-no-override")
    with open(wrapper, "w") as f:
        f.write('#!/bin/sh\nexec setpriv --bounding-set=-dac_override,-dac_read_search '
                '--inh-caps=-dac_override,-dac_read_search -- "%s" "$@"\n' % app.bin)
    os.chmod(wrapper, 0o755)
    app.bin = wrapper


def snapshot(folder):
    """The settings folder: every entry below it with its content (None for folders); a file in its
    place with its content."""
    if os.path.isfile(folder):
        with open(folder, "rb") as f:
            return {folder: f.read()}
    out = {}
    for base, dirs, files in os.walk(folder):
        for d in dirs:
            out[os.path.join(base, d)] = None
        for name in files:
            with open(os.path.join(base, name), "rb") as f:
                out[os.path.join(base, name)] = f.read()
    return out


def check_defaults(ui):
    def states():
        found = {}
        for label in DEFAULTS:
            node = ui.find(label, "check box")
            if node is None:
                return None
            found[label] = node.checked
        return found if found == DEFAULTS else None
    ui.wait_for(states, 60, "the ribbon's check boxes to show the defaults")


def run_program(prepare, servers_readable, rewritten=False):
    """Starts the program against the store that prepare(http) made; checks what the module says.
    With rewritten, the program's own values replace the store's content; otherwise it stays as it was."""
    os.environ.update(player_a11y.ENV)
    config = os.path.dirname(settings_path())
    with HttpRig(make_site(LIST)) as http:
        prepare(http)
        before = snapshot(config)
        with App() as app:
            obeying_permissions(app)
            app.start_and_wait_ready()
            wait_for(app.window_shown, "the window")
            ui = player_a11y.Accessibility()
            check_defaults(ui)
            if servers_readable:
                # The list came from the local server and lists only the radio channel.
                ui.wait_for(lambda: [r[1] for r in ui.channel_rows()] == ["One"], 60, "the channel list")
                # A changed choice cannot be stored: the box shows the stored (default) state again after
                # the list has been fetched anew.
                ui.click(ui.find("Display TV Channels", "check box"))
                wait_for(lambda: http.count("/tvlist.zip") >= 2 or not app.running(), "the list to be fetched again")
                ui.wait_for(lambda: [r[1] for r in ui.channel_rows()] == ["One"], 60, "the channel list again")
                assert not ui.find("Display TV Channels", "check box").checked
                # The lost choice is told on stderr, naming the value, without asking for it.
                wait_for(lambda: "could not store Settings/DisplayTVChannels" in app.log(), "the failed write logged")
            assert app.running(), app.log()
            app.tray_click("Exit")
            assert app.wait_exit() == 0, app.log()
        if rewritten:
            with open(settings_path(), "rb") as f:
                text = f.read().decode("utf-8", "replace")
            assert "\n[Settings]\nCSorvanaView=1\n" in text, text[-500:]
        else:
            assert snapshot(config) == before


def test_read_only_settings_folder():
    folder = os.path.dirname(settings_path())

    def prepare(http):
        os.makedirs(folder)
        with open(settings_path(), "w") as f:
            f.write("[Servers]\nChannelListServer=%s\nBannerServer=%s\n" % (http.base_url, http.base_url))
        os.chmod(settings_path(), stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
        os.chmod(folder, stat.S_IRUSR | stat.S_IXUSR | stat.S_IRGRP | stat.S_IXGRP | stat.S_IROTH | stat.S_IXOTH)
    try:
        run_program(prepare, servers_readable=True)
    finally:
        os.chmod(folder, stat.S_IRWXU)
        os.chmod(settings_path(), stat.S_IRUSR | stat.S_IWUSR)
        os.remove(settings_path())
        os.rmdir(folder)


def test_settings_file_of_random_bytes():
    def prepare(http):
        os.makedirs(os.path.dirname(settings_path()))
        with open(settings_path(), "wb") as f:
            f.write(random.Random(5).randbytes(64 * 1024))
    try:
        # The first value the program stores replaces the garbage with a file it can read.
        run_program(prepare, servers_readable=False, rewritten=True)
    finally:
        os.remove(settings_path())
        os.rmdir(os.path.dirname(settings_path()))


def test_regular_file_in_place_of_the_settings_folder():
    folder = os.path.dirname(settings_path())

    def prepare(http):
        with open(folder, "w") as f:
            f.write("not a folder\n")
    try:
        run_program(prepare, servers_readable=False)
    finally:
        os.remove(folder)


if __name__ == "__main__":
    run_tests(globals())
