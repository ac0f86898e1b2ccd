# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Every source file names its licence: the SPDX lines at its top (after a script's #! line) say
GPL-3.0-or-later, as LICENSE at the root does. A new file without them fails here, by name."""

import os
import unittest

ROOT = os.environ.get("VEDRIX_SOURCE") or os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SPDX = "SPDX-License-Identifier: GPL-3.0-or-later"
FOLDERS = ("src", "tests", "bench", "tools")
SKIP = {os.path.join("tests", "fixtures")}


def sources():
    """The source files: C++, Python, CMake and the scripts; the test fixtures are data, not sources."""
    yield "CMakeLists.txt"
    for name in sorted(os.listdir(os.path.join(ROOT, "data"))):
        if name == "CMakeLists.txt" or name.endswith(".cmake"):
            yield os.path.join("data", name)
    for folder in FOLDERS:
        for parent, dirs, files in os.walk(os.path.join(ROOT, folder)):
            rel = os.path.relpath(parent, ROOT)
            dirs[:] = [d for d in dirs if os.path.join(rel, d) not in SKIP and d != "__pycache__"]
            for name in files:
                path = os.path.join(rel, name)
                if name.endswith((".cpp", ".h", ".py", ".cmake")) or name == "CMakeLists.txt":
                    yield path
                else:
                    with open(os.path.join(ROOT, path), "rb") as f:
                        if f.read(2) == b"#!":
                            yield path


class Licence(unittest.TestCase):
    def test_every_source_file_has_the_spdx_line(self):
        missing = []
        for path in sources():
            with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as f:
                head = [f.readline() for _ in range(4)]
            if not any(line.rstrip("\n").endswith(SPDX) for line in head):
                missing.append(path)
        self.assertEqual(missing, [], "no '%s' in the first lines" % SPDX)

    def test_licence_file_is_the_gpl_3(self):
        with open(os.path.join(ROOT, "LICENSE")) as f:
            text = f.read()
        self.assertIn("GNU GENERAL PUBLIC LICENSE\n                       Version 3, 29 June 2007", text)


if __name__ == "__main__":
    unittest.main()
