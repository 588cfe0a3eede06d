#!/usr/bin/env python3
"""A stand-in for the XDG desktop portal's global shortcuts on a private
session bus: org.freedesktop.portal.Desktop with the GlobalShortcuts
interface (version 1). The tests steer it through the interface
org.tarvo.test.FakePortal on the same object:

  SetAnswer(mode)  how BindShortcuts is answered: "all" binds every shortcut,
                   "some" all but the last, "refuse" cancels, "never" leaves
                   the request unanswered
  Asked() -> s     the shortcuts of the last BindShortcuts, as JSON
  Activate(id)     emits Activated for `id` in the last session

Usage: fake_portal.py (prints "ready" once it owns the name)
"""

import json
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"
CONTROL = "org.tarvo.test.FakePortal"
GRANTED, CANCELLED = 0, 1


def sender_part(sender):
    return sender[1:].replace(".", "_")


class Request(dbus.service.Object):
    @dbus.service.signal("org.freedesktop.portal.Request", signature="ua{sv}")
    def Response(self, response, results):
        pass


class Session(dbus.service.Object):
    @dbus.service.method("org.freedesktop.portal.Session")
    def Close(self):
        self.remove_from_connection()


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.answer = "all"
        self.asked = []
        self.session = None

    def respond_later(self, sender, token, response, results):
        request = Request(self.bus, "%s/request/%s/%s" % (PATH, sender_part(sender), token))

        def respond():
            request.Response(dbus.UInt32(response), dbus.Dictionary(results, signature="sv"))
            request.remove_from_connection()
            return False
        GLib.idle_add(respond)
        return request.__dbus_object_path__

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface != SHORTCUTS or name != "version":
            raise dbus.exceptions.DBusException("no such property", name="org.freedesktop.DBus.Error.InvalidArgs")
        return dbus.UInt32(1)

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, options, sender):
        self.session = "%s/session/%s/%s" % (PATH, sender_part(sender), options["session_handle_token"])
        Session(self.bus, self.session)
        return self.respond_later(sender, options["handle_token"], GRANTED, {"session_handle": self.session})

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o", sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent, options, sender):
        self.asked = [{"id": str(i), "description": str(p.get("description", "")),
                       "preferred_trigger": str(p.get("preferred_trigger", ""))} for i, p in shortcuts]
        path = "%s/request/%s/%s" % (PATH, sender_part(sender), options["handle_token"])
        if self.answer == "never":
            return path
        if self.answer == "refuse":
            return self.respond_later(sender, options["handle_token"], CANCELLED, {})
        bound = self.asked[:-1] if self.answer == "some" else self.asked
        listed = dbus.Array([dbus.Struct((s["id"], dbus.Dictionary(
            {"description": s["description"], "trigger_description": "Desktop " + s["preferred_trigger"]},
            signature="sv"))) for s in bound], signature="(sa{sv})")
        return self.respond_later(sender, options["handle_token"], GRANTED, {"shortcuts": listed})

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, shortcut, timestamp, options):
        pass

    @dbus.service.method(CONTROL, in_signature="s")
    def SetAnswer(self, mode):
        self.answer = mode

    @dbus.service.method(CONTROL, out_signature="s")
    def Asked(self):
        return json.dumps(self.asked)

    @dbus.service.method(CONTROL, in_signature="s")
    def Activate(self, shortcut):
        self.Activated(dbus.ObjectPath(self.session), shortcut, dbus.UInt64(0), dbus.Dictionary({}, signature="sv"))


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Portal(bus)
    name = dbus.service.BusName(NAME, bus)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del portal, name


if __name__ == "__main__":
    sys.exit(main())
