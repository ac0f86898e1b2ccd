# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Quitting while the program waits for something ends it cleanly: the media controls' Quit while the
channel list transfer has its headers but not its body leaves the stored list as it was and no
temporary file; the tray's Exit while a message box of the hot key settings is up ends with 0."""

import glob
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from mpris_desktop import ROOT, Mpris  # noqa: E402
from rig_app import MOD_CONTROL_ALT, App, make_site, run_tests, wait_for  # noqa: E402
from rig_http import HttpRig  # noqa: E402

LIST = "Type,Channel,Address,Extra,Language,About,Status\r\nRadio,One,http://127.0.0.1:9/one,,English,Tone,ON\r\n"
OLD = "an earlier list that no view has loaded yet".encode("utf-16-le")


def stored_list():
    return os.path.join(os.environ["XDG_DATA_HOME"], "Sorvana", "StationList.zip")


def test_quit_during_the_transfer_commits_nothing():
    with HttpRig(make_site(LIST)) as http:
        http.set_mode("/tvlist.zip", "stall")  # "200" and a length, then nothing
        os.makedirs(os.path.dirname(stored_list()), exist_ok=True)
        with open(stored_list(), "wb") as f:
            f.write(OLD)
        settings = {"Servers": {"ChannelListServer": http.base_url, "BannerServer": "http://127.0.0.1:9"}}
        with App(settings=settings) as app:
            app.start_and_wait_ready()
            wait_for(lambda: http.count("/tvlist.zip") > 0, "the channel list request")
            mpris = Mpris()
            wait_for(mpris.available, "the media player name on the bus")
            mpris.call("Quit", interface=ROOT)
            assert app.wait_exit() == 0
        with open(stored_list(), "rb") as f:
            assert f.read() == OLD
        assert glob.glob(os.path.join(os.environ["TMPDIR"], "SVF*")) == []


def test_exit_while_a_hot_key_box_is_up():
    # Play and Play Next on one combination: the second cannot be had, and its box comes up.
    keys = {"Play%20Key": 0x50, "Play%20Mod": MOD_CONTROL_ALT,
            "Play%20Next%20Key": 0x50, "Play%20Next%20Mod": MOD_CONTROL_ALT}
    settings = {"Settings": dict(LastCategory=1, **keys), "Servers": {"ChannelListServer": "http://127.0.0.1:9"}}
    with App(settings=settings) as app:
        app.start_and_wait_ready()
        wait_for(lambda: len(app._search("--onlyvisible")) >= 2, "the message box over the window")
        app.tray_click("Exit")
        assert app.wait_exit() == 0


if __name__ == "__main__":
    run_tests(globals())
