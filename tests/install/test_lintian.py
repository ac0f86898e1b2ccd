# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The Debian package as a distribution would take it, made by cpack from this build (no second build)
as tools/package makes it: twice, with the last commit's time as SOURCE_DATE_EPOCH, gives the same
bytes, and every file in it carries that time. lintian finds no error and no warning, and each of its
informational tags is one that the README's Install section explains. The program and the web module
pass hardening-check (PIE, stack protector, fortified calls, read-only relocations, immediate binding),
and the package has no maintainer scripts (no ldconfig calls for a private module).

Run under tools/testenv with VEDRIX_BUILD (the build folder) and VEDRIX_SOURCE."""

import filecmp
import glob
import io
import os
import re
import subprocess
import tarfile
import tempfile
import unittest

BUILD = os.environ["VEDRIX_BUILD"]
SOURCE = os.environ["VEDRIX_SOURCE"]
TAG = re.compile(r"^([EWIPX]): vedrix(?: \w+)?: (\S+)(.*)$")


def run(*command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def scratch(prefix):
    return tempfile.mkdtemp(prefix=prefix, dir=os.environ.get("TMPDIR"))


def source_date_epoch():
    """What tools/package takes: the last commit's time (a fixed one outside a git checkout)."""
    result = run("git", "-C", SOURCE, "log", "-1", "--format=%ct")
    return result.stdout.strip() if result.returncode == 0 and result.stdout.strip() else "1765238400"


def package(epoch):
    out = scratch("cpack.")
    result = run("cpack", "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-B", out,
                 env=dict(os.environ, SOURCE_DATE_EPOCH=epoch))
    assert result.returncode == 0, result.stdout + result.stderr
    debs = glob.glob(os.path.join(out, "vedrix_*.deb"))
    assert len(debs) == 1, os.listdir(out)
    return debs[0]


def members(deb, part):
    """The members of the package's data (--fsys-tarfile) or control (--ctrl-tarfile) archive."""
    data = subprocess.run(["dpkg-deb", part, deb], capture_output=True, check=True).stdout
    with tarfile.open(fileobj=io.BytesIO(data)) as tar:
        return tar.getmembers()


def readme_install_section():
    with open(os.path.join(SOURCE, "README.md")) as f:
        text = f.read()
    return re.search(r"^## Install\n(.*?)^## ", text, re.M | re.S).group(1)


class Package(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.epoch = source_date_epoch()
        cls.deb = package(cls.epoch)

    def test_two_packagings_are_the_same_bytes(self):
        again = package(self.epoch)
        self.assertTrue(filecmp.cmp(self.deb, again, shallow=False), "two packagings differ")
        times = {m.name: m.mtime for m in members(self.deb, "--fsys-tarfile")}
        self.assertEqual({n: t for n, t in times.items() if t != int(self.epoch)}, {})

    def test_no_maintainer_scripts(self):
        names = {os.path.basename(m.name) for m in members(self.deb, "--ctrl-tarfile") if m.isfile()}
        self.assertEqual(names, {"control", "md5sums"})

    def test_lintian_finds_no_error_or_warning(self):
        result = run("lintian", "-I", "--tag-display-limit", "0", self.deb)
        print(result.stdout, end="")
        tags = [TAG.match(line) for line in result.stdout.splitlines()]
        self.assertNotIn(None, tags, result.stdout + result.stderr)
        serious = [m.group(0) for m in tags if m.group(1) in "EW"]
        self.assertEqual(serious, [])
        explained = readme_install_section()
        unexplained = sorted({m.group(2) for m in tags if m.group(1) == "I" and "`" + m.group(2) not in explained})
        self.assertEqual(unexplained, [], "informational tags the README's Install section does not name")

    def test_program_and_module_are_hardened(self):
        root = scratch("root.")
        subprocess.run(["dpkg", "-x", self.deb, root], check=True)
        # Control flow protection is not among the flags of Debian 12's dpkg-buildflags. The module's
        # only call that the fortified C library covers is memmove in Qt's inline array code, on heap
        # blocks whose size the compiler cannot know: built with _FORTIFY_SOURCE all the same, it keeps
        # the plain call, which hardening-check takes for a module built without.
        program = os.path.join(root, "usr", "bin", "vedrix")
        modules = glob.glob(os.path.join(root, "usr", "lib", "*", "vedrix", "vedrix_web.so"))
        self.assertEqual(len(modules), 1, modules)
        for binary, skip in ((program, []), (modules[0], ["--nofortify"])):
            result = run("hardening-check", "--nocfprotection", *skip, binary)
            print(result.stdout, end="")
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
