"""The accessibility bus (AT-SPI) of a private session bus, read the way a
screen reader reads it, through python3-dbus: windows' names, menus and their
items, and triggering a menu item. Qt offers its widgets there when
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 is in the program's environment."""

import subprocess

import dbus

from harness import CheckFailed, wait_until

ACCESSIBLE = "org.a11y.atspi.Accessible"


class Accessibility:
    """The accessibility bus of a session, read through python3-dbus."""

    def __init__(self, session_address):
        session = dbus.bus.BusConnection(session_address)
        address = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(dbus_interface="org.a11y.Bus")
        self.bus = dbus.bus.BusConnection(address)

    def children(self, node):
        name, path = node
        return [(str(n), str(p)) for n, p in
                self.bus.get_object(name, path).GetChildren(dbus_interface=ACCESSIBLE)]

    def name(self, node):
        return str(self.bus.get_object(*node).Get(ACCESSIBLE, "Name", dbus_interface=dbus.PROPERTIES_IFACE))

    def application(self, wanted):
        for node in self.children(("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")):
            if self.name(node) == wanted:
                return node
        return None

    def parent(self, node):
        name, path = self.bus.get_object(*node).Get(ACCESSIBLE, "Parent", dbus_interface=dbus.PROPERTIES_IFACE)
        return str(name), str(path)

    def names(self, nodes):
        return [self.name(node) for node in nodes]

    def window_names(self, application):
        return [self.name(window) for window in self.children(application)]

    def find(self, node, wanted, depth=6):
        """The first object under `node` named `wanted`, depth first."""
        if self.name(node) == wanted:
            return node
        if depth == 0:
            return None
        for child in self.children(node):
            found = self.find(child, wanted, depth - 1)
            if found:
                return found
        return None

    def trigger(self, application, item):
        node = wait_until(lambda: self.find(application, item), "the menu item %s" % item)
        # A modal window answers only when it closes: no reply is awaited.
        self.bus.get_object(*node).DoAction(0, dbus_interface="org.a11y.atspi.Action", ignore_reply=True)


def start_session_bus(processes):
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, text=True)
    processes.append(bus)
    address = bus.stdout.readline().strip()
    if not address:
        raise CheckFailed("no session bus could be started")
    return address
