#!/usr/bin/python3
# A stand-in for systemd-logind on a private bus, for the idle start's tests: just what
# xss-lock asks of it, the manager's session look-up and the session's idle and locked hints.
# Each hint is printed to stderr as a line ("idle true", "locked false"), for the test to follow.
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

SESSION_PATH = "/org/freedesktop/login1/session/self"


class Manager(dbus.service.Object):
    @dbus.service.method("org.freedesktop.login1.Manager", in_signature="u", out_signature="o")
    def GetSessionByPID(self, pid):
        return SESSION_PATH

    @dbus.service.method("org.freedesktop.login1.Manager", in_signature="s", out_signature="o")
    def GetSession(self, session_id):
        return SESSION_PATH


class Session(dbus.service.Object):
    @dbus.service.method("org.freedesktop.login1.Session", in_signature="b")
    def SetIdleHint(self, idle):
        print("idle", "true" if idle else "false", file=sys.stderr, flush=True)

    @dbus.service.method("org.freedesktop.login1.Session", in_signature="b")
    def SetLockedHint(self, locked):
        print("locked", "true" if locked else "false", file=sys.stderr, flush=True)

    @dbus.service.signal("org.freedesktop.login1.Session")
    def Lock(self):
        pass


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.bus.BusConnection(sys.argv[1])
    name = dbus.service.BusName("org.freedesktop.login1", bus)
    objects = (Manager(bus, "/org/freedesktop/login1"), Session(bus, SESSION_PATH))
    print("ready", file=sys.stderr, flush=True)
    GLib.MainLoop().run()
    del name, objects


main()
