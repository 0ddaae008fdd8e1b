'''GNOME's idle monitor as mutter offers it on the session bus, with the
user's idle time and input played by the test through the interface
org.gnome.Mutter.IdleMonitor.Script (a template for python3-dbusmock).'''

import dbus

BUS_NAME = 'org.gnome.Mutter.IdleMonitor'
MAIN_OBJ = '/org/gnome/Mutter/IdleMonitor/Core'
MAIN_IFACE = 'org.gnome.Mutter.IdleMonitor'
SCRIPT_IFACE = 'org.gnome.Mutter.IdleMonitor.Script'
SYSTEM_BUS = False


def load(mock, parameters):
    mock.idletime = 0
    mock.idle_watches = {}    # id: interval, ringing each time idle passes it
    mock.active_watches = set()  # ringing once, at the next input
    mock.next_id = 1

    def add(self, watches, value):
        watch = self.next_id
        self.next_id += 1
        if isinstance(watches, dict):
            watches[watch] = value
        else:
            watches.add(watch)
        return dbus.UInt32(watch)

    def remove(self, watch):
        self.idle_watches.pop(watch, None)
        self.active_watches.discard(watch)

    def idle(self, ms):
        before = self.idletime
        self.idletime = ms
        for watch, interval in list(self.idle_watches.items()):
            if before < interval <= ms:
                self.EmitSignal(MAIN_IFACE, 'WatchFired', 'u', [dbus.UInt32(watch)])

    def user_input(self):
        self.idletime = 0
        for watch in sorted(self.active_watches):
            self.EmitSignal(MAIN_IFACE, 'WatchFired', 'u', [dbus.UInt32(watch)])
        self.active_watches.clear()

    mock.AddMethods(MAIN_IFACE, [
        ('GetIdletime', '', 't', lambda self: dbus.UInt64(self.idletime)),
        ('AddIdleWatch', 't', 'u', lambda self, interval: add(self, self.idle_watches, interval)),
        ('AddUserActiveWatch', '', 'u', lambda self: add(self, self.active_watches, 0)),
        ('RemoveWatch', 'u', '', remove),
    ])
    mock.AddMethods(SCRIPT_IFACE, [
        ('Idle', 't', '', idle),
        ('Input', '', '', user_input),
    ])
