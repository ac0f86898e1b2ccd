# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The desktop side of the media player interface, for end-to-end tests on the test's own session bus.

``Desktop`` runs, in a child process (this file run as a script), what a desktop has on its bus:

- a notification server (org.freedesktop.Notifications) that records every Notify call and answers
  with a new id, as a real one does; it announces the capability "body" only, or what the test sets
  with ``set_capabilities`` (["body", "body-markup"] for a server that reads markup in the body);
- a listener for the PropertiesChanged signals of the media player object /org/mpris/MediaPlayer2;
- a screen saver (org.freedesktop.ScreenSaver) that records Inhibit and UnInhibit with their cookies.

It must start before the program, so the program finds the notification server. ``Mpris`` is the
panel widget's side: properties and methods of org.mpris.MediaPlayer2.vedrix.

    with Desktop() as desktop:
        ...start the program...
        mpris = Mpris()
        mpris.wait_property("PlaybackStatus", "Playing")
        mpris.call("Next")
        desktop.wait_notification(lambda n: n["body"] == "Song")

What the server received is read over the bus too (a method of its own): a call made after the
program has shown something on the bus sees every notification that the program sent before.
"""

import json
import os
import subprocess
import sys

if "/usr/lib/python3/dist-packages" not in sys.path:
    sys.path.append("/usr/lib/python3/dist-packages")
import dbus  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from rig_app import wait_for  # noqa: E402

NOTIFICATIONS = "org.freedesktop.Notifications"
SCREENSAVER = "org.freedesktop.ScreenSaver"
RECORDER = "org.vedrix.test.Recorder"
RECORDER_PATH = "/Recorder"
MPRIS_NAME = "org.mpris.MediaPlayer2.vedrix"
MPRIS_PATH = "/org/mpris/MediaPlayer2"
ROOT = "org.mpris.MediaPlayer2"
PLAYER = "org.mpris.MediaPlayer2.Player"
PROPS = "org.freedesktop.DBus.Properties"


def plain(value):
    """A dbus value as plain Python (strings, numbers, lists, dicts)."""
    if isinstance(value, (dbus.String, dbus.ObjectPath)):
        return str(value)
    if isinstance(value, dbus.Boolean):
        return bool(value)
    if isinstance(value, (dbus.Int16, dbus.Int32, dbus.Int64, dbus.UInt16, dbus.UInt32, dbus.UInt64, dbus.Byte)):
        return int(value)
    if isinstance(value, dbus.Double):
        return float(value)
    if isinstance(value, (dbus.Array, list, tuple)):
        return [plain(v) for v in value]
    if isinstance(value, (dbus.Dictionary, dict)):
        return {str(k): plain(v) for k, v in value.items()}
    return value


class Desktop:
    def __init__(self):
        self.proc = None
        self._bus = None

    def __enter__(self):
        self.proc = subprocess.Popen([sys.executable, os.path.abspath(__file__)], stdout=subprocess.PIPE, text=True)
        if self.proc.stdout.readline().strip() != "ready":
            self.__exit__()
            raise RuntimeError("the test desktop did not start")
        return self

    def __exit__(self, *exc):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait(10)
        self.proc = None
        return False

    def _recorder(self):
        if self._bus is None:
            self._bus = dbus.SessionBus()
        return self._bus.get_object(NOTIFICATIONS, RECORDER_PATH, introspect=False)

    def received(self):
        """{"notifications": [{app, replaces_id, summary, body, id}, ...], "changes": [{prop: value}]}"""
        return json.loads(str(self._recorder().Received(dbus_interface=RECORDER)))

    def notifications(self):
        return self.received()["notifications"]

    def set_capabilities(self, capabilities):
        """What GetCapabilities answers from now on."""
        self._recorder().SetCapabilities(dbus.Array(capabilities, signature="s"), dbus_interface=RECORDER)

    def property_changes(self):
        return self.received()["changes"]

    def screensaver_calls(self):
        """[["Inhibit", cookie], ["UnInhibit", cookie], ...] in the order they came."""
        return self.received()["screensaver"]

    def screensaver_inhibited(self):
        """The cookies given out and not yet given back."""
        held = []
        for method, cookie in self.screensaver_calls():
            if method == "Inhibit":
                held.append(cookie)
            elif cookie in held:
                held.remove(cookie)
        return held

    def wait_notification(self, predicate, what="a notification"):
        def found():
            return next((n for n in self.notifications() if predicate(n)), None)
        return wait_for(found, what)


class Mpris:
    """The program's media player object, as a panel widget sees it."""

    def __init__(self):
        self.bus = dbus.SessionBus()

    def _object(self):
        return self.bus.get_object(MPRIS_NAME, MPRIS_PATH, introspect=False)

    def available(self):
        try:
            return bool(self.bus.name_has_owner(MPRIS_NAME))
        except dbus.DBusException:
            return False

    def get(self, name, interface=PLAYER):
        return plain(self._object().Get(interface, name, dbus_interface=PROPS))

    def get_raw(self, name, interface=PLAYER):
        return self._object().Get(interface, name, dbus_interface=PROPS)

    def set(self, name, value, interface=PLAYER):
        """Sets a writable property (a float goes as a D-Bus double)."""
        if isinstance(value, float):
            value = dbus.Double(value, variant_level=1)
        self._object().Set(interface, name, value, dbus_interface=PROPS)

    def call(self, method, *args, interface=PLAYER):
        return getattr(self._object(), method)(*args, dbus_interface=interface)

    def wait_property(self, name, predicate, what=None):
        """Waits until the property satisfies predicate (or equals it, for a plain value)."""
        test = predicate if callable(predicate) else (lambda v: v == predicate)
        seen = []

        def ok():
            try:
                seen.append(self.get(name))
            except dbus.DBusException:
                return False
            return test(seen[-1])
        try:
            wait_for(ok, what or name)
        except AssertionError:
            raise AssertionError("%s stayed %r" % (name, seen[-1] if seen else None))
        return seen[-1]


