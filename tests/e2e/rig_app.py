# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The real vedrix as a user's desktop runs it, for end-to-end tests.

Run under tools/testenv --x11 --dbus: that gives the isolated XDG folders, an Xvfb display and a
private D-Bus session bus. ``App`` then

- writes the settings file ($XDG_CONFIG_HOME/Palomer/Vedrix by Palomer.conf) from a dict of sections;
- starts a StatusNotifierWatcher with a registered host of its own (this file, run as a script, in a
  child process) BEFORE the program, so that QSystemTrayIcon becomes a StatusNotifierItem on the bus;
  with ``tray=False`` it starts none, as on a desktop without a notification area, and
  ``start_tray_host()`` brings one up later;
- starts $VEDRIX_BIN with arguments, and second starts that run to their end;
- finds the program's main window with xdotool and tells whether it is shown (mapped and viewable);
- reads the tray item's ToolTip, calls its Activate (what a panel does on a click), reads the tray
  menu's com.canonical.dbusmenu layout and sends an item the "clicked" event;
- closes the window as a window manager's close box does (WM_DELETE_WINDOW) and presses keys in it;
- stops whatever it started when the ``with`` block ends.

    with App(settings={"Settings": {"LastCategory": 1}}) as app:
        app.start()
        app.wait_for(app.window_shown)
        app.close_window()                      # the close box: the window only hides
        app.wait_for(lambda: not app.window_shown())
        app.tray_click("Show")                  # menu entries by label
        app.tray_click("Exit")
        assert app.wait_exit() == 0

Waits poll with a generous limit and fail with a message; nothing here measures time.
"""

import configparser
import os
import subprocess
import sys
import tempfile
import time

# python3-dbus and python3-xlib come with the system's Python; the tests may run under another build.
if "/usr/lib/python3/dist-packages" not in sys.path:
    sys.path.append("/usr/lib/python3/dist-packages")
import dbus  # noqa: E402

TITLE = "Vedrix by Palomer"
WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPS = "org.freedesktop.DBus.Properties"
MPRIS_NAME = "org.mpris.MediaPlayer2.vedrix"
MPRIS_PATH = "/org/mpris/MediaPlayer2"
WAIT = 60
# The modifier bits of a hot key stored with Ctrl+Alt (HOTKEYF_CONTROL | HOTKEYF_ALT).
MOD_CONTROL_ALT = 0x2 | 0x1


def run_tests(namespace):
    """Runs every test_* function of a test module through unittest, in order; every failing case
    is reported, then "N passed, M failed", and the exit code is non-zero when one failed."""
    import unittest
    cases = [unittest.FunctionTestCase(fn, description=name) for name, fn in list(namespace.items())
             if name.startswith("test_") and callable(fn)]
    result = unittest.TextTestRunner(stream=sys.stdout, verbosity=2).run(unittest.TestSuite(cases))
    failed = len(result.failures) + len(result.errors)
    print("%d passed, %d failed" % (result.testsRun - failed, failed), flush=True)
    sys.exit(1 if failed else 0)


def settings_path():
    return os.path.join(os.environ["XDG_CONFIG_HOME"], "Palomer", "Vedrix by Palomer.conf")


def read_settings():
    """The settings file as {section: {key: value}} (an empty dict when it does not exist)."""
    parser = configparser.RawConfigParser()
    parser.optionxform = str
    parser.read(settings_path())
    return {s: dict(parser.items(s)) for s in parser.sections()}


def write_settings(sections):
    os.makedirs(os.path.dirname(settings_path()), exist_ok=True)
    with open(settings_path(), "w") as f:
        for section, values in sections.items():
            f.write("[%s]\n" % section)
            for key, value in values.items():
                f.write("%s=%s\n" % (key, value))


def settings_values(values, hot_keys):
    """The Settings section from values under their plain names ("Last Channel Index"), with each hot
    key of {action: (key, virtual-key code)} stored as Ctrl+Alt and that key."""
    settings = {key.replace(" ", "%20"): value for key, value in values.items()}
    for name, (_, vk) in hot_keys.items():
        settings[name.replace(" ", "%20") + "%20Key"] = vk
        settings[name.replace(" ", "%20") + "%20Mod"] = MOD_CONTROL_ALT
    return settings


def make_site(list_text=None):
    """A fresh folder laid out as the program's servers are: the banner page and, when given, the
    channel list (tvlist.zip, UTF-16LE as the real one). Returns its path."""
    root = tempfile.mkdtemp(prefix="site.", dir=os.environ.get("TMPDIR"))
    os.makedirs(os.path.join(root, "banners", "vedrix"))
    with open(os.path.join(root, "banners", "vedrix", "index.html"), "w") as f:
        f.write("<html><body>Banner</body></html>")
    if list_text is not None:
        with open(os.path.join(root, "tvlist.zip"), "wb") as f:
            f.write(list_text.encode("utf-16-le"))
    return root


def wait_for(predicate, what=None, timeout=WAIT):
    """Polls predicate until it returns something true; returns that, or fails after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("gave up waiting for %s" % (what or getattr(predicate, "__name__", "a condition")))
        time.sleep(0.1)


