# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""What the program costs while it lives in the tray. Started hidden without playing, it has not loaded
the media player's library (libmpv and FFmpeg): that comes with the first Play. Started hidden and
playing a radio channel, its process has loaded neither an OpenGL driver nor the web engine. Shown, the banner's page comes on
screen (the web engine is loaded then, into the same main window, and draws in software: still no
OpenGL driver). Hidden again, the banner's renderer process ends after the configured time while the
radio plays on; shown again, the banner is back."""

import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_world import PlayerWorld  # noqa: E402
from rig_app import run_tests, wait_for  # noqa: E402

OPENGL = re.compile(r"(libLLVM|_dri\.so|libGLX_mesa|libgallium)")
WEB_ENGINE = re.compile(r"libQt6WebEngine")
MEDIA = re.compile(r"lib(mpv|avcodec|avformat)\.so")
BANNER = b"\xff\xcc\x00"  # the banner page's background, #fc0


def mapped(pid):
    """The files that the process has mapped."""
    with open("/proc/%d/maps" % pid) as f:
        return {line.split(None, 5)[5].strip() for line in f if len(line.split(None, 5)) > 5}


def renderers(pid, kind=b"--type=renderer"):
    """The web engine's renderer processes (or those of another --type) among pid's descendants."""
    found, todo = [], [pid]
    while todo:
        p = todo.pop()
        try:
            for task in os.listdir("/proc/%d/task" % p):
                with open("/proc/%d/task/%s/children" % (p, task)) as f:
                    todo += [int(c) for c in f.read().split()]
            with open("/proc/%d/cmdline" % p, "rb") as f:
                if kind in f.read().replace(b"\0", b" ").split():
                    found.append(p)
        except OSError:
            pass
    return found


def banner_on_screen():
    """Whether a good part of a banner's size shows the banner page's colour on the screen."""
    out = os.path.join(tempfile.gettempdir(), "screen.rgb")
    subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:" + out], check=True)
    with open(out, "rb") as f:
        data = f.read()
    return sum(1 for i in range(0, len(data) - 2, 3) if data[i:i + 3] == BANNER) > 5000


def test_hidden_and_stopped_without_the_media_player_library_until_play():
    with PlayerWorld() as world:
        world.write_settings({"AutoPlay": "0"})
        world.start((":silent",))
        pid = world.app.proc.pid
        assert not [m for m in mapped(pid) if MEDIA.search(m)], sorted(m for m in mapped(pid) if MEDIA.search(m))
        world.app.tray_click("Play")
        world.wait_tone(440)
        assert [m for m in mapped(pid) if MEDIA.search(m)]


def test_hidden_radio_without_opengl_or_web_engine_and_banner_renderer_ends_while_hidden():
    with PlayerWorld() as world:
        world.write_settings({"WebViewDiscardSeconds": "3"})
        world.start((":silent",), wait_for_list=False)
        app = world.app
        pid = app.proc.pid
        world.wait_tone(440)
        libraries = mapped(pid)
        assert not [m for m in libraries if OPENGL.search(m)], sorted(m for m in libraries if OPENGL.search(m))
        assert not [m for m in libraries if WEB_ENGINE.search(m)], sorted(m for m in libraries if WEB_ENGINE.search(m))
        assert renderers(pid) == []

        app.tray_click("Show")
        wait_for(app.window_shown, "the main window")
        window = app.main_window()
        wait_for(banner_on_screen, "the banner's page on screen")
        assert [m for m in mapped(pid) if WEB_ENGINE.search(m)]
        first = wait_for(lambda: renderers(pid), "the banner's renderer process")
        # The banner draws in software: still no OpenGL driver. With the sandbox off (as here) the
        # renderer starts without the engine's zygote processes.
        assert not [m for m in mapped(pid) if OPENGL.search(m)], sorted(m for m in mapped(pid) if OPENGL.search(m))
        assert renderers(pid, b"--type=zygote") == []
        # The web view came into the window that was there: the window was not made anew.
        assert app.main_window() == window, (window, app.main_window())

        app.close_window()
        wait_for(lambda: not app.window_shown(), "the window in the tray")
        wait_for(lambda: not set(first) & set(renderers(pid)), "the banner's renderer process to end")
        world.wait_tone(440)

        app.tray_click("Show")
        wait_for(app.window_shown, "the main window again")
        wait_for(banner_on_screen, "the banner's page on screen again")
        assert renderers(pid), "no renderer for the banner shown again"
        assert app.main_window() == window, (window, app.main_window())
        world.wait_tone(440)


if __name__ == "__main__":
    run_tests(globals())