def _serve():
    import dbus.mainloop.glib
    import dbus.service
    from gi.repository import GLib

    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    record = {"notifications": [], "changes": [], "screensaver": []}
    capabilities = ["body"]

    class Server(dbus.service.Object):
        def __init__(self):
            super().__init__(bus, "/org/freedesktop/Notifications")
            self.last_id = 0

        @dbus.service.method(NOTIFICATIONS, in_signature="susssasa{sv}i", out_signature="u")
        def Notify(self, app, replaces_id, icon, summary, body, actions, hints, timeout):
            if replaces_id:
                nid = int(replaces_id)
            else:
                self.last_id += 1
                nid = self.last_id
            record["notifications"].append({"app": str(app), "replaces_id": int(replaces_id), "icon": str(icon),
                                            "summary": str(summary), "body": str(body), "id": nid,
                                            "hints": plain(hints)})
            return dbus.UInt32(nid)

        @dbus.service.method(NOTIFICATIONS, out_signature="as")
        def GetCapabilities(self):
            return dbus.Array(capabilities, signature="s")

        @dbus.service.method(NOTIFICATIONS, out_signature="ssss")
        def GetServerInformation(self):
            return ("vedrix-test", "Vedrix", "1", "1.2")

        @dbus.service.method(NOTIFICATIONS, in_signature="u")
        def CloseNotification(self, nid):
            pass

    class Recorder(dbus.service.Object):
        def __init__(self):
            super().__init__(bus, RECORDER_PATH)

        @dbus.service.method(RECORDER, out_signature="s")
        def Received(self):
            return json.dumps(record)

        @dbus.service.method(RECORDER, in_signature="as")
        def SetCapabilities(self, wanted):
            capabilities[:] = [str(c) for c in wanted]

    class ScreenSaver(dbus.service.Object):
        def __init__(self):
            super().__init__(bus, "/org/freedesktop/ScreenSaver")
            self.last_cookie = 100

        @dbus.service.method(SCREENSAVER, in_signature="ss", out_signature="u")
        def Inhibit(self, app, reason):
            self.last_cookie += 1
            record["screensaver"].append(["Inhibit", self.last_cookie])
            return dbus.UInt32(self.last_cookie)

        @dbus.service.method(SCREENSAVER, in_signature="u")
        def UnInhibit(self, cookie):
            record["screensaver"].append(["UnInhibit", int(cookie)])

    def properties_changed(interface, changed, invalidated, path=None):
        if path == MPRIS_PATH and interface == PLAYER:
            record["changes"].append(plain(changed))

    bus.add_signal_receiver(properties_changed, "PropertiesChanged", PROPS, path=MPRIS_PATH, path_keyword="path")
    server, recorder, screensaver = Server(), Recorder(), ScreenSaver()
    name = dbus.service.BusName(NOTIFICATIONS, bus)
    screensaver_name = dbus.service.BusName(SCREENSAVER, bus)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del name, screensaver_name, server, recorder, screensaver


if __name__ == "__main__":
    _serve()
