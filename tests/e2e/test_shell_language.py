# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The real program in the user's language: in a German session (LANG=de_DE.UTF-8, LANGUAGE=de) a
screen reader reads the German labels of the ribbon's tabs and check boxes and of the looks in its Style
drop-down, and the tray menu is German; with LANG=C the same elements are English."""

import os
import re
import subprocess
import sys
import threading

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player_a11y import ENV as A11Y_ENV, Accessibility, Node  # noqa: E402
from rig_app import App, run_tests, wait_for  # noqa: E402
import dbus  # noqa: E402  (from the system's packages, which player_a11y puts on the path)

# The locale's environment; the Settings tab and a check box on it, another tab; the Style drop-down
# and a look in it; the tray menu's Exit.
CASES = [
    ({"LANG": "de_DE.UTF-8", "LANGUAGE": "de"}, "Einstellungen", "Autostart mit dem Desktop",
     "Software-Downloads", ("Stil", "Office 2007 (Schwarzer Stil)"), "Beenden"),
    ({"LANG": "C"}, "Settings", "Auto Startup with the Desktop", "Software Downloads",
     ("Style", "Office 2007 (Black Style)"), "Exit"),
]


class FocusListener:
    """The names a screen reader speaks as the focus moves: the accessibility bus's focus events, which
    the program sends once a listener has registered for them. A drop-down's menu is not in the tree
    (Qt leaves popups out of it); its entries are met only this way."""

    def __init__(self, ui):
        self.ui = ui
        registry = ui.bus.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/registry", introspect=False)
        registry.RegisterEvent("focus:", dbus_interface="org.a11y.atspi.Registry")
        self.proc = subprocess.Popen(["dbus-monitor", "--address", self._address(),
                                      "type='signal',interface='org.a11y.atspi.Event.Focus'"],
                                     stdout=subprocess.PIPE, text=True)
        self.events = []
        self.lock = threading.Lock()
        threading.Thread(target=self._read, daemon=True).start()

    @staticmethod
    def _address():
        return str(dbus.SessionBus().get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(
            dbus_interface="org.a11y.Bus"))

    def _read(self):
        for line in self.proc.stdout:
            m = re.search(r"sender=(\S+) .* path=(\S+); interface=org\.a11y\.atspi\.Event\.Focus", line)
            if m:
                with self.lock:
                    self.events.append((m.group(1), m.group(2)))

    def names(self):
        with self.lock:
            events = list(self.events)
        out = []
        for sender, path in events:
            try:
                out.append(" ".join(Node(self.ui.bus, sender, path, 0).label.split()))
            except Exception:  # gone meanwhile
                pass
        return out

    def close(self):
        self.proc.terminate()
        self.proc.wait()


def test_labels_follow_the_locale():
    os.environ.update(A11Y_ENV)
    for env, settings_tab, settings_box, other_tab, (style, look), exit_entry in CASES:
        os.environ.pop("LANGUAGE", None)
        os.environ.update(env)
        with App(settings={"Settings": {"LastCategory": 1}}) as app:
            app.start_and_wait_ready()
            wait_for(app.window_shown, "the window")
            ui = Accessibility()
            ui.wait_for(lambda: ui.find(settings_box, "check box"), what="the check box %r" % settings_box)
            assert ui.find(settings_tab).checked, "the open tab is not named %r" % settings_tab
            # Another tab, found by its label, opens with a click.
            ui.click(ui.find(other_tab))
            ui.wait_for(lambda: ui.find(other_tab).checked, what="the tab %r to open" % other_tab)
            # The looks are named in the same language, as a screen reader reads them going down the
            # Style drop-down's menu.
            listener = FocusListener(ui)
            try:
                ui.click(ui.wait_for(lambda: ui.find(style), what="the drop-down %r" % style))
                for _ in range(4):
                    subprocess.run(["xdotool", "key", "Down"], check=True)
                ui.wait_for(lambda: look in listener.names(), what="the look %r read" % look)
                subprocess.run(["xdotool", "key", "Escape"], check=True)
            finally:
                listener.close()
            app.tray_click(exit_entry)
            assert app.wait_exit() == 0, app.log()


if __name__ == "__main__":
    run_tests(globals())
