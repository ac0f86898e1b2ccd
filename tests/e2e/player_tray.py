"""The notification area as a desktop panel offers it over the test's own D-Bus session bus.

``TrayHost`` runs a small StatusNotifierWatcher with a registered host in a child process, so that
the program's tray icon becomes a StatusNotifierItem; ``tooltip()`` reads the item's tool tip the way
a panel does. Start the host before the program: Qt asks for a host once, at its first tray call.

    with TrayHost() as tray:
        ...start the program...
        tray.wait_for_tooltip(lambda text: "Playing" in text)

Run as a script, this file is the watcher itself.
"""

import os
import subprocess
import sys
import time

if "/usr/lib/python3/dist-packages" not in sys.path:
    sys.path.append("/usr/lib/python3/dist-packages")
import dbus  # noqa: E402

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"


class TrayHost:
    def __init__(self):
        self.proc = None

    def __enter__(self):
        self.proc = subprocess.Popen([sys.executable, os.path.abspath(__file__)], stdout=subprocess.PIPE, text=True)
        if self.proc.stdout.readline().strip() != "ready":
            self.stop()
            raise RuntimeError("the tray host did not start")
        return self

    def __exit__(self, *exc):
        self.stop()
        return False

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait(10)
        self.proc = None

    @staticmethod
    def items():
        bus = dbus.SessionBus()
        watcher = bus.get_object(WATCHER, "/StatusNotifierWatcher")
        return [str(s) for s in watcher.Get(WATCHER, "RegisteredStatusNotifierItems",
                                            dbus_interface="org.freedesktop.DBus.Properties")]

    def tooltip(self):
        """Title and text of the first item's tool tip joined by a line break, or None."""
        items = self.items()
        if not items:
            return None
        service, _, path = items[0].partition("/")
        obj = dbus.SessionBus().get_object(service, "/" + (path or "StatusNotifierItem"))
        _icon, _pixmaps, title, text = obj.Get(ITEM, "ToolTip", dbus_interface="org.freedesktop.DBus.Properties")
        return "\n".join(t for t in (str(title), str(text)) if t)

    def wait_for_tooltip(self, predicate, timeout=30):
        deadline = time.monotonic() + timeout
        text = None
        while time.monotonic() < deadline:
            try:
                text = self.tooltip()
            except dbus.DBusException:
                text = None
            if text is not None and predicate(text):
                return text
            time.sleep(0.2)
        raise AssertionError("tray tool tip never matched; last: %r" % (text,))


_INTROSPECTION = """<!DOCTYPE node PUBLIC "-//freedesktop//DTD D-BUS Object Introspection 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd">
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
  </interface>
  <interface name="org.freedesktop.DBus.Properties">
    <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
    <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
  </interface>
  <interface name="org.freedesktop.DBus.Introspectable">
    <method name="Introspect"><arg type="s" direction="out"/></method>
  </interface>
</node>
"""


def _serve():
    import dbus.mainloop.glib
    import dbus.service
    from gi.repository import GLib

    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()

    class Watcher(dbus.service.Object):
        def __init__(self):
            super().__init__(bus, "/StatusNotifierWatcher")
            self.items = []

        @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
        def RegisterStatusNotifierItem(self, service, sender=None):
            # An item names its bus name or only its object path (then the sender is the service).
            name = service if not service.startswith("/") else sender + service
            if name not in self.items:
                self.items.append(name)
                self.StatusNotifierItemRegistered(name)

        @dbus.service.method(WATCHER, in_signature="s")
        def RegisterStatusNotifierHost(self, service):
            pass

        @dbus.service.signal(WATCHER, signature="s")
        def StatusNotifierItemRegistered(self, service):
            pass

        @dbus.service.signal(WATCHER, signature="s")
        def StatusNotifierItemUnregistered(self, service):
            pass

        @dbus.service.signal(WATCHER, signature="")
        def StatusNotifierHostRegistered(self):
            pass

        # Qt reads the properties through an interface proxy, which learns them from introspection.
        @dbus.service.method("org.freedesktop.DBus.Introspectable", out_signature="s")
        def Introspect(self):
            return _INTROSPECTION

        @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss", out_signature="v")
        def Get(self, interface, prop):
            return self.GetAll(interface)[prop]

        @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="s", out_signature="a{sv}")
        def GetAll(self, interface):
            return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                    "IsStatusNotifierHostRegistered": True,
                    "ProtocolVersion": dbus.Int32(0)}

    watcher = Watcher()

    def owner_changed(name, old, new):
        # An item whose owner left the bus is gone.
        if new == "":
            for item in list(watcher.items):
                if item == name or item.startswith(name + "/"):
                    watcher.items.remove(item)
                    watcher.StatusNotifierItemUnregistered(item)

    bus.add_signal_receiver(owner_changed, "NameOwnerChanged", "org.freedesktop.DBus")
    name = dbus.service.BusName(WATCHER, bus)  # owned while referenced
    print("ready", flush=True)
    GLib.MainLoop().run()
    del name


if __name__ == "__main__":
    _serve()
