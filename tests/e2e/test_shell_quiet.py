# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""What the program prints. A plain start that shows its window, the banner's page and plays a channel
prints nothing on stderr or stdout: not the web engine's start-up, not its script engine's flag
warnings; so too where the environment gives the web engine no switches of its own, as a user's
session does not. Asked through QT_LOGGING_RULES, the player says why a stream failed."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402
from rig_app import run_tests, wait_for  # noqa: E402
from test_shell_footprint import banner_on_screen  # noqa: E402


def printed_since(app, offset):
    with open(app.log_path, "rb") as f:
        f.seek(offset)
        return f.read().decode("utf-8", "replace")


def log_size(app):
    return os.path.getsize(app.log_path) if os.path.exists(app.log_path) else 0


def test_plain_start_with_a_page_shown_prints_nothing():
    os.environ.pop("QT_LOGGING_RULES", None)
    # This machine's libpipewire comes without its client.conf, and mpv's list of output devices asks
    # every sound system, PipeWire too, which then complains of the missing file. Not ours to say.
    os.environ["PIPEWIRE_DEBUG"] = "0"
    with PlayerWorld() as world:
        offset = log_size(world.app)
        world.start()
        world.wait_tone(440)
        wait_for(banner_on_screen, "the banner's page on screen")
        # The renderer has drawn the page: whatever the engine says at its start has been said.
        text = printed_since(world.app, offset)
        assert text.strip() == "", "printed on a plain start:\n" + text


def test_plain_start_without_web_engine_switches_prints_nothing():
    # The test environment's switches for the engine (and its Qt Quick back end) are not a user's;
    # only the sandbox stays off, as the tests run as root.
    saved = {name: os.environ.pop(name, None) for name in ("QTWEBENGINE_CHROMIUM_FLAGS", "QT_QUICK_BACKEND")}
    try:
        test_plain_start_with_a_page_shown_prints_nothing()
    finally:
        os.environ.update({name: value for name, value in saved.items() if value is not None})


def test_logging_rules_show_why_a_stream_failed():
    os.environ["QT_LOGGING_RULES"] = "vedrix.player.debug=true"
    try:
        with PlayerWorld(extra_lines=["Radio,Gone,%s,,English,Nothing here,ON" % "http://127.0.0.1:9/gone"]) as world:
            world.write_settings({"LastChannelIndex": "3"})
            offset = log_size(world.app)
            world.start()
            wait_for(lambda: "failed" in printed_since(world.app, offset), "the player's reason in the log")
            text = printed_since(world.app, offset)
            assert "http://127.0.0.1:9/gone" in text, text
            # mpv's reason, and what the player opened before.
            assert "failed: loading failed" in text, text
            assert "opening http://127.0.0.1:9/gone" in text, text
    finally:
        os.environ.pop("QT_LOGGING_RULES", None)


if __name__ == "__main__":
    run_tests(globals())