class App:
    def __init__(self, settings=None, log_name="vedrix", tray=True, status_notifier=None):
        """tray=False (or status_notifier=False) starts no StatusNotifierWatcher: the program's icon then
        goes to an XEmbed tray on the display, if the test runs one, or waits for start_tray_host()."""
        self.settings = settings
        self.tray = tray if status_notifier is None else status_notifier
        self.bin = os.environ["VEDRIX_BIN"]
        self.log_path = os.path.join(os.environ.get("TMPDIR", "/tmp"), log_name + ".log")
        self.proc = None
        self.watcher = None
        self._bus = None

    # --- life cycle -------------------------------------------------------------------------------

    def __enter__(self):
        if self.settings is not None:
            write_settings(self.settings)
        if self.tray:
            try:
                self.start_tray_host()
            except RuntimeError:
                self.__exit__()
                raise
        return self

    def start_tray_host(self):
        """Starts the StatusNotifierWatcher with its host (a desktop panel coming up)."""
        assert self.watcher is None
        self.watcher = subprocess.Popen([sys.executable, os.path.abspath(__file__)], stdout=subprocess.PIPE, text=True)
        if self.watcher.stdout.readline().strip() != "ready":
            raise RuntimeError("the StatusNotifierWatcher did not start")

    def __exit__(self, *exc):
        self.kill()
        if self.watcher and self.watcher.poll() is None:
            self.watcher.terminate()
            self.watcher.wait(10)
        self.watcher = None
        return False

    def start(self, *args):
        """Starts the program (it must not be running yet) with the given arguments."""
        assert self.proc is None or self.proc.poll() is not None
        log = open(self.log_path, "ab")
        self.proc = subprocess.Popen([self.bin, *args], stdout=log, stderr=subprocess.STDOUT,
                                     stdin=subprocess.DEVNULL)
        log.close()
        return self.proc

    def start_and_wait_ready(self, *args):
        """Starts the program and waits until its tray item is on the bus (the frame exists); without a
        tray host, until its main window exists."""
        self.start(*args)
        if self.watcher:
            wait_for(lambda: self.tray_item() or self._ended(), "the tray icon")
        else:
            wait_for(lambda: self.main_window() or self._ended(), "the main window")
        if self.proc.poll() is not None:
            raise AssertionError("vedrix ended at start-up with %s; log:\n%s" % (self.proc.returncode, self.log()))

    def run_second(self, *args, timeout=WAIT):
        """A further start of the program, run to its end; returns its exit code."""
        return subprocess.run([self.bin, *args], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              stdin=subprocess.DEVNULL, timeout=timeout).returncode

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def _ended(self):
        return self.proc is not None and self.proc.poll() is not None

    def wait_exit(self, timeout=WAIT):
        """Waits for the program to end by itself; returns its exit code."""
        return self.proc.wait(timeout)

    def kill(self):
        if self.proc and self.proc.poll() is None and os.environ.get("VEDRIX_E2E_QUIT_CLEANLY"):
            # The sanitizer run: a signal would end the program before its own teardown, which then
            # goes unchecked (and leaks go unreported). The media controls' Quit is the tray's Exit.
            try:
                self.bus().get_object(MPRIS_NAME, MPRIS_PATH, introspect=False).Quit(
                    dbus_interface="org.mpris.MediaPlayer2")
                self.proc.wait(WAIT)
            except (dbus.DBusException, subprocess.TimeoutExpired):
                pass
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(15)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()

    def log(self):
        try:
            with open(self.log_path, errors="replace") as f:
                return f.read()[-4000:]
        except OSError:
            return ""

    wait_for = staticmethod(wait_for)

    # --- the main window --------------------------------------------------------------------------

    def _search(self, *options):
        if not self.running():
            return []
        out = subprocess.run(["xdotool", "search", *options, "--pid", str(self.proc.pid), "--name", "^%s$" % TITLE],
                             capture_output=True, text=True).stdout
        return [int(w) for w in out.split()]

    def main_window(self):
        """The X window id of the main window once it exists natively (a never-shown one does not)."""
        windows = self._search()
        # The largest of the windows with the title: Qt may keep a small helper window titled alike.
        best, best_area = None, -1
        for w in windows:
            geometry = self.window_geometry(w)
            if geometry and geometry[2] * geometry[3] > best_area:
                best, best_area = w, geometry[2] * geometry[3]
        return best

    def window_shown(self):
        """True when a window with the application title is mapped and viewable."""
        return bool(self._search("--onlyvisible"))

    @staticmethod
    def window_geometry(window):
        """(x, y, width, height) of a window as xwininfo reports it, or None."""
        out = subprocess.run(["xwininfo", "-id", str(window)], capture_output=True, text=True).stdout
        values = {}
        for line in out.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        try:
            return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                    int(values["Width"]), int(values["Height"]))
        except (KeyError, ValueError):
            return None

    def close_window(self):
        """Asks the main window to close as a window manager's close box does (WM_DELETE_WINDOW)."""
        from Xlib import X, display, protocol
        d = display.Display()
        window = d.create_resource_object("window", self.main_window())
        protocols = d.intern_atom("WM_PROTOCOLS")
        delete = d.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        # A round trip, not a flush: the server has taken the event before the connection goes. With a
        # flush alone the close was sometimes lost on a busy machine, and the window stayed shown.
        d.sync()
        d.close()

    def initial_state_iconic(self):
        """Whether the main window's WM_HINTS ask the window manager for the iconic (minimised) state,
        as Qt sets them when the program minimises the window. Under Xvfb no window manager acts on
        them: the window itself stays mapped."""
        out = subprocess.run(["xprop", "-id", str(self.main_window()), "WM_HINTS"], capture_output=True,
                             text=True).stdout
        return "Initial state is Iconic" in out

    def press_keys(self, keys):
        """Gives the main window the keyboard focus and presses keys in it ("alt+F4", "ctrl+n", ...)."""
        window = str(self.main_window())
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=False)
        subprocess.run(["xdotool", "key", "--window", window, "--clearmodifiers", keys], check=True)

    # --- the tray ---------------------------------------------------------------------------------

    def bus(self):
        if self._bus is None:
            self._bus = dbus.SessionBus()
        return self._bus

    def tray_item(self):
        """The registered item as (bus name, object path), or None."""
        try:
            watcher = self.bus().get_object(WATCHER, "/StatusNotifierWatcher")
            items = [str(s) for s in watcher.Get(WATCHER, "RegisteredStatusNotifierItems", dbus_interface=PROPS)]
        except dbus.DBusException:
            return None
        if not items:
            return None
        name, slash, path = items[-1].partition("/")
        return name, "/" + path if slash else "/StatusNotifierItem"

    def _item(self):
        name, path = wait_for(self.tray_item, "the tray icon")
        return self.bus().get_object(name, path, introspect=False)

    def tray_tooltip(self):
        """The tool tip's title and text, joined by a line feed when both are set."""
        _icon, _pixmaps, title, text = self._item().Get(ITEM, "ToolTip", dbus_interface=PROPS)
        return "\n".join(str(t) for t in (title, text) if str(t))

    def tray_activate(self):
        """A panel's primary click on the icon."""
        self._item().Activate(dbus.Int32(0), dbus.Int32(0), dbus_interface=ITEM)

    def _menu(self):
        name, _ = wait_for(self.tray_item, "the tray icon")
        path = self._item().Get(ITEM, "Menu", dbus_interface=PROPS)
        return self.bus().get_object(name, path, introspect=False)

    def tray_menu(self, submenu=None):
        """The menu's entries in order: dicts with id, label (mnemonics removed), enabled, separator, checked;
        with submenu, the entries of the submenu with that label."""
        menu = self._menu()
        menu.AboutToShow(dbus.Int32(0), dbus_interface=MENU)
        _revision, layout = menu.GetLayout(dbus.Int32(0), dbus.Int32(-1), dbus.Array([], signature="s"),
                                           dbus_interface=MENU)
        children = layout[2]
        if submenu is not None:
            parent = next((c for c in children if str(c[1].get("label", "")).replace("_", "") == submenu), None)
            if parent is None:
                raise AssertionError("no tray submenu %r" % submenu)
            menu.AboutToShow(dbus.Int32(parent[0]), dbus_interface=MENU)
            _revision, layout = menu.GetLayout(dbus.Int32(parent[0]), dbus.Int32(-1),
                                               dbus.Array([], signature="s"), dbus_interface=MENU)
            children = layout[2]
        entries = []
        for child in children:
            item_id, props, _children = child
            if not bool(props.get("visible", True)):
                continue
            entries.append({
                "id": int(item_id),
                "label": str(props.get("label", "")).replace("_", ""),
                "enabled": bool(props.get("enabled", True)),
                "separator": str(props.get("type", "")) == "separator",
                "checked": int(props.get("toggle-state", 0)) == 1,
            })
        return entries

    def tray_click(self, label, submenu=None):
        """Sends the "clicked" event to the menu entry with that label (in that submenu, if given)."""
        menu = self._menu()
        for entry in self.tray_menu(submenu):
            if entry["label"] == label and not entry["separator"]:
                menu.Event(dbus.Int32(entry["id"]), "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0),
                           dbus_interface=MENU)
                return
        raise AssertionError("no tray menu entry %r" % label)


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


def _serve_watcher():
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

        @dbus.service.method(PROPS, in_signature="ss", out_signature="v")
        def Get(self, interface, prop):
            return self.GetAll(interface)[prop]

        @dbus.service.method(PROPS, in_signature="s", out_signature="a{sv}")
        def GetAll(self, interface):
            return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                    "IsStatusNotifierHostRegistered": True,
                    "ProtocolVersion": dbus.Int32(0)}

    watcher = Watcher()

    def owner_changed(name, old, new):
        if new == "":
            for item in list(watcher.items):
                if item == name or item.startswith(name + "/"):
                    watcher.items.remove(item)
                    watcher.StatusNotifierItemUnregistered(item)

    bus.add_signal_receiver(owner_changed, "NameOwnerChanged", "org.freedesktop.DBus")
    name = dbus.service.BusName(WATCHER, bus)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del name


if __name__ == "__main__":
    _serve_watcher()
