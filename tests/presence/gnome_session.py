'''GNOME's session manager with its inhibitors, as far as a program asks it
(a template for python3-dbusmock): Inhibit, Uninhibit, IsInhibited and the
signals InhibitorAdded and InhibitorRemoved.'''

import dbus

BUS_NAME = 'org.gnome.SessionManager'
MAIN_OBJ = '/org/gnome/SessionManager'
MAIN_IFACE = 'org.gnome.SessionManager'
SYSTEM_BUS = False


def load(mock, parameters):
    mock.inhibitors = {}  # cookie: flags
    mock.next_cookie = 1

    def inhibit(self, app_id, toplevel_xid, reason, flags):
        cookie = self.next_cookie
        self.next_cookie += 1
        self.inhibitors[cookie] = flags
        self.EmitSignal(MAIN_IFACE, 'InhibitorAdded', 'o', [dbus.ObjectPath(f'/org/gnome/SessionManager/Inhibitor{cookie}')])
        return dbus.UInt32(cookie)

    def uninhibit(self, cookie):
        self.inhibitors.pop(cookie, None)
        self.EmitSignal(MAIN_IFACE, 'InhibitorRemoved', 'o', [dbus.ObjectPath(f'/org/gnome/SessionManager/Inhibitor{cookie}')])

    def is_inhibited(self, flags):
        return any(f & flags for f in self.inhibitors.values())

    mock.AddMethods(MAIN_IFACE, [
        ('Inhibit', 'susu', 'u', inhibit),
        ('Uninhibit', 'u', '', uninhibit),
        ('IsInhibited', 'u', 'b', is_inhibited),
    ])
