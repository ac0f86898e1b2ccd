# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A desktop portal with org.freedesktop.portal.GlobalShortcuts only, on the session bus, for tests.

It answers as the portal documents: CreateSession, BindShortcuts and ListShortcuts return the path of a
Request object at once (derived from the caller's unique name and its handle_token) and then emit that
Request's Response(response, results); CreateSession's results hold the session_handle, the others'
the shortcuts bound with a trigger_description in a desktop's words ("Ctrl+Alt+P").

Like GNOME's, it lets a session bind once: a second BindShortcuts in a session, or one in a session it
does not know, is answered with Response 2 (and a line "refused bind SESSION" on stdout). The shortcuts a
session has bound are printed as one line, "bound ID=TRIGGER ID=TRIGGER ..." (sorted), with the triggers
in the portal's format ("CTRL+ALT+p"), once the bind's Response has been sent; Session.Close prints
"closed".

Test interface org.vedrix.test.FakePortal, standing in for the user at the desktop:
- Activate(id) emits Activated for every session that has bound that id, as a key press would;
- Assign(id, trigger) changes the trigger of that id in every session that has bound it and emits
  ShortcutsChanged, as the user would in the desktop's settings (prints "assigned ID=TRIGGER");
- ChooseAtBind(id, trigger) makes later binds of that id take this trigger instead of the preferred
  one ("" leaves it unbound), as a user choosing in the desktop's bind dialog;
- EndSessions() closes every session from the desktop's side, with Session.Closed (prints "ended");
- Descriptions() gives id -> description of everything bound in open sessions.
Prints "ready" once it owns its name.
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
        self.bound = False
        self.shortcuts = {}  # id -> trigger in the portal's format
        self.descriptions = {}  # id -> description

    @dbus.service.method(SESSION)
    def Close(self):
        self.portal.sessions.pop(self.__dbus_object_path__, None)
        self.remove_from_connection()
        print("closed", flush=True)

    @dbus.service.signal(SESSION, signature="a{sv}")
    def Closed(self, details):
        pass

    def listed(self):
        return dbus.Array([(sid, {"description": dbus.String(self.descriptions.get(sid, "")),
                                  "trigger_description": dbus.String(describe(trigger))})
                           for sid, trigger in sorted(self.shortcuts.items())], signature="(sa{sv})")


def describe(trigger):
    """A trigger as a desktop shows it: "CTRL+ALT+p" -> "Ctrl+Alt+P"."""
    names = {"CTRL": "Ctrl", "ALT": "Alt", "SHIFT": "Shift", "LOGO": "Meta"}
    *mods, key = trigger.split("+") if trigger else [""]
    return "+".join([names.get(m, m) for m in mods] + [key.upper() if len(key) == 1 else key])


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.sessions = {}  # path -> Session
        self.chosen = {}  # id -> the trigger the "user" picks at the next binds

    def _answer(self, sender, options, response, results, then=None):
        """Answers through a Request object; then() runs once the Response has gone out."""
        path = "%s/request/%s/%s" % (PATH, sender_element(sender), options.get("handle_token", "t"))
        request = Request(self.bus, path)

        def respond():
            request.Response(dbus.UInt32(response), dbus.Dictionary(results, signature="sv"))
            request.remove_from_connection()
            if then:
                then()
            return False

        GLib.idle_add(respond)
        return dbus.ObjectPath(path)

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        path = "%s/session/%s/%s" % (PATH, sender_element(sender), options.get("session_handle_token", "s"))
        self.sessions[path] = Session(self.bus, path, self)
        return self._answer(sender, options, 0, {"session_handle": dbus.String(path)})

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o", sender_keyword="sender")
    def BindShortcuts(self, session_handle, shortcuts, parent_window, options, sender=None):
        session = self.sessions.get(str(session_handle))
        if session is None or session.bound:
            # What GNOME's backend answers: "Session already has bound shortcuts".
            print("refused bind %s" % session_handle, flush=True)
            return self._answer(sender, options, 2, {})
        session.bound = True
        for sid, props in shortcuts:
            trigger = self.chosen.get(str(sid), str(props.get("preferred_trigger", "")))
            if trigger:
                session.shortcuts[str(sid)] = trigger
                session.descriptions[str(sid)] = str(props.get("description", ""))
        line = "bound " + " ".join("%s=%s" % item for item in sorted(session.shortcuts.items()))
        # Printed once the answer is on its way: whatever a test does after reading the line reaches the
        # program after the bind's Response.
        return self._answer(sender, options, 0, {"shortcuts": session.listed()}, lambda: print(line, flush=True))

    @dbus.service.method(SHORTCUTS, in_signature="oa{sv}", out_signature="o", sender_keyword="sender")
    def ListShortcuts(self, session_handle, options, sender=None):
        session = self.sessions.get(str(session_handle))
        if session is None:
            return self._answer(sender, options, 2, {})
        return self._answer(sender, options, 0, {"shortcuts": session.listed()})

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, shortcut_id, timestamp, options):
        pass

    @dbus.service.signal(SHORTCUTS, signature="oa(sa{sv})")
    def ShortcutsChanged(self, session, shortcuts):
        pass

    @dbus.service.method(TEST, in_signature="s")
    def Activate(self, shortcut_id):
        for path, session in list(self.sessions.items()):
            if shortcut_id in session.shortcuts:
                self.Activated(dbus.ObjectPath(path), shortcut_id, dbus.UInt64(0),
                               dbus.Dictionary({}, signature="sv"))

    @dbus.service.method(TEST, in_signature="ss")
    def Assign(self, shortcut_id, trigger):
        print("assigned %s=%s" % (shortcut_id, trigger), flush=True)
        for path, session in list(self.sessions.items()):
            if shortcut_id in session.shortcuts:
                session.shortcuts[shortcut_id] = trigger
                self.ShortcutsChanged(dbus.ObjectPath(path), session.listed())

    @dbus.service.method(TEST, in_signature="ss")
    def ChooseAtBind(self, shortcut_id, trigger):
        self.chosen[shortcut_id] = trigger

    @dbus.service.method(TEST)
    def EndSessions(self):
        """The desktop ends every session (the user revoked the shortcuts): Closed, and they are gone."""
        for session in list(self.sessions.values()):
            session.Closed(dbus.Dictionary({}, signature="sv"))
            session.remove_from_connection()
        self.sessions.clear()
        print("ended", flush=True)

    @dbus.service.method(TEST, out_signature="a{ss}")
    def Descriptions(self):
        return {sid: desc for session in self.sessions.values() for sid, desc in session.descriptions.items()
                if sid in session.shortcuts}

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
