'''GNOME's idle monitor as mutter offers it on the session bus, with the
user's idle time and input played by the test through the interface
org.gnome.Mutter.IdleMonitor.Script (a template for python3-dbusmock).'''

import dbus

BUS_NAME = 'org.gnome.Mutter.IdleMonitor'
MAIN_OBJ = '/org/gnome/Mutter/IdleMonitor/Core'
MAIN_IFACE = 'org.gnome.Mutter.IdleMonitor'
SYSTEM_BUS = False


def load(mock, parameters):
    mock.idletime = 0
    # id: the idle time it rings at each time idle passes it, or None for a
    # watch that rings once, at the next input
    mock.watches = {}
    mock.next_id = 1

    def add(self, interval):
        self.next_id += 1
        self.watches[self.next_id - 1] = interval
        return dbus.UInt32(self.next_id - 1)

    def remove(self, watch):
        self.watches.pop(watch, None)

    def fire(self, watch):
        self.EmitSignal(MAIN_IFACE, 'WatchFired', 'u', [dbus.UInt32(watch)])

    def idle(self, ms):
        before, self.idletime = self.idletime, ms
        for watch, interval in list(self.watches.items()):
            if interval is not None and before < interval <= ms:
                fire(self, watch)

    def user_input(self):
        self.idletime = 0
        for watch in sorted(w for w, interval in self.watches.items() if interval is None):
            fire(self, watch)
            del self.watches[watch]

    mock.AddMethods(MAIN_IFACE, [
        ('GetIdletime', '', 't', lambda self: dbus.UInt64(self.idletime)),
        ('AddIdleWatch', 't', 'u', add),
        ('AddUserActiveWatch', '', 'u', lambda self: add(self, None)),
        ('RemoveWatch', 'u', '', remove),
    ])
    mock.AddMethods(MAIN_IFACE + '.Script', [('Idle', 't', '', idle), ('Input', '', '', user_input)])
