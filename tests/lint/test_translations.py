# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The translations follow the sources: lupdate, run over src/ into a copy of each translations/*.ts,
must find every text already there and finished. A new English text without its translation, or an
entry left unfinished, fails here with its context and text. Each translation keeps the placeholders of
its source and marks at most one Alt letter."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

ROOT = os.environ.get("VEDRIX_SOURCE") or os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
LUPDATE = os.environ.get("VEDRIX_LUPDATE") or "/usr/lib/qt6/bin/lupdate"
TS_DIR = os.path.join(ROOT, "translations")
PLACEHOLDER = re.compile(r"%\d")


def messages(path):
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            yield name, message.findtext("source"), message.find("translation")


class Translations(unittest.TestCase):
    def ts_files(self):
        files = sorted(f for f in os.listdir(TS_DIR) if f.endswith(".ts"))
        self.assertIn("vedrix_de.ts", files)
        return [os.path.join(TS_DIR, f) for f in files]

    def test_every_source_text_is_translated(self):
        for ts in self.ts_files():
            with self.subTest(ts=os.path.basename(ts)), tempfile.TemporaryDirectory() as tmp:
                copy = os.path.join(tmp, os.path.basename(ts))
                shutil.copy(ts, copy)
                # The same options as the update_translations target.
                subprocess.run([LUPDATE, "-silent", "-locations", "none", "-no-obsolete", os.path.join(ROOT, "src"),
                                "-ts", copy], check=True)
                unfinished = ["%s: %r" % (context, source) for context, source, translation in messages(copy)
                              if translation is None or translation.get("type") in ("unfinished", "vanished",
                                                                                    "obsolete")
                              or not (translation.text or "").strip()]
                self.assertEqual(unfinished, [], "texts without a finished translation; run "
                                 "`cmake --build build --target update_translations` and translate them")

    def test_translations_keep_placeholders_and_one_alt_letter(self):
        for ts in self.ts_files():
            bad = []
            for context, source, translation in messages(ts):
                text = translation.text or ""
                if sorted(PLACEHOLDER.findall(source)) != sorted(PLACEHOLDER.findall(text)):
                    bad.append("%s: %r has other placeholders than %r" % (context, text, source))
                # The ribbon's English labels take their letters from the code; its translations mark theirs.
                amps = text.replace("&&", "").count("&")
                if amps > 1 or (context != "Ribbon" and amps != source.replace("&&", "").count("&")):
                    bad.append("%s: %r marks its Alt letter unlike %r" % (context, text, source))
            self.assertEqual(bad, [], os.path.basename(ts))


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]] + sys.argv[1:], verbosity=2)
