#!/usr/bin/env python3
"""Stands in for the accessibility bus launcher on the session bus: owns org.a11y.Bus, gives the
address of an accessibility bus that the caller started, and says accessibility is on. It lets a
test choose how that bus starts its services, for example a registry that starts late.

Usage: accessibility_bus.py ADDRESS   (runs until it is ended)
"""

import sys

from gi.repository import Gio, GLib

INTERFACES = """
<node>
  <interface name="org.a11y.Bus">
    <method name="GetAddress"><arg type="s" name="address" direction="out"/></method>
  </interface>
  <interface name="org.a11y.Status">
    <property name="IsEnabled" type="b" access="readwrite"/>
    <property name="ScreenReaderEnabled" type="b" access="readwrite"/>
  </interface>
</node>
"""


def main(address):
    def call(_connection, _sender, _path, _interface, method, _parameters, invocation):
        if method == "GetAddress":
            invocation.return_value(GLib.Variant("(s)", (address,)))
        else:
            invocation.return_dbus_error("org.freedesktop.DBus.Error.UnknownMethod", method)

    def get_property(_connection, _sender, _path, _interface, _name):
        return GLib.Variant("b", True)

    def set_property(*_arguments):
        return False

    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    for interface in Gio.DBusNodeInfo.new_for_xml(INTERFACES).interfaces:
        session.register_object("/org/a11y/bus", interface, call, get_property, set_property)
    loop = GLib.MainLoop()
    Gio.bus_own_name_on_connection(session, "org.a11y.Bus", Gio.BusNameOwnerFlags.NONE,
                                   None, lambda *_: loop.quit())
    loop.run()
    return 1  # the name was lost or never owned


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
