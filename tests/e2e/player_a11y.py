# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The running program's widgets as a screen reader sees them (AT-SPI over the test's own D-Bus).

The program must run with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (``ENV``). A widget is found by its
accessible name (a button's or check box's text, a list cell's text); ``click`` moves the real mouse
pointer to the middle of the widget on the screen and clicks it with xdotool.

    ui = Accessibility()
    ui.wait_for(lambda: ui.channel_rows())          # [["1", "One", "Tone", "English", url], ...]
    ui.click(ui.find("Display TV Channels", "check box"))
    ui.selected_row()                               # index of the selected row, or None
"""

import os
import subprocess
import sys
import time

# python3-dbus comes with the system's Python; the tests may run under another build of the same
# version.
if "/usr/lib/python3/dist-packages" not in sys.path:
    sys.path.append("/usr/lib/python3/dist-packages")
import dbus  # noqa: E402

ENV = {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}

_ACCESSIBLE = "org.a11y.atspi.Accessible"
_COMPONENT = "org.a11y.atspi.Component"
_PROPERTIES = "org.freedesktop.DBus.Properties"
_STATE_CHECKED = 4
_STATE_SELECTED = 23
_STATE_SHOWING = 25
_COORDS_SCREEN = 0


def _plain(text):
    return " ".join(text.split())


class Node:
    def __init__(self, bus, name, path, depth, parent=None):
        self.bus, self.name, self.path, self.depth, self.parent = bus, name, path, depth, parent
        self._obj = bus.get_object(name, path, introspect=False)

    @property
    def label(self):
        return str(self._obj.Get(_ACCESSIBLE, "Name", dbus_interface=_PROPERTIES))

    @property
    def role(self):
        return str(self._obj.GetRoleName(dbus_interface=_ACCESSIBLE))

    def children(self):
        return [Node(self.bus, n, p, self.depth + 1, self)
                for (n, p) in self._obj.GetChildren(dbus_interface=_ACCESSIBLE)]

    def has_state(self, bit):
        words = self._obj.GetState(dbus_interface=_ACCESSIBLE)
        return bool(int(words[bit // 32]) & (1 << (bit % 32)))

    @property
    def checked(self):
        return self.has_state(_STATE_CHECKED)

    @property
    def showing(self):
        return self.has_state(_STATE_SHOWING)

    def extents(self):
        x, y, w, h = self._obj.GetExtents(dbus.UInt32(_COORDS_SCREEN), dbus_interface=_COMPONENT)
        return int(x), int(y), int(w), int(h)


class Accessibility:
    def __init__(self, timeout=30):
        session = dbus.SessionBus()
        deadline = time.monotonic() + timeout
        while True:
            try:
                address = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(dbus_interface="org.a11y.Bus")
                break
            except dbus.DBusException:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.2)
        self.bus = dbus.bus.BusConnection(str(address))

    def application(self, label="vedrix"):
        root = Node(self.bus, "org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root", 0)
        for app in root.children():
            try:
                if app.label == label:
                    return app
            except dbus.DBusException:
                continue
        return None

    def nodes(self, top=None):
        """Every node of the program's tree (or of top's subtree), depth first."""
        app = top or self.application()
        if app is None:
            return []
        out, stack = [], [app]
        while stack:
            node = stack.pop()
            out.append(node)
            try:
                stack.extend(reversed(node.children()))
            except dbus.DBusException:
                pass
        return out

    def find(self, label, role=None, top=None):
        """The first node whose name, with line breaks and runs of spaces made single spaces, is label."""
        for node in self.nodes(top):
            try:
                if _plain(node.label) == label and (role is None or node.role == role):
                    return node
            except dbus.DBusException:
                continue
        return None

    def find_in_panel(self, panel, label, role=None):
        """A ribbon element: the node named label beside the caption of its panel."""
        caption = self.find(panel, "label")
        if caption is None or caption.parent is None:
            return None
        return self.find(label, role, caption.parent)

    def channel_table(self):
        """The channel list: (rows of cell texts, index of the selected row or None)."""
        for node in self.nodes():
            try:
                if node.role != "table":
                    continue
                cells = [c for c in node.children() if c.role in ("cell", "table cell")]
                headers = [c for c in node.children() if c.role == "column header"]
                if not headers or headers[0].label != "Sr No":
                    continue
            except dbus.DBusException:
                continue
            width = len(headers)
            rows, selected = [], None
            for i in range(0, len(cells) - len(cells) % width, width):
                rows.append([c.label for c in cells[i:i + width]])
                if selected is None and cells[i].has_state(_STATE_SELECTED):
                    selected = i // width
            return rows, selected
        return [], None

    def channel_rows(self):
        return self.channel_table()[0]

    def selected_row(self):
        return self.channel_table()[1]

    @staticmethod
    def click(node):
        x, y, w, h = node.extents()
        subprocess.run(["xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2), "click", "1"],
                       check=True)

    @staticmethod
    def wait_for(predicate, timeout=30, what="a condition"):
        deadline = time.monotonic() + timeout
        while True:
            try:
                value = predicate()
            except dbus.DBusException:
                value = None
            if value:
                return value
            if time.monotonic() > deadline:
                raise AssertionError("timed out waiting for " + what)
            time.sleep(0.2)
