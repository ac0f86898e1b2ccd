# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A desktop portal with org.freedesktop.portal.GlobalShortcuts only, on the session bus, for tests.

It answers as the portal documents: CreateSession and BindShortcuts return the path of a Request
object at once (derived from the caller's unique name and its handle_token) and then emit that
Request's Response(0, results); CreateSession's results hold the session_handle. The shortcuts a
session has bound are printed as one line to stdout, "bound ID=TRIGGER ID=TRIGGER ..." (sorted), and
the test interface org.vedrix.test.FakePortal.Activate(id) emits the portal's Activated signal for
every session that has bound that id, as a key press on the desktop would. Prints "ready" once it owns its name.
"""

import sys

if "/usr/lib/python3/dist-packages" not in sys.path:
    sys.path.append("/usr/lib/python3/dist-packages")
import dbus  # noqa: E402
import dbus.mainloop.glib  # noqa: E402
import dbus.service  # noqa: E402
from gi.repository import GLib  # noqa: E402

SERVICE = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"
REQUEST = "org.freedesktop.portal.Request"
SESSION = "org.freedesktop.portal.Session"
PROPS = "org.freedesktop.DBus.Properties"
TEST = "org.vedrix.test.FakePortal"


def sender_element(sender):
    return sender.lstrip(":").replace(".", "_")


class Request(dbus.service.Object):
    def __init__(self, bus, path):
        super().__init__(bus, path)

    @dbus.service.signal(REQUEST, signature="ua{sv}")
    def Response(self, response, results):
        pass


class Session(dbus.service.Object):
    def __init__(self, bus, path, portal):
        super().__init__(bus, path)
        self.portal = portal

    @dbus.service.method(SESSION)
    def Close(self):
        self.portal.sessions.pop(self.__dbus_object_path__, None)
        self.remove_from_connection()
        print("closed", flush=True)


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.sessions = {}  # path -> {shortcut id: trigger}

    def _answer(self, sender, options, results):
        path = "%s/request/%s/%s" % (PATH, sender_element(sender), options.get("handle_token", "t"))
        request = Request(self.bus, path)

        def respond():
            request.Response(dbus.UInt32(0), dbus.Dictionary(results, signature="sv"))
            request.remove_from_connection()
            return False

        GLib.idle_add(respond)
        return dbus.ObjectPath(path)

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        path = "%s/session/%s/%s" % (PATH, sender_element(sender), options.get("session_handle_token", "s"))
        self.sessions[path] = {}
        Session(self.bus, path, self)
        return self._answer(sender, options, {"session_handle": dbus.String(path)})

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o", sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent_window, options, sender=None):
        bound = {str(sid): str(props.get("preferred_trigger", "")) for sid, props in shortcuts}
        self.sessions[str(session)] = bound
        print("bound " + " ".join("%s=%s" % item for item in sorted(bound.items())), flush=True)
        answer = [(sid, {"description": props.get("description", ""),
                         "trigger_description": props.get("preferred_trigger", "")}) for sid, props in shortcuts]
        return self._answer(sender, options, {"shortcuts": dbus.Array(answer, signature="(sa{sv})")})

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, shortcut_id, timestamp, options):
        pass

    @dbus.service.method(TEST, in_signature="s")
    def Activate(self, shortcut_id):
        for session, bound in self.sessions.items():
            if shortcut_id in bound:
                self.Activated(dbus.ObjectPath(session), shortcut_id, dbus.UInt64(0),
                               dbus.Dictionary({}, signature="sv"))

    @dbus.service.method(PROPS, in_signature="ss", out_signature="v")
    def Get(self, interface, prop):
        if interface == SHORTCUTS and prop == "version":
            return dbus.UInt32(1)
        raise dbus.exceptions.DBusException("no such property", name="org.freedesktop.DBus.Error.InvalidArgs")

    @dbus.service.method(PROPS, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {"version": dbus.UInt32(1)} if interface == SHORTCUTS else {}


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Portal(bus)
    name = dbus.service.BusName(SERVICE, bus)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del name, portal


if __name__ == "__main__":
    main()
