# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A new user's first start, with no channel list server configured: the list is built from the public
sources (the station directory per language group, the per-language TV playlists; here the fakes of
rig_sources on 127.0.0.1, whose stations are Icecast tone radios).

With the sources answering, the list shows the channels of all seven groups, radio and TV; the last
channel plays and "vedrix 1" plays the first row, both heard on the sink; the station whose last check
failed is hidden until "Display Non-Working Channels" is on, and the second start within the day asks
no source at all.

With every source out of reach and no list built before, the player view shows the line that says how
to get channels, no message box comes up (at the start or when the user leaves the category and comes
back), the banner is hidden, and both web views show the program's own page, never the engine's error
page."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import player_a11y  # noqa: E402
import rig_app  # noqa: E402
from rig_app import App, run_tests, wait_for  # noqa: E402
from rig_sources import PublicSources  # noqa: E402
from rig_streams import HlsChannel, Icecast, PulseAudio, Radio  # noqa: E402

EMPTY_LIST_HINT = ("No channels yet. Connect to the internet and choose Refresh Channels List, or add stations of "
                   "your own in My Stations: Add Station by Address, Import Playlist or the Station Directory.")
TONES = [440, 660, 880]


def heard(pulse, frequency, timeout=30):
    """Waits until the sink plays the tone of that frequency."""
    def tone():
        measured = pulse.record(0.8)
        return not measured.silent and abs(measured.frequency - frequency) < 15
    wait_for(tone, "%d Hz on the sink" % frequency, timeout)


def listed(ui):
    """(name, language) of each row of the channel list."""
    return [(row[1], row[3]) for row in ui.channel_rows()]


def message_boxes(ui):
    return [n for n in ui.nodes() if n.label.startswith("Failed to Update")]


def test_first_start_builds_the_list_from_the_public_sources():
    with PulseAudio() as pulse, Icecast([Radio("/a", 440), Radio("/b", 660), Radio("/c", 880)]) as ice, \
            HlsChannel() as tv, PublicSources(ice, tv.url) as sources:
        os.environ.update(pulse.env())
        os.environ.update(player_a11y.ENV)
        # Row 1 (the German station, the second mount) is the last channel: it plays by itself.
        values = {"DisplayTVChannels": 1, "LastChannelIndex": 1}
        with App(settings={"Servers": sources.servers(), "Settings": values}) as app:
            app.start_and_wait_ready()
            ui = player_a11y.Accessibility()
            rows = ui.wait_for(lambda: len(ui.channel_rows()) >= 9 and listed(ui), 60, "the channel list")
            names = [name for name, _ in rows]
            assert set(language for _, language in rows) >= {"English", "German", "French", "Hindi", "Tamil",
                                                               "Chinese", "Bulgarian", "Romanian"}, rows
            # Both playlists carry the one test channel: a stream is listed once, under its first language.
            assert ("Test Card TV", "English") in rows and "Testbild TV" not in names, rows
            # The broken station is OFF; the one in no language of the list is not there at all.
            assert "Old Wave AM" not in names and "Punjab Beats" not in names, names
            assert names[:3] == ["London Loop FM", "Berliner Welle", "Radio Lumière"], names
            # A name with a comma keeps its look.
            assert "Radio Dunărea\u201a Galați" in names, names
            heard(pulse, 660)
            assert app.run_second("1") == 0
            heard(pulse, 440)
            # Gentle with the public servers: one request per group to each source.
            assert sources.count("/json/stations/search") == 7, sources.searches()
            assert all(sources.count("/tv/%s.m3u" % code) == 1 for code in ("eng", "deu", "fra", "hin", "zho",
                                                                            "bul", "ron"))
            assert all(r["user_agent"].startswith("Vedrix/") for r in sources.requests()), sources.requests()
            app.kill()

        sources.reset()
        # The OFF station is listed now, as row 1: the German station has moved to row 2.
        values.update(DisplayNonWorkingChannels=1, LastChannelIndex=2)
        with App(settings={"Servers": sources.servers(), "Settings": values}) as app:
            app.start_and_wait_ready()
            ui = player_a11y.Accessibility()
            rows = ui.wait_for(lambda: len(ui.channel_rows()) >= 9 and listed(ui), 60, "the channel list")
            assert rows[1] == ("Old Wave AM", "English"), rows
            heard(pulse, 660)
            assert sources.requests() == [], sources.requests()
            app.tray_click("Exit")
            assert app.wait_exit() == 0, app.log()


def test_sources_out_of_reach_show_how_to_get_channels_and_no_error_page():
    os.environ.update(player_a11y.ENV)
    # No server configured at all: the test environment closes every public one.
    with App(settings={"Settings": {"LastCategory": 0}}) as app:
        app.start_and_wait_ready()
        wait_for(app.window_shown, "the window")
        ui = player_a11y.Accessibility()
        ui.wait_for(lambda: ui.find(EMPTY_LIST_HINT), 60, "the line that says how to get channels")
        assert message_boxes(ui) == []
        banner = [n for n in ui.nodes() if n.label == "Banner"]
        assert not any(n.showing for n in banner), "the banner pane is shown without a banner"
        for tab in ("Software Downloads", "More Softwares"):
            open_tab(ui, tab)
            page = ui.wait_for(lambda: built_in_page(ui), 60, "the program's own page in %r" % tab)
            assert not error_page(ui), page
        open_tab(ui, "Online Channel Player")
        ui.wait_for(lambda: ui.find(EMPTY_LIST_HINT), 60, "the line after coming back")
        assert message_boxes(ui) == []
        # The download dialog has gone, and no message box (whose caption is the program's too) is up.
        wait_for(lambda: len(app._search("--onlyvisible")) == 1, "the main window alone")
        assert message_boxes(ui) == []
        app.tray_click("Exit")
        assert app.wait_exit() == 0, app.log()


def open_tab(ui, tab):
    """Clicks a ribbon tab (not the program's own page, which names the tabs too) until it is open:
    under Xvfb without a window manager, a click in the moment the download dialog goes away can be
    lost (a user would click again)."""
    for _ in range(3):
        ui.click(ui.find(tab, "check box"))
        try:
            return ui.wait_for(lambda: ui.find(tab, "check box").checked, 5, "the tab %r to open" % tab)
        except AssertionError:
            continue
    raise AssertionError("the tab %r does not open" % tab)


def documents(ui):
    """The web documents on screen: the pages that the web views show."""
    return [n for n in ui.nodes() if n.role in ("document web", "web document") and n.showing]


def built_in_page(ui):
    """The program's own page (its document is named "Vedrix" in every language), when it is shown."""
    return next((n for n in documents(ui) if n.label == "Vedrix"), None)


def error_page(ui):
    """Any other page on screen: the engine's error page names itself after the address it failed on."""
    return [n.label for n in documents(ui) if n.label != "Vedrix"]


if __name__ == "__main__":
    run_tests(globals())
