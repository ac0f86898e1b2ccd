# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs an end-to-end test script against the program built with AddressSanitizer and
UndefinedBehaviorSanitizer (the build-asan folder's vedrix), and fails it when the program reported
anything: a memory error, undefined behaviour, or a leak when it ended.

    sanitized.py tests/e2e/test_shell_tray.py

Every start of the program during the test (second starts too) writes its reports to a folder of
its own instead of its output, where the test's own checks never look. The folder is read once the
script has ended, so a report written while the program shut down, after the script's last check,
fails the test as well. The program is ended through its media controls' Quit rather than a signal
(see rig_app.App.kill), so its whole teardown runs and the leak check with it."""

import glob
import os
import subprocess
import sys

# The same as tools/test --sanitize, for a run of ctest on its own; what the environment sets wins.
DEFAULTS = {
    "ASAN_OPTIONS": "detect_leaks=1:abort_on_error=0:halt_on_error=1:fast_unwind_on_malloc=0",
    "UBSAN_OPTIONS": "halt_on_error=1:print_stacktrace=1",
    "GALLIUM_DRIVER": "softpipe",
}


def main():
    script = sys.argv[1]
    reports = os.path.join(os.environ.get("TMPDIR", "/tmp"), "sanitizer-reports")
    os.makedirs(reports, exist_ok=True)
    prefix = os.path.join(reports, "vedrix")
    env = dict(os.environ)
    for name, value in DEFAULTS.items():
        env.setdefault(name, value)
    if "LSAN_OPTIONS" not in env:
        env["LSAN_OPTIONS"] = "suppressions=%s:print_suppressions=0" % os.path.join(
            os.environ["VEDRIX_SOURCE"], "tools", "lsan.supp")
    # The program holds the web engine, whose Chromium deletes some of its objects through a base of
    # another size when a page closes (as in the web views' GUI test, which runs with the same check off).
    env["ASAN_OPTIONS"] += ":new_delete_type_mismatch=0"
    # log_path is shared by the three; each reads it from its own variable, so all three name it.
    for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
        env[name] = env[name] + ":log_path=" + prefix
    env["VEDRIX_E2E_QUIT_CLEANLY"] = "1"

    rc = subprocess.call([sys.executable, script], env=env)

    found = sorted(glob.glob(prefix + ".*"))
    for path in found:
        with open(path, errors="replace") as f:
            text = f.read()
        print("==== sanitizer report %s ====" % os.path.basename(path))
        print(text[:30000] + ("\n[... %d more characters]" % (len(text) - 30000) if len(text) > 30000 else ""))
    if found:
        print("FAILED: the program wrote %d sanitizer report(s)" % len(found), flush=True)
        sys.exit(1)
    sys.exit(rc)


if __name__ == "__main__":
    main()
