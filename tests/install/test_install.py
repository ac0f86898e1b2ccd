# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Installing Vedrix. `cmake --install` lays out the program, its desktop entry, icons, AppStream
metainfo, man pages (English and German, compressed), licence and changelog, and the desktop's own
validators accept them. The Debian package that cpack makes from this build (no second build) depends
on the libraries the program needs and recommends those of the web module, installs into a scratch
root, answers --help and --version there without a display, and starts from its desktop entry's Exec line: the
main window comes up, MPRIS announces the entry's name, and the banner loads the web module from the
installed library folder.

Run under tools/testenv --x11 --dbus with VEDRIX_BUILD (the build folder) and VEDRIX_SOURCE."""

import glob
import os
import re
import shlex
import shutil
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from rig_app import PROPS, App, run_tests, wait_for  # noqa: E402

BUILD = os.environ["VEDRIX_BUILD"]
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
DESKTOP_ID = "vedrix"
EXPECTED = {
    "usr/bin/vedrix",
    "usr/share/applications/%s.desktop" % DESKTOP_ID,
    "usr/share/metainfo/io.github.vedrix.Vedrix.metainfo.xml",
    "usr/share/man/man1/vedrix.1.gz",
    "usr/share/man/de/man1/vedrix.1.gz",
    "usr/share/doc/vedrix/copyright",
    "usr/share/doc/vedrix/changelog.gz",
    "usr/share/icons/hicolor/scalable/apps/vedrix.svg",
} | {"usr/share/icons/hicolor/%dx%d/apps/vedrix.png" % (n, n) for n in SIZES}
# The web module, in the program's own folder of the library directory (lib, or lib/<multiarch> when
# configured for /usr).
WEB_MODULE = re.compile(r"^usr/lib(/[a-z0-9_]+-linux-gnu[a-z0-9_]*)?/vedrix/vedrix_web\.so$")


def split_module(files):
    """(the files without the web module, the web module's paths)."""
    modules = {f for f in files if WEB_MODULE.match(f)}
    return files - modules, modules


def scratch(prefix):
    return tempfile.mkdtemp(prefix=prefix, dir=os.environ.get("TMPDIR"))


def files_under(root):
    return {os.path.relpath(os.path.join(d, f), root) for d, _, files in os.walk(root) for f in files}


def run(*command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def desktop_entry(path):
    """The keys of the [Desktop Entry] group."""
    values, group = {}, None
    with open(path) as f:
        for line in f:
            line = line.strip()
            if line.startswith("["):
                group = line
            elif group == "[Desktop Entry]" and "=" in line and not line.startswith("#"):
                key, _, value = line.partition("=")
                values[key] = value
    return values


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", path
    return struct.unpack(">II", head[16:24])


def test_install_lays_out_every_file_and_validators_accept_them():
    dest = scratch("destdir.")
    result = run("cmake", "--install", BUILD, "--prefix", "/usr", env=dict(os.environ, DESTDIR=dest))
    assert result.returncode == 0, result.stderr
    files, modules = split_module(files_under(dest))
    assert files == EXPECTED and len(modules) == 1, (sorted(files ^ EXPECTED), modules)
    share = os.path.join(dest, "usr", "share")
    for n in SIZES:
        assert png_size(os.path.join(share, "icons/hicolor/%dx%d/apps/vedrix.png" % (n, n))) == (n, n)

    desktop = os.path.join(share, "applications", DESKTOP_ID + ".desktop")
    result = run("desktop-file-validate", desktop)
    assert result.returncode == 0 and not result.stdout.strip(), result.stdout + result.stderr
    entry = desktop_entry(desktop)
    assert shlex.split(entry["Exec"])[0] == "vedrix" and entry["Icon"] == "vedrix", entry

    metainfo = os.path.join(share, "metainfo", "io.github.vedrix.Vedrix.metainfo.xml")
    result = run("appstreamcli", "validate", "--no-net", metainfo)
    assert result.returncode == 0, result.stdout + result.stderr
    assert "<launchable type=\"desktop-id\">%s.desktop</launchable>" % DESKTOP_ID in open(metainfo).read()

    # What lintian runs: any troff or man warning is printed.
    for page in ("man1/vedrix.1.gz", "de/man1/vedrix.1.gz"):
        result = run("man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", os.path.join(share, "man", page),
                     env=dict(os.environ, LC_ALL="C.UTF-8", MANROFFSEQ="", MANWIDTH="80"))
        assert result.returncode == 0 and not result.stderr, (page, result.stderr)


def build_package():
    """The .deb that cpack makes from this build's binary; its path."""
    out = scratch("cpack.")
    result = run("cpack", "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-B", out)
    assert result.returncode == 0, result.stdout + result.stderr
    debs = glob.glob(os.path.join(out, "vedrix_1.0_*.deb"))
    assert len(debs) == 1, os.listdir(out)
    return debs[0]


def test_package_installs_and_starts_from_its_desktop_entry():
    deb = build_package()
    fields = run("dpkg-deb", "--field", deb).stdout
    assert "Section: sound" in fields and "Maintainer: Palomer" in fields, fields
    # The libraries the program needs: those it links (found by dpkg-shlibdeps) and libmpv, which it
    # opens. The web module's own are recommended: the program loads it when a page is first shown.
    field = {line.partition(":")[0]: line.partition(":")[2] for line in fields.splitlines() if ":" in line}
    depends = {d.split()[0] for d in field["Depends"].split(",")}
    recommends = {d.split()[0] for d in field["Recommends"].split(",")}
    assert {"libmpv2", "libqt6widgets6", "libxcb1", "libqt6svg6"} <= depends, depends
    assert {"libqt6webenginewidgets6", "libqt6webenginecore6", "qt6-wayland", "qt6-translations-l10n",
            "fonts-noto-cjk"} <= recommends, recommends
    assert not any(d.startswith("libqt6webengine") for d in depends), depends

    root = scratch("root.")
    result = run("dpkg", "-x", deb, root)
    assert result.returncode == 0, result.stderr
    files, modules = split_module(files_under(root))
    assert files == EXPECTED and len(modules) == 1, (sorted(files ^ EXPECTED), modules)
    module = os.path.join(root, modules.pop())
    installed = os.path.join(root, "usr", "bin")
    os.environ["PATH"] = installed + os.pathsep + os.environ["PATH"]

    # No display: --help and --version answer all the same, and a word it does not know is refused.
    no_display = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    result = run("vedrix", "--version", env=no_display, timeout=30)
    assert (result.returncode, result.stdout, result.stderr) == (0, "Vedrix 1.0\n", ""), result
    result = run("vedrix", "--help", env=no_display, timeout=30)
    assert result.returncode == 0 and result.stdout.startswith("Usage: vedrix") and not result.stderr, result
    result = run("vedrix", "--foo", env=no_display, timeout=30)
    assert result.returncode == 2 and not result.stdout and "Usage: vedrix" in result.stderr, result

    entry = desktop_entry(os.path.join(root, "usr", "share", "applications", DESKTOP_ID + ".desktop"))
    command = shlex.split(entry["Exec"])
    # The player view, whose banner loads the web module (its server is not there: an error page).
    nowhere = "http://127.0.0.1:9"
    settings = {"Settings": {"LastCategory": 0, "AutoPlay": 0},
                "Servers": {"ChannelListServer": nowhere, "BannerServer": nowhere}}
    with App(settings=settings, log_name="installed") as app:
        app.bin = shutil.which(command[0])
        assert app.bin == os.path.join(installed, "vedrix"), app.bin
        app.start(*command[1:])
        wait_for(lambda: app.window_shown() or not app.running(), "the installed program's main window")
        assert app.running(), app.log()
        wait_for(lambda: app.bus().name_has_owner("org.mpris.MediaPlayer2.vedrix"), "the MPRIS service")
        mpris = app.bus().get_object("org.mpris.MediaPlayer2.vedrix", "/org/mpris/MediaPlayer2")
        assert mpris.Get("org.mpris.MediaPlayer2", "DesktopEntry", dbus_interface=PROPS) == DESKTOP_ID

        def module_loaded():
            with open("/proc/%d/maps" % app.proc.pid) as f:
                return module in f.read()
        wait_for(module_loaded, "the installed web module in the program")
        app.tray_click("Exit")
        assert app.wait_exit() == 0


if __name__ == "__main__":
    run_tests(dict(globals()))
